#include "scene/property_colouring.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/trace_text.h"
#include "io/property_reader.h"
#include "scene/layer_halves.h"

namespace morvane {

namespace {

using trace_text::line;

constexpr std::size_t kFloatsPerVertex = 6;  // x, y, z, r, g, b in grid_lines_k
constexpr std::size_t kColourFloats = 3;     // r, g, b of each cell in cells_k
constexpr std::size_t kPaletteTypes = 10;

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

template <typename T>
void reshape(const std::vector<T>& flat, const GridShape& shape, std::vector<std::vector<std::vector<T>>>& out)
{
    out.resize(shape.layers);
    auto from = flat.begin();
    for (auto& layer : out) {
        layer.resize(shape.rows);
        for (auto& row : layer) {
            row.assign(from, from + static_cast<std::ptrdiff_t>(shape.cols));
            from += static_cast<std::ptrdiff_t>(shape.cols);
        }
    }
}

inline void putColour(float* out, const Rgb& colour)
{
    out[0] = colour.r;
    out[1] = colour.g;
    out[2] = colour.b;
}

// Fills cells_k with the colour of each cell, colourOf(k, c) for cell c of layer k. A recolour overwrites cells_k
// in place; a first fill sizes it once.
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
    InactiveCells(const Grid& grid, const Properties& p, const GridShape& shape)
        : flags(grid.active.size() == shape.cells() ? grid.active.data() : nullptr),
          colour{p.INACTIVE_COLOR[0] / 255, p.INACTIVE_COLOR[1] / 255, p.INACTIVE_COLOR[2] / 255}
    {}
    bool at(std::size_t cell) const { return flags && flags[cell] == 0; }
    const std::uint8_t* flags;
    Rgb colour;
};

Rgb paletteColour(const std::array<float, 10>& r, const std::array<float, 10>& g, const std::array<float, 10>& b,
                  int type)
{
    if (type < 0 || static_cast<std::size_t>(type) >= kPaletteTypes) return {};
    return {r[type], g[type], b[type]};
}

float entryOr(const std::vector<double>& values, std::size_t n, double fallback)
{
    return static_cast<float>(n < values.size() ? values[n] : fallback);
}

// c1 + (c2 - c1) * t, in double precision.
Rgb blend(const Rgb& c1, const Rgb& c2, double t)
{
    return {static_cast<float>(c1.r + (double(c2.r) - c1.r) * t), static_cast<float>(c1.g + (double(c2.g) - c1.g) * t),
            static_cast<float>(c1.b + (double(c2.b) - c1.b) * t)};
}

const std::vector<std::vector<float>>& tableOf(const Properties& properties, int type)
{
    static const std::vector<std::vector<float>> none;
    if (type < 0 || static_cast<std::size_t>(type) >= properties.PROP_disc_color.size()) return none;
    return properties.PROP_disc_color[type];
}

std::size_t overallEntry(const Properties& properties)
{
    if (properties.propLoading) return properties.PROP_max_value_color.size() - 1;  // wraps to "none" when empty
    return static_cast<std::size_t>(properties.prop_no_morvane) + 1;
}

}  // namespace

ContinuousRamp makeRamp(const Properties& p, int type, std::size_t overall)
{
    ContinuousRamp ramp;
    ramp.max = entryOr(p.PROP_max_value_color, overall, 0);
    ramp.min = entryOr(p.PROP_min_value_color, overall, 0);
    ramp.half = (ramp.max - ramp.min) * 0.5f;
    ramp.low = paletteColour(p.r1, p.g1, p.b1, type);
    ramp.middle = paletteColour(p.r2, p.g2, p.b2, type);
    ramp.high = paletteColour(p.r3, p.g3, p.b3, type);
    ramp.cut = p.cont_prop_cut;
    ramp.cutBelow = p.cut_below;
    ramp.undefined = undefinedColour(p);
    return ramp;
}

Rgb undefinedColour(const Properties& p)
{
    return {p.UNDEF_COLOR[0] / 255, p.UNDEF_COLOR[1] / 255, p.UNDEF_COLOR[2] / 255};
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

std::vector<std::uint8_t> keptCells(const Grid& grid, const Properties& p,
                                    const std::vector<std::uint8_t>& drawn)
{
    GridShape shape;
    if (p.cont_prop_cut == 0 || p.disc_PROP_displaying || !shapeOf(grid, shape) || p.PROP_cont.size() != shape.layers ||
        drawn.size() != shape.cells())
        return {};
    for (const auto& layer : p.PROP_cont) {
        if (layer.size() != shape.rows) return {};
        for (const auto& row : layer)
            if (row.size() != shape.cols) return {};
    }
    std::vector<std::uint8_t> kept(drawn.size());
    std::size_t cell = 0;
    for (const auto& layer : p.PROP_cont)
        for (const auto& row : layer)
            for (const double value : row) {
                kept[cell] = drawn[cell] && !removedByFilter(value, p.cont_prop_cut, p.cut_below);
                ++cell;
            }
    return kept;
}

Rgb discreteColour(int code, const std::vector<std::vector<float>>& table, const Rgb& undefined)
{
    if (code == UNDEFINED_CODE) return undefined;
    if (code < 0 || static_cast<std::size_t>(code) >= table.size()) return OUTSIDE_TABLE_COLOUR;
    const auto& entry = table[static_cast<std::size_t>(code)];
    if (entry.size() < 3) return OUTSIDE_TABLE_COLOUR;
    return {entry[0], entry[1], entry[2]};
}

PropertyColourReport colourProperty(const Grid& grid, Properties& properties, int perKindIndex, bool discrete,
                                    int typeCode)
{
    PropertyColourReport report;
    GridShape shape;
    const std::size_t kindEntry = static_cast<std::size_t>(perKindIndex) - 1;
    const std::size_t kindCount = discrete ? properties.PROP_disc_loading.size() : properties.PROP_cont_loading.size();
    if (!shapeOf(grid, shape) || perKindIndex < 1 || kindEntry >= kindCount) return report;
    const std::size_t valueCount =
        discrete ? properties.PROP_disc_loading[kindEntry].size() : properties.PROP_cont_loading[kindEntry].size();
    if (valueCount < shape.cells()) return report;

    if (properties.propLoading && typeCode == 0) {
        typeCode = discrete ? 8 : 9;
        if (!properties.PROP_type.empty()) properties.PROP_type.back() = typeCode;
    }
    properties.PROP_type_displaying = typeCode;
    report.typeCode = typeCode;

    const std::size_t overall = overallEntry(properties);
    const double shownMax = overall < properties.PROP_max_value.size() ? properties.PROP_max_value[overall] : 0;
    const double shownMin = overall < properties.PROP_min_value.size() ? properties.PROP_min_value[overall] : 0;
    const std::size_t perLayer = shape.cellsPerLayer();
    // Inactive cells are grey whatever their value; they are drawn only when the user asks to see them.
    const InactiveCells inactive(grid, properties, shape);
    if (discrete) {
        const auto& codes = properties.PROP_disc_loading[kindEntry];
        reshape(codes, shape, properties.PROP_disc);
        report.trace.push_back(line("Prop_max = ", shownMax));
        report.trace.push_back(line("Prop_min = ", shownMin));
        report.trace.push_back(line("PROP_type_here = ", typeCode));
        const auto& table = tableOf(properties, typeCode);
        const Rgb undefined = undefinedColour(properties);
        paintCopy(shape, properties.cells_k, [&](std::size_t k, std::size_t c) {
            const std::size_t n = k * perLayer + c;
            return inactive.at(n) ? inactive.colour : discreteColour(codes[n], table, undefined);
        });
    } else {
        const auto& values = properties.PROP_cont_loading[kindEntry];
        reshape(values, shape, properties.PROP_cont);
        report.trace.push_back(line("prop_type = ", typeCode));
        report.trace.push_back(line("Prop_max = ", shownMax));
        report.trace.push_back(line("Prop_min = ", shownMin));
        const ContinuousRamp ramp = makeRamp(properties, typeCode, overall);
        paintCopy(shape, properties.cells_k, [&](std::size_t k, std::size_t c) {
            const std::size_t n = k * perLayer + c;
            return inactive.at(n) ? inactive.colour : continuousColour(values[n], ramp);
        });
    }
    report.coloured = true;
    properties.coloured_kind_entry = static_cast<int>(kindEntry);
    properties.coloured_discrete = discrete;

    if (properties.propLoading) {
        const bool placeholder = !discrete && typeCode == PLACEHOLDER_TYPE;
        if (!placeholder) {
            report.addTreeNode = true;
            report.treeNode = properties.PROP_name;
            report.message = PROPERTY_LOADED_MESSAGE;
        }
        properties.propLoaded = true;
    }
    return report;
}

bool changeDiscreteColour(const Grid& grid, Properties& properties, int type, int code, float r, float g,
                          float b)
{
    if (type < 0 || type > MAX_TYPE_CODE || code < 0 || code > MAX_COLOUR_CODE) return false;
    auto& tables = properties.PROP_disc_color;
    if (static_cast<std::size_t>(type) >= tables.size()) tables.resize(static_cast<std::size_t>(type) + 1);
    auto& table = tables[static_cast<std::size_t>(type)];
    const Rgb grey = OUTSIDE_TABLE_COLOUR;
    if (static_cast<std::size_t>(code) >= table.size())
        table.resize(static_cast<std::size_t>(code) + 1, std::vector<float>{grey.r, grey.g, grey.b});
    table[static_cast<std::size_t>(code)] = {r, g, b};

    // Recolour in place, only where cells_k and PROP_disc both match the grid.
    GridShape shape;
    if (!shapeOf(grid, shape) || properties.cells_k.size() != shape.layers ||
        properties.PROP_disc.size() != shape.layers)
        return true;
    for (std::size_t k = 0; k < shape.layers; ++k) {
        if (properties.cells_k[k].size() != shape.coloursPerLayer() || properties.PROP_disc[k].size() != shape.rows)
            return true;
        for (const auto& row : properties.PROP_disc[k])
            if (row.size() != shape.cols) return true;
    }
    const auto& shown = tableOf(properties, properties.PROP_type_displaying);
    const Rgb undefined = undefinedColour(properties);
    const InactiveCells inactive(grid, properties, shape);
    for (std::size_t k = 0; k < shape.layers; ++k) {
        float* out = properties.cells_k[k].data();
        for (std::size_t i = 0; i < shape.rows; ++i) {
            for (std::size_t j = 0; j < shape.cols; ++j, out += kColourFloats) {
                const bool off = inactive.at((k * shape.rows + i) * shape.cols + j);
                putColour(out, off ? inactive.colour : discreteColour(properties.PROP_disc[k][i][j], shown, undefined));
            }
        }
    }
    return true;
}

void deliverColourReport(const PropertyColourReport& report, Feedback& feedback)
{
    for (const auto& text : report.trace) feedback.trace(text);
    if (!report.message.empty()) feedback.appendLog(report.message, log_colour::Green);
}

}  // namespace morvane
