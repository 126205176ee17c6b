// The grid import end to end through the main window's menu with a generated grid and an injected file chooser.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "commands/grid_import_command.h"
#include "tests/support/generated_inputs.h"
#include "tests/support/property_lists.h"
#include "tests/support/ui_harness.h"
#include "ui/dialogs/statistics_dialog.h"
#include "ui/main_window.h"

namespace morvane {
namespace {

using testing::RecordedPrompts;
using testing::smallGrid;
using testing::TempFolder;

// Through the window: the menu item, the real view, the tree, the log and the status strip.

using testing::LogLine;
using testing::logLines;

class GridImportWindowTest : public ::testing::Test {
protected:
    void SetUp() override { testing::resetProgramState(); }
};

TEST_F(GridImportWindowTest, MenuImportFillsStateTreeLogAndStatus)
{
    TempFolder folder;
    gen::GridOptions o = smallGrid("WINDOWGRID");
    o.nx = 6;
    o.ny = 5;
    o.nz = 4;
    const auto first = gen::writeGrid(o, folder.path()).front();
    const std::string notGrid = testing::writeText(folder.file("empty.GRDECL"), "");

    MainWindow form(testing::state());
    auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{first.string(), notGrid});
    RecordedPrompts& answers = *prompts;
    form.setUserPrompts(std::move(prompts));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    form.findChild<QAction*>("importGridItem")->trigger();

    const ModelState& s = testing::state();
    EXPECT_TRUE(s.document.grid.loaded);
    EXPECT_EQ(s.document.grid.rows, 5);
    EXPECT_EQ(s.document.grid.columns, 6);
    EXPECT_EQ(s.document.grid.layers, 4);
    EXPECT_EQ(s.document.grid.cellCount, 120);
    EXPECT_TRUE(s.document.properties.items.empty());  // the bare grid
    EXPECT_EQ(s.cells_k.size(), 4u);                   // coloured, a colour for each of 30 cells a layer
    EXPECT_EQ(s.cells_k[0].size(), 30u * 3);

    auto* tree = form.findChild<QTreeWidget*>("modelTree");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "WINDOWGRID");
    EXPECT_FALSE(tree->topLevelItem(0)->icon(0).isNull());

    const auto lines = logLines(form.findChild<QTextEdit*>("eventsLog"));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front().text, "Opening file: WINDOWGRID");
    EXPECT_EQ(lines.front().colour, QColor(211, 211, 211));
    const auto loaded = std::find_if(lines.begin(), lines.end(),
                                     [](const LogLine& l) { return l.text == "Grid is loaded successfully"; });
    ASSERT_NE(loaded, lines.end());
    EXPECT_EQ(loaded->colour, QColor(0, 128, 0));

    EXPECT_EQ(form.findChild<QProgressBar*>("progressBar")->value(), 100);
    EXPECT_EQ(form.findChild<QLabel*>("statusLabel")->text(), "Rendering grid");
    EXPECT_TRUE(form.findChild<QToolButton*>("topViewButton")->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    auto* statistics = form.findChild<StatisticsDialog*>("statisticsDialog");
    ASSERT_NE(statistics, nullptr);
    EXPECT_EQ(statistics->findChild<QLineEdit*>("cellsK")->text(), "4");
    EXPECT_EQ(statistics->findChild<QLineEdit*>("cellSize")->text(), "50 x 50");

    // A file that holds no grid: progress back to 0, the model stays.
    form.findChild<QAction*>("importGridItem")->trigger();
    EXPECT_EQ(form.findChild<QProgressBar*>("progressBar")->value(), 0);
    EXPECT_EQ(form.findChild<QLabel*>("statusLabel")->text(), "All good");
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(logLines(form.findChild<QTextEdit*>("eventsLog")).back().colour, QColor(255, 0, 0));
    EXPECT_EQ(s.document.grid.cellCount, 120);
    EXPECT_TRUE(s.document.grid.loaded);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(GridImportWindowTest, SecondGridTurnsLayerViewOffAndReplacesTheProperties)
{
    TempFolder folder;
    const auto first = gen::writeGrid(smallGrid("FIRST"), folder.path()).front();
    gen::GridOptions o = smallGrid("SECOND");
    o.nz = 2;
    const auto second = gen::writeGrid(o, folder.path()).front();

    MainWindow form(testing::state());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_EQ(form.importGridFromPath(first.string()), GridImportOutcome::Loaded);
    auto* layers = form.findChild<QAction*>("layerViewCommand");
    layers->trigger();
    ASSERT_TRUE(layers->isChecked());
    ASSERT_TRUE(testing::state().view.is(ViewMode::Layers));
    testing::state().document.properties.add(makeContinuousProperty("PORO", PropertyKind::Porosity, {0.1}));

    ASSERT_EQ(form.importGridFromPath(second.string()), GridImportOutcome::Loaded);
    EXPECT_FALSE(layers->isChecked());
    EXPECT_FALSE(testing::state().view.is(ViewMode::Layers));
    EXPECT_TRUE(testing::state().view.is(ViewMode::Shell));
    EXPECT_EQ(testing::state().view.layer.saved, 0);
    EXPECT_EQ(testing::state().document.grid.layers, 2);
    EXPECT_TRUE(testing::state().document.properties.items.empty());
    EXPECT_EQ(form.findChild<QTreeWidget*>("modelTree")->topLevelItem(0)->text(0), "SECOND");
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
