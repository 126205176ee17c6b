// The property kinds dialog, and the property import end to end through the main window with a generated grid and
// property file, including the choice of the displayed property in the tree.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "commands/cell_pick.h"
#include "commands/grid_import_command.h"
#include "commands/property_import_command.h"
#include "tests/support/generated_inputs.h"
#include "tests/support/property_lists.h"
#include "tests/support/ui_harness.h"
#include "ui/dialog_prompts.h"
#include "ui/dialogs/property_kinds_dialog.h"
#include "ui/main_window.h"

namespace morvane {
namespace {

using testing::RecordedPrompts;
using testing::TempFolder;
using namespace testing::generated_properties;

// The property kinds dialog itself.

class PropertyKindsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { testing::resetProgramState(); }
};

TEST_F(PropertyKindsDialogTest, OkCollectsOneCodePerPropertyAndClosingOtherwiseDoesNot)
{
    std::vector<int> types;
    PropertyKindsDialog dialog({"PORO", "Facies", "NTG"}, types);
    dialog.updateLang("en");
    EXPECT_EQ(dialog.windowTitle(), "Property loading");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("kindsGroup")->title(), "Property types");
    dialog.updateLang("ru");
    EXPECT_NE(dialog.windowTitle(), "Property loading");
    EXPECT_FALSE(dialog.windowTitle().isEmpty());

    ASSERT_EQ(dialog.propertyCount(), 3);
    for (int i = 0; i < 3; ++i) {
        QComboBox* list = dialog.findChild<QComboBox*>(QStringLiteral("kindList%1").arg(i));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->count(), 6);
        EXPECT_EQ(list->currentIndex(), -1);
    }
    EXPECT_EQ(dialog.kindList(0)->itemText(0), "lithology");  // the stored language is English by default
    EXPECT_EQ(dialog.kindList(0)->itemText(5), "water saturation");
    EXPECT_EQ(dialog.findChild<QComboBox*>("kindList3"), nullptr);

    dialog.kindList(0)->setCurrentIndex(3);  // porosity
    dialog.kindList(2)->setCurrentIndex(2);  // NTG
    dialog.findChild<QPushButton*>("okButton")->click();
    EXPECT_TRUE(dialog.confirmed());
    EXPECT_EQ(dialog.chosenKinds(), (std::vector<int>{4, 0, 3}));
    dialog.clearChosenKinds();
    EXPECT_TRUE(types.empty());

    PropertyKindsDialog closed({"PORO"}, types);
    closed.show();
    closed.close();
    EXPECT_FALSE(closed.confirmed());
    EXPECT_TRUE(types.empty());
}

// A field export of 31 properties on a laptop screen: the rows scroll, so the dialog fits the screen and OK can be
// reached; every list can still be scrolled to.
TEST_F(PropertyKindsDialogTest, ManyPropertiesScrollAndOkStaysOnTheScreen)
{
    std::vector<std::string> names;
    for (int i = 0; i < 31; ++i) names.push_back("PROPERTY_" + std::to_string(i));
    std::vector<int> types;
    PropertyKindsDialog dialog(names, types);
    dialog.show();
    const QRect screen = dialog.screen()->availableGeometry();
    EXPECT_LE(dialog.frameGeometry().height(), screen.height()) << "the window runs off the screen";
    const QPushButton* ok = dialog.findChild<QPushButton*>("okButton");
    EXPECT_LE(ok->geometry().bottom(), dialog.height()) << "OK is outside the window";
    auto* rows = dialog.findChild<QScrollArea*>("kindsArea");
    ASSERT_NE(rows, nullptr);
    EXPECT_GT(rows->verticalScrollBar()->maximum(), 0) << "31 rows of 30 pixels are taller than the screen here";
    rows->ensureWidgetVisible(dialog.kindList(30));
    EXPECT_TRUE(dialog.kindList(30)->visibleRegion().boundingRect().height() > 0);
}

TEST_F(PropertyKindsDialogTest, KindNamesFollowTheStoredLanguage)
{
    appSettings().UpdateAppSettings("Lang", "ru");
    std::vector<int> types;
    PropertyKindsDialog dialog({"PORO"}, types);
    EXPECT_EQ(dialog.kindList(0)->itemText(0), "литология");
    EXPECT_EQ(dialog.kindList(0)->itemText(2), "коллектор/неколлектор");
}

TEST_F(PropertyKindsDialogTest, TheRealPromptsAnswerWithTheDialog)
{
    QWidget owner;
    auto prompts = makeDialogPrompts(&owner);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<PropertyKindsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->kindList(1)->setCurrentIndex(4);  // permeability
        dialog->findChild<QPushButton*>("okButton")->click();
    });
    const auto chosen = prompts->choosePropertyTypes({"A", "B"}, "en");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, (std::vector<int>{0, 5}));

    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    EXPECT_FALSE(prompts->choosePropertyTypes({"A"}, "en").has_value());
}

// Through the window: the menu item, the real view, the tree, the log and the legend.

using testing::LogLine;
using testing::logLines;

// The colour written into cell (k, c) of the coloured layers.
std::array<float, 3> cellColour(const ModelState& s, int k, int c)
{
    const Vertices& layer = s.cells_k.at(static_cast<std::size_t>(k));
    const std::size_t at = static_cast<std::size_t>(c) * 3;
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
    const std::string props = testing::writeText(
        folder.file("ROCK.GRDECL"), propertyText({continuous("PERM"), discrete("Facies"), continuous("SW", 3)}));

    MainWindow form(testing::state());
    auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{props});
    prompts->typeAnswers = {std::vector<int>{5, 0, 0}};
    form.setUserPrompts(std::move(prompts));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_EQ(form.importGridFromPath(grid.string()), GridImportOutcome::Loaded);

    form.findChild<QAction*>("importPropertiesItem")->trigger();

    ModelState& s = testing::state();
    // Properties loaded without a type are typed 8 (discrete) or 9 (continuous) at once.
    EXPECT_EQ(testing::propertyKinds(s.document.properties), (std::vector<int>{5, 8, 9}));
    EXPECT_EQ(testing::propertyNames(s.document.properties), (std::vector<std::string>{"PERM", "Facies", "SW"}));

    auto* tree = form.findChild<QTreeWidget*>("modelTree");
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

    const auto lines = logLines(form.findChild<QTextEdit*>("eventsLog"));
    EXPECT_EQ(std::count_if(
                  lines.begin(), lines.end(),
                  [](const LogLine& l) {
        return l.text == "Property is loaded successfully" && l.colour == QColor(0, 128, 0);
                  }),
              3);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const LogLine& l) {
        return l.text == "Opening file: ROCK" && l.colour == QColor(211, 211, 211);
    }));
    EXPECT_EQ(form.findChild<QProgressBar*>("progressBar")->value(), 100);
    EXPECT_EQ(form.findChild<QLabel*>("statusLabel")->text(), "All good");
    EXPECT_TRUE(form.findChild<QAction*>("legendCommand")->isChecked());
    auto* legend = form.findChild<QGroupBox*>("propertyLegend");
    EXPECT_TRUE(legend->isVisible());
    EXPECT_EQ(legend->title(), "SW");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The last loaded property is the displayed one.
    EXPECT_EQ(s.view.shownProperty, "SW");
    // A picked cell is told with the displayed property's value.
    EXPECT_EQ(pickedCellStatus(s, CellAddress{1, 1, 1}).rfind("Cell I = 1, J = 1, K = 1: SW = ", 0), 0u);

    // Selecting the permeability: the lowest value is drawn in the low colour (blue), the highest in the high
    // colour (red), within the permeability's own limits and not those of the property displayed before. The
    // property filter view ends.
    s.view.filter = PropertyFilterSetting::cutAt(0.2f, true);
    form.findChild<QAction*>("filterViewCommand")->setChecked(true);
    tree->setCurrentItem(root->child(0));
    EXPECT_FALSE(form.findChild<QAction*>("filterViewCommand")->isChecked());
    EXPECT_FALSE(s.view.filter.on());
    EXPECT_TRUE(s.view.is(ViewMode::Shell));
    EXPECT_EQ(s.view.shownProperty, "PERM");
    EXPECT_EQ(legend->title(), "PERM");
    EXPECT_EQ(pickedCellStatus(s, CellAddress{1, 1, 1}).rfind("Cell I = 1, J = 1, K = 1: PERM = ", 0), 0u);
    const std::vector<double>& perm = s.document.properties.items.at(0).values;
    const auto lowest = std::min_element(perm.begin(), perm.end()) - perm.begin();
    const auto highest = std::max_element(perm.begin(), perm.end()) - perm.begin();
    const int layerCells = NX * NY;
    expectColour(cellColour(s, static_cast<int>(lowest / layerCells), static_cast<int>(lowest % layerCells)), 0, 0, 1);
    expectColour(cellColour(s, static_cast<int>(highest / layerCells), static_cast<int>(highest % layerCells)), 1, 0,
                 0);

    // Back to the facies: each cell takes its code's colour from the type-8 table.
    tree->setCurrentItem(root->child(1));
    EXPECT_EQ(s.view.shownProperty, "Facies");
    const int code = s.document.properties.items.at(1).codes.at(5);
    const auto& table = s.document.properties.codeColours.at(8);
    ASSERT_LT(static_cast<std::size_t>(code), table.size());
    expectColour(cellColour(s, 0, 5), table[code].r, table[code].g, table[code].b);

    // The root node shows the bare grid and an empty legend.
    new QLabel(QStringLiteral("swatch"), legend);
    tree->setCurrentItem(root);
    EXPECT_TRUE(legend->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty());
    EXPECT_TRUE(s.view.shownProperty.empty());
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

    MainWindow form(testing::state());
    auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{props});
    prompts->typeAnswers = {std::vector<int>{5}};
    RecordedPrompts& answers = *prompts;
    form.setUserPrompts(std::move(prompts));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_EQ(form.importGridFromPath(grid.string()), GridImportOutcome::Loaded);

    EXPECT_EQ(form.importProperties().rejected, 1);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].text,
              "Chosed file not consisted with geometry of loaded grid. Please, choose right file of property.\n\nPERM "
              "(OTHER.GRDECL, line 9): 48 values, the grid has 24 cells.");
    EXPECT_EQ(logLines(form.findChild<QTextEdit*>("eventsLog")).back().colour, QColor(255, 0, 0));
    EXPECT_TRUE(testing::state().document.properties.items.empty());
    EXPECT_EQ(form.findChild<QTreeWidget*>("modelTree")->topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(form.findChild<QProgressBar*>("progressBar")->value(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PropertyImportWindowTest, WithoutAGridTheMenuOnlyShowsTheMessage)
{
    MainWindow form(testing::state());
    auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{});
    RecordedPrompts& answers = *prompts;
    form.setUserPrompts(std::move(prompts));
    form.findChild<QAction*>("importPropertiesItem")->trigger();
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].text, "There are no grid loaded. Please, load grid first.");
    EXPECT_TRUE(answers.questions.empty());
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
