// The well section through the main window: the mode button, the selection window filled by clicks on the view,
// its build button, the section copied to the clipboard, and leaving the mode.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "tests/support/generated_inputs.h"
#include "tests/support/ui_harness.h"
#include "ui/dialogs/section_well_picker.h"
#include "ui/main_window.h"

namespace morvane {
namespace {

using testing::RecordedPrompts;
using testing::TempFolder;

class WellSectionWindowTest : public ::testing::Test {
protected:
    void SetUp() override { testing::resetProgramState(); }

    // A grid of 24 x 16 x 4 cells of 50 m, a porosity file for it and three deviated wells through it.
    void writeModel()
    {
        gen::GridOptions g;
        g.name = "SECTION";
        g.nx = 24;
        g.ny = 16;
        g.nz = 4;
        g.layerThickness = 10;
        grid = gen::writeGrid(g, folder.path()).front().string();
        gen::PropertyFileOptions p;
        p.nx = g.nx, p.ny = g.ny, p.nz = g.nz;
        gen::PropertyDefinition poro;
        poro.keyword = "PORO";
        poro.name = "PORO";
        poro.minValue = 0.02;
        poro.maxValue = 0.25;
        p.properties = {poro};
        properties = gen::writePropertyFile(p, folder.file("PORO.GRDECL")).string();
        int n = 0;
        for (const auto& [x, y, azimuth] : {std::tuple{200.0, 200.0, 60.0}, {600, 550, 120}, {1000, 250, 30}}) {
            const gen::WellOptions w = testing::deviatedWell("W-" + std::to_string(++n), x, y, azimuth);
            wells.push_back(gen::writeWellFile(w, folder.file(w.name + ".dev")).string());
        }
    }

    void loadModel(MainWindow& form)
    {
        ASSERT_EQ(form.importGridFromPath(grid), GridImportOutcome::Loaded);
        form.findChild<QAction*>("importPropertiesItem")->trigger();
        ASSERT_EQ(testing::state().document.properties.items.size(), 1u);
        ASSERT_EQ(form.importWellsFromPaths(wells).loaded, 3);
    }

    TempFolder folder;
    std::string grid, properties;
    std::vector<std::string> wells;
};

TEST_F(WellSectionWindowTest, WithoutAPropertyTheButtonOnlyShowsTheMessage)
{
    writeModel();
    MainWindow form(testing::state());
    auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{});
    RecordedPrompts* recorded = prompts.get();
    form.setUserPrompts(std::move(prompts));
    QAction* button = form.findChild<QAction*>("wellSectionCommand");
    button->trigger();
    ASSERT_EQ(form.importGridFromPath(grid), GridImportOutcome::Loaded);
    button->trigger();
    EXPECT_EQ(recorded->messages.size(), 2u);
    EXPECT_FALSE(button->isChecked());
    EXPECT_FALSE(testing::state().view.is(ViewMode::WellSection));
    EXPECT_FALSE(form.findChild<SectionWellPicker*>("sectionWellPicker")->isVisible());
}

TEST_F(WellSectionWindowTest, ClickedWellsAreListedAndTheBuildButtonShowsTheSection)
{
    writeModel();
    MainWindow form(testing::state());
    auto prompts = std::make_unique<RecordedPrompts>(std::vector<std::string>{properties});
    prompts->typeAnswers = {std::vector<int>{4}};
    form.setUserPrompts(std::move(prompts));
    form.resize(1800, 900);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    loadModel(form);
    form.findChild<QTimer*>("frameTimer")
        ->stop();  // the pointer does not hover any label here: the clicked wells are set below
    ModelState& s = testing::state();
    const glm::vec3 position = s.view.camera.position, rotation = s.view.camera.rotation;

    QAction* button = form.findChild<QAction*>("wellSectionCommand");
    form.findChild<QAction*>("layerViewCommand")->trigger();
    button->trigger();
    EXPECT_TRUE(button->isChecked());
    EXPECT_FALSE(form.findChild<QAction*>("layerViewCommand")->isChecked());
    auto* picker = form.findChild<SectionWellPicker*>("sectionWellPicker");
    ASSERT_TRUE(picker->isVisible());
    EXPECT_EQ(picker->windowTitle(), "Well choice");
    EXPECT_EQ(picker->pos(), form.frameGeometry().topLeft() + QPoint(form.frameGeometry().width() - 237, 195));
    auto* list = picker->findChild<QTreeWidget*>("pickedWells");
    EXPECT_EQ(list->topLevelItemCount(), 0);
    const int height = picker->height();

    // The build button does nothing while the list is empty.
    auto* build = picker->findChild<QPushButton*>("buildSectionButton");
    EXPECT_EQ(build->text(), "Build section");
    build->click();
    EXPECT_TRUE(picker->isVisible());

    for (int w : {2, 0, 1}) {
        s.view.hoveredWells = {w};
        QTest::mouseClick(form.findChild<QWidget*>("viewPanel"), Qt::LeftButton, {}, QPoint(300, 300));
    }
    s.view.hoveredWells = {0};
    QTest::mouseClick(form.findChild<QWidget*>("viewPanel"), Qt::RightButton, {}, QPoint(300, 300));
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "W-3");
    EXPECT_EQ(list->topLevelItem(0)->text(1), "1");
    EXPECT_EQ(list->topLevelItem(2)->text(0), "W-2");
    EXPECT_EQ(list->topLevelItem(2)->text(1), "3");
    EXPECT_EQ(picker->height(), height + 3 * SectionWellPicker::RowHeight);
    EXPECT_EQ(s.intersect_lines.size(), 5u);

    build->click();
    EXPECT_FALSE(picker->isVisible());
    EXPECT_TRUE(s.view.section.unfolded);
    EXPECT_FALSE(form.findChild<QToolButton*>("topViewButton")->isEnabled());
    EXPECT_FALSE(form.findChild<QToolButton*>("rotateButton")->isEnabled());
    EXPECT_EQ(s.view.camera.rotation.x, -90.0f);

    // The section is copied like any view: white, with the cells' coloured outlines.
    form.onFrameTimer();
    QApplication::clipboard()->clear();
    form.findChild<QAction*>("copyPictureCommand")->trigger();
    const QImage picture = QApplication::clipboard()->image();
    ASSERT_FALSE(picture.isNull());
    int white = 0, coloured = 0;
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2) {
            const QColor c = picture.pixelColor(x, y);
            white += c.red() > 245 && c.green() > 245 && c.blue() > 245 ? 1 : 0;
            coloured += std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 100;
        }
    const int sampled = (picture.width() / 2) * (picture.height() / 2);
    EXPECT_GT(white, sampled / 3);
    EXPECT_GT(coloured, 500);

    button->trigger();
    EXPECT_FALSE(button->isChecked());
    EXPECT_FALSE(s.view.section.unfolded || s.view.is(ViewMode::WellSection));
    EXPECT_TRUE(s.view.is(ViewMode::Shell));
    EXPECT_EQ(s.view.camera.position, position);
    EXPECT_EQ(s.view.camera.rotation, rotation);
    EXPECT_EQ(s.view.display.background, (std::array<int, 3>{51, 76, 76}));
    EXPECT_TRUE(form.findChild<QToolButton*>("topViewButton")->isEnabled());
    EXPECT_FALSE(picker->isVisible());

    // Picked again and left without building: leaving hides the window, and that builds nothing.
    button->trigger();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(picker->height(), height);
    for (int w : {0, 1}) {
        s.view.hoveredWells = {w};
        QTest::mouseClick(form.findChild<QWidget*>("viewPanel"), Qt::LeftButton, {}, QPoint(300, 300));
    }
    const Vertices picked = s.intersect_lines.at(0);
    button->trigger();
    EXPECT_FALSE(s.view.section.unfolded);
    EXPECT_EQ(s.intersect_lines.at(0), picked);
    EXPECT_EQ(s.view.camera.rotation, rotation);
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
