// Colours the grid cells by the shown property: a three-colour ramp between the colour limits for a continuous
// property, the kind's table of code colours for a property of codes, grey for undefined values and near-black for
// cells the property filter removes; without a shown property every cell takes the undefined colour. The colours
// are kept per layer as one r, g, b a cell, row by row; the upload gives them to the cell's eight corners and takes
// the positions from the grid's own vertex buffers, so neither positions nor colours are held twice.
#pragma once

#include <cstdint>
#include <vector>

#include "model/grid.h"
#include "model/property_set.h"
#include "view/view_state.h"

namespace morvane {

// A continuous value that stands for no value: exports write it for cells without one.
inline constexpr double UNDEFINED_VALUE = -999.99;

inline constexpr Rgb FILTERED_COLOUR{0.01f, 0.01f, 0.01f};  // a cell removed by the property filter

// What one continuous colouring compares against: the colour limits in single precision, half their range, the three
// ramp colours of the kind, the filter and the undefined colour.
struct ContinuousRamp {
    float min = 0, max = 0, half = 0;
    Rgb low, middle, high;
    float cut = 0;  // 0: no filter
    bool cutBelow = true;
    Rgb undefined;
};

// The ramp of continuous property `shown` under `filter`.
ContinuousRamp makeRamp(const PropertySet& properties, const Property& shown, const PropertyFilterSetting& filter);

// Colour of one continuous value: undefined, filtered, or the ramp (see ContinuousRamp).
Rgb continuousColour(double value, const ContinuousRamp& ramp);

// Whether the property filter removes a cell holding `value`: a filter is set (cut not 0), the value is defined and
// lies below the cut (cutBelow) or above it. The single-precision cut is compared with the double value.
bool removedByFilter(double value, float cut, bool cutBelow);

// The cells the property filter view draws: one flag per cell (layer after layer, row after row, as `drawn`), set
// for a drawn cell whose value in the shown continuous property the filter keeps. Empty when no filter is set, there
// is no shown property or it holds codes, or its values or `drawn` do not match the grid.
std::vector<std::uint8_t> keptCells(const Grid& grid, const Property* shown, const PropertyFilterSetting& filter,
                                    const std::vector<std::uint8_t>& drawn);

// The colour of every cell of `grid` with `shown` (nothing: the bare grid) under `filter`, into `cells`: per layer
// r, g, b of each cell, row by row. A recolour overwrites `cells` in place; a first fill sizes it once. False, with
// `cells` untouched, when the grid's vertex arrays do not match its counts or the property holds fewer values than
// the grid has cells.
bool colourCells(const Grid& grid, const PropertySet& properties, const Property* shown,
                 const PropertyFilterSetting& filter, std::vector<Vertices>& cells);

}  // namespace morvane
