// The well column dialog, and wells through the main window: the import menu with a generated grid and wells, the
// well tree and log, the display settings (colours, menus, cut toggle, wells above the model) and label hovering.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "render/scene_renderer.h"
#include "tests/support/ui_harness.h"
#include "ui/color_button.h"
#include "ui/dialog_prompts.h"
#include "ui/dialogs/well_columns_dialog.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"

namespace morvane {
namespace {

using testing::LogLine;
using testing::logLines;
using testing::RecordedPrompts;
using testing::TempFolder;
using Button = WellColumnAnswer::Button;

const std::vector<std::string> kColumns{"MD", "X", "Y", "Z", "TVD", "DX", "DY", "AZIM_TN", "INCL", "DLS", "AZIM_GN"};

class WellColumnsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { testing::resetProgramState(); }
};

TEST_F(WellColumnsDialogTest, TextsPreselectionAndButtons)
{
    WellColumnsDialog one("Скв-1", {"Z", "MD", "X", "Y", "X"}, false);
    one.updateLang("en");
    EXPECT_EQ(one.windowTitle(), "Well loading");
    EXPECT_EQ(one.findChild<QGroupBox*>("columnsGroup")->title(), "Column typization");
    EXPECT_EQ(one.findChild<QLabel*>("xCaption")->text(), "X ccordinate");
    one.updateLang("ru");
    EXPECT_EQ(one.windowTitle(), "Загрузка скважин");
    EXPECT_EQ(one.findChild<QLabel*>("mdCaption")->text(), "Глубина, MD");
    EXPECT_EQ(one.findChild<QPushButton*>("okForAllButton")->text(), "ОК для всех");
    EXPECT_EQ(one.findChild<QPushButton*>("okButton")->text(), "ОК");
    one.show();
    // Exact names, the last duplicate wins; the name is shown; one file: no "OK for all", "ОК" moved left.
    EXPECT_EQ(one.findChild<QComboBox*>("mdColumn")->currentIndex(), 1);
    EXPECT_EQ(one.findChild<QComboBox*>("xColumn")->currentIndex(), 4);
    EXPECT_EQ(one.findChild<QComboBox*>("yColumn")->currentIndex(), 3);
    EXPECT_EQ(one.findChild<QComboBox*>("zColumn")->currentIndex(), 0);
    EXPECT_EQ(one.findChild<QLabel*>("wellName")->text(), "Скв-1");
    EXPECT_FALSE(one.findChild<QPushButton*>("okForAllButton")->isVisible());
    EXPECT_EQ(one.findChild<QPushButton*>("okButton")->x(), 105);
    one.findChild<QPushButton*>("okButton")->click();
    EXPECT_FALSE(one.abandoned());
    EXPECT_FALSE(one.okForAll());
    EXPECT_EQ(one.recordedX(), 0);  // "ОК" records no indices
    EXPECT_EQ(one.answer().button, Button::Ok);

    WellColumnsDialog several("W", kColumns, true);
    several.show();
    EXPECT_TRUE(several.findChild<QPushButton*>("okForAllButton")->isVisible());
    several.findChild<QComboBox*>("zColumn")->setCurrentIndex(4);  // the user takes TVD for Z
    several.findChild<QPushButton*>("okForAllButton")->click();
    EXPECT_TRUE(several.okForAll());
    EXPECT_EQ(several.recordedMd(), 0);
    EXPECT_EQ(several.recordedZ(), 4);
    EXPECT_EQ(several.answer().button, Button::OkForAll);

    WellColumnsDialog closed("W", kColumns, true);
    closed.show();
    closed.close();
    EXPECT_TRUE(closed.abandoned());
    EXPECT_EQ(closed.answer().button, Button::CloseBox);
}

TEST_F(WellColumnsDialogTest, TheRealPromptsAnswerWithTheDialog)
{
    QWidget owner;
    auto prompts = makeDialogPrompts(&owner);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<WellColumnsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QComboBox*>("mdColumn")->setCurrentIndex(-1);
        dialog->findChild<QPushButton*>("okButton")->click();
    });
    const WellColumnAnswer a = prompts->chooseWellColumns({"W", kColumns, false, "en"});
    EXPECT_EQ(a.button, Button::Ok);
    EXPECT_EQ(a.md, -1);
    EXPECT_EQ(a.x, 1);
    EXPECT_EQ(a.z, 3);
}

class WellWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::resetProgramState();
        gen::GridOptions g;
        g.name = "FIELD";
        g.nx = 8;
        g.ny = 6;
        g.nz = 3;
        g.originX = 548000;
        g.originY = 6414000;
        grid = gen::writeGrid(g, folder.path()).front().string();
        std::vector<gen::WellOptions> wells = gen::wellsForGrid(g, 3);
        wells[1].name = "Скв-2";
        for (gen::WellOptions& w : wells) {
            w.gridNorthColumn = true;
            w.lineEnd = gen::LineEnd::CRLF;
            files.push_back(
                gen::writeWellFile(w, folder.file("well" + std::to_string(files.size()) + ".dev")).string());
        }
    }

    // The window with the grid loaded and the three wells imported through the menu with "OK for all".
    void importThroughTheMenu(MainWindow& form)
    {
        auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{});
        prompts->fileLists = {files};
        prompts->columnAnswers = {{Button::OkForAll, 0, 1, 2, 3}};
        form.setUserPrompts(std::move(prompts));
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        ASSERT_EQ(form.importGridFromPath(grid), GridImportOutcome::Loaded);
        form.findChild<QAction*>("importWellsItem")->trigger();
    }

    TempFolder folder;
    std::string grid;
    std::vector<std::string> files;
};

TEST_F(WellWindowTest, MenuImportFillsTheWellTreeLogAndTheViewsArrays)
{
    MainWindow form(testing::state());
    importThroughTheMenu(form);
    ModelState& s = testing::state();

    auto* tree = form.findChild<QTreeWidget*>("wellList");
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(1)->text(0), "Скв-2");
    const auto lines = logLines(form.findChild<QTextEdit*>("eventsLog"));
    EXPECT_EQ(std::count_if(
                  lines.begin(), lines.end(),
                  [](const LogLine& l) {
        return l.text.endsWith(" is loaded successfully") && l.colour == QColor(0, 128, 0) &&
               l.text.startsWith("Well ");
                  }),
              3);
    EXPECT_EQ(form.findChild<QProgressBar*>("progressBar")->value(), 100);
    EXPECT_EQ(form.findChild<QLabel*>("statusLabel")->text(), "All good");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Every per-well list has one entry per well; the wells start above the model and reach below it.
    ASSERT_EQ(s.document.wells.items.size(), 3u);
    EXPECT_EQ(s.document.wells.items[1].name, "Скв-2");
    for (std::size_t n : {s.well_coord_vertex_show.size(), s.well_coord_vertex_hide.size(), s.well_proj_length.size(),
                          s.well_show_runs.size()})
        EXPECT_EQ(n, 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_GT(s.well_coord_vertex_show[i].size(), 12u) << i;
        EXPECT_GE(s.well_hide_runs[i].size(), 2u) << i;  // above the model and below it
    }
    if (form.glView()->contextReady()) {
        const GpuScene& gpu = form.glView()->scene().gpu();
        EXPECT_EQ(gpu.wellsShown.vaos.size(), 3u);
        EXPECT_NE(gpu.wellsHidden.vaos[2], 0u);
    }
}

TEST_F(WellWindowTest, DisplaySettings)
{
    MainWindow form(testing::state());
    importThroughTheMenu(form);
    ModelState& s = testing::state();

    // The line colour recolours both parts of every loaded well.
    form.findChild<ColorButton*>("lineColourButton")->setSelectedColor(QColor(255, 0, 51));
    for (const auto* parts : {&s.well_coord_vertex_show, &s.well_coord_vertex_hide})
        for (const Vertices& part : *parts)
            for (std::size_t v = 0; v < part.size(); v += 6) {
                ASSERT_FLOAT_EQ(part[v + 3], 1.0f);
                ASSERT_FLOAT_EQ(part[v + 5], 0.2f);
            }
    form.findChild<ColorButton*>("labelColourButton")->setSelectedColor(QColor(0, 0, 255));
    EXPECT_EQ(s.view.wells.labelColour, (std::vector<float>{0, 0, 1}));

    // Menus: entry n sets the size and is the only one checked.
    auto* sizes = form.findChild<QMenu*>("labelSizeMenu");
    ASSERT_EQ(sizes->actions().size(), 13);
    EXPECT_TRUE(form.findChild<QAction*>("labelSize_14")->isChecked());  // 0.5 at start
    form.findChild<QAction*>("labelSize_26")->trigger();
    EXPECT_FLOAT_EQ(s.view.wells.labelSize, 0.8f);
    for (QAction* a : sizes->actions()) EXPECT_EQ(a->isChecked(), a->text() == "26") << a->text().toStdString();
    ASSERT_EQ(form.findChild<QMenu*>("lineWidthMenu")->actions().size(), 10);
    form.findChild<QAction*>("lineWidth_7")->trigger();
    EXPECT_EQ(s.view.wells.lineWidth, 7);
    EXPECT_FALSE(form.findChild<QAction*>("lineWidth_5")->isChecked());

    // The cut toggle follows its button; wells above the model toggle and say the other choice.
    form.findChild<QToolButton*>("cutWellsButton")->click();
    EXPECT_TRUE(s.view.wells.cut);
    QAction* onTop = form.findChild<QAction*>("wellsOnTopItem");
    onTop->trigger();
    EXPECT_TRUE(s.view.wells.labelsOnTop);
    EXPECT_EQ(onTop->text(), "Don't show wells above model");
    appSettings().UpdateAppSettings("Lang", "ru");
    onTop->trigger();
    EXPECT_FALSE(s.view.wells.labelsOnTop);
    EXPECT_EQ(onTop->text(), "Отображать скважины поверх модели");
}

TEST_F(WellWindowTest, HoveringALabelPicksItsWell)
{
    MainWindow form(testing::state());
    importThroughTheMenu(form);
    if (!form.glView()->contextReady()) GTEST_SKIP() << "no GL context on this display";
    ModelState& s = testing::state();
    form.onFrameTimer();  // a frame places the labels
    QWidget* panel = form.findChild<QWidget*>("viewPanel");
    const QPoint label(s.view.frame.wellLabelX[1], s.view.frame.wellLabelY[1]);
    ASSERT_TRUE(panel->rect().contains(label));
    QCursor::setPos(panel->mapToGlobal(label + QPoint(20, -10)));
    form.onFrameTimer();
    EXPECT_NE(std::find(s.view.hoveredWells.begin(), s.view.hoveredWells.end(), 1), s.view.hoveredWells.end());
    EXPECT_EQ(panel->cursor().shape(), Qt::PointingHandCursor);
    QCursor::setPos(panel->mapToGlobal(QPoint(2, 2)));
    form.onFrameTimer();
    EXPECT_TRUE(s.view.hoveredWells.empty());
    EXPECT_EQ(panel->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
