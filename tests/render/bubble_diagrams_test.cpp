// Circle diagrams in a frame: two wells with production, one without. The disc's water quarter and oil rest, its
// labels in green and blue, a well that produced nothing labelled without a disc, a well without data neither
// drawn nor labelled; the disc still faces the viewer when the model is turned, is not drawn over the unfolded well
// section, and a rebuild replaces its objects.
#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "commands/production_command.h"
#include "tests/support/offscreen_scene.h"
#include "tests/support/recorded_prompts.h"

namespace morvane {
namespace {

using namespace morvane::testing;

const std::array<int, 3> kGreen = rgb255(0, 1, 0);
const std::array<int, 3> kBlue = rgb255(0, 0, 1);

void addWell(ModelState& s, const std::string& name, const glm::vec3& top, float oil, float water)
{
    s.document.wells.add(Well{name, {}});
    s.well_coord_vertex_show.push_back({top.x, top.y, top.z, 0, 0, 0, top.x, top.y, top.z - 0.05f, 0, 0, 0});
    s.well_coord_vertex_hide.push_back({});
    s.document.production.byWell[name] = WellVolumes{oil, water, kNoVolume};
}

// Pixels of a colour in a box of the picture (x0..x1, y0..y1, y from the top).
int pixelsIn(const RgbaImage& image, const std::array<int, 3>& rgb, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = std::max(y0, 0); y <= std::min(y1, image.height - 1); ++y)
        for (int x = std::max(x0, 0); x <= std::min(x1, image.width - 1); ++x) n += near(image.at(x, y), rgb, 8);
    return n;
}

TEST(CircleDiagramsDrawn, TwoWellsShowTheirDiscsAndLabelsAndAWellWithoutDataShowsNothing)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    ModelState& s = scene.s();
    s.view.camera.rotation.z = 0;  // looking north
    const glm::vec3 pivot = -s.view.camera.position;
    const glm::vec3 a = pivot + glm::vec3(-0.15f, 0, 0), b = pivot + glm::vec3(0.12f, 0, 0.03f), none = pivot;
    addWell(s, "A", a, 30, 10);  // radius 0.04, a quarter water
    addWell(s, "B", b, 0, 0);    // produced nothing
    addWell(s, "C", none, -1, 200);

    SilentFeedback feedback;
    RecordedPrompts prompts({});
    ASSERT_TRUE(toggleProductionDisplay(ProductionContext{s, feedback, scene.view(), prompts}, false));
    // The discs alone, without the well lines.
    const auto shown = std::move(s.well_coord_vertex_show), hidden = std::move(s.well_coord_vertex_hide);
    s.well_coord_vertex_show.clear();
    s.well_coord_vertex_hide.clear();
    scene.view().uploadWells();
    const RgbaImage picture = scene.frame("circle_diagrams.png");

    // Disc A: blue from 12 to 3 o'clock, green on the left; seen from the south, the water quarter is upper right.
    const glm::ivec2 ca = scene.pixelOf(a);
    const int r = scene.pixelOf(a + glm::vec3(0.04f, 0, 0)).x - ca.x;
    ASSERT_GT(r, 30);
    EXPECT_TRUE(near(picture.at(ca.x + r / 3, ca.y - r / 3), kBlue))
        << describe(picture.at(ca.x + r / 3, ca.y - r / 3));
    EXPECT_TRUE(near(picture.at(ca.x - r / 2, ca.y), kGreen)) << describe(picture.at(ca.x - r / 2, ca.y));
    EXPECT_TRUE(near(picture.at(ca.x + r / 3, ca.y + r / 3), kGreen));

    // Well B: no disc left of its anchor, and the labels "0.0K m3" right of it, the water one 30 pixels lower.
    const glm::ivec2 cb = scene.pixelOf(b);
    EXPECT_EQ(pixelsIn(picture, kGreen, cb.x - 40, cb.y - 40, cb.x, cb.y + 40), 0);
    EXPECT_GT(pixelsIn(picture, kGreen, cb.x + 5, cb.y - 20, cb.x + 90, cb.y + 2), 10);
    EXPECT_GT(pixelsIn(picture, kBlue, cb.x + 5, cb.y + 10, cb.x + 90, cb.y + 32), 10);
    EXPECT_EQ(pixelsIn(picture, kBlue, cb.x + 5, cb.y - 20, cb.x + 90, cb.y + 2), 0);

    // Well C has no oil entered: neither disc nor labels around its anchor.
    const glm::ivec2 cc = scene.pixelOf(none);
    for (const auto& colour : {kGreen, kBlue})
        EXPECT_EQ(pixelsIn(picture, colour, cc.x - 60, cc.y - 60, cc.x + 60, cc.y + 60), 0);

    // Turned a quarter about the vertical, the disc still faces the viewer: its water quarter is still upper right.
    s.view.camera.rotation.z = 90;
    const RgbaImage turned = scene.frame("circle_diagrams_turned.png");
    const glm::ivec2 ta = scene.pixelOf(a);
    EXPECT_TRUE(near(turned.at(ta.x + r / 3, ta.y - r / 3), kBlue)) << describe(turned.at(ta.x + r / 3, ta.y - r / 3));
    EXPECT_TRUE(near(turned.at(ta.x - r / 2, ta.y), kGreen)) << describe(turned.at(ta.x - r / 2, ta.y));

    // Over the unfolded well section, which has a space of its own, neither discs nor labels are drawn.
    s.view.section.unfolded = true;
    const RgbaImage section = scene.frame("circle_diagrams_section.png");
    EXPECT_EQ(countPixels(section, kBlue, 8) + countPixels(section, kGreen, 8), 0);
    s.view.section.unfolded = false;

    // Rebuilt again and again (the slider's release): the objects are replaced, not added.
    s.well_coord_vertex_show = shown;
    s.well_coord_vertex_hide = hidden;
    scene.view().uploadWells();
    const std::size_t objects = scene.view().scene().objects().liveVertexArrays();
    for (int release = 0; release < 3; ++release) vertScaleReleased(s, scene.view(), feedback, true);
    EXPECT_EQ(s.circleDiagram.size(), 3u);
    EXPECT_EQ(scene.view().scene().objects().liveVertexArrays(), objects);
}

}  // namespace
}  // namespace morvane
