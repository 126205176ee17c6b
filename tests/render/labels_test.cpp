// Labels in the label space: the author label, the layer text, Cyrillic letters, the pixel size of glyphs on
// views of other sizes; and the 2D/3D view animations that run after each frame.
#include <gtest/gtest.h>

#include "tests/support/render_fixtures.h"

namespace morvane {
namespace {

using namespace morvane::testing;

const std::array<int, 3> kAuthorGreen = rgb255(0.5f, 0.8f, 0.2f);

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, pixels = 0;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

// Bounding box of the pixels of a colour (with anti-aliased edges left out).
Box boxOf(const RgbaImage& image, const std::array<int, 3>& rgb, int tolerance = 12)
{
    Box box;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (near(image.at(x, y), rgb, tolerance)) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
                ++box.pixels;
            }
    return box;
}

TEST(Labels, TheAuthorLabelSitsAtTheBottomLeftAndFollowsDisplayText)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    const Box label = boxOf(scene.frame("author_label.png"), kAuthorGreen);
    ASSERT_GT(label.pixels, 100);
    // Baseline at y = 20 of the label space: the glyphs stand just above the 20th row from the bottom.
    EXPECT_LT(label.left, 15);
    EXPECT_GT(label.bottom, 768 - 30);
    EXPECT_LT(label.bottom, 768 - 10);
    EXPECT_LT(label.right, 200);

    scene.s().displayText = false;
    EXPECT_EQ(boxOf(scene.frame(), kAuthorGreen).pixels, 0);
}

TEST(Labels, CyrillicLettersAreDrawnAndUnknownOnesTakeNoRoom)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    ModelState& s = scene.s();
    s.COPYRIGHT_LABEL = "ЖЖЖ";
    const Box cyrillic = boxOf(scene.frame("cyrillic_label.png"), kAuthorGreen);
    EXPECT_GT(cyrillic.pixels, 100);

    // A character outside the glyph set (a CJK ideograph) draws nothing and does not move the pen.
    s.COPYRIGHT_LABEL = "ЖЖЖ";
    const Box plain = boxOf(scene.frame(), kAuthorGreen);
    s.COPYRIGHT_LABEL = "\xe4\xb8\xadЖЖЖ";
    const Box withUnknown = boxOf(scene.frame(), kAuthorGreen);
    EXPECT_EQ(withUnknown.left, plain.left);
    EXPECT_EQ(withUnknown.right, plain.right);
    EXPECT_EQ(withUnknown.pixels, plain.pixels);

    // Broken UTF-8 is drawn as far as it can be, never read beyond the text.
    s.COPYRIGHT_LABEL = std::string("A\xd0", 2);
    EXPECT_GT(boxOf(scene.frame(), kAuthorGreen).pixels, 10);
}

TEST(Labels, GlyphsKeepTheirPixelSizeOnALargerView)
{
    OffscreenScene small(1024, 768);
    OffscreenScene large(2048, 1536);
    ASSERT_TRUE(small.ok() && large.ok());
    const Box a = boxOf(small.frame(), kAuthorGreen);
    const Box b = boxOf(large.frame("author_label_2048.png"), kAuthorGreen);
    ASSERT_GT(a.pixels, 100);
    EXPECT_NEAR(b.width(), a.width(), 3);
    EXPECT_NEAR(b.height(), a.height(), 3);
}

TEST(Labels, LayerViewNamesTheShownLayer)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(2, 2, 3);
    scene.colour(cellValues(2, 2, 3, [](int, int, int) { return 0.5; }));
    ModelState& s = scene.s();
    const std::array<int, 3> yellow = rgb255(0.9f, 0.8f, 0.2f);
    EXPECT_EQ(boxOf(scene.frame(), yellow).pixels, 0);
    s.edge_mode = false;
    s.layers_mode = true;
    s.SHOW_K = 3;
    const Box k = boxOf(scene.frame("layer_label.png"), yellow);
    EXPECT_GT(k.pixels, 50);
    EXPECT_GT(k.bottom, 768 - 80);  // baseline at y = 70
    EXPECT_LT(k.bottom, 768 - 60);
}

TEST(Animations, TheTopViewSwitchTakesTenFramesAndEasesQuadratically)
{
    OffscreenScene scene(320, 240);
    ASSERT_TRUE(scene.ok()) << scene.error();
    ModelState& s = scene.s();
    s.step = 0;
    s.mode_2d = true;
    scene.frame();
    EXPECT_FLOAT_EQ(s.rotation.x, 70.0f * 0.25f / 25.0f - 70.0f);
    for (int frame = 1; frame < 10; ++frame) scene.frame();
    EXPECT_FALSE(s.mode_2d);
    EXPECT_EQ(s.rotation.x, 0.0f);
    EXPECT_EQ(s.scale, glm::vec3(3, 3, 15));  // perspective 2D keeps the scale

    // Back to the oblique view.
    s.step = 0;
    s.mode_3d = true;
    for (int frame = 0; frame < 10; ++frame) scene.frame();
    EXPECT_FALSE(s.mode_3d);
    EXPECT_EQ(s.rotation.x, -70.0f);
}

TEST(Animations, OrthographicTopViewRescalesAndHidesTheCursor)
{
    OffscreenScene scene(320, 240);
    ASSERT_TRUE(scene.ok()) << scene.error();
    ModelState& s = scene.s();
    s.twoD_ortho = true;
    s.isCursor = true;
    const float ratio = s.WINDOW_RATIO;
    const glm::vec3 scale = s.scale;
    s.step = 0;
    s.mode_2d = true;
    for (int frame = 0; frame < 10; ++frame) scene.frame();
    EXPECT_EQ(s.rotation.x, 0.0f);
    EXPECT_FLOAT_EQ(s.scale.x, scale.x / ratio);
    EXPECT_EQ(s.position.z, -1.0f);
    scene.frame();
    EXPECT_FALSE(s.displayCursor);
    EXPECT_EQ(s.ProjectionMatrix[2][3], 0.0f);  // orthographic: no perspective divide

    s.saved_position_z_2d = 0.25f;
    s.step = 0;
    s.mode_3d = true;
    s.mode_3d_first_step = true;
    scene.frame();
    EXPECT_FLOAT_EQ(s.scale.x, scale.x);
    EXPECT_EQ(s.position.z, 0.25f);
    EXPECT_FALSE(s.mode_3d_first_step);
    scene.frame();
    EXPECT_TRUE(s.displayCursor);  // any tilt brings the perspective back

    s.rotating = true;
    const float z = s.rotation.z;
    scene.frame();
    EXPECT_FLOAT_EQ(s.rotation.z, z + 0.1f);
}

}  // namespace
}  // namespace morvane
