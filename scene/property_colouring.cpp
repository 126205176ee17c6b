#include "scene/property_colouring.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/decimal_text.h"
#include "scene/layer_halves.h"

namespace morvane {

namespace {

constexpr std::size_t kFloatsPerVertex = 6;  // x, y, z, r, g, b in the layer vertices
constexpr std::size_t kColourFloats = 3;     // r, g, b of each cell

struct GridShape {
    std::size_t layers = 0, rows = 0, cols = 0;
    std::size_t cellsPerLayer() const { return rows * cols; }
    std::size_t cells() const { return layers * rows * cols; }
    std::size_t verticesPerLayer() const { return 2 * 4 * cellsPerLayer(); }
    std::size_t floatsPerLayer() const { return verticesPerLayer() * kFloatsPerVertex; }
    std::size_t coloursPerLayer() const { return cellsPerLayer() * kColourFloats; }
};

// The grid's counts, when its vertex arrays match them.
bool shapeOf(const Grid& grid, GridShape& shape)
{
    if (!grid.loaded || grid.layers < 1 || grid.rows < 1 || grid.columns < 1) return false;
    shape = {std::size_t(grid.layers), std::size_t(grid.rows), std::size_t(grid.columns)};
    if (std::size_t(grid.surfaceVertices) != 4 * shape.cellsPerLayer()) return false;
    if (grid.layerVertices.size() != shape.layers) return false;
    for (const auto& layer : grid.layerVertices)
        if (layer.size() != shape.floatsPerLayer()) return false;
    return true;
}

inline void putColour(float* out, const Rgb& colour)
{
    out[0] = colour.r;
    out[1] = colour.g;
    out[2] = colour.b;
}

// Fills `cells` with the colour of each cell, colourOf(k, c) for cell c of layer k. A recolour overwrites them in
// place; a first fill sizes them once.
template <typename ColourOf>
void paintCopy(const GridShape& shape, std::vector<Vertices>& cells, ColourOf colourOf)
{
    cells.resize(shape.layers);
    const int layers = static_cast<int>(shape.layers);
    // The later half of the layers on the second core: a first fill touches fresh memory, which costs as much as
    // the colouring itself.
    inLayerHalves(0, layers / 2, layers, shape.cells(), [&](int from, int to) {
        for (auto k = static_cast<std::size_t>(from); k < static_cast<std::size_t>(to); ++k) {
            Vertices& dst = cells[k];
            if (dst.size() != shape.coloursPerLayer()) {
                dst.clear();
                dst.shrink_to_fit();
                dst.resize(shape.coloursPerLayer());
            }
            float* out = dst.data();
            for (std::size_t c = 0; c < shape.cellsPerLayer(); ++c, out += kColourFloats)
                putColour(out, colourOf(k, c));
        }
        return to - from;
    });
}

// The grid's inactive cells, when it has any, and their colour.
struct InactiveCells {
    InactiveCells(const Grid& grid, const PropertySet& p, const GridShape& shape)
        : flags(grid.active.size() == shape.cells() ? grid.active.data() : nullptr), colour(p.inactiveColour)
    {}
    bool at(std::size_t cell) const { return flags && flags[cell] == 0; }
    const std::uint8_t* flags;
    Rgb colour;
};

// c1 + (c2 - c1) * t, in double precision.
Rgb blend(const Rgb& c1, const Rgb& c2, double t)
{
    return {static_cast<float>(c1.r + (double(c2.r) - c1.r) * t), static_cast<float>(c1.g + (double(c2.g) - c1.g) * t),
            static_cast<float>(c1.b + (double(c2.b) - c1.b) * t)};
}

std::size_t kindIndex(PropertyKind kind)
{
    const int k = static_cast<int>(kind);
    return k >= 0 && k < kPropertyKindCount ? static_cast<std::size_t>(k) : 0;
}

}  // namespace

std::string filterLabel(const std::string& name, const PropertyFilterSetting& filter)
{
    using Keep = PropertyFilterSetting::Keep;
    switch (filter.keep) {
    case Keep::All:
        return {};
    case Keep::Cut:
        return name + (filter.below ? " > " : " < ") + sixDecimalsText(filter.cut, 3);
    case Keep::Range:
        return limitText(filter.low) + " <= " + name + " <= " + limitText(filter.high);
    case Keep::Codes: {
        std::string codes;
        for (const int c : filter.codes) codes += (codes.empty() ? "" : ", ") + std::to_string(c);
        return name + " = " + codes;
    }
    }
    return {};
}

LogLimits logLimits(const Property& p)
{
    double high = p.highLimit;
    double low = p.lowLimit;
    if (!(low > 0)) low = p.positiveMin > 0 && p.positiveMin < high ? p.positiveMin : high / 1000;
    if (!(high > 0)) high = low * 10;
    if (!(low > 0)) low = high / 1000;  // an upper limit of 0 or below
    if (!(high > low)) high = low * 10;
    if (!(low > 0) || !(high > low)) return {};
    return {low, high};
}

ContinuousRamp makeRamp(const PropertySet& p, const Property& shown, const PropertyFilterSetting& filter)
{
    ContinuousRamp ramp;
    ramp.log = shown.logScale;
    if (ramp.log) {
        const LogLimits limits = logLimits(shown);
        ramp.max = static_cast<float>(std::log10(limits.high));
        ramp.min = static_cast<float>(std::log10(limits.low));
    } else {
        ramp.max = static_cast<float>(shown.highLimit);
        ramp.min = static_cast<float>(shown.lowLimit);
    }
    ramp.half = (ramp.max - ramp.min) * 0.5f;
    const ColourRamp& colours = p.ramps[kindIndex(shown.kind)];
    ramp.low = colours.low;
    ramp.middle = colours.middle;
    ramp.high = colours.high;
    ramp.keep = filter.keep == PropertyFilterSetting::Keep::Codes ? PropertyFilterSetting::Keep::All : filter.keep;
    ramp.cut = filter.cut;
    ramp.cutBelow = filter.below;
    ramp.keepLow = filter.low;
    ramp.keepHigh = filter.high;
    ramp.undefined = p.undefinedColour;
    return ramp;
}

Rgb continuousColour(double value, const ContinuousRamp& ramp)
{
    if (isNoValue(value) || value == UNDEFINED_VALUE) return ramp.undefined;
    using Keep = PropertyFilterSetting::Keep;
    if ((ramp.keep == Keep::Cut && removedByFilter(value, ramp.cut, ramp.cutBelow)) ||
        (ramp.keep == Keep::Range && !(value >= ramp.keepLow && value <= ramp.keepHigh)))
        return FILTERED_COLOUR;
    if (ramp.log && !(value > 0)) return ramp.low;
    const float x = static_cast<float>(ramp.log ? std::log10(value) : value);
    const float min = ramp.min, h = ramp.half;
    // Four tests in order, each overwriting the colour. In single precision min + 2h can round below max; a value
    // in that gap is past the ramp's top and takes the high colour too, rather than staying black.
    Rgb colour;
    if (x <= min) colour = ramp.low;
    if (min < x && x <= min + h) colour = blend(ramp.low, ramp.middle, (double(x) - min) / h);
    if (min + h < x && x <= min + 2 * h) colour = blend(ramp.middle, ramp.high, (double(x) - (min + h)) / h);
    if (x > ramp.max || (h > 0 && x > min + 2 * h)) colour = ramp.high;
    return colour;
}

bool removedByFilter(double value, float cut, bool cutBelow)
{
    // The single-precision cut against the double value: a cut of 0.2 also removes a cell holding 0.2.
    if (isNoValue(value) || value == UNDEFINED_VALUE) return false;
    return cutBelow ? value < cut : value > cut;
}

bool removedByFilter(double value, const PropertyFilterSetting& filter)
{
    using Keep = PropertyFilterSetting::Keep;
    if (isNoValue(value) || value == UNDEFINED_VALUE) return false;
    if (filter.keep == Keep::Cut) return removedByFilter(value, filter.cut, filter.below);
    if (filter.keep == Keep::Range) return !(value >= filter.low && value <= filter.high);
    return false;
}

bool codeRemovedByFilter(int code, const PropertyFilterSetting& filter)
{
    if (filter.keep != PropertyFilterSetting::Keep::Codes) return false;
    return !std::binary_search(filter.codes.begin(), filter.codes.end(), code) || code == kUndefinedCode;
}

std::size_t keptCellCount(const Property& shown, const PropertyFilterSetting& filter,
                          const std::vector<std::uint8_t>& active)
{
    const std::size_t cells = shown.size();
    const bool someInactive = active.size() == cells;
    std::size_t kept = 0;
    for (std::size_t n = 0; n < cells; ++n) {
        if (someInactive && !active[n]) continue;
        if (shown.discrete)
            kept += shown.codes[n] != kUndefinedCode && !codeRemovedByFilter(shown.codes[n], filter);
        else
            kept += !isNoValue(shown.values[n]) && !removedByFilter(shown.values[n], filter);
    }
    return kept;
}

std::vector<std::uint8_t> keptCells(const Grid& grid, const Property* shown, const PropertyFilterSetting& filter,
                                    const std::vector<std::uint8_t>& drawn)
{
    GridShape shape;
    // Codes filter properties of codes, a cut or a range properties of values.
    const bool byCodes = filter.keep == PropertyFilterSetting::Keep::Codes;
    if (!filter.on() || !shown || shown->discrete != byCodes || !shapeOf(grid, shape) ||
        shown->size() < shape.cells() || drawn.size() != shape.cells())
        return {};
    std::vector<std::uint8_t> kept(drawn.size());
    if (shown->discrete) {
        const int* codes = shown->codes.data();
        for (std::size_t cell = 0; cell < kept.size(); ++cell)
            kept[cell] = drawn[cell] && !codeRemovedByFilter(codes[cell], filter);
        return kept;
    }
    const double* values = shown->values.data();
    for (std::size_t cell = 0; cell < kept.size(); ++cell)
        kept[cell] = drawn[cell] && !removedByFilter(values[cell], filter);
    return kept;
}

bool colourCells(const Grid& grid, const PropertySet& properties, const Property* shown,
                 const PropertyFilterSetting& filter, std::vector<Vertices>& cells)
{
    GridShape shape;
    if (!shapeOf(grid, shape)) return false;
    if (shown && shown->size() < shape.cells()) return false;
    const std::size_t perLayer = shape.cellsPerLayer();
    // Inactive cells are grey whatever their value; they are drawn only when the user asks to see them.
    const InactiveCells inactive(grid, properties, shape);
    if (!shown) {
        const Rgb undefined = properties.undefinedColour;
        paintCopy(shape, cells, [&](std::size_t k, std::size_t c) {
            return inactive.at(k * perLayer + c) ? inactive.colour : undefined;
        });
    } else if (shown->discrete) {
        const std::vector<int>& codes = shown->codes;
        const std::vector<Rgb>& table = properties.codeColours[kindIndex(shown->kind)];
        const std::map<int, Rgb>& negative = properties.negativeCodeColours[kindIndex(shown->kind)];
        const Rgb undefined = properties.undefinedColour;
        paintCopy(shape, cells, [&](std::size_t k, std::size_t c) {
            const std::size_t n = k * perLayer + c;
            if (inactive.at(n)) return inactive.colour;
            return codeRemovedByFilter(codes[n], filter) ? FILTERED_COLOUR
                                                         : codeColour(codes[n], table, negative, undefined);
        });
    } else {
        const std::vector<double>& values = shown->values;
        const ContinuousRamp ramp = makeRamp(properties, *shown, filter);
        paintCopy(shape, cells, [&](std::size_t k, std::size_t c) {
            const std::size_t n = k * perLayer + c;
            return inactive.at(n) ? inactive.colour : continuousColour(values[n], ramp);
        });
    }
    return true;
}

}  // namespace morvane
