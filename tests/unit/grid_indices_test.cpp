// Index lists of the grid: which faces and edges of which cells are drawn, and their winding.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <glm/geometric.hpp>
#include <glm/vec3.hpp>

#include "scene/grid_geometry.h"
#include "scene/grid_indices.h"
#include "tests/support/scene_grid_fixture.h"

namespace morvane {
namespace {

using test::cornerDepths;
using test::gridFromPillars;
using test::latticePillars;

ModelState builtLattice(int nx, int ny, double dx = 50, double dy = 50, double degrees = 0)
{
    ModelState state;
    state.document.grid.input = gridFromPillars(latticePillars(nx, ny, dx, dy, 0, 0, degrees), cornerDepths(nx, ny, 1));
    EXPECT_TRUE(buildGrid(state).built());
    return state;
}

bool buildIndices(ModelState& s) { return buildGridIndices(s.document.grid, s, s); }

std::set<int> cornersIn(const Indices& list) { return {list.begin(), list.end()}; }

TEST(GridIndices, SingleRegularCell)
{
    ModelState s = builtLattice(1, 1);
    ASSERT_TRUE(buildIndices(s));
    EXPECT_EQ(s.grid_indices.size(), 24u);
    EXPECT_EQ(s.cell_indices.size(), 30u);
    EXPECT_EQ(s.OWC_indices.size(), 6u);
    EXPECT_EQ(s.GOC_indices.size(), 6u);
    // The twelve edges of the cell (top corners 0..3, bottom corners 4..7).
    EXPECT_EQ(s.grid_indices, (Indices{0, 1, 2, 3, 0, 2, 1, 3, 4, 5, 6, 7, 4, 6, 5, 7, 0, 4, 1, 5, 2, 6, 3, 7}));
    // A lone cell is all shell: its six faces and its twelve edges.
    EXPECT_EQ(s.cell_indices_edge.size(), 36u);
    EXPECT_EQ(s.grid_indices_edge, s.grid_indices);
    EXPECT_EQ(s.cell_indices_edge_layer, (std::vector<std::size_t>{0, 36}));
}

// Every list of a single cell whose rows run south (the true winding), written out from the face and side tables:
// top corners 0..3, bottom corners 4..7.
TEST(GridIndices, SingleCellListsInFullWithTheTrueWinding)
{
    ModelState s = builtLattice(1, 1, 50, -50);
    ASSERT_TRUE(buildIndices(s));
    const Indices top{0, 2, 1, 1, 2, 3}, bottom{4, 5, 6, 5, 7, 6};
    const Indices nearSide{0, 1, 4, 4, 1, 5}, farSide{2, 6, 3, 6, 7, 3};
    const Indices leftSide{2, 0, 4, 2, 4, 6}, rightSide{1, 3, 7, 1, 7, 5};
    const auto joined = [](std::initializer_list<Indices> parts) {
        Indices all;
        for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    EXPECT_EQ(s.cell_indices, joined({top, nearSide, farSide, leftSide, rightSide}));
    EXPECT_EQ(s.OWC_indices, top);
    EXPECT_EQ(s.GOC_indices, top);
    // The shell: top, bottom, near, far, left, right.
    EXPECT_EQ(s.cell_indices_edge, joined({top, bottom, nearSide, farSide, leftSide, rightSide}));
}

// The shell's lines as unordered corner pairs, each pair as often as it is listed.
std::multiset<std::pair<int, int>> shellLines(const ModelState& s)
{
    std::multiset<std::pair<int, int>> lines;
    for (std::size_t i = 0; i + 1 < s.grid_indices_edge.size(); i += 2)
        lines.insert(std::minmax(s.grid_indices_edge[i], s.grid_indices_edge[i + 1]));
    return lines;
}

TEST(GridIndices, ThreeByThreeRegularCells)
{
    ModelState s = builtLattice(3, 3);
    ASSERT_TRUE(buildIndices(s));
    EXPECT_EQ(s.grid_indices.size(), 9u * 24);
    EXPECT_EQ(s.cell_indices.size(), 9u * 30);
    // Nine tops, nine bottoms and the twelve sides of the frame; the sides between cells lie inside.
    EXPECT_EQ(s.cell_indices_edge.size(), 30u * 6);
    // Every line of the block once: 24 segments on the top, 24 on the base, the 12 verticals of the frame; none
    // down the four inner pillars.
    const auto lines = shellLines(s);
    EXPECT_EQ(s.grid_indices_edge.size(), 60u * 2);
    for (const auto& line : lines) EXPECT_EQ(lines.count(line), 1u);
    const int middleTop = 4 * 4, middleBottom = middleTop + s.document.grid.surfaceVertices;
    for (int v = 0; v < 4; ++v) EXPECT_EQ(lines.count({middleTop + v, middleBottom + v}), 0u);

    // The lines by the sides of the faces they border: the frame's top and base outlines and the four corner
    // verticals border two sides; the inner lines of the top and of the base one; two verticals on each wall one.
    ASSERT_EQ(s.shell_line_runs.size(), 7u);
    std::vector<std::size_t> runLengths;
    for (std::size_t r = 0; r < 7; ++r)
        runLengths.push_back(
            ((r + 1 < 7 ? s.shell_line_runs[r + 1] : s.grid_indices_edge.size()) - s.shell_line_runs[r]) / 2);
    EXPECT_EQ(runLengths, (std::vector<std::size_t>{28, 12, 12, 2, 2, 2, 2}));
}

// Every triangle of the shell is listed under the side it looks to, with its plane facing out of its cell: the
// cell's centre lies behind it.
TEST(GridIndices, ShellPlanesFaceOutOfTheirCells)
{
    ModelState s = builtLattice(2, 2, 50, -50, 20);
    ASSERT_TRUE(buildIndices(s));
    const Vertices& layer = s.document.grid.layerVertices[0];
    const auto at = [&](int v) { return glm::vec3(layer[6 * v], layer[6 * v + 1], layer[6 * v + 2]); };
    ASSERT_EQ(s.shell_face_runs.size(), 6u);
    for (std::size_t side = 0; side < 6; ++side) {
        const std::size_t from = s.shell_face_runs[side];
        const std::size_t to = side + 1 < 6 ? s.shell_face_runs[side + 1] : s.cell_indices_edge.size();
        const std::vector<float>& planes = s.shell_side_planes[side];
        ASSERT_EQ(planes.size(), (to - from) / 3 * 4) << side;
        for (std::size_t t = from, p = 0; t < to; t += 3, p += 4) {
            const int cell = (s.cell_indices_edge[t] % s.document.grid.surfaceVertices) / 4;
            glm::vec3 centre(0.0f);
            for (int corner = 0; corner < 4; ++corner)
                centre += (at(4 * cell + corner) + at(4 * cell + corner + s.document.grid.surfaceVertices)) / 8.0f;
            const glm::vec3 n(planes[p], planes[p + 1], planes[p + 2]);
            EXPECT_NEAR(glm::length(n), 1.0f, 1e-4f);
            EXPECT_LT(glm::dot(n, centre) + planes[p + 3], 0.0f) << "side " << side << " faces into its cell";
            if (side == 0) {
                EXPECT_GT(n.z, 0.9f);  // the top looks up
            }
            if (side == 1) {
                EXPECT_LT(n.z, -0.9f);  // the base down
            }
        }
    }
}

TEST(GridIndices, UndefinedMiddleCellGetsNothingAndItsNeighboursFaceIt)
{
    ModelState s = builtLattice(3, 3);
    s.document.grid.regularCells[1][1] = 0;
    ASSERT_TRUE(buildIndices(s));
    EXPECT_EQ(s.grid_indices.size(), 8u * 24);
    EXPECT_EQ(s.cell_indices.size(), 8u * 30);
    EXPECT_EQ(s.OWC_indices.size(), 8u * 6);
    // Eight tops, eight bottoms, twelve frame sides and the four walls of the hole; the hole's corners add the four
    // verticals down its walls to the 60 lines of the whole block, each listed twice: it borders walls looking two
    // ways, and each way's lines are left out on their own when that way is turned from the viewer.
    EXPECT_EQ(s.cell_indices_edge.size(), 32u * 6);
    EXPECT_EQ(s.grid_indices_edge.size(), (60u + 2 * 4) * 2);
    const int b = 16, B = 16 + s.document.grid.surfaceVertices;
    for (const Indices* list :
         {&s.grid_indices, &s.cell_indices, &s.grid_indices_edge, &s.cell_indices_edge, &s.OWC_indices}) {
        for (int v = 0; v < 4; ++v) {
            EXPECT_EQ(cornersIn(*list).count(b + v), 0u);
            EXPECT_EQ(cornersIn(*list).count(B + v), 0u);
        }
    }
    // Cell (0, 1), below the hole: its far side (corners 2, 3) is a wall of the hole, outlined down both pillars.
    const int f = 4, F = 4 + s.document.grid.surfaceVertices;
    const auto lines = shellLines(s);
    EXPECT_EQ(lines.count({f + 2, F + 2}), 1u);
    EXPECT_EQ(lines.count({f + 3, F + 3}), 1u);
}

// Inactive cells: each layer draws runs of the shared lists and outlines the faces its hidden cells expose; shown
// inactive cells give the lists of a grid without them.
TEST(GridIndices, InactiveCellsAreLeftOutLayerByLayer)
{
    ModelState s;
    s.document.grid.input = gridFromPillars(latticePillars(3, 3, 50, 50), cornerDepths(3, 3, 3));
    ASSERT_TRUE(buildGrid(s).built());
    ASSERT_TRUE(buildIndices(s));
    const ModelState allActive = s;

    // Layer 0 whole; layer 1 without its middle cell; layer 2 without its first row and its last cell. The
    // middle column's cell 3 is undefined in every layer (so runs skip it in the shared lists).
    s.document.grid.regularCells[1][0] = 0;
    s.document.grid.active.assign(27, 1);
    s.document.grid.active[9 + 4] = 0;
    for (int c : {0, 1, 2, 8}) s.document.grid.active[18 + c] = 0;
    ASSERT_TRUE(buildIndices(s));
    EXPECT_EQ(s.cell_indices.size(), 8u * 30);  // the shared lists hold the regular cells of any layer
    EXPECT_EQ(s.cell_runs_layer, (std::vector<std::size_t>{0, 2, 6, 8}));
    // Runs in regular cells (cell 3 has no ordinal): layer 0 all eight; layer 1 around the middle cell (ordinal 3);
    // layer 2 cells 4 to 7, ordinals 3 to 6.
    EXPECT_EQ(s.cell_runs, (Indices{0, 8, 0, 3, 4, 4, 3, 4}));

    // The shell per layer: tops with no drawn cell above, bottoms with none below, sides on the frame or facing a
    // cell that is not drawn.
    ASSERT_EQ(s.cell_indices_edge_layer.size(), 4u);
    auto facesOf = [&](int k) { return (s.cell_indices_edge_layer[k + 1] - s.cell_indices_edge_layer[k]) / 6; };
    EXPECT_EQ(facesOf(0), 8u + 1 + 14);  // every top, the bottom over the hidden middle, 14 sides
    EXPECT_EQ(facesOf(1), 0u + 4 + 16);  // no top; the bottoms over cells 0, 1, 2 and 8 of layer 2; 16 sides
    EXPECT_EQ(facesOf(2), 1u + 4 + 10);  // the middle's top under the hidden middle, every bottom, 10 sides
    EXPECT_EQ(s.grid_indices_edge_layer.back(), s.grid_indices_edge.size());

    // Hiding a cell of the top layer opens the top face of the cell below it.
    s.document.grid.active[5] = 0;
    ASSERT_TRUE(buildIndices(s));
    EXPECT_EQ(facesOf(1), 0u + 4 + 16 + 1);
    const Indices middleLayer(s.cell_indices_edge.begin() + static_cast<long>(s.cell_indices_edge_layer[1]),
                              s.cell_indices_edge.begin() + static_cast<long>(s.cell_indices_edge_layer[2]));
    const int b = 5 * 4;  // cell 5's top corner 0
    const Indices top{b, b + 1, b + 2, b + 1, b + 3, b + 2};
    EXPECT_NE(std::search(middleLayer.begin(), middleLayer.end(), top.begin(), top.end()), middleLayer.end());

    // Shown, the inactive cells make no difference to the lists.
    s.document.grid.regularCells[1][0] = 1;
    ASSERT_TRUE(buildGridIndices(s.document.grid, s, s, true));
    EXPECT_TRUE(s.cell_runs_layer.empty());
    EXPECT_EQ(s.cell_indices, allActive.cell_indices);
    EXPECT_EQ(s.grid_indices_edge, allActive.grid_indices_edge);
    EXPECT_EQ(s.cell_indices_edge, allActive.cell_indices_edge);
}

// Triangles of `a` with their second and third corners swapped.
Indices swapped(const Indices& a)
{
    Indices out = a;
    for (std::size_t t = 0; t + 2 < out.size(); t += 3) std::swap(out[t + 1], out[t + 2]);
    return out;
}

TEST(GridIndices, WindingFollowsTheDirectionOfTheRows)
{
    ModelState north = builtLattice(2, 2, 50, 50);
    ModelState south = builtLattice(2, 2, 50, -50);
    EXPECT_FALSE(gridWindingFlag(north.document.grid));
    EXPECT_TRUE(gridWindingFlag(south.document.grid));
    ASSERT_TRUE(buildIndices(north));
    ASSERT_TRUE(buildIndices(south));
    // Rows along +y: top face (b, b+1, b+2), (b+1, b+3, b+2); rows along -y: (b, b+2, b+1), (b+1, b+2, b+3).
    EXPECT_EQ(Indices(north.cell_indices.begin(), north.cell_indices.begin() + 6), (Indices{0, 1, 2, 1, 3, 2}));
    EXPECT_EQ(Indices(south.cell_indices.begin(), south.cell_indices.begin() + 6), (Indices{0, 2, 1, 1, 2, 3}));
    EXPECT_EQ(north.cell_indices, swapped(south.cell_indices));
    EXPECT_EQ(north.cell_indices_edge, swapped(south.cell_indices_edge));
    EXPECT_EQ(north.OWC_indices, swapped(south.OWC_indices));
    EXPECT_EQ(north.grid_indices, south.grid_indices);

    // Rows running along the row direction turned a quarter: I along +y, rows along -x is counter-clockwise.
    ModelState turned = builtLattice(2, 2, 50, 50, 90);
    EXPECT_FALSE(gridWindingFlag(turned.document.grid));
}

// A grid turned by a few degrees keeps the winding of the unturned grid, whichever way its rows run.
TEST(GridIndices, WindingIsStableUnderSmallRotations)
{
    for (double degrees : {-30.0, -5.0, 5.0, 30.0, 150.0, 200.0}) {
        ModelState north = builtLattice(2, 2, 50, 50, degrees);
        ModelState south = builtLattice(2, 2, 50, -50, degrees);
        EXPECT_FALSE(gridWindingFlag(north.document.grid)) << degrees;
        EXPECT_TRUE(gridWindingFlag(south.document.grid)) << degrees;
    }
}

TEST(GridIndices, NothingChangesWithoutALoadedGrid)
{
    ModelState s = builtLattice(2, 2);
    ASSERT_TRUE(buildIndices(s));
    const Indices before = s.cell_indices;
    s.document.grid.loaded = false;
    s.document.grid.regularCells[0][0] = 0;
    EXPECT_FALSE(buildIndices(s));
    EXPECT_EQ(s.cell_indices, before);

    // Flags missing for some cells (a layout that does not match the counts) are refused, not read.
    s.document.grid.loaded = true;
    s.document.grid.regularCells.pop_back();
    EXPECT_FALSE(buildIndices(s));
    EXPECT_EQ(s.cell_indices, before);
}

}  // namespace
}  // namespace morvane
