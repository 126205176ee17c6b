// Colours the grid cells by one property: a three-colour ramp for a continuous property, a table of code colours
// for a discrete one, grey for undefined values and near-black for cells the property filter removes. The colours go
// into cells_k: per layer the colour (r, g, b) of each cell, row by row. The upload gives it to the cell's eight
// corners and takes the positions from the grid's own vertex buffers, so neither positions nor colours are held
// twice.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/feedback.h"
#include "model/model_state.h"

namespace morvane {

inline constexpr double UNDEFINED_VALUE = -999.99;
inline constexpr const char* PLACEHOLDER_PROPERTY = "grid";
inline constexpr int PLACEHOLDER_TYPE = 10;  // the type code of the placeholder property and of nothing else
inline constexpr const char* PROPERTY_LOADED_MESSAGE = "Property is loaded successfully";

struct Rgb {
    float r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb OUTSIDE_TABLE_COLOUR{0.8f, 0.8f, 0.8f};  // a code without a table entry
inline constexpr Rgb FILTERED_COLOUR{0.01f, 0.01f, 0.01f};    // a cell removed by the property filter

// What one continuous colouring compares against: the colour limits in single precision, half their range, the three
// palette colours of the type, the filter and the undefined colour.
struct ContinuousRamp {
    float min = 0, max = 0, half = 0;
    Rgb low, middle, high;
    float cut = 0;  // 0: no filter
    bool cutBelow = true;
    Rgb undefined;
};

// The ramp of a property of type `type` whose overall entry (colour limits) is `overall`; out-of-range entries give
// limits of 0 and a type outside the palettes gives black.
ContinuousRamp makeRamp(const Properties& properties, int type, std::size_t overall);

// Colour of one continuous value: undefined, filtered, or the ramp (see ContinuousRamp).
Rgb continuousColour(double value, const ContinuousRamp& ramp);

// Whether the property filter removes a cell holding `value`: a filter is set (cut not 0), the value is defined and
// lies below the cut (cutBelow) or above it. The single-precision cut is compared with the double value.
bool removedByFilter(double value, float cut, bool cutBelow);

// The cells the property filter view draws: one flag per cell (layer after layer, row after row, as `drawn`), set
// for a drawn cell whose value in the displayed continuous property (PROP_cont) the filter keeps. Empty when no
// filter is set, the displayed property is discrete, or PROP_cont or `drawn` does not match the grid.
std::vector<std::uint8_t> keptCells(const Grid& grid, const Properties& properties,
                                    const std::vector<std::uint8_t>& drawn);

// Colour of one discrete code in a code table (grey 0.8 outside it); UNDEFINED_CODE takes `undefined`.
Rgb discreteColour(int code, const std::vector<std::vector<float>>& table, const Rgb& undefined);

// The undefined colour of the model state (UNDEF_COLOR, 0..255) on the 0..1 scale.
Rgb undefinedColour(const Properties& properties);

struct PropertyColourReport {
    bool coloured = false;  // cells_k and PROP_cont / PROP_disc were rebuilt
    int typeCode = 0;       // the type code used (0 replaced by 8 or 9 on a load)
    // A load of a real property (not the placeholder, whatever its name): add node `treeNode` (key and text) to the property tree's
    // root with image and selected image `typeCode`, select it, and log `message` in green.
    bool addTreeNode = false;
    std::string treeNode;
    std::string message;
    std::vector<std::string> trace;
};

// The colouring of the displayed property: `perKindIndex` is 1-based within PROP_disc_loading (discrete) or
// PROP_cont_loading (continuous). On a load (propLoading) a type code of 0 becomes 8 (discrete) or 9 (continuous)
// and is stored in the last entry of PROP_type, and propLoaded becomes true. The placeholder is known by its type
// code (PLACEHOLDER_TYPE), so a property that happens to be called "grid" still gets its tree node. Colour limits are the overall entry
// prop_no_morvane + 1, or the last entry during a load.
// Nothing changes (coloured = false) when no grid is loaded, the index names no property, the property holds fewer
// than GRID_SIZE values or the grid's vertex arrays do not match its counts.
PropertyColourReport colourProperty(const Grid& grid, Properties& properties, int perKindIndex, bool discrete,
                                    int typeCode);

// The discrete legend's recolouring: stores the colour for `code` in the table of type `type`, growing the table
// with grey 0.8 entries when the code lies beyond its end, then recolours cells_k in place from PROP_disc with the
// table of the displayed type (only where cells_k and PROP_disc match the grid). Returns whether the colour was
// stored: false, with nothing changed, for a type outside 0..MAX_TYPE_CODE, a negative code or a code beyond
// MAX_COLOUR_CODE.
inline constexpr int MAX_COLOUR_CODE = 1'000'000;
inline constexpr int MAX_TYPE_CODE = 10;  // type codes: 0 none .. 9 continuous, 10 the grid placeholder
bool changeDiscreteColour(const Grid& grid, Properties& properties, int type, int code, float r, float g,
                          float b);

// Sends the trace lines and, on a load, the log line of a colouring to the user.
void deliverColourReport(const PropertyColourReport& report, Feedback& feedback);

}  // namespace morvane
