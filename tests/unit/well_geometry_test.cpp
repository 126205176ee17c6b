// Well geometry: the vertical bounds from the grid, the split into shown and hidden parts with their runs, the
// per-well lists, recolouring, label sizes, and the corner index against a walk over every corner.
#include "scene/well_geometry.h"

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "scene/grid_geometry.h"
#include "tests/support/scene_grid_fixture.h"

namespace morvane {
namespace {

using Points = std::vector<std::vector<float>>;

// A vertical well at (x, y) with survey points at the given elevations (file units).
Points verticalWell(const std::vector<float>& z, float x = 25, float y = 25)
{
    Points p;
    for (std::size_t i = 0; i < z.size(); ++i) p.push_back({static_cast<float>(i) * 10, x, y, z[i]});
    return p;
}

// Elevations of a part's vertices, back in file units.
std::vector<float> elevations(const Vertices& part)
{
    std::vector<float> z;
    for (std::size_t v = 2; v < part.size(); v += 6) z.push_back(std::round(part[v] * 1000 * 10) / 10);
    return z;
}

// Built by the geometry builder from pillars and corner depths in metres, like a grid that was read.
struct BuiltGrid {
    explicit BuiltGrid(CornerPointInput input)  // the builder takes the input's ACTNUM over
    {
        const GridBuildReport r = buildGridGeometry(input, "fixture", geometry);
        EXPECT_TRUE(r.built()) << r.message;
    }
    Grid geometry;
};

// One cell of 50 m with its top at 1000 m and its bottom at 1100 m: bounds -990 .. -1110 with the margin.
const CornerPointInput& oneCell()
{
    static const CornerPointInput input = test::gridFromPillars(
        test::latticePillars(1, 1, 50, 50),
        test::cornerDepths(1, 1, 1, [](int, int t, int, int, int, int) { return 1000.0 + 100 * t; }));
    return input;
}

TEST(WellGeometry, BoundsWithoutAGridAndWithTheMargin)
{
    const Points well = verticalWell({60000, 0, -60000});
    Grid none;
    const WellBounds free = wellVerticalBounds(well, none, nullptr);
    EXPECT_EQ(free.upper, 50000.0f);
    EXPECT_EQ(free.lower, -50000.0f);  // no margin without a grid
    const WellParts parts = splitWell(well, free, {0, 0, 0});
    EXPECT_EQ(elevations(parts.shown), (std::vector<float>{0, -60000}));

    BuiltGrid grid(oneCell());
    const ModelSurfaceCorners corners(grid.geometry);
    const WellBounds b = wellVerticalBounds(verticalWell({0, -1050, -2000}), grid.geometry, &corners);
    EXPECT_FLOAT_EQ(b.upper, -990.0f);
    EXPECT_FLOAT_EQ(b.lower, -1110.0f);
}

TEST(WellGeometry, SplitsCrossingFromAboveEntirelyAboveAndFirstPointInside)
{
    const WellBounds b{-990, -1110};
    // Crossing from above: the hidden part holds the points above, the first inside point, the points below; it is
    // drawn as two runs, so no chord joins the first inside point to the first point below.
    const WellParts crossing = splitWell(verticalWell({0, -500, -1000, -1050, -1100, -1200, -1300}), b, {0, 0, 0});
    EXPECT_EQ(elevations(crossing.hidden), (std::vector<float>{0, -500, -1000, -1200, -1300}));
    EXPECT_EQ(crossing.hiddenRuns, (std::vector<int>{0, 3}));
    EXPECT_EQ(elevations(crossing.shown), (std::vector<float>{-1000, -1050, -1100, -1200}));
    EXPECT_EQ(crossing.shownRuns, (std::vector<int>{0}));

    // Entirely above: everything hidden, the shown part two invisible vertices at the origin, no length.
    const WellParts above = splitWell(verticalWell({100, 0, -500}, 7000, 9000), b, {0.2f, 0.4f, 0.6f});
    EXPECT_EQ(elevations(above.hidden), (std::vector<float>{100, 0, -500}));
    EXPECT_EQ(above.shown, (Vertices{0, 0, 0, 0.2f, 0.4f, 0.6f, 0, 0, 0, 0.2f, 0.4f, 0.6f}));
    EXPECT_EQ(above.projLength, 0.0f);

    // First point inside: the hidden part begins with that point; bounds are inclusive.
    const WellParts inside = splitWell(verticalWell({-990, -1110, -1200}), b, {0, 0, 0});
    EXPECT_EQ(elevations(inside.hidden), (std::vector<float>{-990, -1200}));
    EXPECT_EQ(inside.hiddenRuns, (std::vector<int>{0, 1}));
    EXPECT_EQ(elevations(inside.shown), (std::vector<float>{-990, -1110, -1200}));
}

TEST(WellGeometry, LeavingAndReenteringGivesSeparateRuns)
{
    // In, out (below), back in, out again: each part restarts where the other one ran in between.
    const WellParts p =
        splitWell(verticalWell({0, -1000, -1050, -1200, -1250, -1100, -1050, -1300}), {-990, -1110}, {0, 0, 0});
    EXPECT_EQ(elevations(p.shown), (std::vector<float>{-1000, -1050, -1200, -1100, -1050, -1300}));
    EXPECT_EQ(p.shownRuns, (std::vector<int>{0, 3}));
    EXPECT_EQ(elevations(p.hidden), (std::vector<float>{0, -1000, -1200, -1250, -1100, -1300}));
    EXPECT_EQ(p.hiddenRuns, (std::vector<int>{0, 2, 5}));
}

TEST(WellGeometry, BoundsFollowTheModelAtTheLastPointInside)
{
    // Two cells along x; the top deepens from 1000 m at x = 0 to 1100 m at x = 100, the bottom lies 100 m lower.
    BuiltGrid grid(test::gridFromPillars(test::latticePillars(2, 1, 50, 50),
                                         test::cornerDepths(2, 1, 1, [](int, int t, int, int, int c, int corner) {
                                             return 1000.0 + 50 * (c + corner) + 100 * t;
                                         })));
    const ModelSurfaceCorners corners(grid.geometry);
    // Each point between the bounds set so far moves them to the corners nearest to it; the last one wins.
    const Points well{
        {0, 0, 25, 0}, {10, 10, 25, -1005}, {20, 60, 25, -1060}, {30, 100, 25, -1120}, {40, 100, 25, -1300}};
    const WellBounds b = wellVerticalBounds(well, grid.geometry, &corners);
    EXPECT_FLOAT_EQ(b.upper, -1090.0f);
    EXPECT_FLOAT_EQ(b.lower, -1210.0f);
}

// Over a column whose top and bottom layers are inactive the model is the middle layer only: 1010 m to 1020 m.
TEST(WellGeometry, BoundsFollowTheActiveCellsOfTheColumn)
{
    CornerPointInput input = test::gridFromPillars(test::latticePillars(2, 1, 50, 50), test::cornerDepths(2, 1, 3));
    input.actnum = {0, 1, 1, 1, 0, 1};
    BuiltGrid grid(input);
    const ModelSurfaceCorners corners(grid.geometry);
    const WellBounds b = wellVerticalBounds(verticalWell({0, -1015, -2000}), grid.geometry, &corners);
    EXPECT_FLOAT_EQ(b.upper, -1000.0f);
    EXPECT_FLOAT_EQ(b.lower, -1030.0f);
    EXPECT_TRUE(corners.describes(grid.geometry));
}

TEST(WellGeometry, InitWellAppendsEveryPerWellListAndRecolours)
{
    BuiltGrid grid(oneCell());
    const ModelSurfaceCorners corners(grid.geometry);
    Wells wells;
    const std::vector<float> red{1, 0, 0};
    for (const char* name : {"P-1", "Скв-2"}) {
        const Well well{name, Points{{0, 0, 0, -900}, {100, 30, 40, -1050}, {200, 60, 80, -1300}}};
        EXPECT_EQ(buildWellGeometry(well, wells, grid.geometry, &corners, red).front(), "starting buildLastWell");
    }
    for (const auto* list : {&wells.well_coord_vertex_show, &wells.well_coord_vertex_hide}) EXPECT_EQ(list->size(), 2u);
    EXPECT_EQ(wells.well_show_runs.size(), 2u);
    // The shown part runs from (30, 40) to the first point below, (60, 80): 50 m, in scene units.
    ASSERT_EQ(wells.well_proj_length.size(), 2u);
    EXPECT_NEAR(wells.well_proj_length[1], 0.05f, 1e-6f);
    EXPECT_EQ(wells.well_coord_vertex_show[0][3], 1.0f);

    const Vertices shownBefore = wells.well_coord_vertex_show[1];
    recolourWells(wells, {0.1f, 0.2f, 0.3f});
    for (const auto* parts : {&wells.well_coord_vertex_show, &wells.well_coord_vertex_hide})
        for (const Vertices& part : *parts)
            for (std::size_t v = 0; v < part.size(); v += 6) {
                EXPECT_EQ(part[v + 3], 0.1f);
                EXPECT_EQ(part[v + 5], 0.3f);
            }
    for (std::size_t v = 0; v < shownBefore.size(); v += 6)
        EXPECT_EQ(wells.well_coord_vertex_show[1][v + 2], shownBefore[v + 2]);
}

TEST(WellGeometry, LabelSizeEntries)
{
    EXPECT_FLOAT_EQ(wellLabelSizeForEntry(4), 0.25f);
    EXPECT_FLOAT_EQ(wellLabelSizeForEntry(14), 0.5f);
    EXPECT_FLOAT_EQ(wellLabelSizeForEntry(26), 0.8f);
    EXPECT_FLOAT_EQ(wellLabelSizeForEntry(30), 0.9f);
}

// The corner a walk over every corner keeps: the first at the smallest squared distance below 10^12.
long long walkNearest(const float* vertices, std::size_t count, float x, float y)
{
    long long best = -1;
    double bestSquared = 1e12;
    for (std::size_t m = 0; m < count; ++m) {
        const double dx = static_cast<double>(vertices[6 * m]) - x, dy = static_cast<double>(vertices[6 * m + 1]) - y;
        const double d = dx * dx + dy * dy;
        if (d < bestSquared) {
            bestSquared = d;
            best = static_cast<long long>(m);
        }
    }
    return best;
}

// A hand-made layer array: I x J cells whose corners sit on a jittered lattice (neighbouring cells share corner
// positions, as on real pillars), the bottom face shifted by `lean` (inclined pillars), a few corners not finite.
Grid randomGrid(std::mt19937& rng, int rows, int cols, int layers, float lean)
{
    std::uniform_real_distribution<float> jitter(-0.01f, 0.01f), depth(-2.0f, -1.0f);
    std::vector<std::vector<std::array<float, 2>>> lattice(rows + 1, std::vector<std::array<float, 2>>(cols + 1));
    for (auto& row : lattice)
        for (auto& p : row) p = {0, 0};
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c <= cols; ++c) lattice[r][c] = {c * 0.05f + jitter(rng), r * 0.05f + jitter(rng)};
    Grid g;
    g.loaded = true;
    g.rows = rows;
    g.columns = cols;
    g.layers = layers;
    const std::size_t half = 4 * static_cast<std::size_t>(rows * cols);
    for (int k = 0; k < layers; ++k) {
        Vertices layer(2 * half * 6, 0.0f);
        std::size_t v = 0;
        for (int t = 0; t < 2; ++t)
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < cols; ++c)
                    for (auto [dr, dc] : {std::pair{0, 0}, {0, 1}, {1, 0}, {1, 1}}) {
                        const auto& p = lattice[r + dr][c + dc];
                        layer[6 * v] = p[0] + t * lean;
                        layer[6 * v + 1] = p[1] + t * lean * 0.5f;
                        layer[6 * v + 2] = depth(rng);
                        ++v;
                    }
        g.layerVertices.push_back(std::move(layer));
    }
    g.layerVertices[0][6 * 5] = std::numeric_limits<float>::quiet_NaN();
    g.layerVertices[layers - 1][6 * (half + 7) + 1] = std::numeric_limits<float>::infinity();
    return g;
}

TEST(WellGeometry, CornerIndexFindsWhatAWalkOverEveryCornerFinds)
{
    std::mt19937 rng(7);
    for (const float lean : {0.0f, 0.013f}) {
        const Grid g = randomGrid(rng, 13, 17, 3, lean);
        const ModelSurfaceCorners corners(g);
        const std::size_t half = 4 * 13 * 17;
        const float* top = g.layerVertices.front().data();
        const float* bottom = g.layerVertices.back().data() + 6 * half;
        std::uniform_real_distribution<float> where(-0.5f, 1.5f);
        std::vector<std::array<float, 2>> queries;
        for (int q = 0; q < 400; ++q) queries.push_back({where(rng), where(rng)});
        for (std::size_t m = 0; m < half; m += 11) queries.push_back({top[6 * m], top[6 * m + 1]});  // exact ties
        queries.push_back({0.3f, 1e7f});  // beyond 10^6 of every corner: nothing
        for (const auto& q : queries) {
            const ModelSurfaceCorners::Nearest n = corners.nearest(q[0], q[1]);
            const long long t = walkNearest(top, half, q[0], q[1]), b = walkNearest(bottom, half, q[0], q[1]);
            ASSERT_EQ(n.topIndex, t) << q[0] << " " << q[1] << " lean " << lean;
            ASSERT_EQ(n.bottomIndex, b) << q[0] << " " << q[1] << " lean " << lean;
            EXPECT_EQ(n.topZ.value_or(0.0f), t >= 0 ? top[6 * t + 2] : 0.0f);
            EXPECT_EQ(n.bottomZ.value_or(0.0f), b >= 0 ? bottom[6 * b + 2] : 0.0f);
        }
        EXPECT_TRUE(corners.describes(g));
        Grid changed = g;
        changed.layerVertices[0][2] += 0.5f;
        EXPECT_FALSE(corners.describes(changed));
    }
}

}  // namespace
}  // namespace morvane
