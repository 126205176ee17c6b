// The property import command over recording fakes: file order, chosen types, mismatches, refusals, cancels.
#include <algorithm>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "commands/grid_import_command.h"
#include "commands/property_import_command.h"
#include "tests/support/generated_inputs.h"
#include "tests/support/recorded_prompts.h"
#include "tests/support/recorded_scene.h"
#include "tests/support/scene_feedback_recorder.h"
#include "tests/support/temp_folder.h"

namespace morvane {
namespace {

using testing::RecordedPrompts;
using testing::TempFolder;
using RecordedFeedback = test::FeedbackRecorder;
using namespace testing::generated_properties;

// The view's scene operations and the window's controls, recording the calls with the progress at each.
struct RecordedView final : test::RecordedSceneOperations, PropertyImportWindow {
    explicit RecordedView(Feedback& fb) : RecordedSceneOperations(fb) {}

    void addPropertyNode(const std::string& name, int kind) override
    {
        call("node " + name + " " + std::to_string(kind));
    }
    void beginWait() override { call("beginWait"); }
    void endWait(bool finished) override { call(finished ? "endWait finished" : "endWait failed"); }
    void focusTree() override { call("focusTree"); }
    void setLegendCaption(const std::string& text) override { call("legend " + text); }
    void showLegend() override { call("showLegend"); }
};

bool contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The document's properties as the command may change them: name, kind and values of each.
struct ListsSnapshot {
    explicit ListsSnapshot(const PropertySet& p)
    {
        for (const Property& property : p.items)
            items.push_back({property.name, property.kind, property.values, property.codes});
    }
    struct Item {
        std::string name;
        PropertyKind kind;
        std::vector<double> values;
        std::vector<int> codes;
        bool operator==(const Item&) const = default;
    };
    bool operator==(const ListsSnapshot&) const = default;
    std::vector<Item> items;
};

// Each property's name and kind code, in load order.
std::vector<std::pair<std::string, int>> kinds(const PropertySet& p)
{
    std::vector<std::pair<std::string, int>> out;
    for (const Property& property : p.items) out.emplace_back(property.name, static_cast<int>(property.kind));
    return out;
}

using Kinds = std::vector<std::pair<std::string, int>>;

class PropertyImportCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.document.grid.loaded = true;
        state.document.grid.cellCount = NX * NY * NZ;
        view.shown = &state.view.shownProperty;
    }

    PropertyImportResult run(std::vector<std::string> answers, std::vector<std::optional<std::vector<int>>> types)
    {
        prompts = std::make_unique<RecordedPrompts>(std::move(answers));
        prompts->typeAnswers = std::move(types);
        return importPropertiesWithDialog(PropertyImportContext{state, feedback, view, view, *prompts});
    }

    std::string file(const std::string& name, const std::string& text)
    {
        return testing::writeText(folder.file(name), text);
    }

    ModelState state;
    RecordedFeedback feedback;
    RecordedView view{feedback};
    std::unique_ptr<RecordedPrompts> prompts;
    TempFolder folder;
};

TEST_F(PropertyImportCommand, WithoutAGridOnlyTellsTheUserInTheirLanguage)
{
    state.document.grid.loaded = false;
    EXPECT_EQ(run({"unused"}, {}).outcome, PropertyImportOutcome::NoGrid);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "Property loading");
    EXPECT_EQ(prompts->messages[0].text, "There are no grid loaded. Please, load grid first.");
    EXPECT_TRUE(prompts->questions.empty());

    state.view.language = "ru";
    EXPECT_EQ(run({"unused"}, {}).outcome, PropertyImportOutcome::NoGrid);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "Загрузка свойства");
    EXPECT_EQ(prompts->messages[0].text,
              "В проект еще не загружен грид. Пожалуйста, загрузите сначала грид, затем свойства.");
    EXPECT_TRUE(prompts->questions.empty());
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(feedback.statuses.empty());
    EXPECT_TRUE(state.document.properties.items.empty());
}

TEST_F(PropertyImportCommand, LoadsEveryPropertyInFileOrderWithTheChosenTypes)
{
    const std::string path = file("ROCK.GRDECL", propertyText({continuous("PORO"), discrete("Facies")}));

    const PropertyImportResult result = run({path}, {std::vector<int>{4, 0}});
    ASSERT_EQ(result.outcome, PropertyImportOutcome::Done);
    EXPECT_EQ(result.accepted, 2);
    EXPECT_EQ(result.rejected, 0);

    ASSERT_EQ(prompts->questions.size(), 1u);
    EXPECT_EQ(prompts->questions[0].title, "Import properties");
    EXPECT_EQ(prompts->questions[0].filter, "GRDECL files|*.GRDECL|All files (*.*)|*.*");
    ASSERT_EQ(prompts->typeQuestions.size(), 1u);
    EXPECT_EQ(prompts->typeQuestions[0].names, (std::vector<std::string>{"PORO", "Facies"}));
    EXPECT_EQ(prompts->typeQuestions[0].lang, "en");
    EXPECT_TRUE(prompts->messages.empty());

    // In file order, each shown as it loads and given its node; the one given no kind is Discrete by its codes.
    const std::vector<std::string> expected{"endWait failed @0",   "beginWait @10",        "legend PORO @80",
                                            "recolour PORO @80",   "node PORO 4 @80",      "legend Facies @80",
                                            "recolour Facies @80", "node Facies 8 @80",    "focusTree @100",
                                            "showLegend @100",     "endWait finished @100"};
    EXPECT_EQ(view.calls, expected);

    EXPECT_EQ(kinds(state.document.properties), (Kinds{{"PORO", 4}, {"Facies", 8}}));
    EXPECT_EQ(state.view.shownProperty, "Facies");
    gen::PropertyFileOptions o;
    o.nx = NX, o.ny = NY, o.nz = NZ;
    EXPECT_EQ(state.document.properties.items[0].values, gen::propertyValues(o, continuous("PORO")));
    EXPECT_EQ(state.document.properties.items[1].codes.size(), static_cast<std::size_t>(NX * NY * NZ));
    EXPECT_FALSE(state.document.properties.items[1].distinctCodes.empty());
    EXPECT_EQ(std::count(feedback.log.begin(), feedback.log.end(),
                         RecordedFeedback::LogLine{"Property is loaded successfully", log_colour::Green}),
              2);

    EXPECT_EQ(feedback.progress(), 100);
    EXPECT_EQ(feedback.statuses.front(), "Reading property");
    EXPECT_TRUE(contains(feedback.statuses, "Rendering property"));
    EXPECT_EQ(feedback.statuses.back(), "All good");
    EXPECT_TRUE(contains(feedback.traces, "starting loading prop1"));
    EXPECT_TRUE(contains(feedback.traces, "PROP_types_loading = 4"));
    ASSERT_FALSE(feedback.log.empty());
    EXPECT_EQ(feedback.log.front(), (RecordedFeedback::LogLine{"Opening file: ROCK", log_colour::LightGrey}));
}

TEST_F(PropertyImportCommand, AMismatchingPropertyIsSkippedAndTheOthersLoad)
{
    // Three properties; the second belongs to a grid with one more layer.
    const std::string text =
        propertyText({continuous("A")}) + propertyText({continuous("B", 5)}, NZ + 1) + propertyText({discrete("C")});
    const std::string path = file("MIXED.GRDECL", text);

    const PropertyImportResult result = run({path}, {std::vector<int>{5, 6, 1}});
    EXPECT_EQ(result.accepted, 2);
    EXPECT_EQ(result.rejected, 1);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "Property loading");
    EXPECT_EQ(prompts->messages[0].text,
              "Chosed file not consisted with geometry of loaded grid. Please, choose right file of property.\n\nB "
              "(MIXED.GRDECL, "
              "line 23): 36 values, the grid has 24 cells.");
    EXPECT_EQ(std::count(feedback.log.begin(), feedback.log.end(),
                         RecordedFeedback::LogLine{
                             "Property file does not correspond to loaded grid. B (MIXED.GRDECL, line 23): 36 values, "
                             "the grid has 24 cells.",
                             log_colour::Red}),
              1);
    // No trace of B anywhere; C keeps the kind chosen for it, not B's.
    EXPECT_EQ(kinds(state.document.properties), (Kinds{{"A", 5}, {"C", 1}}));
    // The wait after the rejection starts again for C, and the file ends finished.
    EXPECT_TRUE(contains(view.calls, "endWait failed @0"));
    EXPECT_EQ(std::count_if(view.calls.begin(), view.calls.end(),
                            [](const std::string& c) { return c.rfind("beginWait", 0) == 0; }),
              2);
    EXPECT_EQ(view.calls.back(), "endWait finished @100");
}

// The command line imports without the dialog: no kind for any property. When the file's last property is the
// wrong one, the properties before it are still on show and the legend explains them.
TEST_F(PropertyImportCommand, UntypedImportAndAWrongLastPropertyStillShowTheLegend)
{
    const std::string text =
        propertyText({continuous("A"), discrete("C")}) + propertyText({continuous("B", 5)}, NZ + 1);
    const std::string path = file("LAST.GRDECL", text);
    prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{});

    const PropertyImportResult result =
        importPropertyFile(PropertyImportContext{state, feedback, view, view, *prompts}, path, PropertyTypes::None);
    EXPECT_EQ(result.accepted, 2);
    EXPECT_EQ(result.names, (std::vector<std::string>{"A", "C"}));
    EXPECT_TRUE(prompts->typeQuestions.empty());
    EXPECT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(kinds(state.document.properties), (Kinds{{"A", 9}, {"C", 8}}));
    EXPECT_TRUE(contains(view.calls, "recolour A @80"));
    EXPECT_EQ(view.calls.back(), "showLegend @0");
}

TEST_F(PropertyImportCommand, AWrongCountLeavesEveryListAsItWas)
{
    const std::string path = file("SHORT.GRDECL", propertyText({discrete("F")}, NZ - 1));
    const ListsSnapshot before(state.document.properties);
    state.view.language = "en";

    const PropertyImportResult result = run({path}, {std::vector<int>{2}});
    EXPECT_EQ(result.accepted, 0);
    EXPECT_EQ(ListsSnapshot(state.document.properties), before);
    // A discrete property is told in the interface language too, with the counts.
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "Property loading");
    EXPECT_EQ(prompts->messages[0].text,
              "Chosed file not consisted with geometry of loaded grid. Please, choose right file of property.\n\nF "
              "(SHORT.GRDECL, "
              "line 9): 12 values, the grid has 24 cells.");
    EXPECT_EQ(feedback.log.back().colour, log_colour::Red);
    EXPECT_EQ(feedback.statuses.back(), "All good");
    EXPECT_EQ(feedback.progress(), 0);
    EXPECT_EQ(view.calls.back(), "focusTree @0");
    EXPECT_FALSE(contains(view.calls, "showLegend @100"));
    EXPECT_EQ(std::count_if(view.calls.begin(), view.calls.end(),
                            [](const std::string& c) { return c.rfind("recolour", 0) == 0; }),
              0);
}

// A file of plain keyword blocks: the dialog offers the blocks of one value per cell by their keywords.
TEST_F(PropertyImportCommand, KeywordBlocksWithoutMarkersAreOfferedByTheirKeywords)
{
    gen::PropertyFileOptions o;
    o.nx = NX;
    o.ny = NY;
    o.nz = NZ;
    o.properties = {continuous("Porosity"), discrete("Facies")};
    o.markers = false;
    const std::string path = file("KEYWORDS.GRDECL", gen::propertyFileText(o) + "NTG\n 3*0.5 /\n");

    const PropertyImportResult r = run({path}, {std::vector<int>{4, 2}});
    EXPECT_EQ(r.outcome, PropertyImportOutcome::Done);
    EXPECT_EQ(r.accepted, 2);
    ASSERT_EQ(prompts->typeQuestions.size(), 1u);
    EXPECT_EQ(prompts->typeQuestions[0].names, (std::vector<std::string>{"PORO", "FACIES"}));
    EXPECT_EQ(state.document.properties.items.at(0).values, gen::propertyValues(o, o.properties[0]));
    EXPECT_EQ(kinds(state.document.properties), (Kinds{{"PORO", 4}, {"FACIES", 2}}));
}

// A file without markers whose blocks do not fit the grid is no property file; the refusal says which block holds
// how many values against the grid's cells.
TEST_F(PropertyImportCommand, AFileWithoutMarkerIsNoPropertyFile)
{
    const std::string path = file("GRID.GRDECL", "PORO\n  0.1 0.2 0.3 /\n");
    const ListsSnapshot before(state.document.properties);

    EXPECT_EQ(run({path}, {std::vector<int>{4}}).outcome, PropertyImportOutcome::NotAProperty);
    EXPECT_TRUE(prompts->typeQuestions.empty());
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "Property loading");
    EXPECT_EQ(prompts->messages[0].text,
              "The chosen file is not a property file. Please choose a correct property file.\n\n"
              "PORO (GRID.GRDECL, line 1) was not loaded: it holds 3 values, the grid has 24 cells");
    // The block left out is named with its line and counts before the verdict.
    EXPECT_EQ(std::count(feedback.log.begin(), feedback.log.end(),
                         RecordedFeedback::LogLine{
                             "PORO (GRID.GRDECL, line 1) was not loaded: it holds 3 values, the grid has 24 cells",
                             log_colour::Orange}),
              1);
    EXPECT_EQ(feedback.log.back(), (RecordedFeedback::LogLine{"Selected file is not property file: " +
                                                                  std::filesystem::path(path).filename().string(),
                                                              log_colour::Red}));
    EXPECT_EQ(feedback.statuses.back(), "All good");
    EXPECT_EQ(feedback.progress(), 0);
    EXPECT_EQ(ListsSnapshot(state.document.properties), before);
}

TEST_F(PropertyImportCommand, CancellingTheFileOrTheTypesAddsNothing)
{
    const ListsSnapshot before(state.document.properties);
    EXPECT_EQ(run({""}, {}).outcome, PropertyImportOutcome::Cancelled);
    EXPECT_TRUE(feedback.log.empty());
    EXPECT_EQ(feedback.statuses, std::vector<std::string>{"All good"});
    EXPECT_TRUE(view.calls.empty());

    EXPECT_EQ(run({folder.file("gone.GRDECL").string()}, {}).outcome, PropertyImportOutcome::Cancelled);
    EXPECT_EQ(feedback.statuses.back(), "All good");
    EXPECT_TRUE(view.calls.empty());

    const std::string path = file("ROCK.GRDECL", propertyText({continuous("PORO")}));
    EXPECT_EQ(run({path}, {std::nullopt}).outcome, PropertyImportOutcome::TypesCancelled);
    EXPECT_EQ(ListsSnapshot(state.document.properties), before);
    EXPECT_EQ(feedback.progress(), 0);
    EXPECT_EQ(feedback.statuses.back(), "All good");
    EXPECT_EQ(view.calls.back(), "focusTree @0");
}

}  // namespace
}  // namespace morvane
