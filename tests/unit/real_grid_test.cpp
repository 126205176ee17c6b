// Grids as real exports write them, generated and read from files: turned, irregular, with inclined pillars,
// inactive cells, local coordinates placed by MAPAXES, feet. The layout comes from SPECGRID where the spacing rule
// cannot give it, while a grid the spacing rule lays out keeps exactly the arrays it always had.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <regex>

#include "commands/model_state.h"
#include "io/grid_reader.h"
#include "scene/grid_geometry.h"
#include "scene/view_fit.h"
#include "tests/support/generated_inputs.h"
#include "tests/support/grid_reading.h"
#include "tests/support/temp_folder.h"
#include "tools/generator/model_generator.h"

namespace morvane {
namespace {

struct Loaded {
    std::unique_ptr<ModelState> state = std::make_unique<ModelState>();
    GridReadResult read;
    GridBuildReport build;
};

Loaded load(const gen::GridOptions& o)
{
    testing::TempFolder folder;
    Loaded l;
    l.read = test::readGridInto(l.state->document.grid, gen::writeGrid(o, folder.path()).front().string());
    if (l.read.outcome == GridReadOutcome::Read) l.build = buildGrid(*l.state);
    return l;
}

gen::GridOptions rotatedGrid()
{
    gen::GridOptions o = gen::realExportGrid("ROT", 12, 9, 4);
    o.inclination = 0.05;
    return o;
}

// A corner's x and y on the line of pillar p at the corner's depth z, from COORD's top and bottom points.
glm::dvec2 onPillar(const CornerPointInput& g, std::size_t p, double z)
{
    const double* c = &g.pillars[6 * p];
    const double t = (z - c[2]) / (c[5] - c[2]);
    return {c[0] + t * (c[3] - c[0]), c[1] + t * (c[4] - c[1])};
}

TEST(RealGrid, TurnedIrregularGridIsLaidOutBySpecgridWithCornersOnThePillarLines)
{
    const gen::GridOptions o = rotatedGrid();
    const Loaded l = load(o);
    ASSERT_EQ(l.read.outcome, GridReadOutcome::Read) << l.read.message.en;
    ASSERT_TRUE(l.build.built()) << l.build.message;
    const ModelState& s = *l.state;

    // Every cell defined; the map origin in the millions reached through MAPAXES.
    EXPECT_TRUE(s.document.grid.layoutFromSpecgrid);
    EXPECT_EQ(s.document.grid.columns, o.nx);
    EXPECT_EQ(s.document.grid.rows, o.ny);
    EXPECT_EQ(s.document.grid.layers, o.nz);
    for (const auto& row : s.document.grid.regularCells) EXPECT_EQ(std::count(row.begin(), row.end(), 1), o.nx);
    EXPECT_TRUE(s.document.grid.input.mapAxesApplied);
    EXPECT_GT(s.document.grid.extent.xMin, 450.0f);
    EXPECT_GT(s.document.grid.extent.yMin, 6799.0f);

    // Active cells: the generator's ACTNUM, about 40 % of them off, counted in TOTAL_CELLS.
    const std::vector<std::uint8_t> active = gen::activeCells(o);
    EXPECT_EQ(s.document.grid.active, active);
    const auto on = std::count(active.begin(), active.end(), 1);
    EXPECT_NEAR(1.0 - double(on) / double(active.size()), 0.4, 0.04);
    EXPECT_EQ(s.document.grid.activeCellCount, on);

    // Each corner on its pillar's line at its own depth; the pillars lean, so the lines are not vertical.
    const std::size_t rows = o.ny, cols = o.nx, perSurface = 4 * rows * cols;
    double leaning = 0;
    for (std::size_t k = 0; k < s.document.grid.layerVertices.size(); ++k)
        for (std::size_t v = 0; v < 2 * perSurface; ++v) {
            const std::size_t cell = (v % perSurface) / 4, corner = v % 4;
            const std::size_t r = cell / cols, c = cell % cols;
            const std::size_t pillar = (r + corner / 2) * (cols + 1) + c + corner % 2;
            const float* vertex = &s.document.grid.layerVertices[k][6 * v];
            const glm::dvec2 expected = onPillar(s.document.grid.input, pillar, vertex[2]);
            ASSERT_NEAR(vertex[0], expected.x, 1e-3) << k << " " << v;
            ASSERT_NEAR(vertex[1], expected.y, 1e-3) << k << " " << v;
            leaning = std::max(leaning, std::abs(expected.x - s.document.grid.input.pillarXY[4 * pillar]));
        }
    EXPECT_GT(leaning, 0.005);  // more than 5 m off the pillar's top

    // The statistics give the median cell sizes, which irregular spacing keeps near the nominal 100 m.
    std::smatch m;
    ASSERT_TRUE(std::regex_match(l.build.modelStat_resol, m, std::regex("≈ ([0-9]+) x ([0-9]+)")))
        << l.build.modelStat_resol;
    for (int n : {1, 2}) {
        EXPECT_GE(std::stoi(m[n]), 60);
        EXPECT_LE(std::stoi(m[n]), 140);
    }
    EXPECT_EQ(std::lround(s.document.grid.medianCellSizeI), std::stoi(m[1]));
}

// A grid the spacing rule lays out as SPECGRID says gets exactly the arrays it gets without SPECGRID.
TEST(RealGrid, RegularGridWithSpecgridKeepsTheSpacingLayoutByteForByte)
{
    gen::GridOptions o;
    o.nx = 8;
    o.ny = 6;
    o.nz = 3;
    o.cellSize = 50;
    o.originX = 548000;
    o.originY = 6414000;
    o.domeHeight = 20;
    o.faultThrow = 10;
    const Loaded with = load(o);
    ASSERT_TRUE(with.build.built());
    ASSERT_EQ(with.state->document.grid.input.declaredSize, (std::array<int, 3>{8, 6, 3}));

    auto without = std::make_unique<ModelState>();
    testing::TempFolder folder;
    const GridReadResult read =
        test::readGridInto(without->document.grid, gen::writeGrid(o, folder.path()).front().string());
    ASSERT_EQ(read.outcome, GridReadOutcome::Read);
    without->document.grid.input.declaredSize = {};
    const GridBuildReport built = buildGrid(*without);
    ASSERT_TRUE(built.built());

    const ModelState &a = *with.state, &b = *without;
    EXPECT_FALSE(a.document.grid.layoutFromSpecgrid);
    EXPECT_EQ(a.document.grid.layerVertices, b.document.grid.layerVertices);
    EXPECT_EQ(a.document.grid.rowCellCounts, b.document.grid.rowCellCounts);
    EXPECT_EQ(a.document.grid.regularCells, b.document.grid.regularCells);
    EXPECT_EQ(a.document.grid.cellSize, 50);
    EXPECT_EQ(a.document.grid.activeCellCount, b.document.grid.activeCellCount);
    EXPECT_EQ(a.view.camera.position, b.view.camera.position);
    EXPECT_EQ(a.view.camera.scale, b.view.camera.scale);
    EXPECT_EQ(with.build.modelStat_resol, "50 x 50");
    EXPECT_EQ(with.build.trace, built.trace);
}

// Where the spacing rule refuses the cell size or finds other counts, SPECGRID's layout is used. The rule looks
// along the rows only, so a turned grid of regular 100 m cells keeps its spacing layout.
TEST(RealGrid, SpecgridDecidesWhereTheSpacingRuleCannot)
{
    const struct {
        double cellSize, irregular, rotation;
        bool fromSpecgrid;
    } cases[] = {{100, 0.3, 0, true}, {120, 0, 0, true}, {600, 0, 0, true}, {100, 0, 20, false}};
    for (const auto& c : cases) {
        gen::GridOptions o;
        o.nx = 6;
        o.ny = 4;
        o.nz = 2;
        o.cellSize = c.cellSize;
        o.irregular = c.irregular;
        o.rotation = c.rotation;
        const Loaded l = load(o);
        ASSERT_TRUE(l.build.built()) << c.cellSize;
        EXPECT_EQ(l.state->document.grid.layoutFromSpecgrid, c.fromSpecgrid) << c.cellSize << " " << c.irregular;
        EXPECT_EQ(l.state->document.grid.columns, 6);
        EXPECT_EQ(l.state->document.grid.rows, 4);
        EXPECT_EQ(l.state->document.grid.activeCellCount, 6 * 4 * 2);
    }
}

// ACTNUM: as many flags as cells; fewer make every cell active (with a note), more belong to another grid.
TEST(RealGrid, ActiveCellFlagsMustMatchTheCells)
{
    gen::GridOptions o;
    o.nx = 4;
    o.ny = 3;
    o.nz = 2;
    o.inactive = 0.3;
    Loaded l = load(o);
    ASSERT_TRUE(l.build.built());
    ASSERT_EQ(l.state->document.grid.active.size(), 24u);
    EXPECT_TRUE(l.state->document.grid.input.actnum.empty());  // moved into cell_active

    auto rebuild = [&](std::size_t flags) {
        auto s = std::make_unique<ModelState>();
        testing::TempFolder folder;
        test::readGridInto(s->document.grid, gen::writeGrid(o, folder.path()).front().string());
        s->document.grid.input.actnumFile = "/data/A.GRDECL";
        s->document.grid.input.actnumLine = 7;
        s->document.grid.input.actnum.resize(flags, 0);
        GridBuildReport report = buildGrid(*s);
        return std::make_pair(std::move(s), report);
    };
    // A short ACTNUM, or an ACTNUM keyword whose values were lost, is a damaged one: switching every cell on
    // would show cells the model leaves out, so the grid is refused like a long one.
    auto [shortState, shortReport] = rebuild(10);
    EXPECT_EQ(shortReport.outcome, GridBuildOutcome::LayoutRejected);
    EXPECT_EQ(shortReport.details,
              std::vector<std::string>{
                  "The ACTNUM section of /data/A.GRDECL (line 7) holds 10 values; the grid has 24 cells."});
    EXPECT_FALSE(shortState->document.grid.loaded);
    auto [emptyState, emptyReport] = rebuild(0);
    EXPECT_EQ(emptyReport.outcome, GridBuildOutcome::LayoutRejected);
    EXPECT_EQ(emptyReport.details,
              std::vector<std::string>{
                  "The ACTNUM section of /data/A.GRDECL (line 7) holds 0 values; the grid has 24 cells."});

    auto [longState, longReport] = rebuild(25);
    EXPECT_EQ(longReport.outcome, GridBuildOutcome::LayoutRejected);
    EXPECT_EQ(longReport.message, "Grid was not loaded.");
    EXPECT_EQ(longReport.details,
              std::vector<std::string>{
                  "The ACTNUM section of /data/A.GRDECL (line 7) holds 25 values; the grid has 24 cells."});
    EXPECT_FALSE(longState->document.grid.loaded);
}

// A thick grid in feet: the statistics say so, and the usual camera placement, which would cut the model off, is
// replaced by a view that frames it.
TEST(RealGrid, ThickGridInFeetIsFittedToTheView)
{
    gen::GridOptions o = testing::thickGridInFeet();
    const Loaded l = load(o);
    ASSERT_TRUE(l.build.built());
    EXPECT_EQ(l.build.modelStat_resol, "300 x 300 ft");
    EXPECT_TRUE(l.build.viewFitted);
    EXPECT_TRUE(boxInView(modelBox(l.state->document.grid), l.state->view));

    // A thin grid of the same size in metres keeps the usual placement.
    o.nz = 4;
    o.feet = false;
    o.layerThickness = 5;
    o.domeHeight = 0;
    const Loaded thin = load(o);
    ASSERT_TRUE(thin.build.built());
    EXPECT_FALSE(thin.build.viewFitted);
}

// Fit view frames the model from whatever direction it is seen: every corner inside, the tightest near the edge.
TEST(RealGrid, FittedBoxFillsTheViewFromAnyDirection)
{
    const ModelBox box{{450.0f, 6800.0f, -2.6f}, {456.0f, 6803.0f, -1.9f}};
    const glm::vec3 turns[] = {{-70, 0, 0}, {0, 0, 0}, {-30, 0, 45}, {-89, 0, 120}, {-10, 20, 200}};
    for (bool ortho : {false, true}) {
        for (const glm::vec3& turn : turns) {
            ViewState c;
            c.camera.rotation = turn;
            c.display.orthographicTopView = ortho;
            c.camera.scale = glm::vec3(1.0f, 1.0f, 5.0f);
            fitView(box, c);
            EXPECT_TRUE(boxInView(box, c)) << turn.x << " " << turn.z << " " << ortho;
            EXPECT_FALSE(boxInView(box, c, 0.85f)) << turn.x << " " << turn.z << " " << ortho;
            EXPECT_FLOAT_EQ(c.camera.scale.z, 5 * c.camera.scale.x);  // the exaggeration stays
        }
    }
}

}  // namespace
}  // namespace morvane
