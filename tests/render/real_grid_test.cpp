// Grids as real exports write them, imported through the grid import command and drawn offscreen: a turned,
// irregular grid with inactive cells, and a thick grid in feet that the view is fitted to at load.
#include <gtest/gtest.h>

#include "commands/grid_import_command.h"
#include "commands/model_display.h"
#include "scene/view_fit.h"
#include "tests/support/generated_inputs.h"
#include "tests/support/offscreen_scene.h"
#include "tests/support/recorded_prompts.h"
#include "tests/support/scene_feedback_recorder.h"
#include "tests/support/temp_folder.h"

namespace morvane {
namespace {

using namespace morvane::testing;

const std::array<int, 3> kGreen = rgb255(0, 1, 0);  // the permeability ramp's middle

// Imports the generated grid as the menu command does, then colours every cell with the ramp's middle.
void importAndColour(OffscreenScene& scene, const gen::GridOptions& o, const TempFolder& folder)
{
    test::FeedbackRecorder feedback;
    NoGridImportWindow noWindow;
    RecordedPrompts prompts({});
    ASSERT_EQ(importGridFile({scene.s(), feedback, scene.view(), noWindow, prompts},
                             gen::writeGrid(o, folder.path()).front().string()),
              GridImportOutcome::Loaded);
    const std::size_t cells = static_cast<std::size_t>(scene.s().document.grid.cellCount);
    loadContinuousProperty(scene.s(), scene.view(), std::vector<double>(cells, 0.5));
    scene.s().view.display.gridLines = false;
}

// Pixels of the colour within `margin` pixels of the picture's edge.
int onTheEdge(const RgbaImage& image, const std::array<int, 3>& rgb, int margin)
{
    int n = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const bool edge = x < margin || y < margin || x >= image.width - margin || y >= image.height - margin;
            n += edge && near(image.at(x, y), rgb) ? 1 : 0;
        }
    return n;
}

// Seen from straight above, the turned grid covers a large part of the view; where a column is inactive in every
// layer nothing of the model is drawn, unless inactive cells are shown, which are grey.
TEST(RealGridPictures, TurnedGridShowsNoInactiveCell)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    const gen::GridOptions o = gen::realExportGrid("TURNED", 24, 18, 4);
    const TempFolder folder;
    importAndColour(scene, o, folder);
    ModelState& s = scene.s();
    ASSERT_TRUE(s.document.grid.layoutFromSpecgrid);
    s.view.camera.rotation = glm::vec3(0.0f);
    fitModelInView(s);
    const RgbaImage image = scene.frame("turned_grid.png");

    EXPECT_GT(countPixels(image, kGreen), image.width * image.height / 8);
    EXPECT_EQ(onTheEdge(image, kGreen, 2), 0);
    // The corner columns lie outside the active ellipse; the centre column inside it.
    const auto active = gen::activeCells(o);
    for (auto [i, j] : {std::pair{0, 0}, std::pair{23, 0}, std::pair{0, 17}, std::pair{23, 17}}) {
        ASSERT_EQ(active[static_cast<std::size_t>(j * o.nx + i)], 0);
        const glm::ivec2 p = scene.topCentrePixel(0, j, i);
        EXPECT_FALSE(near(image.at(p.x, p.y), kGreen)) << i << ", " << j << " " << describe(image.at(p.x, p.y));
    }
    const glm::ivec2 centre = scene.topCentrePixel(0, 9, 12);
    EXPECT_TRUE(near(image.at(centre.x, centre.y), kGreen)) << describe(image.at(centre.x, centre.y));

    showInactiveCells(s, &scene.view(), true);
    const RgbaImage shown = scene.frame("turned_grid_inactive_shown.png");
    const glm::ivec2 corner = scene.topCentrePixel(0, 0, 0);
    EXPECT_TRUE(near(shown.at(corner.x, corner.y), rgb255(176 / 255.0f, 176 / 255.0f, 176 / 255.0f)))
        << describe(shown.at(corner.x, corner.y));
}

// A grid 2000 ft thick and 6000 ft wide: the usual placement would fill the view with one corner; fitted at load,
// the whole model is seen, clear of all four sides of the picture.
TEST(RealGridPictures, FittedThickGridShowsAllFourSides)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    const TempFolder folder;
    importAndColour(scene, testing::thickGridInFeet(), folder);
    const RgbaImage image = scene.frame("thick_grid.png");

    EXPECT_TRUE(boxInView(modelBox(scene.s().document.grid), scene.s().view));
    EXPECT_EQ(onTheEdge(image, kGreen, 2), 0);
    // The model reaches towards every side: green in each outer third of the picture.
    int left = 0, right = 0, top = 0, bottom = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            if (!near(image.at(x, y), kGreen)) continue;
            left += x < image.width / 3;
            right += x >= 2 * image.width / 3;
            top += y < image.height / 3;
            bottom += y >= 2 * image.height / 3;
        }
    EXPECT_GT(left, 0);
    EXPECT_GT(right, 0);
    EXPECT_GT(top, 0);
    EXPECT_GT(bottom, 0);
}

// Pixels that differ by more than a rounding step in some channel, the corner of the view's labels (the layer,
// the cut) left out when `besideLabels`.
int differingPixels(const RgbaImage& a, const RgbaImage& b, bool besideLabels = false)
{
    int n = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            if (besideLabels && x < 220 && y >= a.height - 130) continue;
            for (std::size_t c = 0; c < 3; ++c)
                if (std::abs(int(a.at(x, y)[c]) - int(b.at(x, y)[c])) > 12) {
                    ++n;
                    break;
                }
        }
    return n;
}

// The shell, the section, the layer view's block and the kept cells of the property filter draw only the faces and
// lines that can be seen. On a turned, irregular, faulted grid with inactive cells, coloured cell by cell, they must
// show what drawing every face of every cell shows: from above and the sides the shell, and the filter view with a
// cut that keeps every cell, against the block of all layers seen through by a hair; the opaque section and block
// against themselves so seen, which draws every face.
TEST(RealGridPictures, ShellSectionAndLayerBlockShowWhatEveryFaceShows)
{
    OffscreenScene scene(640, 480);
    ASSERT_TRUE(scene.ok()) << scene.error();
    const TempFolder folder;
    gen::GridOptions o = gen::realExportGrid("faulted", 24, 16, 6);
    o.faultThrow = 30;
    importAndColour(scene, o, folder);
    ModelState& s = scene.s();
    std::vector<double> values(static_cast<std::size_t>(s.document.grid.cellCount));
    for (std::size_t c = 0; c < values.size(); ++c) values[c] = double((c * 7919) % 101) / 100.0;
    loadContinuousProperty(s, scene.view(), values);
    const int area = scene.width() * scene.height();
    // The opaque view against itself drawn see-through by a hair.
    const auto seenThroughAlike = [&](const char* view, const char* file, float turn) {
        const RgbaImage opaque = scene.frame(file);
        s.view.display.modelOpacity = 0.999f;
        EXPECT_LT(differingPixels(opaque, scene.frame()), area / 500) << view << " at " << turn;
        s.view.display.modelOpacity = 1.0f;
    };

    for (const glm::vec3 turn : {glm::vec3(-55, 0, 30), glm::vec3(-35, 0, -120), glm::vec3(-75, 0, 200)}) {
        s.view.camera.rotation = turn;
        s.view.mode = ViewMode::Shell;
        const RgbaImage shell = scene.frame("shell_turned.png");
        s.view.mode = ViewMode::Layers;  // every layer, every face, seen through by a hair
        s.view.layer.oneAtATime = false;
        s.view.layer.shown = 1;
        s.view.display.modelOpacity = 0.999f;
        const RgbaImage everyFace = scene.frame();
        s.view.mode = ViewMode::Shell;
        s.view.display.modelOpacity = 1.0f;
        EXPECT_LT(differingPixels(shell, everyFace, true), area / 500) << "shell at " << turn.z;
        s.view.mode = ViewMode::Filter;
        s.view.filter = PropertyFilterSetting::cutAt(-1.0f, true);  // removes the cells below -1: none
        scene.view().recolourCells();
        EXPECT_LT(differingPixels(everyFace, scene.frame("filter_turned.png"), true), area / 500)
            << "filter view at " << turn.z;
        s.view.mode = ViewMode::Shell;
        s.view.filter = {};
        scene.view().recolourCells();

        s.view.mode = ViewMode::FlatSection;
        seenThroughAlike("section", "section_turned.png", turn.z);

        s.view.mode =
            ViewMode::Layers;  // the block of eight layers from layer 2 down, with the lines of its upper layer
        s.view.layer.oneAtATime = false;
        s.view.layer.shown = 2;
        s.view.display.gridLines = true;
        seenThroughAlike("layer block", "block_turned.png", turn.z);
        s.view.mode = ViewMode::Shell;
        s.view.display.gridLines = false;
    }
}

}  // namespace
}  // namespace morvane
