// The interface language: captions from the localisation table, the language menu, the stored choice.
#include <map>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QToolBar>

#include "tests/support/ui_harness.h"
#include "ui/form1.h"
#include "ui/settings_dialog.h"

namespace morvane {
namespace {

// Every caption and tool tip of the window's menus, buttons, pane labels and the legend, by object name.
std::map<QString, QString> captions(const Form1& form)
{
    std::map<QString, QString> texts;
    for (const QAction* a : form.findChildren<QAction*>())
        if (!a->objectName().isEmpty() && !a->isSeparator()) {
            texts[a->objectName()] = a->text();
            texts[a->objectName() + "/tip"] = a->toolTip();
        }
    for (const QMenu* m : form.findChildren<QMenu*>()) texts[m->objectName()] = m->title();
    for (const QLabel* l : form.findChildren<QLabel*>())
        if (l->objectName().endsWith("PaneLabel")) texts[l->objectName()] = l->text();
    texts["propLegend"] = form.findChild<QGroupBox*>("propLegend")->title();
    texts["rotateToolStrip"] = form.rotateToolStrip;
    return texts;
}

class Language : public ::testing::Test {
protected:
    void SetUp() override { testing::resetProgramState(); }
};

TEST_F(Language, RussianAndBackRestoresEveryEnglishCaption)
{
    Form1 form;
    const auto english = captions(form);
    EXPECT_EQ(english.at("projectMenu"), "Project");
    EXPECT_EQ(english.at("viewTab"), "    VISUAL    ");
    EXPECT_EQ(english.at("completionsMainMenu"), "Well \ncompletions");
    EXPECT_EQ(english.at("importMainMenu/tip"), "Import initial data: model, wells etc.");
    EXPECT_EQ(english.at("logPaneLabel"), "Events log");
    EXPECT_EQ(english.at("rotateToolStrip"), "Smoothly rotate the model");

    form.findChild<QAction*>("RussianLangMenu")->trigger();
    EXPECT_EQ(modelState().Lang, "ru");
    EXPECT_EQ(appSettings().ReadAppSettings("Lang"), "ru");
    EXPECT_TRUE(form.findChild<QAction*>("RussianLangMenu")->isChecked());
    EXPECT_FALSE(form.findChild<QAction*>("EnglishLangMenu")->isChecked());
    const auto russian = captions(form);

    // The small view buttons move left of the copy button, whose Russian caption is wider.
    form.show();
    QApplication::processEvents();
    const int copyWidth = form.toolStrip2->widgetForAction(form.clopboardMainMenu)->width();
    const QWidget* rotate = form.findChild<QWidget*>("rotate_Menu");
    EXPECT_EQ(rotate->x(), form.toolStrip2->width() - 2 - copyWidth - rotate->width());
    EXPECT_EQ(russian.at("projectMenu"), "Проект");
    EXPECT_EQ(russian.at("viewTab"), "    ПРОСМОТР    ");
    EXPECT_EQ(russian.at("layersMainMenu"), "Послойный\nпросмотр");
    EXPECT_EQ(russian.at("importMainMenu_prop"), "Загрузить свойства");
    // Every translated caption changed; only texts that have no table entry stay.
    int changed = 0;
    for (const auto& [name, text] : english)
        if (russian.at(name) != text) ++changed;
    EXPECT_GT(changed, 50);

    form.findChild<QAction*>("EnglishLangMenu")->trigger();
    const auto back = captions(form);
    for (const auto& [name, text] : english) {
        ASSERT_TRUE(back.count(name)) << name.toStdString();
        EXPECT_EQ(back.at(name), text) << name.toStdString();
    }
    EXPECT_EQ(appSettings().ReadAppSettings("Lang"), "en");
    EXPECT_TRUE(form.findChild<QAction*>("EnglishLangMenu")->isChecked());
    EXPECT_FALSE(form.findChild<QAction*>("RussianLangMenu")->isChecked());
}

TEST_F(Language, StoredRussianShowsRussianBeforeTheFirstFrame)
{
    appSettings().UpdateAppSettings("Lang", "ru");
    Form1 form;
    EXPECT_EQ(form.findChild<QMenu*>("modelMenu")->title(), "Модель");
    EXPECT_EQ(form.findChild<QAction*>("historyMatchTab")->text(), "    АДАПТАЦИЯ    ");
    EXPECT_TRUE(form.findChild<QAction*>("RussianLangMenu")->isChecked());
}

TEST_F(Language, AnUnknownStoredLanguageGivesEnglishAndLeavesTheMarks)
{
    appSettings().UpdateAppSettings("Lang", "de");
    Form1 form;
    EXPECT_EQ(modelState().Lang, "de");
    EXPECT_EQ(form.findChild<QMenu*>("projectMenu")->title(), "Project");
    EXPECT_FALSE(form.findChild<QAction*>("EnglishLangMenu")->isChecked());
    EXPECT_FALSE(form.findChild<QAction*>("RussianLangMenu")->isChecked());
}

TEST_F(Language, SettingsDialogTakesTheLanguageItIsGiven)
{
    Settings dialog;
    dialog.updateLang("ru");
    EXPECT_EQ(dialog.findChild<QWidget*>("oneLayer_radio")->property("text").toString(), "1 непрозрачный слой");
    EXPECT_EQ(dialog.findChild<QWidget*>("tenLayer_radio")->property("text").toString(), "7 прозрачных слоёв");
    dialog.updateLang("en");
    EXPECT_EQ(dialog.windowTitle(), "Settings");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("circle_group")->title(), "Bubble point diagrams");
    EXPECT_EQ(dialog.findChild<QWidget*>("checkBox9")->property("text").toString(), "Run fullscreen");
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
