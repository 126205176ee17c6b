// Cells coloured by a known continuous property show their ramp colours where their top faces land on screen, and
// the background elsewhere.
#include <gtest/gtest.h>

#include "tests/support/offscreen_scene.h"

namespace morvane {
namespace {

using namespace morvane::testing;

// The picture corners are far from the model in the start view.
void expectBackgroundCorners(OffscreenScene& scene, const RgbaImage& image)
{
    const int w = scene.width(), h = scene.height();
    for (auto [x, y] : {std::pair{3, 3}, std::pair{w - 4, 3}, std::pair{w - 4, h - 4}, std::pair{w / 2, 3}})
        EXPECT_TRUE(near(image.at(x, y), backgroundOf(scene.s()))) << x << ", " << y << " " << describe(image.at(x, y));
}

TEST(GridColours, OneCellShowsItsRampColourAtItsCentreAndBackgroundAround)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(1, 1, 1);
    scene.colour({0.25});
    const RgbaImage image = scene.frame("one_cell.png");

    const glm::ivec2 c = scene.topCentrePixel(0, 0, 0);
    EXPECT_TRUE(near(image.at(c.x, c.y), permeabilityColour(0.25))) << describe(image.at(c.x, c.y));
    expectBackgroundCorners(scene, image);
}

TEST(GridColours, EveryTopCellOfA3x3x2GridShowsItsOwnColour)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(3, 3, 2);
    // Eighteen distinct values over the ramp; the top layer takes 0 .. 8/17.
    const auto value = [](int k, int i, int j) { return (k * 9 + i * 3 + j) / 17.0; };
    scene.colour(cellValues(3, 3, 2, value));
    const RgbaImage image = scene.frame("grid_3x3x2.png");

    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const glm::ivec2 c = scene.topCentrePixel(0, i, j);
            EXPECT_TRUE(near(image.at(c.x, c.y), permeabilityColour(value(0, i, j))))
                << "cell " << i << ", " << j << " shows " << describe(image.at(c.x, c.y));
        }
    expectBackgroundCorners(scene, image);
}

TEST(GridColours, TopViewShowsTheLowerLayerInLayerView)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(3, 3, 2);
    const auto value = [](int k, int i, int j) { return (k * 9 + i * 3 + j) / 17.0; };
    scene.colour(cellValues(3, 3, 2, value));
    ModelState& s = scene.s();
    s.view.camera.rotation = glm::vec3(0.0f);  // straight down
    s.view.mode = ViewMode::Layers;
    s.view.layer.shown = 2;
    const RgbaImage image = scene.frame("layer2_top_view.png");

    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const glm::ivec2 c = scene.topCentrePixel(1, i, j);
            EXPECT_TRUE(near(image.at(c.x, c.y), permeabilityColour(value(1, i, j))))
                << "cell " << i << ", " << j << " shows " << describe(image.at(c.x, c.y));
        }
}

TEST(GridColours, AnUndefinedValueIsDrawnGrey)
{
    OffscreenScene scene(512, 384);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(2, 1, 1);
    scene.colour({-999.99, 1.0});
    const RgbaImage image = scene.frame();
    const glm::ivec2 undefinedCell = scene.topCentrePixel(0, 0, 0);
    const glm::ivec2 highCell = scene.topCentrePixel(0, 0, 1);
    EXPECT_TRUE(near(image.at(undefinedCell.x, undefinedCell.y), {127, 127, 127}))
        << describe(image.at(undefinedCell.x, undefinedCell.y));
    EXPECT_TRUE(near(image.at(highCell.x, highCell.y), permeabilityColour(1.0)));
}

// Permeability on its logarithmic ramp: 1, 10, 100 and 1000 mD between limits of 1 and 1000 mD are four colours
// evenly spaced along the ramp (a linear ramp would draw the first three nearly alike), and a cell without a value
// is grey.
TEST(GridColours, ALogarithmicRampDrawsDecadesInEvenlySpacedColours)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(5, 1, 1);
    scene.colour({1, 10, 100, 1000, kNoValue});
    ModelState& s = scene.s();
    Property& perm = *s.document.properties.find("PERM");
    perm.lowLimit = 1;
    perm.highLimit = 1000;
    perm.logScale = true;
    ++s.document.properties.revision;
    scene.view().recolourCells();
    const RgbaImage image = scene.frame("log_ramp.png");
    for (int j = 0; j < 4; ++j) {
        const glm::ivec2 c = scene.topCentrePixel(0, 0, j);
        EXPECT_TRUE(near(image.at(c.x, c.y), permeabilityColour(j / 3.0)))
            << "1e" << j << " mD shows " << describe(image.at(c.x, c.y));
    }
    const glm::ivec2 none = scene.topCentrePixel(0, 0, 4);
    EXPECT_TRUE(near(image.at(none.x, none.y), {127, 127, 127})) << describe(image.at(none.x, none.y));
}

}  // namespace
}  // namespace morvane
