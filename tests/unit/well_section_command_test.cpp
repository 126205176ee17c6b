// The well section commands over the model state: entering and leaving the mode, the segments each picked well
// adds (joining, re-aiming nearly vertical wells, the nine-well limit), and showing the unfolded section.
#include <cmath>

#include <gtest/gtest.h>

#include "commands/well_section_command.h"
#include "tests/support/recorded_prompts.h"
#include "tests/support/recorded_scene.h"
#include "tests/support/scene_feedback_recorder.h"
#include "tests/support/section_grid.h"
#include "tests/support/temp_folder.h"

namespace morvane {
namespace {

class RecordedSectionWindow final : public WellSectionWindow {
public:
    void showSelectionWindow() override
    {
        shown = true;
        rows.clear();
    }
    void hideSelectionWindow() override { shown = false; }
    void addSectionRow(const std::string& well, int number) override { rows.emplace_back(well, number); }
    void releaseSectionButton() override { released = true; }
    void enableViewButtons(bool enabled) override { viewButtons = enabled; }
    void applySectionColours(bool sectionShown) override { darkLegendText = sectionShown; }

    bool shown = false, released = false, viewButtons = true, darkLegendText = false;
    std::vector<std::pair<std::string, int>> rows;
};

class WellSectionCommand : public ::testing::Test {
protected:
    // A grid of 20 x 20 cells of 50 m and two layers, a continuous property on display.
    WellSectionCommand() : s(testing::sectionGrid(20, 20, 2, 0.05f)) {}

    // A well with one station above the model and `stations` inside it, going down from the model's top.
    int addWell(const std::string& name, const std::vector<std::pair<float, float>>& stations)
    {
        Vertices shown, hidden{stations[0].first, stations[0].second, 0.5f, 0, 0, 0};
        for (std::size_t n = 0; n < stations.size(); ++n) {
            const float z = -1.0f - 2.0f * static_cast<float>(n) / static_cast<float>(stations.size());
            shown.insert(shown.end(), {stations[n].first, stations[n].second, z, 0, 0, 0});
        }
        hidden.insert(hidden.end(), shown.begin(), shown.begin() + 6);
        const auto& [fx, fy] = stations.front();
        const auto& [lx, ly] = stations.back();
        s.well_coord_vertex_show.push_back(shown);
        s.well_coord_vertex_hide.push_back(hidden);
        s.well_proj_length.push_back(std::hypot(lx - fx, ly - fy));
        s.document.wells.add(Well{name, {}});
        return static_cast<int>(s.document.wells.items.size()) - 1;
    }
    // A deviated well of eight stations from (x, y) towards (x + dx, y + dy).
    int deviated(const std::string& name, float x, float y, float dx, float dy)
    {
        std::vector<std::pair<float, float>> stations;
        for (int n = 0; n < 8; ++n) stations.emplace_back(x + dx * n / 7.0f, y + dy * n / 7.0f);
        return addWell(name, stations);
    }
    int vertical(const std::string& name, float x, float y)
    {
        return addWell(name, std::vector<std::pair<float, float>>(8, {x, y}));
    }

    bool click(int well, bool left = true)
    {
        s.view.hoveredWells = {well};
        return addSectionWell(ctx, left);
    }
    void enter() { ASSERT_EQ(switchWellSection(ctx, false), ModeButtons::OnlyThisOne); }

    // The segments cut so far, by their trace labels, in order.
    std::vector<std::string> cuts() const
    {
        std::vector<std::string> labels;
        for (const std::string& line : feedback.traces)
            for (const char* label : {"current", "mezhdu", "prev", "zamena1", "zamena2"})
                if (line == label) labels.push_back(line);
        return labels;
    }
    bool finite() const
    {
        for (const auto* lists : {&s.intersect_lines, &s.intersect_owc, &s.section_well_coord_vertex})
            for (const Vertices& v : *lists)
                for (float f : v)
                    if (!std::isfinite(f)) return false;
        for (float f :
             {s.last_well_section_x, s.last_well_section_y, s.last_well_section_x_start, s.last_well_section_y_start,
              s.last_ext_well_section_x_start, s.last_ext_well_section_y_end, s.last_alfa})
            if (!std::isfinite(f)) return false;
        return true;
    }

    ModelState s;
    test::FeedbackRecorder feedback;
    test::RecordedSceneOperations view{feedback};
    RecordedSectionWindow window;
    testing::RecordedPrompts prompts{{}};
    testing::TempFolder folder;
    AppSettings settings{QString::fromStdString(folder.file("Morvane.ini").string())};
    WellSectionContext ctx{s, feedback, view, window, prompts, settings};
};

TEST_F(WellSectionCommand, EnteringNeedsAGridAndAPropertyAndStartsAnEmptySection)
{
    ModelState none;
    WellSectionContext noGrid{none, feedback, view, window, prompts, settings};
    EXPECT_EQ(switchWellSection(noGrid, false), ModeButtons::Unchanged);
    none.document.grid.loaded = true;
    none.view.language = "ru";
    EXPECT_EQ(switchWellSection(noGrid, false), ModeButtons::Unchanged);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].text, "There are no grid loaded. Please, load grid first.");
    EXPECT_EQ(prompts.messages[0].caption, "Property loading");
    EXPECT_EQ(prompts.messages[1].text, "В проект еще не загружены свойства. Пожалуйста, загрузите сначала свойства.");
    EXPECT_EQ(prompts.messages[1].caption, "Загрузка свойства");
    EXPECT_FALSE(none.view.is(ViewMode::WellSection));
    EXPECT_TRUE(none.view.is(ViewMode::Shell));
    EXPECT_FALSE(window.shown);

    // Entering: every other mode off, the cut taken off with one recolour, the earlier section emptied.
    s.view.mode = ViewMode::Layers;
    s.view.filter = PropertyFilterSetting::cutAt(0.2f, true);
    s.view.section.wells = {3};
    s.intersect_lines = {{1, 2, 3, 4, 5, 6}};
    s.intersect_owc = {{}};
    s.intersect_lines_indices = {{}};
    s.section_well_coord_vertex = {{}};
    enter();
    EXPECT_TRUE(s.view.is(ViewMode::WellSection));
    EXPECT_FALSE(s.view.is(ViewMode::Shell) || s.view.is(ViewMode::Layers) || s.view.is(ViewMode::FlatSection) ||
                 s.view.is(ViewMode::Filter));
    EXPECT_FALSE(s.view.filter.on());
    EXPECT_EQ(view.calls, (std::vector<std::string>{"recolour @0"}));
    EXPECT_TRUE(s.view.section.wells.empty() && s.intersect_lines.empty() && s.intersect_owc.empty() &&
                s.intersect_lines_indices.empty() && s.section_well_coord_vertex.empty());
    EXPECT_TRUE(window.shown);
}

TEST_F(WellSectionCommand, OneWellIsOneSegmentAndCannotBeBuilt)
{
    const int w = deviated("W-1", 0.1f, 0.3f, 0.8f, 0.2f);
    enter();
    EXPECT_FALSE(click(w, false));  // only the left button picks
    EXPECT_TRUE(click(w));
    EXPECT_EQ(cuts(), (std::vector<std::string>{"current"}));
    ASSERT_EQ(s.intersect_lines.size(), 1u);
    EXPECT_FALSE(s.intersect_lines[0].empty());
    EXPECT_EQ(window.rows, (std::vector<std::pair<std::string, int>>{{"W-1", 1}}));
    EXPECT_TRUE(s.view.section.planePlaced);
    ASSERT_EQ(s.model_section.size(), 24u);
    EXPECT_EQ(s.model_section[2], s.document.grid.extent.zMin);
    EXPECT_EQ(s.model_section[8], s.document.grid.extent.zMax);
    ASSERT_EQ(s.section_well_coord_vertex.size(), 1u);
    EXPECT_EQ(s.section_well_coord_vertex[0].size(),
              s.well_coord_vertex_hide[0].size() + s.well_coord_vertex_show[0].size());
    EXPECT_EQ(s.section_well_runs[0], (std::vector<int>{0, 2}));

    EXPECT_FALSE(RenderWellSection(ctx));
    EXPECT_TRUE(window.released);
    EXPECT_FALSE(window.shown);
    EXPECT_FALSE(s.view.is(ViewMode::WellSection) || s.view.section.unfolded);
    EXPECT_TRUE(s.view.is(ViewMode::Shell));  // the model is shown again, not an empty view
}

TEST_F(WellSectionCommand, WellsAreJoinedUpToNineAndPickedOnce)
{
    std::vector<int> wells;
    for (int n = 0; n < 10; ++n)
        wells.push_back(deviated("W-" + std::to_string(n + 1), 0.1f + 0.08f * n, 0.2f + 0.05f * (n % 3), 0.15f, 0.12f));
    enter();
    EXPECT_TRUE(click(wells[0]));
    EXPECT_TRUE(click(wells[1]));
    EXPECT_EQ(cuts(), (std::vector<std::string>{"current", "mezhdu", "current"}));
    EXPECT_EQ(s.intersect_lines.size(), 3u);
    EXPECT_FALSE(click(wells[1]));  // already in the section
    EXPECT_FALSE(click(wells[0]));
    EXPECT_EQ(s.intersect_lines.size(), 3u);

    for (int n = 2; n < 9; ++n) EXPECT_TRUE(click(wells[static_cast<std::size_t>(n)])) << n;
    EXPECT_FALSE(click(wells[9]));  // the tenth
    EXPECT_EQ(s.view.section.wells.size(), 9u);
    EXPECT_EQ(s.intersect_lines.size(), 17u);
    ASSERT_EQ(window.rows.size(), 9u);
    EXPECT_EQ(window.rows.back(), (std::pair<std::string, int>{"W-9", 9}));
    // The connecting segments start where the previous well's segment ends.
    for (std::size_t e = 1; e < 17; e += 2) EXPECT_FALSE(s.intersect_lines[e].empty()) << e;
    EXPECT_TRUE(finite());
}

TEST_F(WellSectionCommand, AWellOfFiveStationsIsCutFromItsFirst)
{
    // Fewer than six stations inside the model: the segment starts at the first; both ends pulled in by 0.2.
    const int five = addWell("FIVE", {{0.1f, 0.1f}, {0.2f, 0.15f}, {0.3f, 0.2f}, {0.5f, 0.3f}, {0.7f, 0.4f}});
    enter();
    ASSERT_TRUE(click(five));
    const float a = std::atan(0.3f / 0.6f);
    EXPECT_NEAR(s.model_section[0], 0.1f + 0.2f * std::cos(a), 1e-5f);
    EXPECT_NEAR(s.model_section[1], 0.1f + 0.2f * std::sin(a), 1e-5f);
    EXPECT_NEAR(s.model_section[12], 0.7f - 0.2f * std::cos(a), 1e-5f);
}

TEST_F(WellSectionCommand, NearlyVerticalWellsAreAimedAtTheirNeighbours)
{
    const int first = vertical("V-1", 0.3f, 0.3f);
    const int second = deviated("D-2", 0.7f, 0.5f, 0.2f, 0.1f);
    const int third = vertical("V-3", 0.4f, 0.8f);
    const int fourth = deviated("D-4", 0.8f, 0.85f, 0.1f, -0.1f);
    enter();
    ASSERT_TRUE(click(first));  // alone, its direction is still defined
    EXPECT_TRUE(finite());
    EXPECT_EQ(s.intersect_lines.size(), 1u);

    ASSERT_TRUE(click(second));
    EXPECT_EQ(cuts(), (std::vector<std::string>{"current", "prev", "mezhdu", "current"}));
    EXPECT_EQ(s.intersect_lines.size(), 3u);
    // The first well's segment was cut again along the direction to the second well's segment.
    const Vertices& again = s.intersect_lines[0];
    ASSERT_GE(again.size(), 12u);
    std::size_t far = 1;
    for (std::size_t n = 1; n < again.size() / 6; ++n)
        if (std::hypot(again[n * 6] - again[0], again[n * 6 + 1] - again[1]) >
            std::hypot(again[far * 6] - again[0], again[far * 6 + 1] - again[1]))
            far = n;
    EXPECT_NEAR(std::atan((again[far * 6 + 1] - again[1]) / (again[far * 6] - again[0])), s.last_alfa, 1e-3f);

    ASSERT_TRUE(click(third));   // vertical: aimed back at the second well
    ASSERT_TRUE(click(fourth));  // the third, a middle well, turns between its neighbours
    const std::vector<std::string> all = cuts();
    EXPECT_EQ(std::vector<std::string>(all.end() - 4, all.end()),
              (std::vector<std::string>{"zamena1", "zamena2", "mezhdu", "current"}));
    EXPECT_EQ(s.intersect_lines.size(), 7u);
    EXPECT_TRUE(finite());
}

TEST_F(WellSectionCommand, AWellOutsideTheModelIsNotPicked)
{
    const int above = static_cast<int>(s.document.wells.items.size());
    s.well_coord_vertex_show.push_back({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    s.well_coord_vertex_hide.push_back({0.5f, 0.5f, 0.2f, 0, 0, 0, 0.5f, 0.5f, 0.1f, 0, 0, 0});
    s.well_proj_length.push_back(0);
    s.document.wells.add(Well{"SHALLOW", {}});
    enter();
    EXPECT_FALSE(click(above));
    EXPECT_FALSE(click(above + 1));  // no such well
    EXPECT_TRUE(s.view.section.wells.empty());
    EXPECT_TRUE(s.intersect_lines.empty());
}

TEST_F(WellSectionCommand, ShownSectionFillsTheViewAndLeavingRestoresCameraAndBackground)
{
    const int a = deviated("A", 0.1f, 0.2f, 0.2f, 0.1f);
    const int b = deviated("B", 0.6f, 0.4f, 0.2f, 0.1f);
    enter();
    click(a);
    click(b);
    const glm::vec3 position = s.view.camera.position, rotation = s.view.camera.rotation, scale = s.view.camera.scale;
    s.view.camera.verticalScale = 4;
    s.view.animation.spinning = true;
    settings.UpdateAppSettings(settings_key::BackgroundColorR, "10");
    settings.UpdateAppSettings(settings_key::BackgroundColorG, "20");
    settings.UpdateAppSettings(settings_key::BackgroundColorB, "30");

    ASSERT_TRUE(RenderWellSection(ctx));
    EXPECT_TRUE(s.view.section.unfolded);
    EXPECT_EQ(s.view.display.background, (std::array<int, 3>{255, 255, 255}));
    EXPECT_FALSE(window.viewButtons);
    EXPECT_TRUE(window.darkLegendText);
    float xmin = 1e9f, xmax = -1e9f;
    for (const Vertices& v : s.intersect_lines)
        for (std::size_t i = 0; i + 5 < v.size(); i += 6) {
            xmin = std::min(xmin, v[i]);
            xmax = std::max(xmax, v[i]);
        }
    EXPECT_FLOAT_EQ(s.view.camera.position.x, -(xmin + xmax) / 2);
    EXPECT_EQ(s.view.camera.rotation.x, -90.0f);
    EXPECT_EQ(s.view.camera.rotation.z, 0.0f);
    EXPECT_FLOAT_EQ(s.view.camera.scale.x, 2 / (xmax - xmin) - 0.01f);
    EXPECT_FLOAT_EQ(s.view.camera.scale.z, s.view.camera.scale.x * 4);
    advanceViewAnimations(s);  // the section never turns
    EXPECT_EQ(s.view.camera.rotation.z, 0.0f);

    EXPECT_EQ(switchWellSection(ctx, true), ModeButtons::ThisOneOff);
    EXPECT_EQ(s.view.camera.position, position);
    EXPECT_EQ(s.view.camera.rotation, rotation);
    EXPECT_EQ(s.view.camera.scale, scale);
    EXPECT_FALSE(s.view.section.unfolded || s.view.is(ViewMode::WellSection));
    EXPECT_TRUE(s.view.is(ViewMode::Shell));
    EXPECT_EQ(s.view.display.background, (std::array<int, 3>{10, 20, 30}));
    EXPECT_TRUE(window.viewButtons);
    EXPECT_FALSE(window.darkLegendText);
    EXPECT_FALSE(window.shown);
    advanceViewAnimations(s);
    EXPECT_GT(s.view.camera.rotation.z, rotation.z);
}

TEST_F(WellSectionCommand, SectionThroughNamedWellsNeedsLoadedNames)
{
    deviated("A", 0.1f, 0.2f, 0.2f, 0.1f);
    std::string error;
    EXPECT_FALSE(showSectionThroughWells(ctx, {"A", "C"}, &error));
    EXPECT_EQ(error, "no well called \"C\" was loaded");
    EXPECT_FALSE(showSectionThroughWells(ctx, {"A"}, &error));  // one well: nothing to unfold
    EXPECT_FALSE(s.view.is(ViewMode::WellSection) || s.view.section.unfolded);
}

}  // namespace
}  // namespace morvane
