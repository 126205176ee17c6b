// The view-mode switches of the main window, the 2D turn, the tabs and the display toggles, driven through the
// named controls.
#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>

#include "tests/support/ui_harness.h"
#include "ui/color_button.h"
#include "ui/dialogs/about_dialogs.h"
#include "ui/dialogs/statistics_dialog.h"
#include "ui/main_window.h"

namespace morvane {
namespace {

class ViewModes : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::resetProgramState();
        form = std::make_unique<MainWindow>(testing::state());
        s = &testing::state();
    }

    // A generated grid of `layers` layers, imported through the menu command without its dialog.
    void loadGrid(int layers)
    {
        gen::GridOptions o;
        o.name = "MODES";
        o.nx = 4;
        o.ny = 3;
        o.nz = layers;
        const auto file = gen::writeGrid(o, folder.path()).front();
        ASSERT_EQ(form->importGridFromPath(file.string()), GridImportOutcome::Loaded);
    }

    QAction* action(const char* name) { return form->findChild<QAction*>(name); }
    QToolButton* button(const char* name) { return form->findChild<QToolButton*>(name); }

    testing::TempFolder folder;
    std::unique_ptr<MainWindow> form;
    ModelState* s = nullptr;
};

// What each switch does to the model state is tested on the commands; here the buttons: one group, the check
// marks following the switch, the state reached through them.
TEST_F(ViewModes, ModeButtonsAreOneGroup)
{
    loadGrid(7);
    QAction* layers = action("layerViewCommand");
    QAction* flat = action("flatSectionCommand");
    layers->trigger();
    EXPECT_TRUE(layers->isChecked());
    EXPECT_TRUE(s->view.is(ViewMode::Layers));
    EXPECT_EQ(s->view.layer.shown, 3);
    s->view.layer.shown = 2;
    flat->trigger();
    EXPECT_TRUE(flat->isChecked());
    EXPECT_FALSE(layers->isChecked());
    EXPECT_TRUE(s->view.is(ViewMode::FlatSection));
    EXPECT_FALSE(s->view.is(ViewMode::Layers));
    EXPECT_EQ(s->view.layer.saved, 2);

    flat->trigger();
    EXPECT_FALSE(flat->isChecked());
    EXPECT_FALSE(s->view.is(ViewMode::FlatSection));
    EXPECT_TRUE(s->view.is(ViewMode::Shell));
    layers->trigger();
    EXPECT_EQ(s->view.layer.shown, 2);
    layers->trigger();
    EXPECT_FALSE(layers->isChecked());
    EXPECT_TRUE(s->view.is(ViewMode::Shell));
}

TEST_F(ViewModes, CommandsWithoutTheirDataDoNothing)
{
    // Production and the wells-on-top item are pressed or renamed by their own commands, never by the click.
    // Production without wells answers with a message, recorded here instead of shown.
    form->setUserPrompts(std::make_unique<testing::RecordedPrompts>(std::vector<std::string>{}));
    action("productionCommand")->trigger();
    EXPECT_FALSE(action("productionCommand")->isChecked());
    EXPECT_FALSE(s->view.production.discs);
    action("wellsOnTopItem")->trigger();
    EXPECT_FALSE(action("wellsOnTopItem")->isChecked());

    QAction* flat = action("flatSectionCommand");
    flat->trigger();  // no grid
    EXPECT_FALSE(flat->isChecked());
    EXPECT_FALSE(s->view.is(ViewMode::FlatSection));
    EXPECT_TRUE(s->view.is(ViewMode::Shell));

    loadGrid(3);
    QAction* filter = action("filterViewCommand");
    filter->trigger();  // only the placeholder property
    EXPECT_FALSE(filter->isChecked());
    EXPECT_TRUE(s->view.is(ViewMode::Shell));
}

TEST_F(ViewModes, TopViewButtonTurnsTheModelFrameByFrame)
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    loadGrid(3);
    form->findChild<QTimer*>("frameTimer")->stop();  // frames are driven one by one here
    action("layerViewCommand")->trigger();

    QToolButton* twod = button("topViewButton");
    ASSERT_TRUE(twod->isEnabled());
    twod->click();
    EXPECT_TRUE(twod->isChecked());
    EXPECT_TRUE(s->view.animation.turningDown);
    EXPECT_FALSE(s->view.is(ViewMode::Layers));
    EXPECT_FALSE(action("layerViewCommand")->isChecked()) << "the layer view is off, so is its button";
    for (int frame = 0; frame < 9; ++frame) form->onFrameTimer();
    EXPECT_TRUE(s->view.animation.turningDown);
    EXPECT_LT(s->view.camera.rotation.x, 0.0f);
    form->onFrameTimer();
    EXPECT_FALSE(s->view.animation.turningDown);
    EXPECT_EQ(s->view.camera.rotation.x, 0.0f);

    twod->click();
    EXPECT_FALSE(twod->isChecked());
    for (int frame = 0; frame < 10; ++frame) form->onFrameTimer();
    EXPECT_EQ(s->view.camera.rotation.x, -70.0f);
    EXPECT_FALSE(s->view.animation.turningUp);
}

// Frames are drawn when something changed, not on every tick: idle, the timer stops and no frame is drawn for a
// second; a key, a grid import or a minimised window behave as the view needs.
TEST_F(ViewModes, FramesAreDrawnOnlyAfterAChange)
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(form->findChild<QTimer*>("frameTimer")->interval(), 2);
    const auto idle = [&] {
        return QTest::qWaitFor([&] { return !form->findChild<QTimer*>("frameTimer")->isActive(); }, 2000);
    };
    const auto frames = [&] { return form->glView()->framesDrawn(); };
    ASSERT_TRUE(idle());
    const long shown = frames();
    EXPECT_GE(shown, 1);
    QTest::qWait(1000);
    EXPECT_EQ(frames(), shown) << "frames drawn while nothing changed";
    EXPECT_FALSE(form->findChild<QTimer*>("frameTimer")->isActive());

    QTest::keyClick(form.get(), Qt::Key_W);  // more vertical exaggeration
    ASSERT_TRUE(idle());
    const long afterKey = frames();
    EXPECT_GE(afterKey, shown + 1);
    loadGrid(3);  // no input event: the uploads ask for the frame
    ASSERT_TRUE(idle());
    EXPECT_GE(frames(), afterKey + 1);

    form->showMinimized();
    QTest::qWait(50);
    form->requestFrame();
    EXPECT_FALSE(form->findChild<QTimer*>("frameTimer")->isActive());
    form->showNormal();
    EXPECT_TRUE(QTest::qWaitFor([&] { return frames() > afterKey + 1; }, 2000));
}

TEST_F(ViewModes, TabsShowTheirOwnButtons)
{
    QAction* view = action("viewTab");
    QAction* analysis = action("analysisTab");
    EXPECT_TRUE(view->isChecked());
    EXPECT_TRUE(action("layerViewCommand")->isVisible());
    EXPECT_FALSE(action("khCommand")->isVisible());

    analysis->trigger();
    EXPECT_TRUE(analysis->isChecked());
    EXPECT_FALSE(view->isChecked());
    EXPECT_FALSE(action("layerViewCommand")->isVisible());
    EXPECT_FALSE(action("importCommand")->isVisible());
    EXPECT_TRUE(action("khCommand")->isVisible());
    EXPECT_TRUE(action("oilInPlaceContourCommand")->isVisible());
    EXPECT_TRUE(action("copyPictureCommand")->isVisible());
    EXPECT_TRUE(action("importSeparator")->isVisible());

    analysis->trigger();  // the checked tab: back to the other one
    EXPECT_TRUE(view->isChecked());
    EXPECT_TRUE(action("importCommand")->isVisible());
    EXPECT_FALSE(action("khCommand")->isVisible());

    view->trigger();
    EXPECT_TRUE(analysis->isChecked());
    view->trigger();
    EXPECT_TRUE(view->isChecked());

    // The geology and history-matching tabs have no pages: clicking them leaves the tab row as it is.
    for (const char* name : {"geologyTab", "historyMatchTab"}) {
        action(name)->trigger();
        EXPECT_FALSE(action(name)->isChecked()) << name;
        EXPECT_TRUE(view->isChecked()) << name;
        EXPECT_TRUE(action("layerViewCommand")->isVisible()) << name;
    }
}

TEST_F(ViewModes, DisplayTogglesFollowTheirButtons)
{
    QAction* hide = action("gridLinesItem");
    hide->trigger();
    EXPECT_FALSE(s->view.display.gridLines);
    EXPECT_EQ(hide->text(), "Show grid lines");
    hide->trigger();
    EXPECT_TRUE(s->view.display.gridLines);
    EXPECT_EQ(hide->text(), "Hide grid lines");
    appSettings().UpdateAppSettings("Lang", "ru");  // the item reads the stored language itself
    hide->trigger();
    EXPECT_EQ(hide->text(), "Показать сетку ячеек");
    EXPECT_EQ(s->view.language, "ru");

    button("gridLinesButton")->click();
    EXPECT_EQ(s->view.display.gridLines, button("gridLinesButton")->isChecked());
    button("gocToggle")->click();
    EXPECT_TRUE(s->view.contacts.goc);
    button("owcToggle")->click();
    EXPECT_TRUE(s->view.contacts.owc);
    button("owcToggle")->click();
    EXPECT_FALSE(s->view.contacts.owc);

    // The settings dialog, a child of the window, has a control of the same name: take the window's own.
    form->findChild<ColorButton*>("labelColourButton")->setSelectedColor(QColor(255, 0, 51));
    EXPECT_EQ(s->view.wells.labelColour, (std::vector<float>{1.0f, 0.0f, 0.2f}));
    form->findChild<ColorButton*>("lineColourButton")->setSelectedColor(QColor(0, 51, 255));
    EXPECT_EQ(s->view.wells.lineColour, (std::vector<float>{0.0f, 0.2f, 1.0f}));

    auto* legend = form->findChild<QGroupBox*>("propertyLegend");
    form->show();
    EXPECT_FALSE(legend->isVisible());
    action("legendCommand")->trigger();
    EXPECT_TRUE(legend->isVisible());
    action("legendCommand")->trigger();
    EXPECT_FALSE(legend->isVisible());
}

// The Model menu's Fit view (also the F key and the command row's button) frames the model; Show inactive cells
// is off at first, draws the inactive cells when checked, and is kept for the next start.
TEST_F(ViewModes, FitViewAndInactiveCellsFromTheModelMenu)
{
    gen::GridOptions o;
    o.name = "PATCHY";
    o.nx = 6;
    o.ny = 5;
    o.nz = 3;
    o.inactive = 0.4;
    ASSERT_EQ(form->importGridFromPath(gen::writeGrid(o, folder.path()).front().string()), GridImportOutcome::Loaded);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));

    for (const char* trigger : {"menu", "key", "button"}) {
        s->view.camera.position = glm::vec3(5.0f);
        s->view.camera.scale = glm::vec3(40.0f);
        if (std::string(trigger) == "menu") action("fitViewItem")->trigger();
        if (std::string(trigger) == "key") QTest::keyClick(form.get(), Qt::Key_F);
        if (std::string(trigger) == "button") action("fitViewCommand")->trigger();
        EXPECT_FLOAT_EQ(s->view.camera.position.x, -(s->document.grid.extent.xMin + s->document.grid.extent.xMax) / 2)
            << trigger;
        EXPECT_LT(s->view.camera.scale.x, 40.0f) << trigger;
    }

    QAction* inactive = action("inactiveCellsItem");
    EXPECT_EQ(inactive->text(), "Show inactive cells");
    EXPECT_FALSE(inactive->isChecked());
    EXPECT_FALSE(s->cell_runs_layer.empty());  // inactive cells left out layer by layer
    inactive->trigger();
    EXPECT_TRUE(s->view.display.inactiveCells);
    EXPECT_TRUE(s->cell_runs_layer.empty());
    EXPECT_EQ(appSettings().ReadAppSettings("show_inactive_cells"), "True");

    // The next start takes the stored choice.
    form = std::make_unique<MainWindow>(testing::state());
    EXPECT_TRUE(action("inactiveCellsItem")->isChecked());
    EXPECT_TRUE(testing::state().view.display.inactiveCells);
}

TEST_F(ViewModes, WellStyleButtonsOpenTheirMenusAtTheirTopRightCorner)
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const std::pair<const char*, const char*> pairs[] = {{"labelSizeButton", "labelSizeMenu"},
                                                         {"lineWidthButton", "lineWidthMenu"}};
    for (const auto& [buttonName, menuName] : pairs) {
        QToolButton* b = button(buttonName);
        auto* menu = form->findChild<QMenu*>(menuName);
        ASSERT_NE(b, nullptr) << buttonName;
        ASSERT_NE(menu, nullptr) << menuName;
        QSignalSpy opened(menu, &QMenu::aboutToShow);
        b->click();
        EXPECT_EQ(opened.count(), 1) << menuName;
        EXPECT_EQ(menu->pos(), b->mapToGlobal(QPoint(b->width(), 0))) << menuName;
        menu->hide();
    }
}

TEST_F(ViewModes, SupportWindowReadsTheStoredLanguageEachTimeItOpens)
{
    // The window is made with the main window; the language is switched afterwards.
    auto* support = form->findChild<SupportDialog*>("supportDialog");
    ASSERT_NE(support, nullptr);
    appSettings().UpdateAppSettings("Lang", "ru");
    support->show();
    EXPECT_EQ(support->windowTitle(), QStringLiteral("Поддержать Morvane"));
    support->close();
    appSettings().UpdateAppSettings("Lang", "en");
    support->show();
    EXPECT_EQ(support->windowTitle(), QStringLiteral("Support Morvane"));
    support->close();
}

TEST_F(ViewModes, StatisticsWindowOpensInTheCurrentLanguage)
{
    s->view.language = "ru";
    action("statisticsCommand")->trigger();
    auto* statistics = form->findChild<StatisticsDialog*>("statisticsDialog");
    ASSERT_NE(statistics, nullptr);
    EXPECT_TRUE(statistics->isVisible());
    EXPECT_FALSE(statistics->isModal());
    EXPECT_EQ(statistics->windowTitle(), QString::fromStdString(textTable()[801]));
    statistics->close();
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
