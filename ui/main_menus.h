// The menu bar of the main window: Project (with the imports and the recent files), Model, Development, Settings,
// About and the language menu. Like the form classes of Qt Designer, it only holds the menus and their items for the
// window that owns it privately; the window connects them.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/window_commands.h"

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

namespace morvane {

struct MainMenus {
    QMenuBar* bar = nullptr;
    QMenu *project = nullptr, *model = nullptr, *development = nullptr, *settings = nullptr, *about = nullptr,
          *language = nullptr;
    // Project.
    QAction *openProject = nullptr, *saveProject = nullptr, *saveProjectAs = nullptr, *closeProject = nullptr,
            *quit = nullptr;
    QMenu* recentFiles = nullptr;  // rebuilt each time it opens
    // Model.
    QAction *statistics = nullptr, *verticalStatistics = nullptr, *reserves = nullptr, *timeBinding = nullptr,
            *palette = nullptr, *gridLines = nullptr, *wellsOnTop = nullptr, *fitView = nullptr,
            *inactiveCells = nullptr;
    // Development.
    QAction *loadProduction = nullptr, *developmentStart = nullptr;
    // Settings.
    QAction *generalSettings = nullptr, *hardwareSettings = nullptr;
    // About.
    QAction *aboutProgram = nullptr, *support = nullptr, *feedback = nullptr;
    // Language.
    QAction *english = nullptr, *russian = nullptr;

    // Builds the menus into `window`'s menu bar with the menu items of `commands` in their groups.
    void build(QMainWindow& window, std::span<const WindowCommand> commands);
    // The menu item of the command `id`; null when no menu shows it.
    QAction* item(std::string_view id) const;
    const std::vector<std::pair<const WindowCommand*, QAction*>>& commandItems() const { return items_; }
    // The imports offered in the Project menu too, above the recent files.
    void offerImports(QAction* grid, QAction* properties, QAction* wells);
    // The captions in the interface language `lang`.
    void setTexts(const std::string& lang);

private:
    std::vector<std::pair<const WindowCommand*, QAction*>> items_;
};

}  // namespace morvane
