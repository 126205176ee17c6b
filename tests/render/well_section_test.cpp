// The unfolded well section of a generated model through three deviated wells: coloured cell outlines and the
// contact line on a white background, the wells and their names in front, and nothing of the model's own space.
#include <map>

#include <gtest/gtest.h>

#include "commands/well_section_command.h"
#include "tests/support/generated_inputs.h"
#include "tests/support/offscreen_scene.h"
#include "tests/support/recorded_prompts.h"
#include "tests/support/scene_feedback_recorder.h"
#include "tests/support/temp_folder.h"

namespace morvane {
namespace {

using namespace morvane::testing;

// A deviated well through the model, loaded as the well import loads it.
void importDeviatedWell(OffscreenScene& scene, const std::string& name, double x, double y, double azimuth)
{
    std::vector<std::vector<float>> points;
    for (const gen::WellStation& st : gen::wellStations(deviatedWell(name, x, y, azimuth)))
        points.push_back(
            {static_cast<float>(st.md), static_cast<float>(st.x), static_cast<float>(st.y), static_cast<float>(st.z)});
    scene.loadWell(name, std::move(points));
}

TEST(WellSection, UnfoldedSectionShowsColouredCellOutlinesOnWhite)
{
    OffscreenScene scene(1024, 768);
    ASSERT_TRUE(scene.ok()) << scene.error();
    // 1200 m x 800 m, 2000 m to 2060 m deep, in local coordinates (near the origin, as the unfolded strip is).
    gen::GridOptions grid = smallGrid(24, 16, 6);
    grid.originX = 0;
    grid.originY = 0;
    putGeneratedGrid(scene.s(), grid);
    scene.view().buildGridMeshes();
    scene.view().uploadGrid();
    // Values over the section's whole table: deeper layers and eastern columns higher.
    scene.colour(cellValues(24, 16, 6, [](int k, int, int j) { return 0.01 + 0.04 * k + 0.002 * j; }));
    ModelState& s = scene.s();
    s.document.contacts.owc.level = -2.035f;  // the contact in the middle of the model
    importDeviatedWell(scene, "W-1", 200, 200, 60);
    importDeviatedWell(scene, "W-2", 600, 550, 120);
    importDeviatedWell(scene, "W-3", 1000, 250, 30);

    test::FeedbackRecorder feedback;
    NoWellSectionWindow window;
    RecordedPrompts prompts{{}};
    TempFolder folder;
    const AppSettings settings(QString::fromStdString(folder.file("Morvane.ini").string()));
    std::string error;
    ASSERT_TRUE(showSectionThroughWells(WellSectionContext{s, feedback, scene.view(), window, prompts, settings},
                                        {"W-1", "W-2", "W-3"}, &error))
        << error;
    ASSERT_EQ(s.intersect_lines.size(), 5u);
    for (const Vertices& entry : s.intersect_lines) EXPECT_FALSE(entry.empty());

    // The wells in the model's own space take a colour of their own; only their copies in the section are drawn.
    s.view.wells.lineColour = {0.5f, 0.3f, 0.7f};
    scene.view().colourWellLines();
    scene.view().uploadWells();

    const RgbaImage image = scene.frame("well_section_unfolded.png");
    EXPECT_EQ(countPixels(image, rgb255(0.5f, 0.3f, 0.7f), 12), 0) << "the wells in the model's space";
    const std::array<int, 3> white{255, 255, 255};
    const int pixels = image.width * image.height;
    EXPECT_GT(countPixels(image, white), pixels / 3) << "the background is white";
    EXPECT_GT(countPixels(image, rgb255(0, 0, 1), 30), 2000) << "the contact line";
    EXPECT_GT(countPixels(image, {0, 0, 0}, 30), 500) << "the wells";

    // Cell outlines in several colours of the table, spread over the width of the view.
    std::map<int, int> colours;
    int left = image.width, right = 0;
    const std::array<int, 3> label = rgb255(0.5f, 0.8f, 0.2f);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const auto p = image.at(x, y);
            const int r = p[0], g = p[1], b = p[2];
            const bool grey = std::abs(r - g) < 20 && std::abs(g - b) < 20;  // background, wells
            if (grey || near(p, rgb255(0, 0, 1), 40) || near(p, label, 60)) continue;
            colours[(r / 64) * 16 + (g / 64) * 4 + b / 64] += 1;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    int strong = 0;
    for (const auto& [colour, count] : colours) strong += count >= 300 ? 1 : 0;
    EXPECT_GE(strong, 4);
    EXPECT_LT(left, image.width / 10);
    EXPECT_GT(right, image.width * 9 / 10);
}

}  // namespace
}  // namespace morvane
