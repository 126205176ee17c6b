// Labels in the label space: the author label, the layer text, Cyrillic letters, the pixel size of glyphs on
// views of other sizes; and the projection a frame chooses for the top view.
#include <gtest/gtest.h>

#include "tests/support/offscreen_scene.h"

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

    scene.s().view.display.text = false;
    EXPECT_EQ(boxOf(scene.frame(), kAuthorGreen).pixels, 0);
}

TEST(Labels, CyrillicLettersAreDrawnAndUnknownOnesTakeNoRoom)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    ModelState& s = scene.s();
    s.view.display.signature = "ЖЖЖ";
    const Box cyrillic = boxOf(scene.frame("cyrillic_label.png"), kAuthorGreen);
    EXPECT_GT(cyrillic.pixels, 100);

    // A character outside the glyph set (a CJK ideograph) draws nothing and does not move the pen.
    s.view.display.signature = "ЖЖЖ";
    const Box plain = boxOf(scene.frame(), kAuthorGreen);
    s.view.display.signature = "\xe4\xb8\xadЖЖЖ";
    const Box withUnknown = boxOf(scene.frame(), kAuthorGreen);
    EXPECT_EQ(withUnknown.left, plain.left);
    EXPECT_EQ(withUnknown.right, plain.right);
    EXPECT_EQ(withUnknown.pixels, plain.pixels);

    // Broken UTF-8 is drawn as far as it can be, never read beyond the text.
    s.view.display.signature = std::string("A\xd0", 2);
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
    s.view.mode = ViewMode::Layers;
    s.view.layer.shown = 3;
    const Box k = boxOf(scene.frame("layer_label.png"), yellow);
    EXPECT_GT(k.pixels, 50);
    EXPECT_GT(k.bottom, 768 - 80);  // baseline at y = 70
    EXPECT_LT(k.bottom, 768 - 60);
}

TEST(Projection, AStraightDownOrthographicViewHidesThePivotCursorAndAnyTiltBringsPerspectiveBack)
{
    OffscreenScene scene(320, 240);
    ASSERT_TRUE(scene.ok()) << scene.error();
    ModelState& s = scene.s();
    s.view.display.orthographicTopView = true;
    s.view.pivotCursor = true;
    s.view.camera.rotation.x = 0;
    scene.frame();
    EXPECT_FALSE(scene.view().scene().cursorAllowed());
    EXPECT_EQ(s.view.frame.projection[2][3], 0.0f);  // orthographic: no perspective divide

    s.view.camera.rotation.x = -1;
    scene.frame();
    EXPECT_TRUE(scene.view().scene().cursorAllowed());
    EXPECT_EQ(s.view.frame.projection[2][3], -1.0f);

    s.view.display.orthographicTopView = false;
    s.view.camera.rotation.x = 0;
    scene.frame();
    EXPECT_TRUE(scene.view().scene().cursorAllowed());  // the perspective top view keeps the cursor
}

}  // namespace
}  // namespace morvane
