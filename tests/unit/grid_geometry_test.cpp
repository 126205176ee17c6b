// The grid layout builder: cell size, rows, regular cells, counts, corner vertices, extents and camera, and the
// rejections that must leave a sound model state.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "scene/grid_geometry.h"
#include "scene/reference_plane.h"
#include "tests/support/scene_feedback_recorder.h"
#include "tests/support/scene_grid_fixture.h"

namespace morvane {
namespace {

using test::cornerDepths;
using test::gridFromPillars;
using test::latticeGrid;
using test::latticePillars;

constexpr std::size_t kFloats = 6;

// x, y, z of vertex v of layer k.
glm::vec3 vertexAt(const Grid& g, std::size_t k, std::size_t v)
{
    const float* p = &g.layerVertices.at(k).at(v * kFloats);
    return {p[0], p[1], p[2]};
}

struct Built {
    ModelState state;
    GridBuildReport report;
};

// Builds `input` into a fresh model state.
void build(Built& b, CornerPointInput input)
{
    b.state.document.grid.input = std::move(input);
    b.state.document.grid.name = "fixture";
    b.report = buildGrid(b.state);
}

bool hasTrace(const GridBuildReport& r, const std::string& line)
{
    return std::find(r.trace.begin(), r.trace.end(), line) != r.trace.end();
}

TEST(GridLayout, ThreeByTwoGridWithFiftyMetreCells)
{
    Built b;
    build(b, latticeGrid(3, 2, 2));
    const ModelState& s = b.state;

    ASSERT_TRUE(b.report.built());
    EXPECT_EQ(s.document.grid.cellSize, 50);
    EXPECT_EQ(s.document.grid.rowCellCounts, (std::vector<int>{3, 3, 3}));
    EXPECT_EQ(s.document.grid.rows, 2);
    EXPECT_EQ(s.document.grid.columns, 3);
    EXPECT_EQ(s.document.grid.layers, 2);
    EXPECT_EQ(s.document.grid.cellCount, 12);
    EXPECT_EQ(s.document.grid.surfaceVertices, 24);
    EXPECT_EQ(s.document.grid.definedRows, 2);
    EXPECT_EQ(s.document.grid.definedColumns, 3);
    EXPECT_EQ(s.document.grid.activeCellCount, 12);
    ASSERT_EQ(s.document.grid.regularCells.size(), 2u);
    EXPECT_EQ(s.document.grid.regularCells[0], (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(s.document.grid.regularCells[1], (std::vector<int>{1, 1, 1, 0}));  // later rows keep one trailing 0
    ASSERT_EQ(s.document.grid.layerVertices.size(), 2u);
    EXPECT_EQ(s.document.grid.layerVertices[0].size(), 2u * 24 * kFloats);

    EXPECT_TRUE(s.document.grid.loaded);

    EXPECT_EQ(b.report.message, "Grid is loaded successfully");
    EXPECT_EQ(b.report.colour, log_colour::Green);
    EXPECT_TRUE(b.report.clearDataTree);
    EXPECT_EQ(b.report.treeNode, "fixture");
    EXPECT_EQ(b.report.modelStat_cell_i, "2");
    EXPECT_EQ(b.report.modelStat_cell_j, "3");
    EXPECT_EQ(b.report.modelStat_cell_k, "2");
    EXPECT_EQ(b.report.modelStat_cell_ijk, "12");
    EXPECT_EQ(b.report.modelStat_resol, "50 x 50");
    EXPECT_TRUE(hasTrace(b.report, "grid_dimension final = 50"));
    EXPECT_TRUE(hasTrace(b.report, "points_in_layer = 24"));
    EXPECT_TRUE(hasTrace(b.report, "max_i = 22"));
    // The XY plane follows the new grid.
    EXPECT_FLOAT_EQ(static_cast<float>(s.x_lines[1]), 0.0f);
}

// Two cells in one row over one more pillar row; the first pair is 30 m apart, so the cell size is found at the second
// pair, and the first cell is undefined. Every trace line of the build, in order.
TEST(GridLayout, TraceLinesOfABuildInOrder)
{
    const std::vector<test::PillarMetres> pillars{{0, 0}, {30, 0}, {80, 0}, {0, 50}, {50, 50}, {100, 50}};
    Built b;
    build(b, gridFromPillars(pillars, cornerDepths(2, 1, 1)));
    ASSERT_TRUE(b.report.built());
    EXPECT_EQ(b.report.trace,
              (std::vector<std::string>{"max_i = 10", "grid_dimension = 30", "grid_dimension = 50",
                                        "grid_dimension final = 50", "passed 1.3", "passed 1.5", "passed 2",
                                        "IJ.size 2", "ZCORN.size() 16", "ZCORN_I 1", "ZCORN_J 2", "gridLines = 0",
                                        "points_in_layer = 8", "we loaded", "0.05", "0.025"}));
    EXPECT_EQ(b.state.document.grid.regularCells, (std::vector<std::vector<int>>{{0, 1}}));
    EXPECT_EQ(b.state.document.grid.activeCellCount, 1);
    EXPECT_EQ(b.report.modelStat_cell_ijk, "1");
}

TEST(GridLayout, CornerVerticesFollowTheCornerPointOrder)
{
    // Depth n + 1 metres for ZCORN entry n, so every z names the entry it came from.
    std::vector<double> depths(96);
    for (std::size_t n = 0; n < depths.size(); ++n) depths[n] = double(n + 1);
    Built b;
    build(b, gridFromPillars(latticePillars(3, 2, 50, 50), depths));
    ASSERT_TRUE(b.report.built());
    const auto z = [](int entry) { return -(entry + 1) / 1000.0f; };

    // Layer 0, top surface, cell (0, 0), corner 0: pillar 0, entry 0.
    EXPECT_EQ(vertexAt(b.state.document.grid, 0, 0), glm::vec3(0, 0, z(0)));
    // Layer 0, top, cell (1, 0), corner 2 (far left): pillar (2, 0), entry 4W + 2W = 18; vertex (1 * 3 + 0) * 4 + 2.
    EXPECT_EQ(vertexAt(b.state.document.grid, 0, 14), glm::vec3(0, 0.1f, z(18)));
    // Layer 0, top, cell (0, 1), corner 1 (near right): pillar (0, 2), entry 3.
    EXPECT_EQ(vertexAt(b.state.document.grid, 0, 5), glm::vec3(0.1f, 0, z(3)));
    // Layer 1, bottom, cell (1, 2), corner 3: pillar (2, 3), the last entry; the last vertex of the layer.
    EXPECT_EQ(vertexAt(b.state.document.grid, 1, 47), glm::vec3(0.15f, 0.1f, z(95)));
    // Layer 1, top surface starts at entry 48.
    EXPECT_EQ(vertexAt(b.state.document.grid, 1, 0).z, z(48));
    // Every vertex carries the grid-line colour.
    const auto& layer = b.state.document.grid.layerVertices[1];
    for (std::size_t v = 0; v < layer.size(); v += kFloats) {
        ASSERT_EQ(layer[v + 3], 1.0f);
        ASSERT_EQ(layer[v + 5], 1.0f);
    }
}

TEST(GridLayout, FaultBetweenRowsKeepsEachCellsOwnDepths)
{
    // The far edge of row 0 lies at the layer depth, the near edge of row 1 five metres deeper.
    const auto faulted = [](int k, int t, int r, int edge, int, int) {
        return 1000.0 + 10 * (k + t) + ((r == 1 && edge == 0) ? 5 : 0);
    };
    Built b;
    build(b, gridFromPillars(latticePillars(3, 2, 50, 50), cornerDepths(3, 2, 1, faulted)));
    ASSERT_TRUE(b.report.built());
    for (int c = 0; c < 3; ++c) {
        const glm::vec3 farOfRow0 = vertexAt(b.state.document.grid, 0, (0 * 3 + c) * 4 + 2);
        const glm::vec3 nearOfRow1 = vertexAt(b.state.document.grid, 0, (1 * 3 + c) * 4 + 0);
        EXPECT_EQ(glm::vec2(farOfRow0), glm::vec2(nearOfRow1)) << "same pillar";
        EXPECT_FLOAT_EQ(farOfRow0.z, -1.0f);
        EXPECT_FLOAT_EQ(nearOfRow1.z, -1.005f);
    }
}

TEST(GridLayout, CellSizeRounding)
{
    EXPECT_EQ(roundedPillarSpacing(0, 0, 24.1 / 1000, 0), 25);
    EXPECT_EQ(roundedPillarSpacing(0, 0, 24.09 / 1000, 0), 24);
    EXPECT_EQ(roundedPillarSpacing(0, 0, 0.03, 0.04), 50);  // a diagonal 3-4-5 pair
    EXPECT_EQ(roundedPillarSpacing(-7.97573, -1.2, -7.92573, -1.2), 50);
    EXPECT_EQ(roundedPillarSpacing(0, 0, NAN, 0), -1);

    Built fine;
    build(fine, latticeGrid(2, 2, 1, 24.1, 24.1));
    ASSERT_TRUE(fine.report.built());
    EXPECT_EQ(fine.state.document.grid.cellSize, 25);
    EXPECT_EQ(fine.state.document.grid.activeCellCount, 4);

    // Laid out by SPECGRID, the size is the median edge, kept within an int however wide the cells.
    for (const double edge : {0.4, 3e9, 1e30}) {
        CornerPointInput wide = latticeGrid(2, 2, 1, edge, edge);
        wide.declaredSize = {2, 2, 1};
        Built b;
        build(b, wide);
        ASSERT_TRUE(b.report.built()) << edge;
        EXPECT_EQ(b.state.document.grid.cellSize, edge < 1 ? 1 : INT_MAX) << edge;
    }
}

// A rejected cell size leaves the model of the earlier grid exactly as it was.
TEST(GridLayout, RejectedCellSizesChangeNothing)
{
    for (double spacing : {24.09, 600.0, 525.0, 0.0}) {
        Built b;
        build(b, latticeGrid(3, 2, 1));
        ASSERT_TRUE(b.report.built());
        const Grid before = b.state.document.grid;
        const glm::vec3 position = b.state.view.camera.position;
        b.state.document.properties.add(makeContinuousProperty("PORO", PropertyKind::Porosity, {1.0}));

        build(b, latticeGrid(3, 2, 1, spacing, spacing));
        EXPECT_EQ(b.report.outcome, GridBuildOutcome::CellSizeRejected) << spacing;
        EXPECT_EQ(b.report.message, "Ошибка: размерность грида не кратна 25 метрам или больше максимальной.");
        EXPECT_EQ(b.report.colour, log_colour::Red);
        EXPECT_FALSE(b.report.clearDataTree);
        EXPECT_EQ(b.state.document.grid.cellSize, 50) << spacing;
        EXPECT_EQ(b.state.document.grid.rowCellCounts, before.rowCellCounts);
        EXPECT_EQ(b.state.document.grid.layerVertices, before.layerVertices);
        EXPECT_EQ(b.state.view.camera.position, position);
        EXPECT_TRUE(b.state.document.grid.loaded);
        EXPECT_EQ(b.state.document.properties.items.size(), 1u);
    }
    // The log line says the size found and the limits, in the interface language.
    Built b;
    build(b, latticeGrid(3, 2, 1, 600, 600));
    EXPECT_EQ(gridBuildLogLine(b.report, "en"),
              "Error: the grid's cell size is not a multiple of 25 metres or is larger than the maximum. Cell size "
              "found: 600 m; it must be a multiple of 25 m, at most 500 m.");
    EXPECT_EQ(gridBuildLogLine(b.report, "ru"),
              "Ошибка: размерность грида не кратна 25 метрам или больше максимальной. Найден размер ячейки 600 м; он "
              "должен быть кратен 25 м и не больше 500 м.");
    Built largest;
    build(largest, latticeGrid(2, 1, 1, 500, 500));
    EXPECT_TRUE(largest.report.built());
}

TEST(GridLayout, FirstPairAtOnePlaceIsNoCellSize)
{
    auto pillars = latticePillars(3, 2, 50, 50);
    pillars[1] = pillars[0];
    Built b;
    build(b, gridFromPillars(pillars, cornerDepths(3, 2, 1)));
    EXPECT_EQ(b.report.outcome, GridBuildOutcome::CellSizeRejected);
    EXPECT_FALSE(b.state.document.grid.loaded);
}

TEST(GridLayout, CloserPairsMakeCellsUndefinedOnNearAndFarEdges)
{
    // Three pillar rows of four pillars. Row 0's last pair is 30 m apart (cell (0, 2) has a short near edge);
    // row 2's first pillar stands 20 m in, so its first pair is 30 m apart too (cell (1, 0) has a short far edge,
    // its near edge being regular).
    auto pillars = latticePillars(3, 2, 50, 50);
    pillars[3].x = 130;
    pillars[8].x = 20;
    Built b;
    build(b, gridFromPillars(pillars, cornerDepths(3, 2, 1)));
    ASSERT_TRUE(b.report.built());
    const auto& flags = b.state.document.grid.regularCells;
    EXPECT_EQ(std::vector<int>(flags[0].begin(), flags[0].begin() + 3), (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(std::vector<int>(flags[1].begin(), flags[1].begin() + 3), (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(b.state.document.grid.activeCellCount, 4);
    EXPECT_EQ(b.report.modelStat_cell_ijk, "4");
    // Undefined cells still get their vertices.
    EXPECT_FLOAT_EQ(vertexAt(b.state.document.grid, 0, (0 * 3 + 2) * 4 + 1).x, 0.13f);
}

// Depths that do not make whole layers (two surfaces each) are refused, naming the section, the file and the counts;
// the grid shown before stays whole. A cut exactly at a surface boundary leaves an odd surface count.
TEST(GridLayout, CornerDepthCountMustMakeWholeLayers)
{
    const struct {
        std::size_t count;
        const char* expected;
    } cases[] = {{72, "48 or 96"}, {47, "48"}, {24, "48"}, {0, "48"}, {100, "96 or 144"}};
    for (const auto& c : cases) {
        Built b;
        build(b, latticeGrid(2, 2, 3));
        ASSERT_TRUE(b.report.built());
        b.state.document.properties.add(makeContinuousProperty("PORO", PropertyKind::Porosity, {1.0}));
        const std::vector<Vertices> before = b.state.document.grid.layerVertices;
        auto input = gridFromPillars(latticePillars(3, 2, 50, 50), cornerDepths(3, 2, 2));
        input.cornerDepths.resize(c.count);
        input.zcornFile = "/data/CUT.GRDECL";
        build(b, input);
        EXPECT_EQ(b.report.outcome, GridBuildOutcome::LayoutRejected) << c.count;
        EXPECT_EQ(b.report.message, "Grid was not loaded. There are some problems with ZCORN array.");
        ASSERT_EQ(b.report.details.size(), 1u);
        EXPECT_EQ(b.report.details[0], "The ZCORN section of /data/CUT.GRDECL holds " + std::to_string(c.count) +
                                           " values; 2 rows of 3 cells take 48 per layer (two surfaces of 24), so " +
                                           c.expected + " were expected.");
        EXPECT_FALSE(b.report.clearDataTree);
        // Nothing of the earlier grid changed.
        EXPECT_TRUE(b.state.document.grid.loaded);
        EXPECT_EQ(b.state.document.properties.items.size(), 1u);
        EXPECT_EQ(b.state.document.grid.layerVertices, before);
        EXPECT_EQ(gridBuildLogLine(b.report, "ru"), "Грид не загружен. Массив ZCORN не соответствует сетке COORD.");
        EXPECT_EQ(b.state.document.grid.rowCellCounts, (std::vector<int>{2, 2, 2}));
        EXPECT_EQ(b.state.document.grid.cellCount, 12);
    }
}

// Inputs whose layout the depth count alone would accept, or that are too short to hold a layout: rejected
// without reading past any array.
TEST(GridLayout, MalformedPillarLayoutsAreRejected)
{
    // Pillar rows of four and three pillars: cells per row 3 and 2; 16 depths fit 1 row x 2 cells x 2 surfaces.
    auto pillars = latticePillars(3, 1, 50, 50);
    pillars.pop_back();
    Built ragged;
    build(ragged, gridFromPillars(pillars, std::vector<double>(16, 1000.0)));
    EXPECT_EQ(ragged.report.outcome, GridBuildOutcome::LayoutRejected);

    // One pillar row only: no cell rows.
    Built single;
    build(single, gridFromPillars(latticePillars(3, 0, 50, 50), std::vector<double>(24, 1000.0)));
    EXPECT_EQ(single.report.outcome, GridBuildOutcome::LayoutRejected);

    // Two consecutive jumps leave a row without cells.
    std::vector<test::PillarMetres> gap{{0, 0}, {50, 0}, {0, 100}, {0, 200}, {50, 200}};
    Built empty;
    build(empty, gridFromPillars(gap, std::vector<double>(8, 1000.0)));
    EXPECT_EQ(empty.report.outcome, GridBuildOutcome::LayoutRejected);

    // No pillars, and COORD lists cut in the middle of a pillar: no crash, no grid.
    for (std::size_t cut : {0u, 7u, 13u}) {
        Built b;
        auto input = latticeGrid(1, 1, 1);
        input.pillars.resize(cut);
        build(b, input);
        EXPECT_FALSE(b.report.built()) << cut;
        EXPECT_FALSE(b.state.document.grid.loaded);
    }

    // grid_lines_xy shorter than COORD: only pillars present in both count.
    Built shortXY;
    auto input = latticeGrid(3, 2, 1);
    input.pillarXY.resize(input.pillarXY.size() - 4);
    build(shortXY, input);
    EXPECT_EQ(shortXY.report.outcome, GridBuildOutcome::LayoutRejected);
}

TEST(GridLayout, NegativeCoordinatesAndRowsRunningSouth)
{
    // A real export's local coordinates: x from -7975.73 m, rows running towards -y.
    Built b;
    build(b, latticeGrid(4, 3, 2, 50, -50, -7975.73, -1200));
    ASSERT_TRUE(b.report.built());
    const ModelState& s = b.state;
    EXPECT_EQ(s.document.grid.cellSize, 50);
    EXPECT_EQ(s.document.grid.activeCellCount, 24);
    EXPECT_FLOAT_EQ(s.document.grid.extent.xMin, -7.97573f);
    EXPECT_FLOAT_EQ(s.document.grid.extent.xMax, -7.77573f);
    EXPECT_FLOAT_EQ(s.document.grid.extent.yMin, -1.35f);
    EXPECT_FLOAT_EQ(s.document.grid.extent.yMax, -1.2f);
    EXPECT_FLOAT_EQ(s.document.grid.extent.zMax, -1.0f);
    EXPECT_FLOAT_EQ(s.document.grid.extent.zMin, -1.02f);
    EXPECT_FLOAT_EQ(s.document.grid.extent.centreZ, -1.01f);
    EXPECT_NEAR(s.document.grid.extent.depthRange, 0.02f, 1e-6f);
    EXPECT_FLOAT_EQ(s.view.camera.position.x, 7.87573f);
    EXPECT_FLOAT_EQ(s.view.camera.position.y, 1.275f);
    EXPECT_FLOAT_EQ(s.view.camera.position.z, 1.01f);
    const float expected = static_cast<float>(1.8475 * std::pow(0.2, -0.719));
    EXPECT_NEAR(s.view.camera.scale.x, expected, 1e-5f);
    EXPECT_NEAR(s.view.camera.scale.z, 5 * expected, 5e-5f);
}

TEST(GridLayout, CameraScaleFollowsTheLargerExtent)
{
    Built oneKm;
    build(oneKm, latticeGrid(20, 4, 1, 50, 50));  // 1000 m by 200 m
    ASSERT_TRUE(oneKm.report.built());
    EXPECT_NEAR(oneKm.state.view.camera.scale.x, 1.8475f, 1e-5f);
    EXPECT_NEAR(oneKm.state.view.camera.scale.z, oneKm.state.view.camera.verticalScale * 1.8475f, 1e-4f);

    // 10 km by 1 km seen from above, which that placement keeps in view.
    Built tenKm;
    tenKm.state.view.camera.rotation = glm::vec3(0.0f);
    build(tenKm, latticeGrid(20, 2, 1, 500, 500));
    ASSERT_TRUE(tenKm.report.built());
    EXPECT_FALSE(tenKm.report.viewFitted);
    EXPECT_NEAR(tenKm.state.view.camera.scale.x, 0.353f, 5e-4f);
}

TEST(GridLayout, CellCountsAreGroupedByThousands)
{
    EXPECT_EQ(groupDigits(0), "0");
    EXPECT_EQ(groupDigits(999), "999");
    EXPECT_EQ(groupDigits(1000), "1 000");
    EXPECT_EQ(groupDigits(123456), "123 456");
    EXPECT_EQ(groupDigits(1234567), "1 234 567");

    Built b;
    build(b, latticeGrid(10, 10, 10, 50, 50));
    EXPECT_EQ(b.report.modelStat_cell_ijk, "1 000");
}

TEST(GridLayout, ReportReachesTheUserTraceFirstThenTheLogLine)
{
    Built b;
    build(b, latticeGrid(1, 1, 1));
    test::FeedbackRecorder feedback;
    deliverGridReport(b.report, feedback);
    ASSERT_EQ(feedback.log.size(), 2u);
    EXPECT_EQ(feedback.log[0].text, "No ACTNUM: every cell is active (fixture: 1 cell).");
    EXPECT_EQ(feedback.log[1].text, "Grid is loaded successfully");
    EXPECT_EQ(feedback.log[1].colour, log_colour::Green);
    EXPECT_EQ(feedback.traces, b.report.trace);
    EXPECT_EQ(feedback.traces.front(), "max_i = 6");
}

}  // namespace
}  // namespace morvane
