// The grid import command: its steps, feedback and failures over recording fakes, with generated grids on disk.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <new>

#include <gtest/gtest.h>

#include "commands/grid_import_command.h"
#include "io/grid_reader.h"
#include "tests/support/generated_inputs.h"
#include "tests/support/recorded_prompts.h"
#include "tests/support/recorded_scene.h"
#include "tests/support/scene_feedback_recorder.h"
#include "tests/support/temp_folder.h"

namespace morvane {
namespace {

using testing::RecordedPrompts;
using testing::smallGrid;
using testing::TempFolder;

using RecordedFeedback = test::FeedbackRecorder;

// The view's scene operations and the window's controls, recording the calls with the progress at each.
struct RecordedView final : test::RecordedSceneOperations, GridImportWindow, PropertyImportWindow {
    RecordedView(ModelState& s, Feedback& fb, bool accept) : RecordedSceneOperations(fb), state(s), acceptGrid(accept)
    {
        shown = &s.view.shownProperty;
    }

    GridBuildOutcome buildGridMeshes() override
    {
        call("buildGridMeshes");
        if (outOfMemory) throw std::bad_alloc();
        if (!acceptGrid) return refusal;
        state.document.grid.loaded = true;
        state.document.grid.cellCount = 24;
        return GridBuildOutcome::Built;
    }
    void beginWait() override { call("beginWait"); }
    void endWait(bool finished) override { call(finished ? "endWait finished" : "endWait failed"); }
    void focusTree() override { call("focusTree"); }
    void enableTopView() override { call("enableTopView"); }
    void uncheckModeButtons() override { call("uncheckModeButtons"); }
    void useTreeImages() override { call("useTreeImages"); }
    void keepResponsive() override { ++repaints; }
    void setLegendCaption(const std::string& text) override { call("legend " + text); }
    void showLegend() override { call("showLegend"); }
    void addPropertyNode(const std::string& name, int kind) override
    {
        call("node " + name + " " + std::to_string(kind));
    }

    ModelState& state;
    bool acceptGrid;
    int repaints = 0;
    GridBuildOutcome refusal = GridBuildOutcome::CellSizeRejected;
    bool outOfMemory = false;  // the build runs out of memory
};

bool contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class GridImportCommand : public ::testing::Test {
protected:
    GridImportOutcome run(bool acceptGrid, std::vector<std::string> answers)
    {
        view = std::make_unique<RecordedView>(state, feedback, acceptGrid);
        prompts = std::make_unique<RecordedPrompts>(std::move(answers));
        return importGridWithDialog(GridImportContext{state, feedback, *view, *view, *prompts});
    }

    ModelState state;
    RecordedFeedback feedback;
    std::unique_ptr<RecordedView> view;
    std::unique_ptr<RecordedPrompts> prompts;
    TempFolder folder;
};

TEST_F(GridImportCommand, DirectLayoutRunsEveryStepWithProgressTo100)
{
    const auto file = gen::writeGrid(smallGrid("FIELD"), folder.path()).front();
    state.view.mode = ViewMode::FlatSection;
    state.view.layer.saved = 3;
    state.view.display.modelOpacity = 0.5f;
    state.document.properties.add(makeContinuousProperty("PORO", PropertyKind::Porosity, {0.1}));
    state.view.shownProperty = "PORO";
    state.view.filter = PropertyFilterSetting::cutAt(0.2f, true);
    state.OWC_k = state.GOC_k = {1, 2, 3};
    state.document.contacts.owc.set = state.view.contacts.owc = state.document.contacts.goc.set =
        state.view.contacts.goc = true;

    ASSERT_EQ(run(true, {file.string()}), GridImportOutcome::Loaded);

    ASSERT_EQ(prompts->questions.size(), 1u);
    EXPECT_EQ(prompts->questions[0].title, "Import grid");
    EXPECT_EQ(prompts->questions[0].filter, "GRDECL files|*.GRDECL|All files (*.*)|*.*");
    EXPECT_EQ(state.document.grid.name, "FIELD");
    const std::vector<std::string> expectedCalls{
        "beginWait @0",      "buildGridMeshes @80", "uploadGrid @90", "enableTopView @90",    "uncheckModeButtons @90",
        "useTreeImages @90", "recolour @90",        "focusTree @100", "endWait finished @100"};
    EXPECT_EQ(view->calls, expectedCalls);
    EXPECT_EQ(feedback.statuses, (std::vector<std::string>{"Reading COORD section", "Reading ZCORN section",
                                                           "Initializing grid", "Rendering grid"}));
    EXPECT_TRUE(contains(feedback.traces, "Starting loading grid"));
    EXPECT_TRUE(contains(feedback.traces, "ZCORN_size = " + std::to_string(8 * 3 * 2 * 4)));
    EXPECT_EQ(state.document.grid.input.cornerDepths.capacity(), 0u);  // built into the layers' vertices, then released
    ASSERT_FALSE(feedback.log.empty());
    EXPECT_EQ(feedback.log.front().text, "Opening file: FIELD");
    EXPECT_EQ(feedback.log.front().colour, log_colour::LightGrey);

    // The properties, the filter and the contacts of the grid before are gone, the bare grid shown; the view
    // modes are back to the shell.
    EXPECT_TRUE(state.document.properties.items.empty());
    EXPECT_TRUE(state.view.shownProperty.empty());
    EXPECT_FALSE(state.view.filter.on());
    EXPECT_TRUE(state.OWC_k.empty() && state.GOC_k.empty());
    EXPECT_FALSE(state.document.contacts.owc.set || state.view.contacts.owc || state.document.contacts.goc.set ||
                 state.view.contacts.goc);
    EXPECT_FALSE(state.view.is(ViewMode::Layers));
    EXPECT_FALSE(state.view.is(ViewMode::FlatSection));
    EXPECT_TRUE(state.view.is(ViewMode::Shell));
    EXPECT_EQ(state.view.layer.saved, 0);
    EXPECT_EQ(state.view.display.modelOpacity, 1.0f);
}

// A file that takes a while to read is read beside the window, which keeps repainting; the stages still arrive
// in order and the grid is the same as a read in one go.
TEST_F(GridImportCommand, ALongReadKeepsTheWindowRepainting)
{
    gen::GridOptions o = smallGrid("LARGE");
    o.nx = 160;
    o.ny = 100;
    o.nz = 10;
    const auto file = gen::writeGrid(o, folder.path()).front();
    ASSERT_EQ(run(true, {file.string()}), GridImportOutcome::Loaded);
    EXPECT_GT(view->repaints, 0);
    EXPECT_EQ(feedback.statuses, (std::vector<std::string>{"Reading COORD section", "Reading ZCORN section",
                                                           "Initializing grid", "Rendering grid"}));
    const GridReadResult direct = readGridFile(file.string());
    ASSERT_EQ(direct.outcome, GridReadOutcome::Read);
    EXPECT_EQ(state.document.grid.input.pillarXY, direct.grid.pillarXY);
}

TEST_F(GridImportCommand, IncludeLayoutEndsWithAllGoodAndNoTreeImages)
{
    const auto file = gen::writeGrid(smallGrid("INC", gen::GridLayout::Include), folder.path()).front();
    ASSERT_EQ(run(true, {file.string()}), GridImportOutcome::Loaded);
    EXPECT_EQ(feedback.statuses.back(), "All good");
    EXPECT_EQ(feedback.progress(), 100);
    EXPECT_TRUE(contains(feedback.traces, "COORD reading done"));
    EXPECT_FALSE(contains(view->calls, "useTreeImages @90"));
    EXPECT_TRUE(contains(view->calls, "recolour @90"));
}

TEST_F(GridImportCommand, RejectedGridStopsAfterTheBuilderAndRestoresTheWindow)
{
    const auto file = gen::writeGrid(smallGrid("BAD"), folder.path()).front();
    state.document.properties.add(makeContinuousProperty("PORO", PropertyKind::Porosity, {0.1}));
    state.view.shownProperty = "PORO";
    state.view.layer.saved = 3;
    state.view.mode = ViewMode::Layers;

    ASSERT_EQ(run(false, {file.string()}), GridImportOutcome::Rejected);
    EXPECT_EQ(view->calls,
              (std::vector<std::string>{"beginWait @0", "buildGridMeshes @80", "focusTree @0", "endWait finished @0"}));
    EXPECT_EQ(feedback.progress(), 0);
    // No later step ran on counts that belong to no grid.
    EXPECT_EQ(state.document.properties.items.size(), 1u);
    EXPECT_EQ(state.view.shownProperty, "PORO");
    EXPECT_EQ(state.view.layer.saved, 3);
    EXPECT_TRUE(state.view.is(ViewMode::Layers));
}

// Properties held in the grid file after its sections are offered once the grid is loaded, with a log line.
TEST_F(GridImportCommand, PropertiesInTheGridFileAreOfferedAfterTheGridLoads)
{
    gen::GridOptions o = smallGrid("INLINE");
    o.inlineProperties = gen::defaultProperties();
    const auto file = gen::writeGrid(o, folder.path()).front();
    view = std::make_unique<RecordedView>(state, feedback, true);
    prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{file.string()});
    prompts->typeAnswers = {std::vector<int>{4, 2}};

    ASSERT_EQ(importGridWithDialog(GridImportContext{state, feedback, *view, *view, *prompts, view.get()}),
              GridImportOutcome::Loaded);
    EXPECT_TRUE(std::any_of(view->calls.begin(), view->calls.end(),
                            [](const std::string& c) { return c.rfind("recolour PORO @", 0) == 0; }));
    ASSERT_EQ(prompts->typeQuestions.size(), 1u);
    EXPECT_EQ(prompts->typeQuestions[0].names, (std::vector<std::string>{"PORO", "FACIES"}));
    const auto said =
        std::find(feedback.log.begin(), feedback.log.end(),
                  RecordedFeedback::LogLine{"The grid file holds 2 properties: PORO, FACIES.", log_colour::LightGrey});
    EXPECT_NE(said, feedback.log.end());
    ASSERT_EQ(state.document.properties.items.size(), 2u);
    EXPECT_EQ(state.document.properties.items[0].kind, PropertyKind::Porosity);
    EXPECT_EQ(state.document.properties.items[1].name, "FACIES");
    EXPECT_TRUE(state.document.properties.items[1].discrete);

    // Without a window to offer them in (a snapshot), the grid alone loads.
    ModelState quiet;
    RecordedFeedback quietFeedback;
    RecordedView quietView(quiet, quietFeedback, true);
    RecordedPrompts quietPrompts({file.string()});
    ASSERT_EQ(importGridWithDialog(GridImportContext{quiet, quietFeedback, quietView, quietView, quietPrompts}),
              GridImportOutcome::Loaded);
    EXPECT_TRUE(quietPrompts.typeQuestions.empty());
}

TEST_F(GridImportCommand, ARefusedGridLeavesTheCurrentModelWhole)
{
    // The reader fills a spare input; the current model gets its arrays back when the builder refuses the grid,
    // whether for its cell size or for a layout the depths do not fit.
    for (GridBuildOutcome refusal : {GridBuildOutcome::CellSizeRejected, GridBuildOutcome::LayoutRejected}) {
        const auto file = gen::writeGrid(smallGrid("BAD"), folder.path()).front();
        state.document.grid.input.pillars = {1, 2, -3, 1, 2, -4};
        state.document.grid.input.pillarXY = {1, 2, 1, 2};
        state.document.grid.input.cornerDepths = {-1.0, -2.0};
        state.document.grid.loaded = true;
        state.document.properties.clear();
        state.document.properties.add(makeContinuousProperty("PORO", PropertyKind::Porosity, {0.1}));
        state.document.grid.name = "FIELD";
        view = std::make_unique<RecordedView>(state, feedback, false);
        view->refusal = refusal;
        prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{file.string()});

        ASSERT_EQ(importGridWithDialog(GridImportContext{state, feedback, *view, *view, *prompts}),
                  GridImportOutcome::Rejected);
        EXPECT_EQ(state.document.grid.name, "FIELD");
        EXPECT_EQ(state.document.grid.input.pillars, (std::vector<double>{1, 2, -3, 1, 2, -4}));
        EXPECT_EQ(state.document.grid.input.pillarXY, (std::vector<double>{1, 2, 1, 2}));
        EXPECT_EQ(state.document.grid.input.cornerDepths, (std::vector<double>{-1.0, -2.0}));
        EXPECT_TRUE(state.document.grid.loaded);
        EXPECT_EQ(state.document.properties.items.size(), 1u);
        EXPECT_EQ(feedback.progress(), 0);
    }
}

// Memory that runs out while the new grid is built, and a path that is no file to read, leave the model shown
// whole and tell the user why, naming the file.
TEST_F(GridImportCommand, OutOfMemoryAndSpecialFilesKeepTheModelShown)
{
    const auto file = gen::writeGrid(smallGrid("HUGE"), folder.path()).front();
    state.document.grid.input.cornerDepths = {-1.0, -2.0};
    state.document.grid.loaded = true;
    state.document.grid.name = "FIELD";
    view = std::make_unique<RecordedView>(state, feedback, true);
    view->outOfMemory = true;
    prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{file.string()});
    ASSERT_EQ(importGridWithDialog(GridImportContext{state, feedback, *view, *view, *prompts}),
              GridImportOutcome::Refused);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].text,
              "There is not enough memory to import the grid " + file.string() + "; the model shown before is kept.");
    EXPECT_EQ(feedback.log.back().colour, log_colour::Red);
    EXPECT_EQ(state.document.grid.name, "FIELD");
    EXPECT_EQ(state.document.grid.input.cornerDepths, (std::vector<double>{-1.0, -2.0}));
    EXPECT_TRUE(state.document.grid.loaded);

    // A folder named like a grid file is said to be one, and nothing is read.
    std::filesystem::create_directory(folder.file("DIR.GRDECL"));
    ASSERT_EQ(run(true, {folder.file("DIR.GRDECL").string()}), GridImportOutcome::NotAGrid);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].text, folder.file("DIR.GRDECL").string() + " is a folder, not a file.");
    EXPECT_EQ(state.document.grid.input.cornerDepths, (std::vector<double>{-1.0, -2.0}));
    EXPECT_FALSE(contains(view->calls, "buildGridMeshes @80"));
}

TEST_F(GridImportCommand, NotAGridFileTellsTheUserAndKeepsTheModel)
{
    const std::string file = testing::writeText(folder.file("notes.txt"), "just some words\n1 2 3\n");
    state.document.grid.input.cornerDepths = {-1.0, -2.0};

    ASSERT_EQ(run(true, {file}), GridImportOutcome::NotAGrid);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].text, "The chosen file is not a grid file. Please choose a correct grid file.");
    EXPECT_EQ(prompts->messages[0].caption, "Grid import");
    // The line naming the file, then the reader's own reason.
    ASSERT_GE(feedback.log.size(), 2u);
    EXPECT_EQ(
        feedback.log[feedback.log.size() - 2],
        (RecordedFeedback::LogLine{"Selected file is not grid file: " + std::filesystem::path(file).filename().string(),
                                   log_colour::Red}));
    EXPECT_EQ(feedback.log.back(),
              (RecordedFeedback::LogLine{file + " holds no COORD section and no INCLUDE statement.", log_colour::Red}));
    EXPECT_EQ(feedback.statuses.back(), "All good");
    EXPECT_EQ(feedback.progress(), 0);
    EXPECT_EQ(state.document.grid.name, "notes");
    EXPECT_EQ(state.document.grid.input.cornerDepths, (std::vector<double>{-1.0, -2.0}));
    EXPECT_TRUE(contains(view->calls, "endWait failed @0"));
    EXPECT_FALSE(contains(view->calls, "buildGridMeshes @80"));
}

TEST_F(GridImportCommand, MissingIncludedFileIsNamedInTheLogAndAMessage)
{
    const auto files = gen::writeGrid(smallGrid("PART", gen::GridLayout::Include), folder.path());
    std::filesystem::remove(folder.file("PART_ZCORN.GRDECL"));
    state.document.grid.input.cornerDepths = {-5.0};

    ASSERT_EQ(run(true, {files.front().string()}), GridImportOutcome::MissingInclude);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_NE(prompts->messages[0].text.find("PART_ZCORN.GRDECL"), std::string::npos);
    EXPECT_EQ(feedback.log.back().colour, log_colour::Red);
    EXPECT_NE(feedback.log.back().text.find("PART_ZCORN.GRDECL"), std::string::npos);
    EXPECT_EQ(feedback.progress(), 0);
    EXPECT_EQ(state.document.grid.input.cornerDepths, std::vector<double>{-5.0});
    EXPECT_FALSE(contains(view->calls, "buildGridMeshes @80"));
}

TEST_F(GridImportCommand, CancelChangesNothingAndShowsNothing)
{
    state.document.grid.name = "OLD";
    EXPECT_EQ(run(true, {""}), GridImportOutcome::Cancelled);
    EXPECT_EQ(state.document.grid.name, "OLD");
    EXPECT_TRUE(feedback.log.empty());
    EXPECT_TRUE(feedback.statuses.empty());
    EXPECT_TRUE(view->calls.empty());
}

}  // namespace
}  // namespace morvane
