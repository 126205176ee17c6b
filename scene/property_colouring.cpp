#include "scene/property_colouring.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

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

ContinuousRamp makeRamp(const PropertySet& p, const Property& shown, const PropertyFilterSetting& filter)
{
    ContinuousRamp ramp;
    ramp.max = static_cast<float>(shown.highLimit);
    ramp.min = static_cast<float>(shown.lowLimit);
    ramp.half = (ramp.max - ramp.min) * 0.5f;
    const ColourRamp& colours = p.ramps[kindIndex(shown.kind)];
    ramp.low = colours.low;
    ramp.middle = colours.middle;
    ramp.high = colours.high;
    ramp.cut = filter.cut;
    ramp.cutBelow = filter.below;
    ramp.undefined = p.undefinedColour;
    return ramp;
}

Rgb continuousColour(double value, const ContinuousRamp& ramp)
{
    if (value == UNDEFINED_VALUE) return ramp.undefined;
    if (removedByFilter(value, ramp.cut, ramp.cutBelow)) return FILTERED_COLOUR;
    const float x = static_cast<float>(value);
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
    if (cut == 0 || value == UNDEFINED_VALUE) return false;
    return cutBelow ? value < cut : value > cut;
}

std::vector<std::uint8_t> keptCells(const Grid& grid, const Property* shown, const PropertyFilterSetting& filter,
                                    const std::vector<std::uint8_t>& drawn)
{
    GridShape shape;
    if (!filter.on() || !shown || shown->discrete || !shapeOf(grid, shape) || shown->values.size() < shape.cells() ||
        drawn.size() != shape.cells())
        return {};
    std::vector<std::uint8_t> kept(drawn.size());
    const double* values = shown->values.data();
    for (std::size_t cell = 0; cell < kept.size(); ++cell)
        kept[cell] = drawn[cell] && !removedByFilter(values[cell], filter.cut, filter.below);
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
            return inactive.at(n) ? inactive.colour : codeColour(codes[n], table, negative, undefined);
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
