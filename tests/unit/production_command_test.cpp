// Production from a file, and the production button with the exaggeration slider: the volumes go to the wells of
// the same name and nothing else changes; the display asks for wells, builds the discs anew each time it comes on.
#include <gtest/gtest.h>

#include "commands/production_command.h"
#include "tests/support/recorded_prompts.h"
#include "tests/support/recorded_scene.h"
#include "tests/support/scene_feedback_recorder.h"
#include "tests/support/temp_folder.h"

namespace morvane {
namespace {

using test::FeedbackRecorder;

// Oil, water and gas of every well, in load order (-1: not given).
std::vector<std::vector<float>> volumes(const ModelState& s)
{
    std::vector<std::vector<float>> out;
    for (const Well& w : s.document.wells.items) {
        const WellVolumes v = s.document.production.of(w.name);
        out.push_back({v.oil, v.water, v.gas});
    }
    return out;
}

void addWell(ModelState& s, const std::string& name)
{
    const float x = 548.0f + static_cast<float>(s.document.wells.items.size());
    s.document.wells.add(Well{name, {}});
    s.well_coord_vertex_show.push_back({x, 6414, -2, 0, 0, 0, x, 6414, -2.1f, 0, 0, 0});
    s.well_coord_vertex_hide.push_back({});
}

TEST(ProductionImport, AFileSetsTheWellsItNamesListsTheOthersAndRefusesWhatItCannotRead)
{
    testing::TempFolder folder;
    ModelState s;
    // The well reader keeps names without spaces: "Скв 2" in a file is well Скв2.
    for (const char* name : {"P-1", "Скв2", "P-3"}) addWell(s, name);
    s.document.production.byWell["P-3"].oil = 7;  // not in the file: kept
    FeedbackRecorder feedback;

    const std::string good = testing::writeText(folder.file("prod.csv"),
                                                "Well;Oil;Water;Gas\nP-1;100,5;20;1\n"
                                                "Ghost;1;1;1\nСкв 2;0;0\nGhost;2;2;2\n");
    const ProductionImport read = importProductionFile(s, feedback, good);
    EXPECT_TRUE(read.read);
    EXPECT_EQ(read.wells, 2);
    EXPECT_EQ(volumes(s), (std::vector<std::vector<float>>{{100.5f, 20, 1}, {0, 0, -1}, {7, -1, -1}}));
    ASSERT_EQ(feedback.log.size(), 3u);
    EXPECT_EQ(feedback.log[0], (FeedbackRecorder::LogLine{"Opening file: " + good, log_colour::LightGrey}));
    EXPECT_EQ(feedback.log[1],
              (FeedbackRecorder::LogLine{
                  "No well of these names is loaded, so their production was not loaded: Ghost (prod.csv)",
                  log_colour::Red}));
    EXPECT_EQ(feedback.log[2], (FeedbackRecorder::LogLine{"Production is loaded for 2 wells", log_colour::Green}));

    // A wrong line further down, or a file that is not there: nothing changes and the log says why in red.
    const auto before = volumes(s);
    for (const std::string& path :
         {testing::writeText(folder.file("bad.txt"), "P-1\t1\t2\t3\nP-3\t1,5,2\n"), folder.file("none.csv").string()}) {
        feedback.log.clear();
        EXPECT_FALSE(importProductionFile(s, feedback, path).read);
        EXPECT_EQ(volumes(s), before);
        ASSERT_EQ(feedback.log.size(), 2u);
        EXPECT_EQ(feedback.log[1].colour, log_colour::Red);
    }
    EXPECT_NE(feedback.log[1].text.find("cannot be read"), std::string::npos);

    // A folder in the file's place is said as such; an empty file changes nothing and is no success.
    feedback.log.clear();
    EXPECT_FALSE(importProductionFile(s, feedback, folder.path().string()).read);
    ASSERT_EQ(feedback.log.size(), 2u);
    EXPECT_NE(feedback.log[1].text.find("folder"), std::string::npos) << feedback.log[1].text;
    feedback.log.clear();
    const std::string empty = testing::writeText(folder.file("empty.csv"), "");
    importProductionFile(s, feedback, empty);
    EXPECT_EQ(volumes(s), before);
    ASSERT_FALSE(feedback.log.empty());
    EXPECT_EQ(feedback.log.back(), (FeedbackRecorder::LogLine{"Production is loaded for 0 wells: " + empty +
                                                                  " holds no production rows: the file is empty",
                                                              log_colour::Orange}));

    // Rows for no loaded well are no success either.
    feedback.log.clear();
    const std::string strangers = testing::writeText(folder.file("strangers.csv"), "X-1;1;2;3\nX-2;4;5;6\n");
    EXPECT_EQ(importProductionFile(s, feedback, strangers).wells, 0);
    EXPECT_EQ(volumes(s), before);
    EXPECT_EQ(feedback.log.back(),
              (FeedbackRecorder::LogLine{
                  "Production is loaded for 0 wells: none of the 2 rows of " + strangers + " names a loaded well",
                  log_colour::Orange}));

    // A well given on several rows keeps the last row's volumes and says so, with every line; a volume beyond any
    // well's is kept and named.
    feedback.log.clear();
    const std::string twice = testing::writeText(folder.file("twice.txt"),
                                                 "P-1\t1\t2\t3\nP-3\t4\t5\t6\nP-1\t7\t8\t9\nP-1\t10\t11\t2e6\n"
                                                 "Скв 2\t1\t1\t1\nСкв2\t2\t2\t2\n");
    const ProductionImport repeated = importProductionFile(s, feedback, twice);
    EXPECT_TRUE(repeated.read);
    EXPECT_EQ(volumes(s), (std::vector<std::vector<float>>{{10, 11, 2e6f}, {2, 2, 2}, {4, 5, 6}}));
    ASSERT_EQ(feedback.log.size(), 5u);
    EXPECT_EQ(feedback.log[1].text,
              "twice.txt, line 4, well P-1: gas 2e+06 is more than any well produces (more than "
              "100000 million m3); the value is kept as read");
    EXPECT_EQ(feedback.log[2],
              (FeedbackRecorder::LogLine{"Well P-1 is given on lines 1, 3 and 4 of twice.txt; the volumes of line 4 "
                                         "are kept",
                                         log_colour::Orange}));
    EXPECT_EQ(feedback.log[3].text, "Well Скв2 is given on lines 5 and 6 of twice.txt; the volumes of line 6 are kept");
    EXPECT_EQ(feedback.log[4], (FeedbackRecorder::LogLine{"Production is loaded for 3 wells", log_colour::Green}));
}

TEST(ProductionDisplay, AsksForWellsBuildsTheDiscsAndRebuildsThemWhenTheSliderIsReleased)
{
    ModelState s;
    FeedbackRecorder feedback;
    test::RecordedSceneOperations view(feedback);
    testing::RecordedPrompts prompts({});
    const ProductionContext ctx{s, feedback, view, prompts};

    // No well: the message, the button stays up.
    EXPECT_FALSE(toggleProductionDisplay(ctx, false));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, "Cumulative production");
    EXPECT_EQ(prompts.messages[0].text,
              "There are no production data loaded. Please, load this data through Data manager.");
    EXPECT_FALSE(s.view.production.discs);
    EXPECT_TRUE(view.calls.empty());

    addWell(s, "A");
    addWell(s, "B");
    s.document.production.byWell["A"] = WellVolumes{300, 100, kNoVolume};
    EXPECT_TRUE(toggleProductionDisplay(ctx, false));
    EXPECT_TRUE(s.view.production.discs);
    ASSERT_EQ(s.circleDiagram.size(), 2u);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"uploadProductionDiscs @0"}));

    // Off: the discs stay for the next time.
    EXPECT_FALSE(toggleProductionDisplay(ctx, true));
    EXPECT_FALSE(s.view.production.discs);
    EXPECT_EQ(s.circleDiagram.size(), 2u);

    // The slider rebuilds only while the button is pressed, for the new exaggeration.
    s.view.camera.verticalScale = 2;
    vertScaleReleased(s, view, feedback, false);
    EXPECT_FALSE(s.view.production.discs);
    EXPECT_EQ(view.calls.size(), 1u);
    vertScaleReleased(s, view, feedback, true);
    EXPECT_TRUE(s.view.production.discs);
    ASSERT_EQ(s.circleDiagram.size(), 2u);
    EXPECT_NEAR(s.circleDiagram[0][14], -2.0f + 0.4f / 2.0f, 1e-5f);  // the top rim point of a 0.4 radius
    EXPECT_EQ(view.calls.size(), 2u);
}

}  // namespace
}  // namespace morvane
