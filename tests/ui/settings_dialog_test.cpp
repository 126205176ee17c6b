// The general settings dialog on a settings file of the test's own: what it shows, what Apply stores and what the
// main window takes when the dialog closes.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTimer>
#include <QtTest/QTest>

#include "tests/support/temp_folder.h"
#include "tests/support/ui_harness.h"
#include "ui/color_button.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/main_window.h"

namespace morvane {
namespace {

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::resetProgramState();
        form = std::make_unique<MainWindow>(testing::state());
        dialog = form->findChild<SettingsDialog*>("settingsDialog");
    }

    template <typename T>
    T* child(const char* name)
    {
        return dialog->findChild<T*>(name);
    }
    QPushButton* apply() { return child<QPushButton>("applyButton"); }
    std::string stored(const char* key) { return appSettings().ReadAppSettings(key); }

    std::unique_ptr<MainWindow> form;
    SettingsDialog* dialog = nullptr;
    testing::TempFolder folder;
};

TEST_F(SettingsDialogTest, OpensWithTheStoredValuesAndApplyOff)
{
    appSettings().UpdateAppSettings("twod_ortho", "TRUE");
    appSettings().UpdateAppSettings("bubbleSize", "1.5");
    appSettings().UpdateAppSettings("bubbleTextSize", "abc");
    appSettings().UpdateAppSettings("copy", "Field team");
    dialog->show();

    EXPECT_EQ(dialog->size(), QSize(1323, 930));
    EXPECT_FALSE(apply()->isEnabled());
    EXPECT_TRUE(child<QPushButton>("mainSectionButton")->isChecked());
    EXPECT_TRUE(child<QWidget>("mainPage")->isVisible());
    EXPECT_FALSE(child<QWidget>("visualPage")->isVisible());
    EXPECT_EQ(child<QWidget>("compositionPage")->pos(), QPoint(226, 36));
    EXPECT_TRUE(child<QCheckBox>("gridLinesCheck")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("orthographicRadio")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("oneLayerRadio")->isChecked());
    EXPECT_EQ(child<ColorButton>("backgroundColourButton")->selectedColor(), QColor(51, 76, 76));
    EXPECT_EQ(child<QLineEdit>("authorLabelEdit")->text(), "Field team");
    EXPECT_FALSE(child<QCheckBox>("fullScreenCheck")->isChecked());
    EXPECT_FLOAT_EQ(dialog->bubbleSize(), 1.5f);
    // A stored size that does not parse is repaired and the dialog's copy kept.
    EXPECT_EQ(stored("bubbleTextSize"), "0,3");
    EXPECT_FLOAT_EQ(dialog->bubbleTextSize(), 0.3f);
    EXPECT_TRUE(dialog->orthographicTopView());

    // Section buttons show their page alone; pressing the shown one keeps it.
    QTest::mouseClick(child<QPushButton>("visualSectionButton"), Qt::LeftButton);
    EXPECT_TRUE(child<QWidget>("visualPage")->isVisible());
    EXPECT_FALSE(child<QWidget>("mainPage")->isVisible());
    EXPECT_FALSE(child<QPushButton>("mainSectionButton")->isChecked());
    QTest::mouseClick(child<QPushButton>("visualSectionButton"), Qt::LeftButton);
    EXPECT_TRUE(child<QPushButton>("visualSectionButton")->isChecked());
    EXPECT_TRUE(child<QWidget>("visualPage")->isVisible());
    dialog->close();
}

TEST_F(SettingsDialogTest, ApplyStoresAndClosingUpdatesTheWindow)
{
    testing::state().view.display.gridLines = true;
    dialog->show();
    child<ColorButton>("backgroundColourButton")->setSelectedColor(QColor(10, 20, 30));
    EXPECT_TRUE(apply()->isEnabled());
    child<QCheckBox>("gridLinesCheck")->setChecked(false);
    child<QLineEdit>("bubbleSizeEdit")->setText("2.5");
    child<QLineEdit>("bubbleTextSizeEdit")->setText("big");
    child<QLineEdit>("authorLabelEdit")->setText("Team A");
    child<QCheckBox>("fullScreenCheck")->setChecked(true);
    // The values without data start as the standard markers; a list typed with either decimal separator is stored
    // as numbers and read by the next import.
    EXPECT_EQ(child<QLineEdit>("undefinedValuesEdit")->text().toStdString(),
              markerListText(UndefinedMarkers::standard().values()));
    child<QLineEdit>("undefinedValuesEdit")->setText("-999,25; -1");
    QTest::mouseClick(apply(), Qt::LeftButton);

    EXPECT_FALSE(apply()->isEnabled());
    EXPECT_EQ(stored("BackgroundColorR"), "10");
    EXPECT_EQ(stored("BackgroundColorG"), "20");
    EXPECT_EQ(stored("BackgroundColorB"), "30");
    EXPECT_EQ(stored("grid_lines_enable"), "False");
    EXPECT_EQ(stored("bubbleSize"), "2,5");
    EXPECT_EQ(stored("bubbleTextSize"), "0,3");  // not a number: not stored
    EXPECT_EQ(stored("fullscreen"), "True");
    EXPECT_EQ(stored("copy"), "Team A");
    EXPECT_EQ(stored("undefinedValues"), "-999.25 -1");

    QTest::mouseClick(child<QPushButton>("exitButton"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    const ModelState& s = testing::state();
    EXPECT_EQ(s.view.display.background, (std::array<int, 3>{10, 20, 30}));
    EXPECT_TRUE(form->findChild<QWidget*>("viewPanel")->styleSheet().contains("rgb(10,20,30)"));
    EXPECT_TRUE(form->findChild<QGroupBox*>("propertyLegend")->styleSheet().contains("rgb(10,20,30)"));
    EXPECT_FLOAT_EQ(s.view.production.scale, 2.5f);
    EXPECT_FLOAT_EQ(s.view.production.labelSize, 0.3f);
    EXPECT_EQ(s.view.display.signature, "Team A");
    EXPECT_TRUE(s.view.display.gridLines);  // the grid-lines setting waits for the next start
    EXPECT_EQ(s.document.properties.undefinedMarkers.values(), (std::vector<double>{-999.25, -1}));
}

// A settings file that cannot be written is said in a warning naming it; Apply stays on to try again.
TEST_F(SettingsDialogTest, ASettingsFileThatCannotBeWrittenIsSaid)
{
    const QString blocked =
        QString::fromStdString(testing::writeText(folder.file("not-a-folder"), "x")) + QStringLiteral("/settings.ini");
    appSettings().setFilePath(blocked);
    dialog->show();
    child<QLineEdit>("authorLabelEdit")->setText("Team B");
    QString said;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            said = box->text();
            box->close();
        }
    });
    QTest::mouseClick(apply(), Qt::LeftButton);
    EXPECT_EQ(said, "The settings could not be saved to " + blocked + ". The file keeps the settings saved before.");
    EXPECT_TRUE(apply()->isEnabled());
}

TEST_F(SettingsDialogTest, TransparentLayersTakeEffectOnlyInLayerView)
{
    dialog->show();
    child<QRadioButton>("transparentLayersRadio")->setChecked(true);
    QTest::mouseClick(apply(), Qt::LeftButton);
    dialog->close();
    EXPECT_FALSE(testing::state().view.layer.oneAtATime);
    EXPECT_EQ(testing::state().view.display.modelOpacity, 1.0f);

    form->findChild<QAction*>("layerViewCommand")->trigger();
    testing::state().view.display.modelOpacity = 1.0f;
    dialog->show();
    dialog->close();
    EXPECT_EQ(testing::state().view.display.modelOpacity, 0.5f);
}

TEST_F(SettingsDialogTest, MenuOpensTheDialogModallyInTheCurrentLanguage)
{
    testing::state().view.language = "ru";
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        sawDialog = dialog->isVisible() && dialog->isModal();
        EXPECT_EQ(dialog->windowTitle(), QString::fromStdString(textTable()[601]));
        dialog->close();
    });
    form->findChild<QAction*>("generalSettingsItem")->trigger();
    EXPECT_TRUE(sawDialog);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(SettingsDialogTest, WindowLoadAppliesStoredSettings)
{
    form.reset();
    appSettings().UpdateAppSettings("grid_lines_enable", "false");
    appSettings().UpdateAppSettings("oneLayer", "False");
    appSettings().UpdateAppSettings("bubbleSize", "x1");
    appSettings().UpdateAppSettings("copy", "Лаборатория");
    testing::state() = ModelState();
    MainWindow window(testing::state());
    const ModelState& s = testing::state();
    EXPECT_FALSE(s.view.display.gridLines);
    EXPECT_FALSE(s.view.layer.oneAtATime);
    EXPECT_FLOAT_EQ(s.view.production.scale, 1.0f);
    EXPECT_EQ(stored("bubbleSize"), "1");
    EXPECT_EQ(s.view.display.signature, "Лаборатория");
    EXPECT_FALSE(window.findChild<QWidget*>("gridLinesButton")->property("checked").toBool());
}

// The window comes back as large as the user left it, with its panels where they were dragged; it is maximised
// only when the settings ask for full screen, and a damaged stored layout leaves the first size.
TEST_F(SettingsDialogTest, TheWindowComesBackAsItWasClosed)
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->resize(1300, 820);
    auto* panels = form->findChild<QSplitter*>("mainSplitter");
    panels->setSizes({420, panels->width() - 420 - panels->handleWidth()});
    QApplication::processEvents();
    const QList<int> sizes = panels->sizes();
    ASSERT_EQ(sizes.front(), 420);
    ASSERT_TRUE(form->close());
    form.reset();

    MainWindow again(testing::state());
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_EQ(again.size(), QSize(1300, 820));
    EXPECT_EQ(again.findChild<QSplitter*>("mainSplitter")->sizes(), sizes);
    EXPECT_FALSE(again.isMaximized());

    appSettings().UpdateAppSettings("windowGeometry", "not a layout");
    appSettings().UpdateAppSettings("windowSplitters", "%%% ###");
    appSettings().UpdateAppSettings("fullscreen", "True");
    MainWindow damaged(testing::state());
    EXPECT_TRUE(damaged.windowState() & Qt::WindowMaximized);
    EXPECT_GT(damaged.findChild<QSplitter*>("mainSplitter")->sizes().front(), 0);
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
