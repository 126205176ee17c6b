// The property import: the command's steps, feedback and failures over recording fakes; the loading dialog; and end
// to end through the main window with a generated grid and property file, including the choice of the displayed
// property in the tree.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "ui/form1.h"
#include "commands/grid_import_command.h"
#include "ui/dialog_prompts.h"
#include "ui/loading_prop.h"
#include "commands/property_import_command.h"
#include "tests/support/recorded_scene.h"
#include "tests/support/scene_feedback_recorder.h"
#include "tests/support/ui_harness.h"

namespace morvane {
namespace {

using testing::RecordedPrompts;
using testing::TempFolder;
using RecordedFeedback = test::FeedbackRecorder;

constexpr int NX = 4, NY = 3, NZ = 2;

// The view's scene operations and the window's controls, recording the calls with the progress at each.
struct RecordedView final : test::RecordedSceneOperations, PropertyImportWindow {
    explicit RecordedView(Feedback& fb) : RecordedSceneOperations(fb) {}

    void beginWait() override { call("beginWait"); }
    void endWait(bool finished) override { call(finished ? "endWait finished" : "endWait failed"); }
    void focusTree() override { call("focusTree"); }
    void setLegendCaption(const std::string& text) override { call("legend " + text); }
    void showLegend() override { call("showLegend"); }
};

gen::PropertyDefinition continuous(const std::string& name, std::uint64_t seed = 11)
{
    gen::PropertyDefinition p;
    p.keyword = "PORO";
    p.name = name;
    p.kind = gen::PropertyKind::Continuous;
    p.minValue = 0.05;
    p.maxValue = 0.32;
    p.seed = seed;
    return p;
}

gen::PropertyDefinition discrete(const std::string& name)
{
    gen::PropertyDefinition p;
    p.keyword = "FACIES";
    p.name = name;
    p.kind = gen::PropertyKind::Discrete;
    p.codes = 4;
    p.seed = 23;
    return p;
}

std::string propertyText(std::vector<gen::PropertyDefinition> props, int nz = NZ)
{
    gen::PropertyFileOptions o;
    o.nx = NX;
    o.ny = NY;
    o.nz = nz;
    o.properties = std::move(props);
    return gen::propertyFileText(o);
}

bool contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Everything the command may change in the property lists.
struct ListsSnapshot {
    explicit ListsSnapshot(const Properties& p)
        : cont(p.PROP_cont_loading), disc(p.PROP_disc_loading), contNames(p.PROP_cont_loading_name),
          discNames(p.PROP_disc_loading_name), all(p.propertyNameAll), type(p.PROP_type), max(p.PROP_max_value),
          minColor(p.PROP_min_value_color), codes(p.PROP_disc_codes)
    {
    }
    bool operator==(const ListsSnapshot&) const = default;
    std::vector<std::vector<double>> cont;
    std::vector<std::vector<int>> disc;
    std::vector<std::string> contNames, discNames, all;
    std::vector<int> type;
    std::vector<double> max, minColor;
    std::vector<std::vector<int>> codes;
};

class PropertyImportCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.gridLoaded = true;
        state.GRID_SIZE = NX * NY * NZ;
        registerGridPlaceholder(state, state.GRID_SIZE);
        state.PROP_type.push_back(10);
        state.propLoading = false;
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
    state.gridLoaded = false;
    EXPECT_EQ(run({"unused"}, {}).outcome, PropertyImportOutcome::NoGrid);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "Property loading");
    EXPECT_EQ(prompts->messages[0].text, "There are no grid loaded. Please, load grid first.");
    EXPECT_TRUE(prompts->questions.empty());

    state.Lang = "ru";
    EXPECT_EQ(run({"unused"}, {}).outcome, PropertyImportOutcome::NoGrid);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "Загрузка свойства");
    EXPECT_EQ(prompts->messages[0].text,
              "В проект еще не загружен грид. Пожалуйста, загрузите сначала грид, затем свойства.");
    EXPECT_TRUE(prompts->questions.empty());
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(feedback.statuses.empty());
    EXPECT_EQ(state.PROP_type, std::vector<int>{10});
}

TEST_F(PropertyImportCommand, LoadsEveryPropertyInFileOrderWithTheChosenTypes)
{
    const std::string path = file("ROCK.GRDECL", propertyText({continuous("PORO"), discrete("Facies")}));

    const PropertyImportResult result = run({path}, {std::vector<int>{4, 0}});
    ASSERT_EQ(result.outcome, PropertyImportOutcome::Done);
    EXPECT_EQ(result.accepted, 2);
    EXPECT_EQ(result.rejected, 0);

    ASSERT_EQ(prompts->questions.size(), 1u);
    EXPECT_EQ(prompts->questions[0].title, "Загрузить свойства");
    EXPECT_EQ(prompts->questions[0].filter, "GRDECL files|*.GRDECL|All files (*.*)|*.*");
    ASSERT_EQ(prompts->typeQuestions.size(), 1u);
    EXPECT_EQ(prompts->typeQuestions[0].names, (std::vector<std::string>{"PORO", "Facies"}));
    EXPECT_EQ(prompts->typeQuestions[0].lang, "en");
    EXPECT_TRUE(prompts->messages.empty());
    EXPECT_TRUE(state.OK_prop_loading);

    // Continuous first (per-kind index 2: entry 1 of PROP_cont_loading, after the placeholder), then discrete.
    const std::vector<std::string> expected{
        "endWait failed @0",  "beginWait @10",      "legend PORO @80",       "initPROP 2 cont 4 @80",
        "bindPropBuffers @80", "legend Facies @80", "initPROP 1 disc 0 @80", "bindPropBuffers @80",
        "focusTree @100",     "showLegend @100",    "endWait finished @100"};
    EXPECT_EQ(view.calls, expected);

    EXPECT_EQ(state.PROP_type, (std::vector<int>{10, 4, 0}));
    EXPECT_EQ(state.propertyNameAll, (std::vector<std::string>{"PORO", "Facies"}));
    EXPECT_EQ(state.PROP_cont_loading_name, (std::vector<std::string>{"grid", "PORO"}));
    EXPECT_EQ(state.PROP_disc_loading_name, std::vector<std::string>{"Facies"});
    ASSERT_EQ(state.PROP_cont_loading.size(), 2u);
    gen::PropertyFileOptions o;
    o.nx = NX, o.ny = NY, o.nz = NZ;
    EXPECT_EQ(state.PROP_cont_loading[1], gen::propertyValues(o, continuous("PORO")));
    ASSERT_EQ(state.PROP_disc_loading.size(), 1u);
    EXPECT_EQ(state.PROP_disc_loading[0].size(), static_cast<std::size_t>(NX * NY * NZ));
    EXPECT_EQ(state.PROP_max_value.size(), 3u);
    EXPECT_EQ(state.PROP_disc_codes.size(), 1u);

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
    const std::string text = propertyText({continuous("A")}) + propertyText({continuous("B", 5)}, NZ + 1) +
                             propertyText({discrete("C")});
    const std::string path = file("MIXED.GRDECL", text);

    const PropertyImportResult result = run({path}, {std::vector<int>{5, 6, 1}});
    EXPECT_EQ(result.accepted, 2);
    EXPECT_EQ(result.rejected, 1);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "Property loading");
    EXPECT_EQ(prompts->messages[0].text,
              "Chosed file not consisted with geometry of loaded grid. Please, choose right file of property.");
    EXPECT_EQ(std::count(feedback.log.begin(), feedback.log.end(),
                         RecordedFeedback::LogLine{"Property file does not correspond to loaded grid",
                                                   log_colour::Red}),
              1);
    // The lists stay aligned: no trace of B anywhere.
    EXPECT_EQ(state.PROP_type, (std::vector<int>{10, 5, 1}));
    EXPECT_EQ(state.propertyNameAll, (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(state.PROP_cont_loading_name, (std::vector<std::string>{"grid", "A"}));
    EXPECT_EQ(state.PROP_max_value.size(), 3u);
    // The wait after the rejection starts again for C, and the file ends finished.
    EXPECT_TRUE(contains(view.calls, "endWait failed @0"));
    EXPECT_EQ(std::count_if(view.calls.begin(), view.calls.end(),
                            [](const std::string& c) { return c.rfind("beginWait", 0) == 0; }),
              2);
    EXPECT_EQ(view.calls.back(), "endWait finished @100");
}

TEST_F(PropertyImportCommand, AWrongCountLeavesEveryListAsItWas)
{
    const std::string path = file("SHORT.GRDECL", propertyText({discrete("F")}, NZ - 1));
    const ListsSnapshot before(state);
    state.Lang = "en";

    const PropertyImportResult result = run({path}, {std::vector<int>{2}});
    EXPECT_EQ(result.accepted, 0);
    EXPECT_EQ(ListsSnapshot(state), before);
    // A discrete property is told in Russian whatever the language.
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "Загрузка свойства");
    EXPECT_EQ(prompts->messages[0].text,
              "Выбранный файл свойства не соответствует геометрии загруженного грида. Пожалуйста, выберите "
              "правильный файл свойства.");
    EXPECT_EQ(feedback.log.back().colour, log_colour::Red);
    EXPECT_EQ(feedback.statuses.back(), "All good");
    EXPECT_EQ(feedback.progress(), 0);
    EXPECT_EQ(view.calls.back(), "focusTree @0");
    EXPECT_FALSE(contains(view.calls, "showLegend @100"));
    EXPECT_EQ(std::count_if(view.calls.begin(), view.calls.end(),
                            [](const std::string& c) { return c.rfind("initPROP", 0) == 0; }),
              0);
}

TEST_F(PropertyImportCommand, AFileWithoutMarkerIsNoPropertyFile)
{
    const std::string path = file("GRID.GRDECL", "PORO\n  0.1 0.2 0.3 /\n");
    const ListsSnapshot before(state);

    EXPECT_EQ(run({path}, {std::vector<int>{4}}).outcome, PropertyImportOutcome::NotAProperty);
    EXPECT_TRUE(prompts->typeQuestions.empty());
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].caption, "Загрузка свойства");
    EXPECT_EQ(prompts->messages[0].text,
              "Выбранный файл не является файлом свойства. Пожалуйста, выберите правильный файл свойства.");
    EXPECT_EQ(feedback.log.back(), (RecordedFeedback::LogLine{"Selected file is not property file", log_colour::Red}));
    EXPECT_EQ(feedback.statuses.back(), "All good");
    EXPECT_EQ(feedback.progress(), 0);
    EXPECT_EQ(ListsSnapshot(state), before);
}

TEST_F(PropertyImportCommand, CancellingTheFileOrTheTypesAddsNothing)
{
    const ListsSnapshot before(state);
    EXPECT_EQ(run({""}, {}).outcome, PropertyImportOutcome::Cancelled);
    EXPECT_TRUE(feedback.log.empty());
    EXPECT_EQ(feedback.statuses, std::vector<std::string>{"All good"});
    EXPECT_TRUE(view.calls.empty());

    EXPECT_EQ(run({folder.file("gone.GRDECL").string()}, {}).outcome, PropertyImportOutcome::Cancelled);
    EXPECT_EQ(feedback.statuses.back(), "All good");
    EXPECT_TRUE(view.calls.empty());

    const std::string path = file("ROCK.GRDECL", propertyText({continuous("PORO")}));
    EXPECT_EQ(run({path}, {std::nullopt}).outcome, PropertyImportOutcome::TypesCancelled);
    EXPECT_FALSE(state.OK_prop_loading);
    EXPECT_EQ(ListsSnapshot(state), before);
    EXPECT_EQ(feedback.progress(), 0);
    EXPECT_EQ(feedback.statuses.back(), "All good");
    EXPECT_EQ(view.calls.back(), "focusTree @0");
}

// The loading dialog itself.

class LoadingPropDialog : public ::testing::Test {
protected:
    void SetUp() override { testing::resetProgramState(); }
};

TEST_F(LoadingPropDialog, OkCollectsOneCodePerPropertyAndClosingOtherwiseDoesNot)
{
    std::vector<int> types;
    LoadingProp dialog({"PORO", "Facies", "NTG"}, types);
    dialog.updateLang("en");
    EXPECT_EQ(dialog.windowTitle(), "Property loading");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("groupBox1")->title(), "Property types");
    dialog.updateLang("ru");
    EXPECT_NE(dialog.windowTitle(), "Property loading");
    EXPECT_FALSE(dialog.windowTitle().isEmpty());

    ASSERT_EQ(dialog.count, 3);
    for (int i = 0; i < 3; ++i) {
        QComboBox* list = dialog.findChild<QComboBox*>(QStringLiteral("prop%1").arg(i));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->count(), 6);
        EXPECT_EQ(list->currentIndex(), -1);
    }
    EXPECT_EQ(dialog.typeList(0)->itemText(0), "lithology");  // the stored language is English by default
    EXPECT_EQ(dialog.typeList(0)->itemText(5), "water saturation");
    EXPECT_EQ(dialog.findChild<QComboBox*>("prop3"), nullptr);

    dialog.typeList(0)->setCurrentIndex(3);  // porosity
    dialog.typeList(2)->setCurrentIndex(2);  // NTG
    dialog.findChild<QPushButton*>("kryptonButton1")->click();
    EXPECT_TRUE(dialog.OK_loading());
    EXPECT_EQ(dialog.get_prop_types(), (std::vector<int>{4, 0, 3}));
    dialog.clear_types();
    EXPECT_TRUE(types.empty());

    LoadingProp closed({"PORO"}, types);
    closed.show();
    closed.close();
    EXPECT_FALSE(closed.OK_loading());
    EXPECT_TRUE(types.empty());
}

TEST_F(LoadingPropDialog, KindNamesFollowTheStoredLanguage)
{
    appSettings().UpdateAppSettings("Lang", "ru");
    std::vector<int> types;
    LoadingProp dialog({"PORO"}, types);
    EXPECT_EQ(dialog.typeList(0)->itemText(0), "литология");
    EXPECT_EQ(dialog.typeList(0)->itemText(2), "коллектор/неколлектор");
}

TEST_F(LoadingPropDialog, TheRealPromptsAnswerWithTheDialog)
{
    QWidget owner;
    auto prompts = makeDialogPrompts(&owner);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<LoadingProp*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->typeList(1)->setCurrentIndex(4);  // permeability
        dialog->findChild<QPushButton*>("kryptonButton1")->click();
    });
    const auto chosen = prompts->choosePropertyTypes({"A", "B"}, "en");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, (std::vector<int>{0, 5}));
    EXPECT_TRUE(modelState().PROP_types.empty());

    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    EXPECT_FALSE(prompts->choosePropertyTypes({"A"}, "en").has_value());
}

// Through the window: the menu item, the real view, the tree, the log and the legend.

using testing::LogLine;
using testing::logLines;

// The colour written into cell (k, c) of the coloured layers (its first top corner).
std::array<float, 3> cellColour(const ModelState& s, int k, int c)
{
    const Vertices& layer = s.cells_k.at(static_cast<std::size_t>(k));
    const std::size_t at = static_cast<std::size_t>(4 * c) * 6 + 3;
    return {layer.at(at), layer.at(at + 1), layer.at(at + 2)};
}

void expectColour(const std::array<float, 3>& actual, float r, float g, float b)
{
    EXPECT_NEAR(actual[0], r, 1e-4f);
    EXPECT_NEAR(actual[1], g, 1e-4f);
    EXPECT_NEAR(actual[2], b, 1e-4f);
}

class PropertyImportWindowTest : public ::testing::Test {
protected:
    void SetUp() override { testing::resetProgramState(); }
};

TEST_F(PropertyImportWindowTest, MenuImportFillsTreeLogLegendAndColoursTheCells)
{
    TempFolder folder;
    gen::GridOptions g;
    g.name = "FIELD";
    g.nx = NX, g.ny = NY, g.nz = NZ;
    const auto grid = gen::writeGrid(g, folder.path()).front();
    const std::string props = testing::writeText(folder.file("ROCK.GRDECL"),
                                                 propertyText({continuous("PERM"), discrete("Facies"), continuous("SW", 3)}));

    Form1 form;
    auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{props});
    prompts->typeAnswers = {std::vector<int>{5, 0, 0}};
    form.setUserPrompts(std::move(prompts));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_EQ(form.importGridFromPath(grid.string()), GridImportOutcome::Loaded);

    form.findChild<QAction*>("importMainMenu_prop")->trigger();

    ModelState& s = modelState();
    // Properties loaded without a type are typed 8 (discrete) or 9 (continuous) at once.
    EXPECT_EQ(s.PROP_type, (std::vector<int>{10, 5, 8, 9}));
    EXPECT_EQ(s.propertyNameAll, (std::vector<std::string>{"PERM", "Facies", "SW"}));

    auto* tree = form.findChild<QTreeWidget*>("treeView2");
    QTreeWidgetItem* root = tree->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->childCount(), 3);
    EXPECT_EQ(root->child(0)->text(0), "PERM");
    EXPECT_EQ(root->child(1)->text(0), "Facies");
    EXPECT_EQ(root->child(0)->data(0, Qt::UserRole + 1).toInt(), 5);
    EXPECT_EQ(root->child(1)->data(0, Qt::UserRole + 1).toInt(), 8);
    EXPECT_EQ(root->child(2)->data(0, Qt::UserRole + 1).toInt(), 9);
    EXPECT_FALSE(root->child(1)->icon(0).isNull());
    EXPECT_EQ(tree->currentItem(), root->child(2));

    const auto lines = logLines(form.findChild<QTextEdit*>("richTextBox1"));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const LogLine& l) {
                                return l.text == "Property is loaded successfully" && l.colour == QColor(0, 128, 0);
                            }),
              3);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const LogLine& l) {
        return l.text == "Opening file: ROCK" && l.colour == QColor(211, 211, 211);
    }));
    EXPECT_EQ(form.findChild<QProgressBar*>("toolStripProgressBar1")->value(), 100);
    EXPECT_EQ(form.findChild<QLabel*>("StatusLabel")->text(), "All good");
    EXPECT_TRUE(form.findChild<QAction*>("legendMainMenu")->isChecked());
    auto* legend = form.findChild<QGroupBox*>("propLegend");
    EXPECT_TRUE(legend->isVisible());
    EXPECT_EQ(legend->title(), "SW");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The last loaded property is the displayed one.
    EXPECT_EQ(s.PROP_type_displaying, 9);
    EXPECT_FALSE(s.disc_PROP_displaying);
    EXPECT_EQ(s.i_morvane, 2);
    EXPECT_EQ(s.prop_no_morvane, 2);

    // Selecting the permeability: the lowest value is drawn in the low colour (blue), the highest in the high
    // colour (red), within the permeability's own limits and not those of the property displayed before. The
    // property filter view ends.
    s.cont_prop_cut = 0.2f;
    form.findChild<QAction*>("threedMainMenu")->setChecked(true);
    tree->setCurrentItem(root->child(0));
    EXPECT_FALSE(form.findChild<QAction*>("threedMainMenu")->isChecked());
    EXPECT_EQ(s.cont_prop_cut, 0.0f);
    EXPECT_TRUE(s.edge_mode);
    EXPECT_EQ(s.PROP_name_displaying, "PERM");
    EXPECT_EQ(s.PROP_type_displaying, 5);
    EXPECT_FALSE(s.disc_PROP_displaying);
    EXPECT_FALSE(s.displayGrid);
    EXPECT_EQ(s.i_morvane, 1);
    EXPECT_EQ(s.prop_no_morvane, 0);
    EXPECT_EQ(legend->title(), "PERM");
    const std::vector<double>& perm = s.PROP_cont_loading.at(1);
    const auto lowest = std::min_element(perm.begin(), perm.end()) - perm.begin();
    const auto highest = std::max_element(perm.begin(), perm.end()) - perm.begin();
    const int layerCells = NX * NY;
    expectColour(cellColour(s, static_cast<int>(lowest / layerCells), static_cast<int>(lowest % layerCells)), 0, 0, 1);
    expectColour(cellColour(s, static_cast<int>(highest / layerCells), static_cast<int>(highest % layerCells)), 1, 0,
                 0);

    // Back to the facies: each cell takes its code's colour from the type-8 table.
    tree->setCurrentItem(root->child(1));
    EXPECT_EQ(s.PROP_type_displaying, 8);
    EXPECT_EQ(s.prop_no_morvane, 1);
    const int code = s.PROP_disc_loading.at(0).at(5);
    const auto& table = s.PROP_disc_color.at(8);
    ASSERT_LT(static_cast<std::size_t>(code), table.size());
    expectColour(cellColour(s, 0, 5), table[code][0], table[code][1], table[code][2]);

    // The root node shows the bare grid and an empty legend.
    new QLabel(QStringLiteral("swatch"), legend);
    tree->setCurrentItem(root);
    EXPECT_TRUE(legend->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty());
    EXPECT_TRUE(s.displayGrid);
    EXPECT_EQ(s.PROP_type_displaying, 10);
    EXPECT_EQ(legend->title(), "FIELD");
    expectColour(cellColour(s, 1, 3), 127.0f / 255, 127.0f / 255, 127.0f / 255);
}

TEST_F(PropertyImportWindowTest, AMismatchingFileLeavesTreeAndListsAsTheyWere)
{
    TempFolder folder;
    gen::GridOptions g;
    g.name = "FIELD";
    g.nx = NX, g.ny = NY, g.nz = NZ;
    const auto grid = gen::writeGrid(g, folder.path()).front();
    const std::string props =
        testing::writeText(folder.file("OTHER.GRDECL"), propertyText({continuous("PERM")}, NZ + 2));

    Form1 form;
    auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{props});
    prompts->typeAnswers = {std::vector<int>{5}};
    RecordedPrompts& answers = *prompts;
    form.setUserPrompts(std::move(prompts));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_EQ(form.importGridFromPath(grid.string()), GridImportOutcome::Loaded);

    EXPECT_EQ(form.importMainMenu_prop_Click().rejected, 1);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].text,
              "Chosed file not consisted with geometry of loaded grid. Please, choose right file of property.");
    EXPECT_EQ(logLines(form.findChild<QTextEdit*>("richTextBox1")).back().colour, QColor(255, 0, 0));
    EXPECT_EQ(modelState().PROP_type, std::vector<int>{10});
    EXPECT_TRUE(modelState().propertyNameAll.empty());
    EXPECT_EQ(form.findChild<QTreeWidget*>("treeView2")->topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(form.findChild<QProgressBar*>("toolStripProgressBar1")->value(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PropertyImportWindowTest, WithoutAGridTheMenuOnlyShowsTheMessage)
{
    Form1 form;
    auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{});
    RecordedPrompts& answers = *prompts;
    form.setUserPrompts(std::move(prompts));
    form.findChild<QAction*>("importMainMenu_prop")->trigger();
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].text, "There are no grid loaded. Please, load grid first.");
    EXPECT_TRUE(answers.questions.empty());
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
