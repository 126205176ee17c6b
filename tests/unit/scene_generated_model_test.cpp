// The scene builders on a generated model with a dome, a fault and negative local coordinates: layout, faulted
// corners, index counts and colouring agree with the generator's own numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>

#include "commands/model_state.h"
#include "io/grid_reader.h"
#include "scene/grid_geometry.h"
#include "scene/grid_indices.h"
#include "scene/grid_shell.h"
#include "scene/layer_halves.h"
#include "scene/property_colouring.h"
#include "tests/support/grid_reading.h"
#include "tools/generator/model_generator.h"

namespace morvane {
namespace {

gen::GridOptions modelOptions()
{
    gen::GridOptions o;
    o.nx = 40;
    o.ny = 30;
    o.nz = 5;
    o.cellSize = 50;
    o.originX = -7975.73;
    o.originY = -1200;
    o.domeHeight = 30;
    o.faultThrow = 20;
    return o;
}

// The generator's numbers in model units, as the grid reader stores them.
CornerPointInput inputOf(const gen::GridOptions& o)
{
    CornerPointInput input;
    input.pillars = gen::pillarCoords(o);
    for (std::size_t n = 0; n < input.pillars.size(); ++n) {
        double& v = input.pillars[n];
        v = (n % 3 == 2) ? -v / 1000 : v / 1000;
    }
    for (std::size_t p = 0; p + 5 < input.pillars.size(); p += 6) {
        const double* c = &input.pillars[p];
        input.pillarXY.insert(input.pillarXY.end(), {c[0], c[1], c[3], c[4]});
    }
    for (double d : gen::cornerDepths(o)) input.cornerDepths.push_back(-d / 1000);
    return input;
}

TEST(GeneratedModel, LayoutFaultIndicesAndColours)
{
    const gen::GridOptions o = modelOptions();
    ModelState s;
    s.document.grid.input = inputOf(o);
    s.document.grid.name = o.name;
    const GridBuildReport report = buildGrid(s);
    ASSERT_TRUE(report.built()) << report.message;
    EXPECT_EQ(s.document.grid.cellSize, 50);
    EXPECT_EQ(s.document.grid.rows, o.ny);
    EXPECT_EQ(s.document.grid.columns, o.nx);
    EXPECT_EQ(s.document.grid.layers, o.nz);
    EXPECT_EQ(s.document.grid.activeCellCount, o.nx * o.ny * o.nz);
    EXPECT_EQ(report.modelStat_cell_ijk, "6 000");
    EXPECT_FLOAT_EQ(s.document.grid.extent.xMin, -7.97573f);
    EXPECT_FLOAT_EQ(s.document.grid.extent.xMax, -5.97573f);
    const auto [lo, hi] =
        std::minmax_element(s.document.grid.input.cornerDepths.begin(), s.document.grid.input.cornerDepths.end());
    EXPECT_EQ(s.document.grid.extent.zMin, static_cast<float>(*lo));
    EXPECT_EQ(s.document.grid.extent.zMax, static_cast<float>(*hi));

    // Across the fault (between cells 19 and 20 of a row) the shared pillar carries two depths 20 m apart.
    const std::size_t row = 7, west = row * 40 + 19, east = west + 1;
    const float* layer = s.document.grid.layerVertices[2].data();
    const float* westRight = layer + (west * 4 + 1) * 6;
    const float* eastLeft = layer + (east * 4 + 0) * 6;
    EXPECT_FLOAT_EQ(westRight[0], eastLeft[0]);
    EXPECT_NEAR(westRight[2] - eastLeft[2], 0.020f, 1e-5f);

    ASSERT_TRUE(buildGridIndices(s.document.grid, s, s));
    EXPECT_EQ(s.grid_indices.size(), 1200u * 24);
    EXPECT_EQ(s.cell_indices.size(), 1200u * 30);
    // Inside the model the shell keeps only the fault's walls, where the neighbours' corners part: in layer 2 the
    // two cells facing each other across the fault have faces, a cell away from fault and frame has none.
    const std::set<int> layer2(s.cell_indices_edge.begin() + long(s.cell_indices_edge_layer[2]),
                               s.cell_indices_edge.begin() + long(s.cell_indices_edge_layer[3]));
    EXPECT_EQ(layer2.count(int(west * 4 + 1)), 1u);
    EXPECT_EQ(layer2.count(int(east * 4)), 1u);
    EXPECT_EQ(layer2.count(int((row * 40 + 10) * 4)), 0u);
    EXPECT_EQ(s.cell_indices.front(), 0);
    EXPECT_EQ(s.cell_indices[1], 1);  // rows along +y: counter-clockwise top faces

    std::vector<double> values(std::size_t(s.document.grid.cellCount), 0.0);
    for (std::size_t n = 0; n < values.size(); ++n) values[n] = double(n % 2);
    s.document.properties.add(makeContinuousProperty("PERM", PropertyKind::Permeability, values));
    ASSERT_TRUE(colourCells(s.document.grid, s.document.properties, &s.document.properties.items[0], {}, s.cells_k));
    ASSERT_EQ(s.cells_k.size(), 5u);
    const float* cells = s.cells_k[4].data();
    EXPECT_EQ(cells[2], 1.0f);  // cell 0: value 0, blue
    EXPECT_EQ(cells[3], 1.0f);  // cell 1: value 1, red
    EXPECT_EQ(s.cells_k[4].size() * 16, s.document.grid.layerVertices[4].size());
}

// The file as the reader takes it: the layout built from what the reader leaves matches the generator's numbers.
TEST(GeneratedModel, ReadThenBuiltFromTheFileText)
{
    gen::GridOptions o = modelOptions();
    o.repeats = true;
    ModelState s;
    ASSERT_EQ(test::readGridTextInto(s.document.grid, "MODEL.GRDECL", gen::gridText(o)).outcome, GridReadOutcome::Read);
    s.document.grid.name = "MODEL";
    const GridBuildReport report = buildGrid(s);
    ASSERT_TRUE(report.built()) << report.message;
    EXPECT_EQ(report.treeNode, "MODEL");
    EXPECT_EQ(s.document.grid.rows, o.ny);
    EXPECT_EQ(s.document.grid.columns, o.nx);
    EXPECT_EQ(s.document.grid.layers, o.nz);
    EXPECT_EQ(s.document.grid.activeCellCount, o.nx * o.ny * o.nz);

    const CornerPointInput expected = inputOf(o);
    EXPECT_FLOAT_EQ(s.document.grid.extent.xMin, -7.97573f);
    EXPECT_FLOAT_EQ(s.document.grid.extent.yMin, -1.2f);
    ASSERT_EQ(s.document.grid.input.cornerDepths.size(), expected.cornerDepths.size());
    ModelState fromNumbers;
    fromNumbers.document.grid.input = expected;
    ASSERT_TRUE(buildGrid(fromNumbers).built());
    EXPECT_EQ(s.document.grid.layerVertices, fromNumbers.document.grid.layerVertices);
}

// Large grids build their vertex arrays, shell, layer blocks and colours with the later layers on a second thread;
// what comes out must be what one thread builds, on the regular layout and on a turned, irregular SPECGRID one with
// inactive cells. The threshold is moved so that small grids take either way.
TEST(GeneratedModel, BothCoresBuildWhatOneBuilds)
{
    struct Built {
        ModelState s;
        ShellLists block, seeThrough;
    };
    const auto build = [](const std::string& text, std::size_t cellsForTwo) {
        const std::size_t usual = cellsForSecondCore.exchange(cellsForTwo);
        auto b = std::make_unique<Built>();
        ModelState& s = b->s;
        EXPECT_EQ(test::readGridTextInto(s.document.grid, "MODEL.GRDECL", text).outcome, GridReadOutcome::Read);
        EXPECT_TRUE(buildGrid(s).built());
        EXPECT_TRUE(buildGridIndices(s.document.grid, s, s));
        b->block = buildLayerBlockShell(s.document.grid, s.cell_drawn, true, 2, 6, false);
        b->seeThrough = buildLayerBlockShell(s.document.grid, s.cell_drawn, true, 3, 8, true);
        std::vector<double> values(std::size_t(s.document.grid.cellCount));
        for (std::size_t n = 0; n < values.size(); ++n) values[n] = double(n % 7);
        s.document.properties.add(makeContinuousProperty("PERM", PropertyKind::Permeability, values));
        EXPECT_TRUE(
            colourCells(s.document.grid, s.document.properties, &s.document.properties.items[0], {}, s.cells_k));
        cellsForSecondCore = usual;
        return b;
    };
    const auto sameShell = [](const ShellLists& a, const ShellLists& b) {
        return a.faces == b.faces && a.lines == b.lines && a.faceStart == b.faceStart && a.lineStart == b.lineStart &&
               a.faceRuns == b.faceRuns && a.lineRuns == b.lineRuns && a.sidePlanes == b.sidePlanes;
    };
    gen::GridOptions regular = modelOptions();
    regular.nz = 11;
    gen::GridOptions turned = gen::realExportGrid("ROT", 23, 17, 10);
    turned.inactive = 0.3;
    for (const gen::GridOptions& o : {regular, turned}) {
        const std::string text = gen::gridText(o);
        const auto one = build(text, SIZE_MAX);
        const auto two = build(text, 0);
        EXPECT_EQ(one->s.document.grid.layerVertices, two->s.document.grid.layerVertices) << o.name;
        EXPECT_EQ(one->s.cell_indices_edge, two->s.cell_indices_edge) << o.name;
        EXPECT_EQ(one->s.grid_indices_edge, two->s.grid_indices_edge) << o.name;
        EXPECT_EQ(one->s.cell_indices_edge_layer, two->s.cell_indices_edge_layer) << o.name;
        EXPECT_EQ(one->s.grid_indices_edge_layer, two->s.grid_indices_edge_layer) << o.name;
        EXPECT_EQ(one->s.shell_face_runs, two->s.shell_face_runs) << o.name;
        EXPECT_EQ(one->s.shell_line_runs, two->s.shell_line_runs) << o.name;
        EXPECT_EQ(one->s.shell_side_planes, two->s.shell_side_planes) << o.name;
        EXPECT_TRUE(sameShell(one->block, two->block)) << o.name;
        EXPECT_TRUE(sameShell(one->seeThrough, two->seeThrough)) << o.name;
        EXPECT_EQ(one->s.cells_k, two->s.cells_k) << o.name;
        EXPECT_FALSE(one->s.cell_indices_edge.empty());
        EXPECT_FALSE(one->block.faces.empty());
    }
}

}  // namespace
}  // namespace morvane
