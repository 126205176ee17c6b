// What each view mode draws: the outer shell in edge mode, one layer (or eight) in layer view, the clipped model
// in flat-section mode and, in the property filter view, only the cells on the kept side of the cut.
#include <gtest/gtest.h>

#include "tests/support/offscreen_scene.h"

namespace morvane {
namespace {

using namespace morvane::testing;

const std::array<int, 3> kRed = rgb255(1, 0, 0);
const std::array<int, 3> kBlue = rgb255(0, 0, 1);
const std::array<int, 3> kGreen = rgb255(0, 1, 0);

// A 3 x 3 x 3 grid: top and bottom layers blue (0), the middle layer red (1).
void redMiddleLayer(OffscreenScene& scene)
{
    scene.loadGrid(3, 3, 3);
    scene.colour(cellValues(3, 3, 3, [](int k, int, int) { return k == 1 ? 1.0 : 0.0; }));
}

// Centre of the outward side face of cell (k, i = 0, j) on the near side (the side of the first cell row).
glm::vec3 nearSideCentre(const ModelState& s, int k, int j)
{
    const Vertices& layer = s.document.grid.layerVertices.at(static_cast<std::size_t>(k));
    glm::vec3 sum(0.0f);
    const int b = j * 4;
    for (int v : {b, b + 1, b + s.document.grid.surfaceVertices, b + 1 + s.document.grid.surfaceVertices}) {
        const std::size_t at = static_cast<std::size_t>(v) * 6;
        sum += glm::vec3(layer[at], layer[at + 1], layer[at + 2]);
    }
    return sum / 4.0f;
}

TEST(EdgeMode, ShowsTopBottomAndSidesButNoInnerFaces)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok()) << scene.error();
    redMiddleLayer(scene);
    ModelState& s = scene.s();
    // From above and the near side: the top layer's top faces and every layer's near walls.
    s.view.camera.rotation = glm::vec3(-70, 0, 0);
    const RgbaImage side = scene.frame("edge_side.png");
    const glm::ivec2 top = scene.topCentrePixel(0, 1, 1);
    EXPECT_TRUE(near(side.at(top.x, top.y), kBlue)) << describe(side.at(top.x, top.y));
    for (int j = 0; j < 3; ++j) {
        const glm::ivec2 upper = scene.pixelOf(nearSideCentre(s, 0, j));
        const glm::ivec2 middle = scene.pixelOf(nearSideCentre(s, 1, j));
        const glm::ivec2 bottom = scene.pixelOf(nearSideCentre(s, 2, j));
        EXPECT_TRUE(near(side.at(upper.x, upper.y), kBlue)) << "top layer wall " << j;
        EXPECT_TRUE(near(side.at(middle.x, middle.y), kRed)) << "middle layer wall " << j;
        EXPECT_TRUE(near(side.at(bottom.x, bottom.y), kBlue)) << "bottom layer wall " << j;
    }

    // From below the shell is closed by the bottom layer's bottom faces: no red inner wall of the middle layer shows
    // through, only its outer walls seen edge-on. The filter view without a cut draws the same shell.
    s.view.camera.rotation = glm::vec3(-160, 0, 40);
    const Vertices& bottomLayer = s.document.grid.layerVertices.at(2);
    glm::vec3 bottomCentre(0.0f);
    for (int v = 0; v < 4; ++v) {
        const std::size_t at =
            static_cast<std::size_t>(4 * 4 + v + s.document.grid.surfaceVertices) * 6;  // cell (1, 1)
        bottomCentre += glm::vec3(bottomLayer[at], bottomLayer[at + 1], bottomLayer[at + 2]) / 4.0f;
    }
    const glm::ivec2 bottom = scene.pixelOf(bottomCentre);
    const RgbaImage shell = scene.frame("edge_from_below.png");
    s.view.mode = ViewMode::Filter;
    const RgbaImage filterView = scene.frame("filter_view_from_below.png");
    for (const RgbaImage* image : {&shell, &filterView}) {
        EXPECT_TRUE(near(image->at(bottom.x, bottom.y), kBlue)) << describe(image->at(bottom.x, bottom.y));
        EXPECT_LT(countPixels(*image, kRed, 40), 2000);
    }
}

TEST(LayerView, ShowsOnlyTheChosenLayer)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(3, 3, 3);
    // Layer 0 blue, layer 1 green, layer 2 red.
    scene.colour(cellValues(3, 3, 3, [](int k, int, int) { return k * 0.5; }));
    ModelState& s = scene.s();
    s.view.mode = ViewMode::Layers;
    const std::array<std::array<int, 3>, 3> colours{kBlue, kGreen, kRed};
    for (int shown = 1; shown <= 3; ++shown) {
        s.view.layer.shown = shown;
        const RgbaImage image = scene.frame("layer_" + std::to_string(shown) + ".png");
        for (int k = 0; k < 3; ++k) {
            const int pixels = countPixels(image, colours[static_cast<std::size_t>(k)], 2);
            if (k == shown - 1)
                EXPECT_GT(pixels, 2000) << "layer " << k + 1 << " is missing";
            else
                EXPECT_EQ(pixels, 0) << "layer " << k + 1 << " drawn while showing " << shown;
        }
    }
}

TEST(LayerView, EightLayersFromTheChosenOneDownwardsAndNoneBelowTheLast)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(1, 1, 10);
    // Layer k has value k / 9: ten distinguishable colours.
    const auto value = [](int k, int, int) { return k / 9.0; };
    scene.colour(cellValues(1, 1, 10, value));
    ModelState& s = scene.s();
    s.view.mode = ViewMode::Layers;
    s.view.layer.oneAtATime = false;
    s.view.display.modelOpacity = 1.0f;             // opaque, so a wall shows its own colour
    s.view.camera.rotation = glm::vec3(-90, 0, 0);  // from the side: every layer's near wall is in view
    s.view.camera.scale *= 0.1f;                    // ten layers of a one-cell column fit in the picture

    const auto drawnLayers = [&](int showK) {
        s.view.layer.shown = showK;
        const RgbaImage image = scene.frame("eight_layers_from_" + std::to_string(showK) + ".png");
        std::vector<int> drawn;
        for (int k = 0; k < 10; ++k) {
            const glm::ivec2 p = scene.pixelOf(nearSideCentre(s, k, 0));
            if (near(image.at(p.x, p.y), permeabilityColour(value(k, 0, 0))))
                drawn.push_back(k);
            else
                EXPECT_TRUE(near(image.at(p.x, p.y), backgroundOf(s)))
                    << "layer " << k << " " << describe(image.at(p.x, p.y));
        }
        return drawn;
    };
    EXPECT_EQ(drawnLayers(2), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(drawnLayers(10), (std::vector<int>{9}));
}

TEST(FlatSection, ClipsTheModelOnTheFarSideOfThePlaneAndShowsThePlane)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(5, 5, 2);
    const auto value = [](int k, int i, int j) { return (k * 25 + i * 5 + j) / 49.0; };
    scene.colour(cellValues(5, 5, 2, value));
    ModelState& s = scene.s();
    s.view.mode = ViewMode::FlatSection;
    const RgbaImage image = scene.frame("flat_section.png");

    // Which top-face centres lie on the kept side of the plane y = 2.6 z (in world space, where the shader cuts).
    int kept = 0, cut = 0;
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            const glm::vec3 centre = topFaceCentre(s, 0, i, j);
            const float distance = glm::dot(s.view.frame.model * glm::vec4(centre, 1.0f), s.clip_plane0);
            const glm::ivec2 p = scene.pixelOf(centre);
            // The red plane is drawn half-transparent over what lies behind it.
            const std::array<int, 3> own = permeabilityColour(value(0, i, j));
            const std::array<int, 3> throughPlane{(own[0] + 255 + 1) / 2, own[1] / 2, own[2] / 2};
            const bool shows = near(image.at(p.x, p.y), own, 2) || near(image.at(p.x, p.y), throughPlane, 2);
            if (distance > 0.05f) {
                EXPECT_TRUE(shows) << "kept cell " << i << ", " << j << " " << describe(image.at(p.x, p.y));
                ++kept;
            } else if (distance < -0.05f) {
                EXPECT_FALSE(shows) << "cut cell " << i << ", " << j << " still shows";
                ++cut;
            }
        }
    EXPECT_GT(kept, 0);
    EXPECT_GT(cut, 0);
    const std::array<int, 3> planeOverBackground{(255 + s.view.display.background[0] + 1) / 2,
                                                 s.view.display.background[1] / 2, s.view.display.background[2] / 2};
    EXPECT_GT(countPixels(image, planeOverBackground, 2), 1000) << "the red section plane";

    // The same model without the section shows every top cell.
    s.view.mode = ViewMode::Shell;
    const RgbaImage whole = scene.frame();
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            const glm::ivec2 p = scene.pixelOf(topFaceCentre(s, 0, i, j));
            EXPECT_TRUE(near(whole.at(p.x, p.y), permeabilityColour(value(0, i, j)), 2)) << i << ", " << j;
        }
}

TEST(PropertyCut, CellsBelowTheCutAreAbsentAndTheCutIsLabelled)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(3, 1, 1);
    const std::vector<double> values{0.1, 0.25, 0.8};
    scene.colour(values);
    ModelState& s = scene.s();
    s.view.mode = ViewMode::Filter;
    s.view.filter = PropertyFilterSetting::cutAt(0.25f, true);
    scene.view().recolourCells();
    const RgbaImage image = scene.frame("property_cut.png");

    for (int j = 0; j < 3; ++j) {
        const glm::ivec2 p = scene.topCentrePixel(0, 0, j);
        const std::array<int, 3> expected =
            j == 0 ? backgroundOf(s) : permeabilityColour(values[static_cast<std::size_t>(j)]);
        EXPECT_TRUE(near(image.at(p.x, p.y), expected)) << "cell " << j << " " << describe(image.at(p.x, p.y));
    }
    // "PERM > 0.250" in yellow at (7, 100) of the label space: rows 668 .. 700 from the top.
    const std::array<int, 3> yellow = rgb255(0.9f, 0.8f, 0.2f);
    int labelPixels = 0;
    for (int y = 640; y < 700; ++y)
        for (int x = 0; x < 300; ++x) labelPixels += near(image.at(x, y), yellow, 10) ? 1 : 0;
    EXPECT_GT(labelPixels, 100);
}

// A generated porosity on 8 x 6 cells seen from above: with cells above the cut removed, every cell at or below
// it shows its ramp colour and every other cell what lies under the model (the background, or a line of the grey
// reference grid), never its own or the filtered near-black colour; taking the filter off brings them all back.
TEST(PropertyCut, GeneratedPropertyShowsOnlyTheCellsOnTheKeptSide)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(8, 6, 1);
    gen::PropertyFileOptions o;
    o.nx = 8, o.ny = 6, o.nz = 1;
    gen::PropertyDefinition poro;
    poro.minValue = 0.0, poro.maxValue = 1.0, poro.decimals = 3, poro.seed = 5;
    const std::vector<double> values = gen::propertyValues(o, poro);
    ModelState& s = scene.s();
    s.view.camera.rotation = glm::vec3(0.0f);  // straight down
    s.view.mode = ViewMode::Filter;
    s.view.filter = PropertyFilterSetting::cutAt(0.5f, false);
    scene.colour(values);
    const RgbaImage image = scene.frame("property_filter_view.png");

    int kept = 0, removed = 0, background = 0;
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 8; ++j) {
            const double v = values[static_cast<std::size_t>(i * 8 + j)];
            const auto pixel = image.at(scene.topCentrePixel(0, i, j).x, scene.topCentrePixel(0, i, j).y);
            if (v > 0.5) {
                EXPECT_FALSE(near(pixel, permeabilityColour(v), 20) || near(pixel, rgb255(0.01f, 0.01f, 0.01f), 20))
                    << "removed cell " << i << ", " << j << " value " << v << " shows " << describe(pixel);
                background += near(pixel, backgroundOf(s)) ? 1 : 0;
                ++removed;
            } else {
                EXPECT_TRUE(near(pixel, permeabilityColour(v)))
                    << "kept cell " << i << ", " << j << " value " << v << " shows " << describe(pixel);
                ++kept;
            }
        }
    EXPECT_GT(kept, 5);
    EXPECT_GT(removed, 5);
    EXPECT_GT(background, removed / 2);

    s.view.filter = {};
    scene.view().recolourCells();
    const RgbaImage whole = scene.frame();
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 8; ++j) {
            const glm::ivec2 p = scene.topCentrePixel(0, i, j);
            EXPECT_TRUE(near(whole.at(p.x, p.y), permeabilityColour(values[static_cast<std::size_t>(i * 8 + j)])));
        }
}

// The kept cells are drawn as one closed body: where the cut removes a cell of the top layer, the top face of the
// cell under it shows through the hole, in its own colour.
TEST(PropertyCut, AHoleInTheTopLayerShowsTheCellBeneath)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    scene.loadGrid(3, 3, 3);
    ModelState& s = scene.s();
    s.view.camera.rotation = glm::vec3(0.0f);  // straight down
    s.view.mode = ViewMode::Filter;
    s.view.filter = PropertyFilterSetting::cutAt(0.5f, false);
    const auto value = [](int k, int i, int j) { return k == 0 ? (i == 1 && j == 1 ? 0.9 : 0.1) : 0.2 * k; };
    scene.colour(cellValues(3, 3, 3, value));
    const RgbaImage image = scene.frame("property_cut_hole.png");

    const glm::ivec2 beneath = scene.topCentrePixel(1, 1, 1);
    EXPECT_TRUE(near(image.at(beneath.x, beneath.y), permeabilityColour(value(1, 1, 1))))
        << describe(image.at(beneath.x, beneath.y));
    for (const auto& [i, j] : {std::pair{0, 0}, std::pair{0, 2}, std::pair{2, 1}}) {
        const glm::ivec2 p = scene.topCentrePixel(0, i, j);
        EXPECT_TRUE(near(image.at(p.x, p.y), permeabilityColour(0.1))) << i << ", " << j;
    }
}

// A model near the origin lying 3 km deep, far below the plane of the blue reference square (1 km deep): seen from
// above that plane, zoomed out, and in the orthographic top view, the square shows around the model and never over
// it. The model's own pixels are those of the same frame without the square.
TEST(ReferenceSquare, NeverCoversAModelLyingBelowItsPlane)
{
    OffscreenScene scene(320, 240);
    ASSERT_TRUE(scene.ok()) << scene.error();
    gen::GridOptions deep = smallGrid(40, 40, 2);
    deep.originX = 1000;
    deep.originY = 1000;
    deep.topDepth = 3000;
    putGeneratedGrid(scene.s(), deep);
    scene.view().buildGridMeshes();
    scene.view().uploadGrid();
    scene.colour(cellValues(40, 40, 2, [](int, int, int) { return 1.0; }));  // red cells
    ModelState& s = scene.s();
    s.view.display.gridLines = false;
    const std::array<int, 3> blue = rgb255(0, 0, 1);

    const auto check = [&](const std::string& view) {
        const GLName square = scene.view().scene().gpu().backdrop.vao;
        scene.view().scene().gpu().backdrop.vao = 0;
        const RgbaImage model = scene.frame(view + "_without_square.png");
        scene.view().scene().gpu().backdrop.vao = square;
        const RgbaImage image = scene.frame(view + ".png");
        int modelPixels = 0, blueOnModel = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                if (near(model.at(x, y), backgroundOf(s), 0)) continue;
                ++modelPixels;
                blueOnModel += near(image.at(x, y), blue, 0) ? 1 : 0;
            }
        EXPECT_GT(modelPixels, 500) << view;
        EXPECT_EQ(blueOnModel, 0) << view;
        EXPECT_GT(countPixels(image, blue, 0), 1000) << view << ": the square is in sight around the model";
    };

    // Zoomed out until the camera is high above the square's plane.
    s.view.camera.rotation = glm::vec3(-70, 0, 40);
    s.view.camera.scale = glm::vec3(0.3f);
    check("zoomed_out");

    // The orthographic top view as the turn down leaves it.
    s.view.camera.rotation = glm::vec3(0, 0, 40);
    s.view.display.orthographicTopView = true;
    s.view.camera.scale = glm::vec3(1.0f, 1.0f, s.view.camera.verticalScale) / s.view.frame.ratio;
    s.view.camera.position.z = -1;
    check("top_view");
}

}  // namespace
}  // namespace morvane
