// Colours the grid cells by the shown property: a three-colour ramp between the colour limits for a continuous
// property, the kind's table of code colours for a property of codes, grey for undefined values and near-black for
// cells the property filter removes; without a shown property every cell takes the undefined colour. The colours
// are kept per layer as one r, g, b a cell, row by row; the upload gives them to the cell's eight corners and takes
// the positions from the grid's own vertex buffers, so neither positions nor colours are held twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/grid.h"
#include "model/property_set.h"
#include "view/view_state.h"

namespace morvane {

// A continuous value that stands for no value: exports write it for cells without one. The import reads it (and
// the other markers of model/undefined_values.h) as kNoValue; both are drawn in the undefined colour.
inline constexpr double UNDEFINED_VALUE = -999.99;

inline constexpr Rgb FILTERED_COLOUR{0.01f, 0.01f, 0.01f};  // a cell removed by the property filter

// What one continuous colouring compares against: the colour limits in single precision, half their range, the three
// ramp colours of the kind, the filter and the undefined colour.
struct ContinuousRamp {
    float min = 0, max = 0, half = 0;
    Rgb low, middle, high;
    PropertyFilterSetting::Keep keep = PropertyFilterSetting::Keep::All;  // All, Cut or Range
    float cut = 0;
    bool cutBelow = true;
    double keepLow = 0, keepHigh = 0;  // Range
    Rgb undefined;
    // A logarithmic ramp: min, max and half are those of log10 of the limits, and values of 0 and below take the
    // low colour.
    bool log = false;
};

// The ramp of continuous property `shown` under `filter`.
ContinuousRamp makeRamp(const PropertySet& properties, const Property& shown, const PropertyFilterSetting& filter);

// Colour of one continuous value: undefined, filtered, or the ramp (see ContinuousRamp).
Rgb continuousColour(double value, const ContinuousRamp& ramp);

// Whether a cut removes a cell holding `value`: the value is defined and lies below the cut (cutBelow) or above it.
// The single-precision cut is compared with the double value.
bool removedByFilter(double value, float cut, bool cutBelow);

// Whether `filter` removes a cell of a continuous property holding `value`: by its cut, or outside its range; a cell
// without a value is never removed. A filter of codes removes no continuous cell.
bool removedByFilter(double value, const PropertyFilterSetting& filter);

// Whether `filter` removes a cell of a property of codes holding `code`: a filter of codes keeps only its codes (a
// cell without a code is removed); any other filter removes nothing.
bool codeRemovedByFilter(int code, const PropertyFilterSetting& filter);

// What the view's corner says of a filter on: the cells kept ("PORO > 0.200" for a cut that removes the cells
// below 0.2, "0.100 <= PORO <= 0.300" for a range, "FACIES = 1, 3" for codes); "" without a filter.
std::string filterLabel(const std::string& name, const PropertyFilterSetting& filter);

// The lower and upper limits a logarithmic ramp of `p` spreads its colours between: the colour limits, with a lower
// limit of 0 or below raised to the smallest positive value (to a thousandth of the upper limit when there is none),
// and an upper limit not above the lower one raised to ten times it.
struct LogLimits {
    double low = 1, high = 10;
};
LogLimits logLimits(const Property& p);

// How many cells of `shown` the filter keeps: cells holding a value (a code) that the filter does not remove, among
// the active cells (every cell when `active` does not match). Without a filter, every such cell.
std::size_t keptCellCount(const Property& shown, const PropertyFilterSetting& filter,
                          const std::vector<std::uint8_t>& active);

// The cells the property filter view draws: one flag per cell (layer after layer, row after row, as `drawn`), set
// for a drawn cell whose value (code) in the shown property the filter keeps. Empty when no filter is set, there is
// no shown property, the filter does not fit it (codes for a property of values, a cut or a range for one of
// codes), or its values or `drawn` do not match the grid.
std::vector<std::uint8_t> keptCells(const Grid& grid, const Property* shown, const PropertyFilterSetting& filter,
                                    const std::vector<std::uint8_t>& drawn);

// The colour of every cell of `grid` with `shown` (nothing: the bare grid) under `filter`, into `cells`: per layer
// r, g, b of each cell, row by row. A recolour overwrites `cells` in place; a first fill sizes it once. False, with
// `cells` untouched, when the grid's vertex arrays do not match its counts or the property holds fewer values than
// the grid has cells.
bool colourCells(const Grid& grid, const PropertySet& properties, const Property* shown,
                 const PropertyFilterSetting& filter, std::vector<Vertices>& cells);

}  // namespace morvane
