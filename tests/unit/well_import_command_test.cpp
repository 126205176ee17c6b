// The well import command over recording fakes: "OK for all" across a selection, one file, the column message, the
// close box, refusals that leave the selection going, names in either code page, the command line's preselection.
#include "commands/well_import_command.h"

#include <algorithm>
#include <memory>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "io/well_reader.h"
#include "tests/support/recorded_prompts.h"
#include "tests/support/recorded_scene.h"
#include "tests/support/scene_feedback_recorder.h"
#include "tests/support/temp_folder.h"
#include "tools/generator/model_generator.h"

namespace morvane {
namespace {

using testing::RecordedPrompts;
using testing::TempFolder;
using Button = WellColumnAnswer::Button;
using Log = test::FeedbackRecorder::LogLine;
namespace texts = well_texts;

struct RecordedView final : test::RecordedSceneOperations, WellImportWindow {
    explicit RecordedView(Feedback& fb) : RecordedSceneOperations(fb) {}
    void setWaitCursor(bool on) override { waiting = on; }
    void showFinished(bool front) override { call(front ? "finished front" : "finished back"); }
    void focusWellTree() override {}
    void addWellNode(const std::string& name) override { nodes.push_back(name); }
    std::vector<std::string> nodes;
    bool waiting = false;
};

// The 11-column export layout of a real file: comments, header between rules, CRLF, coordinates in the millions.
gen::WellOptions exportWell(const std::string& name)
{
    gen::WellOptions o;
    o.name = name;
    o.headX = 548744.52;
    o.headY = 6414459.59;
    o.totalDepth = 300;
    o.step = 50;
    o.gridNorthColumn = true;
    o.ruleIndent = 2;
    o.lineEnd = gen::LineEnd::CRLF;
    return o;
}

const WellColumnAnswer kAllColumns{Button::Ok, 0, 1, 2, 3};

class WellImportCommand : public ::testing::Test {
protected:
    std::string write(const std::string& file, const gen::WellOptions& o)
    {
        return gen::writeWellFile(o, folder.file(file)).string();
    }
    std::string write(const std::string& file, const std::string& text)
    {
        return testing::writeText(folder.file(file), text);
    }

    WellImportResult run(std::vector<std::string> paths, std::vector<WellColumnAnswer> answers)
    {
        prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{});
        prompts->fileLists = {std::move(paths)};
        prompts->columnAnswers = std::move(answers);
        return importWellsWithDialog(WellImportContext{state, feedback, view, view, *prompts});
    }

    std::size_t countCalls(const std::string& prefix) const
    {
        return static_cast<std::size_t>(std::count_if(view.calls.begin(), view.calls.end(),
                                                      [&](const auto& c) { return c.rfind(prefix, 0) == 0; }));
    }

    bool logged(const std::string& text, LogColour colour) const
    {
        return std::find(feedback.log.begin(), feedback.log.end(), Log{text, colour}) != feedback.log.end();
    }

    TempFolder folder;
    ModelState state;
    test::FeedbackRecorder feedback;
    RecordedView view{feedback};
    std::unique_ptr<RecordedPrompts> prompts;
};

TEST_F(WellImportCommand, OkForAllAppliesToTheLaterFilesOfTheSelection)
{
    const std::vector<std::string> files{write("A.dev", exportWell("A-1")), write("B.dev", exportWell("B-2")),
                                         write("nameless.dev", "MD X Y Z\n0 1 2 3\n"),
                                         write("C.dev", exportWell("C-3"))};
    const WellImportResult r = run(files, {{Button::OkForAll, 0, 1, 2, 3}});

    // The dialog is asked once, with the first file's name and all eleven columns, and offers "OK for all".
    ASSERT_EQ(prompts->columnQuestions.size(), 1u);
    EXPECT_EQ(prompts->columnQuestions[0].wellName, "A-1");
    EXPECT_EQ(prompts->columnQuestions[0].columns.size(), 11u);
    EXPECT_TRUE(prompts->columnQuestions[0].severalFiles);
    EXPECT_EQ(prompts->questions.at(0).title, "Import wells");
    EXPECT_EQ(prompts->questions.at(0).filter, "dev files|*.dev|All files (*.*)|*.*");

    // A file without a well name is refused even under "OK for all"; the selection goes on.
    EXPECT_EQ(r.loaded, 3);
    EXPECT_EQ(r.refused, 1);
    EXPECT_EQ(view.nodes, (std::vector<std::string>{"A-1", "B-2", "C-3"}));
    for (const char* name : {"A-1", "B-2", "C-3"})
        EXPECT_TRUE(logged(std::string("Well ") + name + " is loaded successfully", log_colour::Green)) << name;
    EXPECT_TRUE(logged(std::string(texts::NoNameLog) + " (nameless.dev)", log_colour::Red));
    EXPECT_TRUE(logged("Opening file: nameless", log_colour::LightGrey));

    ASSERT_EQ(state.document.wells.items.size(), 3u);
    EXPECT_EQ(state.document.wells.items[2].name, "C-3");
    EXPECT_EQ(countCalls("buildLastWell"), 3u);
    EXPECT_EQ(countCalls("uploadWells"), 3u);
    EXPECT_NEAR(state.document.wells.items[1].trajectory[0][1], 548744.52f, 0.06f);  // X in file units, as written
    EXPECT_NEAR(state.document.wells.items[1].trajectory[0][3], 25.0f,
                1e-4f);  // the first elevation is above sea level
    EXPECT_EQ(feedback.statuses.back(), "All good");
    EXPECT_FALSE(view.waiting);
}

TEST_F(WellImportCommand, OkForAllFindsTheChosenColumnsByNameInEachLaterFile)
{
    // The same export with its columns in another order, and one that lacks the chosen Z column.
    const std::vector<std::string> files{
        write("A.dev", exportWell("A-1")),
        write("reordered.dev", "# WELL NAME: R-2\nX Y Z MD\n100 200 -10 0\n110 210 -60 50\n"),
        write("noz.dev", "# WELL NAME: N-3\nMD X Y TVD\n0 100 200 10\n")};
    const WellImportResult r = run(files, {{Button::OkForAll, 0, 1, 2, 3}});

    EXPECT_EQ(r.loaded, 2);
    EXPECT_EQ(r.refused, 1);
    ASSERT_EQ(state.document.wells.items.size(), 2u);
    const auto& reordered = state.document.wells.items[1].trajectory;
    ASSERT_EQ(reordered.size(), 2u);
    EXPECT_EQ(reordered[1], (std::vector<float>{50.0f, 110.0f, 210.0f, -60.0f}));  // MD, X, Y, Z
    EXPECT_TRUE(logged(std::string(texts::NoColumnsLog) + " (noz.dev)", log_colour::Red));
    EXPECT_EQ(prompts->columnQuestions.size(), 1u);
}

TEST_F(WellImportCommand, OneFileAndTheColumnMessage)
{
    // One file: no "OK for all"; "ОК" logs the short success line.
    run({write("A.dev", exportWell("A-1"))}, {kAllColumns});
    ASSERT_EQ(prompts->columnQuestions.size(), 1u);
    EXPECT_FALSE(prompts->columnQuestions[0].severalFiles);
    EXPECT_TRUE(logged("Well is loaded successfully", log_colour::Green));
    EXPECT_EQ(state.document.wells.items.size(), 1u);

    // A list left empty: the Russian message box and the red line; nothing appended, the next file is asked for.
    const WellImportResult r = run({write("B.dev", exportWell("B-2")), write("C.dev", exportWell("C-3"))},
                                   {{Button::OkForAll, -1, 1, 2, 3}, kAllColumns});
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].text, texts::NoColumnsBoxEn);
    EXPECT_EQ(prompts->messages[0].caption, "Well import");
    EXPECT_TRUE(logged("No right match columns are privided (B.dev)", log_colour::Red));
    EXPECT_EQ(prompts->columnQuestions.size(), 2u);  // an incomplete "OK for all" applies to nothing
    EXPECT_EQ(r.loaded, 1);
    EXPECT_EQ(state.document.wells.items.size(), 2u);
    EXPECT_EQ(view.nodes.back(), "C-3");

    // A well without a name confirmed with "ОК": the red line, nothing appended, and the wait cursor is off again.
    EXPECT_EQ(run({write("nameless.dev", "  MD X Y Z\n0 1 2 3\n")}, {kAllColumns}).refused, 1);
    EXPECT_TRUE(logged(std::string(texts::NoNameLog) + " (nameless.dev)", log_colour::Red));
    EXPECT_EQ(state.document.wells.items.size(), 2u);
    EXPECT_FALSE(view.waiting);
}

TEST_F(WellImportCommand, TheCloseBoxAbandonsTheRestAndCancelDoesNothing)
{
    const WellImportResult r = run({write("A.dev", exportWell("A-1")), write("B.dev", exportWell("B-2"))}, {});
    EXPECT_TRUE(r.abandoned);
    EXPECT_EQ(prompts->columnQuestions.size(), 1u);
    EXPECT_TRUE(state.document.wells.empty());
    EXPECT_EQ(feedback.progressValue, 100);
    EXPECT_FALSE(logged("Opening file: B", log_colour::LightGrey));
    EXPECT_TRUE(view.nodes.empty());

    feedback.log.clear();
    EXPECT_TRUE(run({}, {}).cancelled);
    EXPECT_TRUE(feedback.log.empty());
}

TEST_F(WellImportCommand, ForeignLayoutMissingFileAndWindowsNamesInOneSelection)
{
    gen::WellOptions foreign = exportWell("INJ-A");
    foreign.layout = gen::WellLayout::Foreign;
    gen::WellOptions cp1251 = exportWell("Скв-7");
    cp1251.encoding = gen::TextEncoding::Windows1251;
    const WellImportResult r = run(
        {write("INJ-A.dev", foreign), folder.file("missing.dev").string(), write("old.dev", cp1251)}, {kAllColumns});

    // The other layout is refused before the column dialog opens; a missing file only has its opening line.
    ASSERT_EQ(prompts->columnQuestions.size(), 1u);
    EXPECT_EQ(prompts->columnQuestions[0].wellName, "Скв-7");
    ASSERT_GE(feedback.log.size(), 2u);
    EXPECT_EQ(feedback.log[1].colour, log_colour::Red);
    EXPECT_NE(feedback.log[1].text.find("another layout"), std::string::npos);
    EXPECT_NE(feedback.log[1].text.find("INJ-A.dev"), std::string::npos);
    EXPECT_EQ(feedback.log[2], (Log{"Opening file: missing", log_colour::LightGrey}));
    EXPECT_EQ(feedback.log[3], (Log{"Opening file: old", log_colour::LightGrey}));
    EXPECT_EQ(r.loaded, 1);
    EXPECT_EQ(r.refused, 1);
    ASSERT_EQ(state.document.wells.items.size(), 1u);
    EXPECT_EQ(state.document.wells.items[0].name, "Скв-7");
    EXPECT_EQ(view.nodes, (std::vector<std::string>{"Скв-7"}));
}

TEST_F(WellImportCommand, APipeInTheSelectionIsSaidAndNeverRead)
{
    // Reading a pipe without a writer would wait for ever: the import would hang here.
    const std::string pipe = folder.file("W-9.dev").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const WellImportResult r = run({pipe}, {kAllColumns});
    EXPECT_TRUE(logged(pipe + " is a named pipe (FIFO), not a file; it is not read.", log_colour::Red));
    EXPECT_TRUE(prompts->columnQuestions.empty());
    EXPECT_EQ(r.loaded, 0);
}

TEST_F(WellImportCommand, CommandLineFilesLoadWithThePreselectionOnly)
{
    RecordedPrompts inner({});
    PreselectedWellColumns preselected(inner);
    const std::string good = write("A.dev", exportWell("A-1"));
    const std::string lowerCase = write("L.dev", "# WELL NAME: L\nmd x y z\n0 1 2 3\n");
    const WellImportResult r =
        importWellFiles(WellImportContext{state, feedback, view, view, preselected}, {good, lowerCase});
    EXPECT_EQ(r.loaded, 1);
    EXPECT_EQ(r.refused, 1);
    ASSERT_EQ(inner.messages.size(), 1u);
    EXPECT_EQ(inner.messages[0].text, texts::NoColumnsBoxEn);
    EXPECT_TRUE(logged("Well is loaded successfully", log_colour::Green));
    ASSERT_EQ(state.document.wells.items.size(), 1u);
    EXPECT_EQ(state.document.wells.items[0].trajectory.size(), 7u);  // stations every 50 m to 300 m
}

TEST_F(WellImportCommand, AWellFarFromTheGridLoadedIsDrawnAsReadWithAWarning)
{
    // A grid of a kilometre square near the export's head (548.7 km, 6414.5 km); a damaged head far from it.
    state.document.grid.loaded = true;
    state.document.grid.extent.xMin = 548.0f, state.document.grid.extent.xMax = 549.0f;
    state.document.grid.extent.yMin = 6414.0f, state.document.grid.extent.yMax = 6415.0f;
    gen::WellOptions far = exportWell("F-1");
    far.headX = -999.25;
    const WellImportResult r =
        run({write("A.dev", exportWell("A-1")), write("F.dev", far)}, {{Button::OkForAll, 0, 1, 2, 3}});
    EXPECT_EQ(r.loaded, 2);
    const auto warned = std::find_if(feedback.log.begin(), feedback.log.end(),
                                     [](const Log& l) { return l.colour == log_colour::Orange; });
    ASSERT_NE(warned, feedback.log.end());
    EXPECT_EQ(warned->text.rfind("Well F-1 (F.dev): 7 of 7 points lie far outside the grid", 0), 0u) << warned->text;
    EXPECT_EQ(std::next(warned)->text, "Well F-1 is loaded successfully");  // said before the well's closing line
    EXPECT_EQ(std::count_if(feedback.log.begin(), feedback.log.end(),
                            [](const Log& l) { return l.colour == log_colour::Orange; }),
              1);  // the well near the grid is not mentioned
}

}  // namespace
}  // namespace morvane
