// An oil-water contact drawn over a generated dome: the crest stands above the contact and keeps its own colour, the
// flanks below it show through the half-transparent blue surface, and the edge between them follows the contact
// depth.
#include <gtest/gtest.h>

#include <algorithm>

#include "commands/contacts_command.h"
#include "tests/support/offscreen_scene.h"

namespace morvane {
namespace {

using namespace morvane::testing;

constexpr int N = 9;  // cells along x and y

// A 9 x 9 x 2 dome: the rim at 2000 m, the crest 40 m higher.
void loadDome(OffscreenScene& scene)
{
    gen::GridOptions o = smallGrid(N, N, 2);
    o.domeHeight = 40;
    putGeneratedGrid(scene.s(), o);
    scene.view().buildGridMeshes();
    scene.view().uploadGrid();
    scene.colour(cellValues(N, N, 2, [](int, int, int) { return 1.0; }));  // red
}

// Shallowest and deepest corner of a top face of layer 0, in metres below datum.
std::pair<float, float> faceDepths(const ModelState& s, int i, int j)
{
    const Vertices& layer = s.document.grid.layerVertices[0];
    float shallow = 1e9f, deep = -1e9f;
    for (int c = 0; c < 4; ++c) {
        const float depth =
            -layer[static_cast<std::size_t>(((i * s.document.grid.columns + j) * 4 + c) * 6 + 2)] * 1000;
        shallow = std::min(shallow, depth);
        deep = std::max(deep, depth);
    }
    return {shallow, deep};
}

bool coveredByBlue(const std::array<std::uint8_t, 4>& p) { return p[2] > 90 && p[0] < 200; }

TEST(ContactsDrawn, OwcCutsADomeAtItsDepth)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    loadDome(scene);
    ModelState& s = scene.s();
    const float owc = 1985;
    SilentFeedback quiet;
    ASSERT_TRUE(showUniformContact(s, scene.view(), ContactKind::OWC, owc, quiet));

    // The oblique start view, for a look when the test fails.
    scene.frame("owc_dome_oblique.png");

    // From straight above nothing hides a top face: every face wholly above the contact is red, every face wholly
    // below it is seen through the contact.
    s.view.camera.rotation = glm::vec3(0.0f);
    const RgbaImage image = scene.frame("owc_dome_top.png");
    int above = 0, below = 0;
    for (int i = 0; i < N; ++i)
        for (int j = 0; j < N; ++j) {
            const auto [shallow, deep] = faceDepths(s, i, j);
            const glm::ivec2 c = scene.topCentrePixel(0, i, j);
            const auto pixel = image.at(c.x, c.y);
            if (deep < owc) {
                ++above;
                EXPECT_TRUE(near(pixel, {255, 0, 0}, 6)) << "cell " << i << ", " << j << ": " << describe(pixel);
            } else if (shallow > owc) {
                ++below;
                EXPECT_TRUE(coveredByBlue(pixel)) << "cell " << i << ", " << j << ": " << describe(pixel);
            }
        }
    EXPECT_GE(above, 4);
    EXPECT_GE(below, 30);

    // Without the toggle the surface is not drawn.
    s.view.contacts.owc = false;
    const RgbaImage off = scene.frame();
    const glm::ivec2 corner = scene.topCentrePixel(0, 0, 0);
    EXPECT_TRUE(near(off.at(corner.x, corner.y), {255, 0, 0}, 6)) << describe(off.at(corner.x, corner.y));
}

}  // namespace
}  // namespace morvane
