// The interface language: captions from the localisation table, the language menu, the stored choice.
#include <map>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest/QTest>

#include "tests/support/ui_harness.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/main_window.h"

namespace morvane {
namespace {

// Every caption and tool tip of the window's menus, buttons, panel captions and the legend, by object name.
std::map<QString, QString> captions(const MainWindow& form)
{
    std::map<QString, QString> texts;
    for (const QAction* a : form.findChildren<QAction*>())
        if (!a->objectName().isEmpty() && !a->isSeparator()) {
            texts[a->objectName()] = a->text();
            texts[a->objectName() + "/tip"] = a->toolTip();
        }
    for (const QMenu* m : form.findChildren<QMenu*>()) texts[m->objectName()] = m->title();
    for (const QLabel* l : form.findChildren<QLabel*>())
        if (l->objectName().endsWith("Caption") && l->window() == &form) texts[l->objectName()] = l->text();
    texts["propertyLegend"] = form.findChild<QGroupBox*>("propertyLegend")->title();
    texts["rotateButton/tip"] = form.findChild<QToolButton*>("rotateButton")->toolTip();
    return texts;
}

class Language : public ::testing::Test {
protected:
    void SetUp() override { testing::resetProgramState(); }
};

TEST_F(Language, RussianAndBackRestoresEveryEnglishCaption)
{
    MainWindow form(testing::state());
    const auto english = captions(form);
    EXPECT_EQ(english.at("projectMenu"), "Project");
    EXPECT_EQ(english.at("viewTab"), "    VISUAL    ");
    EXPECT_EQ(english.at("completionsCommand"), "Well \ncompletions");
    EXPECT_EQ(english.at("importCommand/tip"), "Import initial data: model, wells etc.");
    EXPECT_EQ(english.at("eventsLogCaption"), "Events log");
    EXPECT_EQ(english.at("rotateButton/tip"), "Smoothly rotate the model");

    form.findChild<QAction*>("russianItem")->trigger();
    EXPECT_EQ(testing::state().view.language, "ru");
    EXPECT_EQ(appSettings().ReadAppSettings("Lang"), "ru");
    EXPECT_TRUE(form.findChild<QAction*>("russianItem")->isChecked());
    EXPECT_FALSE(form.findChild<QAction*>("englishItem")->isChecked());
    // Qt's own buttons and dialogs follow the interface at once.
    EXPECT_EQ(QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text().remove('&'),
              QString::fromUtf8("Отмена"));
    const auto russian = captions(form);

    // The small view buttons move left of the copy button, whose Russian caption is wider.
    form.show();
    QApplication::processEvents();
    const int copyWidth = form.findChild<QToolBar*>("ribbonCommands")
                              ->widgetForAction(form.findChild<QAction*>("copyPictureCommand"))
                              ->width();
    const QWidget* rotate = form.findChild<QWidget*>("rotateButton");
    EXPECT_EQ(rotate->x(), form.findChild<QToolBar*>("ribbonCommands")->width() - 2 - copyWidth - rotate->width());
    EXPECT_EQ(russian.at("projectMenu"), "Проект");
    EXPECT_EQ(russian.at("viewTab"), "    ПРОСМОТР    ");
    EXPECT_EQ(russian.at("layerViewCommand"), "Послойный\nпросмотр");
    EXPECT_EQ(russian.at("importPropertiesItem"), "Загрузить свойства");
    // Every translated caption changed; only texts that have no table entry stay.
    int changed = 0;
    for (const auto& [name, text] : english)
        if (russian.at(name) != text) ++changed;
    EXPECT_GT(changed, 50);

    form.findChild<QAction*>("englishItem")->trigger();
    const auto back = captions(form);
    for (const auto& [name, text] : english) {
        ASSERT_TRUE(back.count(name)) << name.toStdString();
        EXPECT_EQ(back.at(name), text) << name.toStdString();
    }
    EXPECT_EQ(appSettings().ReadAppSettings("Lang"), "en");
    EXPECT_EQ(QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text().remove('&'),
              "Cancel");
    EXPECT_TRUE(form.findChild<QAction*>("englishItem")->isChecked());
    EXPECT_FALSE(form.findChild<QAction*>("russianItem")->isChecked());
}

// The smallest window fits a 1366 x 768 laptop screen (with a title bar and a task bar). There, in both languages,
// no command of the row is cut off or folded away: the row keeps its width and scrolls to its right end, and the
// four view buttons sit left of the copy button without covering a command.
TEST_F(Language, TheSmallestWindowFitsALaptopAndItsCommandRowScrollsRatherThanBeingCut)
{
    MainWindow form(testing::state());
    EXPECT_LE(form.minimumWidth(), 1366 - 20);
    EXPECT_LE(form.minimumHeight(), 768 - 100);
    form.resize(form.minimumSize());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    for (const char* language : {"englishItem", "russianItem"}) {
        form.findChild<QAction*>(language)->trigger();
        QApplication::processEvents();
        ASSERT_EQ(form.size(), form.minimumSize());
        const QToolBar* row = form.findChild<QToolBar*>("ribbonCommands");
        const QRect rowRect = row->rect();
        std::vector<QRect> commands;
        for (QAction* a : row->actions()) {
            if (!a->isVisible() || a->isSeparator()) continue;
            const QWidget* w = row->widgetForAction(a);
            if (!w || !qobject_cast<const QToolButton*>(w)) continue;
            EXPECT_TRUE(w->isVisible()) << language << ": " << a->objectName().toStdString() << " folded away";
            EXPECT_TRUE(rowRect.contains(w->geometry())) << a->objectName().toStdString();
            if (a != form.findChild<QAction*>("copyPictureCommand"))
                commands.push_back(w->geometry());  // they sit right beside it
        }
        EXPECT_GE(commands.size(), 10u);
        for (const char* name : {"rotateButton", "topViewButton", "gridLinesButton", "cutWellsButton"}) {
            const QWidget* b = form.findChild<QWidget*>(name);
            EXPECT_TRUE(b->isVisible() && rowRect.contains(b->geometry())) << name;
            for (const QRect& c : commands) EXPECT_FALSE(c.intersects(b->geometry())) << name << " covers a command";
        }
        const QScrollBar* bar = form.findChild<QScrollArea*>("commandRowArea")->horizontalScrollBar();
        EXPECT_EQ(bar->maximum(),
                  std::max(0, row->width() - form.findChild<QScrollArea*>("commandRowArea")->viewport()->width()));
        EXPECT_GE(form.findChild<QScrollArea*>("commandRowArea")->viewport()->height(), row->height())
            << "the row cut at the bottom";
    }
}

TEST_F(Language, StoredRussianShowsRussianBeforeTheFirstFrame)
{
    appSettings().UpdateAppSettings("Lang", "ru");
    MainWindow form(testing::state());
    EXPECT_EQ(form.findChild<QMenu*>("modelMenu")->title(), "Модель");
    EXPECT_EQ(form.findChild<QAction*>("historyMatchTab")->text(), "    АДАПТАЦИЯ    ");
    EXPECT_TRUE(form.findChild<QAction*>("russianItem")->isChecked());
}

TEST_F(Language, AnUnknownStoredLanguageGivesEnglishAndLeavesTheMarks)
{
    appSettings().UpdateAppSettings("Lang", "de");
    MainWindow form(testing::state());
    EXPECT_EQ(testing::state().view.language, "de");
    EXPECT_EQ(form.findChild<QMenu*>("projectMenu")->title(), "Project");
    EXPECT_FALSE(form.findChild<QAction*>("englishItem")->isChecked());
    EXPECT_FALSE(form.findChild<QAction*>("russianItem")->isChecked());
}

TEST_F(Language, SettingsDialogTakesTheLanguageItIsGiven)
{
    SettingsDialog dialog;
    dialog.updateLang("ru");
    EXPECT_EQ(dialog.findChild<QWidget*>("oneLayerRadio")->property("text").toString(), "1 непрозрачный слой");
    EXPECT_EQ(dialog.findChild<QWidget*>("transparentLayersRadio")->property("text").toString(), "7 прозрачных слоёв");
    dialog.updateLang("en");
    EXPECT_EQ(dialog.windowTitle(), "Settings");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("bubblesGroup")->title(), "Bubble point diagrams");
    EXPECT_EQ(dialog.findChild<QWidget*>("fullScreenCheck")->property("text").toString(), "Run fullscreen");
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
