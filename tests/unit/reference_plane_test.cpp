// The XY reference grid, the flat-section quad and the pivot cursor.
#include <gtest/gtest.h>

#include "scene/grid_geometry.h"
#include "scene/reference_plane.h"
#include "tests/support/scene_grid_fixture.h"

namespace morvane {
namespace {

TEST(ReferencePlane, WithoutAGridTheSampleExtentPlacesIt)
{
    ModelState s;
    buildXYPlane(s.document.grid, s);
    EXPECT_EQ(s.y_limit, 10);
    ASSERT_EQ(s.x_lines.size(), 13u);
    ASSERT_EQ(s.y_lines.size(), 12u);
    EXPECT_NEAR(s.x_lines[1] - s.x_lines[0], 0.064, 1e-9);
    EXPECT_NEAR(s.x_lines[0], 548.5919 - 0.064, 1e-4);
    EXPECT_NEAR(s.y_lines[0], 6414.2856, 1e-3);
    EXPECT_EQ(s.x_cubes.size(), 20u);
    ASSERT_EQ(s.xy_plane.size(), (13u + 12u) * 2 * 6);
    EXPECT_EQ(xyPlaneDrawnVertexCount(s), (10 + 14) * 2);
    for (std::size_t v = 0; v < s.xy_plane.size(); v += 6) {
        EXPECT_FLOAT_EQ(s.xy_plane[v + 2], -2.3f);
        EXPECT_FLOAT_EQ(s.xy_plane[v + 3], 0.502f);
    }
    // First line along y runs from y_lines[0] to y_lines[y_limit]; the last along x from x_lines[0] to x_lines[12].
    EXPECT_FLOAT_EQ(s.xy_plane[7], static_cast<float>(s.y_lines[10]));
    const std::size_t last = s.xy_plane.size() - 12;
    EXPECT_FLOAT_EQ(s.xy_plane[last], static_cast<float>(s.x_lines[0]));
    EXPECT_FLOAT_EQ(s.xy_plane[last + 6], static_cast<float>(s.x_lines[12]));
    EXPECT_FLOAT_EQ(s.xy_plane[last + 1], static_cast<float>(s.y_lines[11]));
}

TEST(ReferencePlane, GridWhoseYExtentIsAWholeNumberOfSpacings)
{
    // 1000 m by 500 m, rows running south from y = -200 m, x negative: spacing 100 m, five spacings in y.
    ModelState s;
    s.document.grid.input = test::latticeGrid(20, 10, 2, 50, -50, -3000, -200);
    ASSERT_TRUE(buildGrid(s).built());
    EXPECT_EQ(s.y_limit, 5);
    EXPECT_NEAR(s.x_lines[0], -3.1, 1e-6);
    EXPECT_NEAR(s.x_lines[12], -1.9, 1e-6);
    EXPECT_NEAR(s.y_lines[0], -0.7, 1e-6);
    EXPECT_NEAR(s.y_lines[5], -0.2, 1e-6);  // the lines along y end at ymax
    EXPECT_FLOAT_EQ(s.xy_plane[2], s.document.grid.extent.centreZ - s.document.grid.extent.depthRange);
    EXPECT_FLOAT_EQ(s.xy_plane[2], -1.03f);
}

TEST(ReferencePlane, DegenerateExtentsStayBounded)
{
    ModelState s;
    s.document.grid.loaded = true;
    s.document.grid.input.pillarXY = {1, 0, 1, 0, 1, 5000, 1, 5000};  // one x for every pillar, 5000 km in y
    buildXYPlane(s.document.grid, s);
    EXPECT_EQ(s.x_lines.size(), 13u);
    EXPECT_EQ(s.y_limit, 1000);  // lines 5 km apart rather than five million 1 m apart
    EXPECT_NEAR(s.y_lines[1000] - s.y_lines[0], 5000, 1e-9);
    EXPECT_EQ(s.y_lines.size(), 1002u);
    s.document.grid.input.pillarXY = {0, 0, 1e30, 1e30};
    buildXYPlane(s.document.grid, s);
    EXPECT_EQ(s.y_lines.size(), static_cast<std::size_t>(s.y_limit) + 2);
}

TEST(ReferencePlane, FlatPlaneAndCursorHangFromThePivot)
{
    ModelState s;
    const glm::vec3 position{-548.9129f, -6414.604f, 2.298867f};
    placeFlatPlane(position, s);
    EXPECT_FLOAT_EQ(s.flat_plane_vertex[0], 2 + 548.9129f);
    EXPECT_FLOAT_EQ(s.flat_plane_vertex[1], 0.8f + 6414.604f);
    EXPECT_FLOAT_EQ(s.flat_plane_vertex[2], 0.15f - 2.298867f);
    EXPECT_FLOAT_EQ(s.flat_plane_vertex[5 * 6 + 0], -2 + 548.9129f);
    EXPECT_FLOAT_EQ(s.flat_plane_vertex[5 * 6 + 2], -0.5f - 2.298867f);
    EXPECT_EQ(s.flat_plane_vertex[3], 1.0f);  // colour kept

    placeCursor(position, s);
    EXPECT_EQ(glm::vec3(s.cursor_point_vertex[0], s.cursor_point_vertex[1], s.cursor_point_vertex[2]), -position);
    EXPECT_FLOAT_EQ(s.cursor_point_vertex[7], 1 + 6414.604f);
    EXPECT_FLOAT_EQ(s.cursor_point_vertex2[7], 6414.604f - 1);
    EXPECT_EQ(s.cursor_point_vertex[4], 1.0f);
}

}  // namespace
}  // namespace morvane
