// Files into the window: dropped on it, reopened from the Project menu's recent files after a restart, imported
// with the keyboard; and the tool tips of the commands in both languages.
#include <algorithm>
#include <map>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFrame>
#include <QMenu>
#include <QMimeData>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <QtTest/QTest>
#include "ui/color_button.h"

#include "commands/recent_files.h"
#include "tests/support/generated_inputs.h"
#include "tests/support/property_lists.h"
#include "tests/support/ui_harness.h"
#include "ui/main_window.h"

namespace morvane {
namespace {

using testing::RecordedPrompts;

class FilesIn : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::resetProgramState();
        gen::GridOptions o = testing::smallGrid("DROPPED");
        o.nx = testing::generated_properties::NX;
        o.ny = testing::generated_properties::NY;
        o.nz = testing::generated_properties::NZ;
        grid = gen::writeGrid(o, folder.path()).front().string();
        properties = testing::writeText(
            folder.file("props.txt"),
            testing::generated_properties::propertyText({testing::generated_properties::continuous("PORO")}));
        notes = testing::writeText(folder.file("notes.GRDECL"), "some notes, no grid\n");
    }

    // A form with recorded answers: the property dialog answers "porosity".
    std::unique_ptr<MainWindow> makeWindow(std::vector<std::string> paths = {})
    {
        auto form = std::make_unique<MainWindow>(testing::state());
        auto recorded = std::make_unique<RecordedPrompts>(std::move(paths));
        recorded->typeAnswers = {std::vector<int>{4}, std::vector<int>{4}};
        prompts = recorded.get();
        form->setUserPrompts(std::move(recorded));
        return form;
    }

    void drop(MainWindow& form, const std::vector<std::string>& files)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& f : files) urls.push_back(QUrl::fromLocalFile(QString::fromStdString(f)));
        data.setUrls(urls);
        const QPointF at(form.width() / 2.0, form.height() / 2.0);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        ASSERT_TRUE(enter.isAccepted()) << "the window takes files";
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &dropped);
        QTest::qWait(50);
    }

    // The entries of the Project menu's recent files as the user sees them when it opens.
    std::vector<QString> recentEntries(MainWindow& form)
    {
        form.refreshRecentMenu();
        std::vector<QString> entries;
        for (QAction* a : form.findChild<QMenu*>("recentFilesMenu")->actions())
            if (a->objectName().startsWith("recentFile_")) entries.push_back(a->text());
        return entries;
    }

    testing::TempFolder folder;
    std::string grid, properties, notes;
    RecordedPrompts* prompts = nullptr;
};

TEST_F(FilesIn, ADropImportsTheGridBeforeItsPropertiesAndSaysWhatItCannotImport)
{
    auto form = makeWindow();
    // While an import runs (the wait cursor is up) the window refuses files: no import starts inside another.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QMimeData busyData;
    busyData.setUrls({QUrl::fromLocalFile(QString::fromStdString(grid))});
    QDragEnterEvent busyEnter(QPoint(10, 10), Qt::CopyAction, &busyData, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &busyEnter);
    QDropEvent busyDrop(QPointF(10, 10), Qt::CopyAction, &busyData, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &busyDrop);
    QTest::qWait(50);
    QApplication::restoreOverrideCursor();
    EXPECT_FALSE(busyEnter.isAccepted());
    EXPECT_FALSE(testing::state().document.grid.loaded);

    // In any order: the properties belong to the grid of the same drop.
    drop(*form, {properties, notes, grid});
    const ModelState& s = testing::state();
    EXPECT_TRUE(s.document.grid.loaded);
    EXPECT_EQ(s.document.grid.name, "DROPPED");
    EXPECT_EQ(testing::propertyNames(s.document.properties), std::vector<std::string>{"PORO"});
    const auto lines = testing::logLines(form->findChild<QTextEdit*>("eventsLog"));
    const auto refused = std::find_if(lines.begin(), lines.end(),
                                      [](const testing::LogLine& l) { return l.text.contains("notes.GRDECL"); });
    ASSERT_NE(refused, lines.end());
    EXPECT_EQ(refused->colour, QColor(255, 0, 0));
    EXPECT_TRUE(prompts->questions.empty()) << "no file dialog";

    // Properties alone, without a grid in a fresh model, are refused with the menu command's message.
    testing::resetProgramState();
    auto fresh = makeWindow();
    drop(*fresh, {properties});
    EXPECT_FALSE(testing::state().document.grid.loaded);
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].text, kNoGridTextEn);
}

TEST_F(FilesIn, RecentFilesSurviveARestartAndReopenByTheirKind)
{
    {
        auto form = makeWindow({grid});
        form->findChild<QAction*>("importGridItem")->trigger();
        form->importPropertiesFromPath(properties);
        form->importGridFromPath(notes);  // refused: not remembered
        EXPECT_EQ(recentEntries(*form),
                  (std::vector<QString>{"&1  props.txt  (properties)", "&2  DROPPED.GRDECL  (grid)"}));
    }
    // After a restart, in Russian, the list is the same; choosing the grid imports it again.
    testing::state() = ModelState();
    appSettings().UpdateAppSettings(settings_key::Lang, "ru");
    auto later = makeWindow();
    EXPECT_EQ(later->findChild<QMenu*>("recentFilesMenu")->title(), "Недавние файлы");
    EXPECT_EQ(recentEntries(*later), (std::vector<QString>{"&1  props.txt  (свойства)", "&2  DROPPED.GRDECL  (грид)"}));
    later->findChild<QAction*>("recentFile_2")->trigger();
    EXPECT_TRUE(testing::state().document.grid.loaded);
    EXPECT_EQ(recentEntries(*later).front(), "&1  DROPPED.GRDECL  (грид)");

    // A file gone from the disk is said in the log and leaves the list.
    std::filesystem::remove(properties);
    later->findChild<QAction*>("recentFile_2")->trigger();
    EXPECT_TRUE(later->findChild<QTextEdit*>("eventsLog")->toPlainText().contains("Файл не найден: "));
    EXPECT_EQ(recentEntries(*later).size(), 1u);
}

TEST_F(FilesIn, CtrlOImportsAGridAndTheMenusShowTheirShortcuts)
{
    auto form = makeWindow({grid});
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const int layer = testing::state().view.layer.shown;
    QTest::keyClick(form->findChild<QWidget*>("modelTree"), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(prompts->questions.size(), 1u) << "the grid file dialog";
    EXPECT_TRUE(testing::state().document.grid.loaded);
    EXPECT_EQ(testing::state().view.layer.shown, layer) << "O with Ctrl is no layer step";
    EXPECT_EQ(form->findChild<QAction*>("importGridItem")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_TRUE(form->findChild<QMenu*>("projectMenu")->actions().contains(form->findChild<QAction*>("importGridItem")))
        << "shown in the Project menu";
    EXPECT_EQ(form->findChild<QAction*>("quitItem")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
}

// The command table is where the ribbon, the menus and the keys come from: every command shows where the table puts
// it, with a caption in both languages, and no key is given to two actions of the window (Qt then runs neither).
TEST_F(FilesIn, EveryCommandShowsWhereTheTablePutsItAndNoKeyIsTakenTwice)
{
    auto form = makeWindow();
    for (const char* language : {"russianItem", "englishItem"}) {
        form->findChild<QAction*>(language)->trigger();
        for (const WindowCommand& command : MainWindow::commandTable()) {
            const QString id = QString::fromLatin1(command.id.data(), static_cast<int>(command.id.size()));
            if (command.ribbon != RibbonGroup::None) {
                const QAction* action = form->findChild<QAction*>(ribbonActionName(command));
                ASSERT_NE(action, nullptr) << id.toStdString();
                EXPECT_FALSE(action->text().isEmpty()) << id.toStdString() << " in " << language;
            }
            if (command.menu != MenuGroup::None) {
                const QAction* item = form->findChild<QAction*>(menuItemName(command));
                ASSERT_NE(item, nullptr) << id.toStdString();
                EXPECT_FALSE(item->text().isEmpty()) << id.toStdString() << " in " << language;
                const QObjectList shownIn = item->associatedObjects();
                EXPECT_TRUE(std::any_of(shownIn.begin(), shownIn.end(),
                                        [](const QObject* o) { return qobject_cast<const QMenu*>(o) != nullptr; }))
                    << id.toStdString() << " is in no menu";
            }
        }
    }
    std::map<QString, QString> keys;
    for (const QAction* action : form->findChildren<QAction*>()) {
        if (action->shortcut().isEmpty()) continue;
        const QString key = action->shortcut().toString();
        EXPECT_TRUE(keys.emplace(key, action->objectName()).second)
            << key.toStdString() << " is taken by " << keys[key].toStdString() << " and "
            << action->objectName().toStdString();
    }
    EXPECT_TRUE(form->runCommand("fitView"));
    EXPECT_FALSE(form->runCommand("reserves")) << "shown, not available yet";
    EXPECT_FALSE(form->runCommand("noSuchCommand"));
}

// Every command button of the row, the four view buttons, the style buttons of the wells pane, the contact buttons
// and the exaggeration slider say what they do, in English and in Russian.
TEST_F(FilesIn, EveryCommandButtonHasAToolTipInBothLanguages)
{
    auto form = makeWindow();
    const auto tips = [&] {
        std::map<QString, QString> t;
        for (QAction* a : form->findChild<QToolBar*>("ribbonCommands")->actions())
            if (!a->isSeparator() && !a->objectName().isEmpty()) t[a->objectName()] = a->toolTip();
        for (const char* name :
             {"rotateButton", "topViewButton", "gridLinesButton", "cutWellsButton", "gocToggle", "owcToggle",
              "labelSizeButton", "lineWidthButton", "labelColourButton", "lineColourButton", "exaggerationSlider"}) {
            const QWidget* w = form->findChild<QWidget*>(name);
            EXPECT_NE(w, nullptr) << name;
            if (w) t[w->objectName()] = w->toolTip();
        }
        return t;
    };
    const auto english = tips();
    form->findChild<QAction*>("russianItem")->trigger();
    const auto russian = tips();
    EXPECT_EQ(english.size(), 27u);  // Fit view among them
    for (const auto& [name, tip] : english) {
        EXPECT_FALSE(tip.isEmpty()) << name.toStdString();
        EXPECT_NE(russian.at(name), tip) << name.toStdString() << " has no Russian tip";
        EXPECT_FALSE(russian.at(name).isEmpty()) << name.toStdString();
    }
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
