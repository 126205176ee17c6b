// Circle diagrams: radius from the liquid and the bubble factor, the water sectors, the vertical radius under the
// exaggeration, and wells that produced nothing or never enter the model.
#include <cmath>

#include <gtest/gtest.h>

#include "commands/model_state.h"
#include "scene/bubble_diagrams.h"

namespace morvane {
namespace {

// A well whose shown part starts at `top` and goes 0.1 down.
void addWell(ModelState& s, const std::string& name, glm::vec3 top, float oil, float water)
{
    s.document.wells.add(Well{name, {}});
    s.well_coord_vertex_show.push_back({top.x, top.y, top.z, 0, 0, 0, top.x, top.y, top.z - 0.1f, 0, 0, 0});
    s.well_coord_vertex_hide.push_back({top.x, top.y, top.z + 0.2f, 0, 0, 0, top.x, top.y, top.z, 0, 0, 0});
    s.document.production.byWell[name] = WellVolumes{oil, water, kNoVolume};
}

glm::vec3 vertex(const Vertices& disc, int v) { return {disc[6 * v], disc[6 * v + 1], disc[6 * v + 2]}; }
glm::vec3 colour(const Vertices& disc, int v) { return {disc[6 * v + 3], disc[6 * v + 4], disc[6 * v + 5]}; }

int blueSectors(const Vertices& disc)
{
    int blue = 0;
    for (int s = 0; s < CIRCLE_SECTORS; ++s) blue += colour(disc, 3 * s) == glm::vec3(0, 0, 1) ? 1 : 0;
    return blue;
}

TEST(CircleDiagrams, RadiusFollowsTheLiquidAndTheFactorAndTheSectorsTheWaterCut)
{
    ModelState s;
    s.view.production.scale = 2.0f;
    const glm::vec3 head(548.5f, 6414.2f, -2.0f);
    addWell(s, "A", head, 300, 100);     // 25 % water, radius 2 x 0.001 x 400
    addWell(s, "B", head, 400, 0);       // all oil
    addWell(s, "C", head, 0, 50);        // all water
    addWell(s, "D", head, 0.4f, 99.6f);  // 99.6 % rounds to 100
    addWell(s, "E", head, -1, 20);       // no oil entered: built, the frame neither draws nor labels it
    s.circle_rotation[2] = glm::vec3(10, 20, 0);

    for (int build = 0; build < 2; ++build)
        buildCircleDiagrams(s, s, s.document.wells, s.document.production, 5.0f,
                            s.view.production.scale);  // rebuilt, not stacked
    ASSERT_EQ(s.circleDiagram.size(), 5u);
    EXPECT_TRUE(s.displayCircleDiagrams);
    EXPECT_EQ(s.circle_rotation[2], glm::vec3(0.0f));

    const Vertices& a = s.circleDiagram[0];
    ASSERT_EQ(a.size(), 300u * 6);
    EXPECT_EQ(vertex(a, 0), head);  // the centre first: the frame's anchor
    // Sector s is (centre, P(s + 1), P(s)), P(0) at 12 o'clock; the vertical radius is divided by the exaggeration.
    const glm::vec3 top = vertex(a, 2), threeOClock = vertex(a, 3 * 25 + 2);
    EXPECT_NEAR(top.x, head.x, 1e-5f);
    EXPECT_NEAR(top.z, head.z + 0.8f / 5.0f, 1e-5f);
    EXPECT_NEAR(threeOClock.x, head.x + 0.8f, 1e-5f);
    EXPECT_NEAR(threeOClock.z, head.z, 1e-5f);
    for (int v = 0; v < 300; ++v) EXPECT_EQ(vertex(a, v).y, head.y);
    EXPECT_EQ(blueSectors(a), 25);
    EXPECT_EQ(colour(a, 3 * 25), glm::vec3(0, 1, 0));

    EXPECT_EQ(blueSectors(s.circleDiagram[1]), 0);
    EXPECT_EQ(blueSectors(s.circleDiagram[2]), 100);
    EXPECT_EQ(blueSectors(s.circleDiagram[3]), 100);
    EXPECT_EQ(s.circleDiagram[4].size(), 300u * 6);
    EXPECT_EQ(waterSectors(std::nanf("")), 0);
    EXPECT_EQ(waterSectors(-3.0f), 0);
    EXPECT_EQ(waterSectors(250.0f), 100);
}

TEST(CircleDiagrams, AWellThatProducedNothingKeepsOnlyItsAnchor)
{
    ModelState s;
    addWell(s, "Dry", {548.5f, 6414.2f, -2.0f}, 0, 0);
    // A well that never enters the model: a placeholder shown part at the origin; its disc stands at its head.
    addWell(s, "Outside", {0, 0, 0}, 10, 10);
    s.well_coord_vertex_show[1] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    s.well_coord_vertex_hide[1] = {549.0f, 6414.0f, 0.03f, 0, 0, 0, 549.0f, 6414.0f, -1.0f, 0, 0, 0};
    // A well without any vertex gets an empty entry, so the discs stay indexed like the wells.
    addWell(s, "Empty", {0, 0, 0}, 10, 10);
    s.well_coord_vertex_show[2].clear();
    s.well_coord_vertex_hide[2].clear();

    buildCircleDiagrams(s, s, s.document.wells, s.document.production, 5.0f, s.view.production.scale);
    ASSERT_EQ(s.circleDiagram.size(), 3u);
    EXPECT_EQ(s.circleDiagram[0], (Vertices{548.5f, 6414.2f, -2.0f, 0, 1, 0}));
    EXPECT_EQ(vertex(s.circleDiagram[1], 0), glm::vec3(549.0f, 6414.0f, 0.03f));
    EXPECT_TRUE(s.circleDiagram[2].empty());
}

}  // namespace
}  // namespace morvane
