// Fuzzes the grid geometry builder and the index lists with small grids derived from the input bytes: pillar rows
// whose spacing is mostly the nominal cell size but sometimes off it (undefined cells, row breaks, rows of unequal
// length, coincident pillars), turned lattices, inclined pillars, truncated COORD arrays, corner-depth counts a
// little off the layout, odd depth values, SPECGRID counts right or off by one, and ACTNUM flags of the right or a
// wrong length. A second grid is then built over the first, so the rejections that must keep the previous layout
// are exercised too. The index lists are built with inactive cells hidden and shown.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_state.h"
#include "scene/grid_geometry.h"
#include "scene/grid_indices.h"
#include "scene/grid_shell.h"
#include "scene/section_cells.h"

namespace {

using namespace morvane;

// The same bits, or both not a number (the sign of a NaN made from infinities is not fixed).
bool sameFloat(float a, float b) { return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0; }

double oddValue(FuzzedDataProvider& in)
{
    static const double kOdd[] = {0.0,
                                  -0.0,
                                  1e300,
                                  -1e300,
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN(),
                                  4.9e-324,
                                  1e-3,
                                  3.4e38,
                                  3.5e38};
    return in.PickValueInArray(kOdd);
}

CornerPointInput makeGrid(FuzzedDataProvider& in)
{
    const int rows = in.ConsumeIntegralInRange(1, 6);  // cell rows
    const int cols = in.ConsumeIntegralInRange(1, 6);  // cells per row
    const int layers = in.ConsumeIntegralInRange(1, 3);
    static const double kSizes[] = {25, 50, 100, 250, 500, 525, 0, 24.1, 24.09, 37.5, 1000, 1e20};
    const double size = in.PickValueInArray(kSizes);
    // Steps between neighbouring pillars, in cell sizes: mostly one cell, sometimes not.
    static const double kSteps[] = {1, 1, 1, 1, 1, 1, 2, 0, 0.5, 0.98, 1.02, -1, 40};
    const double x0 = in.ConsumeFloatingPointInRange(-1e5, 1e5);
    const double y0 = in.ConsumeFloatingPointInRange(-1e5, 1e5);
    const double rowStep = in.ConsumeBool() ? -size : size;
    const double angle = in.ConsumeBool() ? 0.0 : in.ConsumeFloatingPointInRange(0.0, 6.3);
    const double cs = std::cos(angle), sn = std::sin(angle);

    CornerPointInput input;
    for (int r = 0; r <= rows; ++r) {
        int pillars = cols + 1;
        if (in.ConsumeIntegralInRange(0, 15) == 0) pillars += in.ConsumeBool() ? 1 : -1;
        const double v = r * rowStep * (in.ConsumeIntegralInRange(0, 15) == 0 ? 0.5 : 1.0);
        double u = 0;
        for (int c = 0; c < pillars; ++c) {
            if (c > 0) u += size * in.PickValueInArray(kSteps);
            double x = x0 + u * cs - v * sn, y = y0 + u * sn + v * cs;
            if (in.ConsumeIntegralInRange(0, 31) == 0) x = oddValue(in);
            const double lean = in.ConsumeIntegralInRange(0, 3) == 0 ? in.ConsumeFloatingPointInRange(-50.0, 50.0) : 3;
            const double bottom = in.ConsumeIntegralInRange(0, 31) == 0 ? -1.0 : -1.2;  // sometimes a flat pillar
            input.pillars.insert(input.pillars.end(),
                                 {x / 1000, y / 1000, -1.0, (x + lean) / 1000, (y - 2) / 1000, bottom});
            input.pillarXY.insert(input.pillarXY.end(), {x / 1000, y / 1000, (x + lean) / 1000, (y - 2) / 1000});
        }
    }
    static const std::size_t kCut[] = {0, 0, 0, 0, 0, 1, 4, 5, 6};
    const std::size_t cutCoords = std::min(in.PickValueInArray(kCut), input.pillars.size());
    input.pillars.resize(input.pillars.size() - cutCoords);
    const std::size_t cutLines = std::min(in.PickValueInArray(kCut), input.pillarXY.size());
    input.pillarXY.resize(input.pillarXY.size() - cutLines);

    const long long surface = 4LL * rows * cols;
    const long long counts[] = {2 * surface * layers,
                                2 * surface * layers,
                                2 * surface * layers,
                                2 * surface * layers - 1,
                                2 * surface * layers + 1,
                                surface * (2 * layers + 1),
                                surface,
                                0,
                                8,
                                2 * surface * layers - 4};
    const long long count = in.PickValueInArray(counts);
    for (long long n = 0; n < count; ++n) {
        double depth = -(1000 + 10 * (n / surface)) / 1000.0;
        if (in.ConsumeIntegralInRange(0, 63) == 0) depth = oddValue(in);
        input.cornerDepths.push_back(depth);
    }

    // SPECGRID as the reader passes it on: none, the true counts, or counts one off.
    const int specChoice = in.ConsumeIntegralInRange(0, 3);
    if (specChoice == 1) input.declaredSize = {cols, rows, layers};
    if (specChoice == 2) input.declaredSize = {cols + in.ConsumeIntegralInRange(-1, 1), rows, layers};
    if (specChoice == 3) input.declaredSize = {cols, rows, layers + 1};
    const std::size_t cells = static_cast<std::size_t>(rows * cols * layers);
    static const int kActnumLength[] = {0, 0, 1, 1, 1, -1, 2};  // none, exact, short, long
    switch (in.PickValueInArray(kActnumLength)) {
    case 1:
        input.actnum.resize(cells);
        break;
    case -1:
        input.actnum.resize(cells / 2);
        break;
    case 2:
        input.actnum.resize(cells + 1);
        break;
    default:
        break;
    }
    for (auto& flag : input.actnum) flag = in.ConsumeIntegralInRange(0, 3) == 0 ? 0 : 1;
    return input;
}

// The layout variables the rejections must (or must not) keep.
struct Snapshot {
    int cellSize, rows, columns, layers, cellCount, surfaceVertices, definedRows, definedColumns;
    std::size_t vertexLayers;
    bool loaded;

    explicit Snapshot(const Grid& g)
        : cellSize(g.cellSize),
          rows(g.rows),
          columns(g.columns),
          layers(g.layers),
          cellCount(g.cellCount),
          surfaceVertices(g.surfaceVertices),
          definedRows(g.definedRows),
          definedColumns(g.definedColumns),
          vertexLayers(g.layerVertices.size()),
          loaded(g.loaded)
    {}
    bool sameLayout(const Snapshot& o) const
    {
        return cellSize == o.cellSize && rows == o.rows && columns == o.columns && layers == o.layers &&
               cellCount == o.cellCount && surfaceVertices == o.surfaceVertices && definedRows == o.definedRows &&
               definedColumns == o.definedColumns;
    }
};

// x or y of a corner on the line of the pillar whose COORD numbers start at c, at depth z, computed as the builder
// must: the top point plus the slope along the pillar times the depth below the top.
float onPillar(const double* c, double z, int axis)
{
    const double dz = c[5] - c[2];
    const double slope = std::abs(dz) > 1e-12 ? (c[3 + axis] - c[axis]) / dz : 0.0;
    return static_cast<float>(c[axis] + (z - c[2]) * slope);
}

// Every vertex of a built grid sits on its own corner depth, and on its pillar's top (a spacing layout) or on its
// pillar's line (a SPECGRID layout).
void checkBuilt(const ModelState& s, const CornerPointInput& input)
{
    const std::size_t I = std::size_t(s.document.grid.rows), J = std::size_t(s.document.grid.columns),
                      K = std::size_t(s.document.grid.layers);
    const std::size_t cells = I * J * K;
    if (s.document.grid.layoutFromSpecgrid) {
        FUZZ_CHECK(input.declaredSize[0] == s.document.grid.columns && input.declaredSize[1] == s.document.grid.rows &&
                   input.declaredSize[2] == s.document.grid.layers);
        FUZZ_CHECK(s.document.grid.cellSize >= 1);
        for (const auto& row : s.document.grid.regularCells)
            FUZZ_CHECK(std::count(row.begin(), row.begin() + J, 1) == long(J));
    } else {
        FUZZ_CHECK(s.document.grid.cellSize > 0 && s.document.grid.cellSize % Constants::DIMENSION_MIN == 0 &&
                   s.document.grid.cellSize <= Constants::DIMENSION_MAX);
    }
    FUZZ_CHECK(s.document.grid.active.empty() || s.document.grid.active.size() == cells);
    FUZZ_CHECK(s.document.grid.active.empty() ||
               std::count(s.document.grid.active.begin(), s.document.grid.active.end(), 0) > 0);
    if (input.actnum.size() != cells) FUZZ_CHECK(s.document.grid.active.empty());
    FUZZ_CHECK(s.document.grid.cellCount == static_cast<long long>(I * J * K));
    FUZZ_CHECK(s.document.grid.surfaceVertices == static_cast<long long>(4 * I * J));
    FUZZ_CHECK(s.document.grid.activeCellCount >= 0 && s.document.grid.activeCellCount <= s.document.grid.cellCount);
    FUZZ_CHECK(s.document.grid.regularCells.size() == I);
    for (const auto& row : s.document.grid.regularCells) FUZZ_CHECK(row.size() >= J);
    FUZZ_CHECK(s.document.grid.layerVertices.size() == K);
    for (std::size_t k = 0; k < K; ++k) {
        const Vertices& layer = s.document.grid.layerVertices[k];
        FUZZ_CHECK(layer.size() == 2 * 4 * I * J * 6);
        std::size_t v = 0;
        for (std::size_t t = 0; t < 2; ++t)
            for (std::size_t r = 0; r < I; ++r)
                for (std::size_t c = 0; c < J; ++c)
                    for (std::size_t corner = 0; corner < 4; ++corner, ++v) {
                        const std::size_t pillar = (r + corner / 2) * (J + 1) + c + corner % 2;
                        const std::size_t depth =
                            (2 * k + t) * 4 * I * J + 4 * J * r + (corner / 2) * 2 * J + 2 * c + corner % 2;
                        const float* p = &layer[6 * v];
                        if (s.document.grid.layoutFromSpecgrid) {
                            const double* c = &s.document.grid.input.pillars[6 * pillar];
                            FUZZ_CHECK(sameFloat(p[0], onPillar(c, s.document.grid.input.cornerDepths[depth], 0)));
                            FUZZ_CHECK(sameFloat(p[1], onPillar(c, s.document.grid.input.cornerDepths[depth], 1)));
                        } else {
                            FUZZ_CHECK(sameFloat(p[0], static_cast<float>(s.document.grid.input.pillarXY[4 * pillar])));
                            FUZZ_CHECK(
                                sameFloat(p[1], static_cast<float>(s.document.grid.input.pillarXY[4 * pillar + 1])));
                        }
                        FUZZ_CHECK(sameFloat(p[2], static_cast<float>(s.document.grid.input.cornerDepths[depth])));
                    }
    }
}

// A per-layer table: one start per layer and one past the last, rising, the last the list's length.
void checkLayerTable(const std::vector<std::size_t>& starts, std::size_t layers, std::size_t listSize)
{
    if (starts.empty()) return;
    FUZZ_CHECK(starts.size() == layers + 1);
    FUZZ_CHECK(std::is_sorted(starts.begin(), starts.end()));
    FUZZ_CHECK(starts.front() == 0 && starts.back() == listSize);
}

void checkIndices(ModelState& s, bool showInactive)
{
    const bool indexed = buildGridIndices(s.document.grid, s, s, showInactive);
    if (!indexed) return;
    FUZZ_CHECK(s.document.grid.loaded);
    const long long vertices = 2LL * s.document.grid.surfaceVertices;
    for (const Indices* list :
         {&s.grid_indices, &s.cell_indices, &s.grid_indices_edge, &s.cell_indices_edge, &s.OWC_indices})
        for (int index : *list) FUZZ_CHECK(index >= 0 && index < vertices);
    FUZZ_CHECK(s.cell_indices.size() % 3 == 0 && s.grid_indices.size() % 2 == 0);
    FUZZ_CHECK(s.cell_indices.size() / 30 == s.grid_indices.size() / 24);

    // Runs of drawn cells lie inside the shared lists, in order, one layer after another.
    const std::size_t layers = std::size_t(s.document.grid.layers);
    if (showInactive || s.document.grid.active.empty()) FUZZ_CHECK(s.cell_runs_layer.empty());
    checkLayerTable(s.cell_runs_layer, layers, s.cell_runs.size());
    checkLayerTable(s.grid_indices_edge_layer, layers, s.grid_indices_edge.size());
    checkLayerTable(s.cell_indices_edge_layer, layers, s.cell_indices_edge.size());
    const long long listCells = static_cast<long long>(s.cell_indices.size() / 30);
    for (std::size_t k = 0; k + 1 < s.cell_runs_layer.size(); ++k) {
        long long end = 0;
        for (std::size_t r = s.cell_runs_layer[k]; r + 1 < s.cell_runs_layer[k + 1]; r += 2) {
            const long long first = s.cell_runs[r], count = s.cell_runs[r + 1];
            FUZZ_CHECK(count > 0 && first >= end && first + count <= listCells);
            end = first + count;
        }
    }
    FUZZ_CHECK(s.cell_drawn.size() ==
               layers * std::size_t(s.document.grid.definedRows) * std::size_t(s.document.grid.definedColumns));
}

// The lists drawn for a view of part of the model: a block of layers and the cells around a flat section. Their
// indices stay inside a layer's vertices and their tables cover every layer.
void checkPartialViews(const ModelState& s, FuzzedDataProvider& in)
{
    if (!s.document.grid.loaded || s.cell_drawn.empty()) return;
    const long long vertices = 2LL * s.document.grid.surfaceVertices;
    const int first = in.ConsumeIntegralInRange(-1, s.document.grid.layers);
    const ShellLists block = buildLayerBlockShell(s.document.grid, s.cell_drawn, in.ConsumeBool(), first,
                                                  first + in.ConsumeIntegralInRange(0, 8), in.ConsumeBool());
    checkLayerTable(block.faceStart, std::size_t(s.document.grid.layers), block.faces.size());
    checkLayerTable(block.lineStart, std::size_t(s.document.grid.layers), block.lines.size());
    for (const Indices* list : {&block.faces, &block.lines})
        for (int index : *list) FUZZ_CHECK(index >= 0 && index < vertices);

    const glm::vec4 plane(in.ConsumeFloatingPoint<float>(), in.ConsumeFloatingPoint<float>(),
                          in.ConsumeFloatingPoint<float>(), in.ConsumeFloatingPoint<float>());
    const std::vector<Indices> section = sectionCellIndices(s.document.grid, s, plane);
    FUZZ_CHECK(section.empty() || section.size() == std::size_t(s.document.grid.layers));
    for (const Indices& layer : section) {
        FUZZ_CHECK(layer.size() % 30 == 0 && layer.size() <= s.cell_indices.size());
        for (int index : layer) FUZZ_CHECK(index >= 0 && index < vertices);
    }
}

void buildAndCheck(ModelState& state, CornerPointInput input, FuzzedDataProvider& in)
{
    const Snapshot before(state.document.grid);
    state.document.grid.input = input;
    const GridBuildReport report = buildGrid(state);
    const Snapshot after(state.document.grid);
    if (report.built()) {
        FUZZ_CHECK(state.document.grid.loaded);
        checkBuilt(state, input);
    } else {
        // A refused grid changes nothing of the model shown before, and names its reason.
        FUZZ_CHECK(after.sameLayout(before) && after.loaded == before.loaded &&
                   after.vertexLayers == before.vertexLayers);
        FUZZ_CHECK(!report.message.empty());
        FUZZ_CHECK(state.document.grid.input.actnum == input.actnum);
    }
    checkIndices(state, false);
    checkPartialViews(state, in);
    checkIndices(state, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    ModelState& state = fuzz::freshState();
    const bool twice = in.ConsumeBool();
    CornerPointInput first = makeGrid(in);
    buildAndCheck(state, std::move(first), in);
    if (twice) buildAndCheck(state, makeGrid(in), in);
    return 0;
}
