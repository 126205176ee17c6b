// The ribbon of the main window: the row of tabs, and under it the command row of the open tab (it scrolls sideways
// when the window is narrower), with the four small view buttons (rotate, top view, grid lines, cut wells) just left
// of the copy button at its right end. Like the form classes of Qt Designer, it only holds the controls for the
// window that owns it privately; the window connects them.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/window_commands.h"

class QAction;
class QObject;
class QMainWindow;
class QMenu;
class QScrollArea;
class QToolBar;
class QToolButton;

namespace morvane {

struct Ribbon {
    QToolBar* tabRow = nullptr;
    QAction *geologyTab = nullptr, *viewTab = nullptr, *analysisTab = nullptr, *historyMatchTab = nullptr;

    QScrollArea* commandRowArea = nullptr;  // scrolls the command row when the window is narrower than it
    QToolBar* commandRow = nullptr;
    QAction* importCommand = nullptr;  // opens the import menu
    QMenu* importMenu = nullptr;
    QAction *importWells = nullptr, *importGrid = nullptr, *importProperties = nullptr;
    QAction *dataManager = nullptr, *completions = nullptr, *fractures = nullptr, *legend = nullptr,
            *statistics = nullptr, *production = nullptr, *wellSection = nullptr, *flatSection = nullptr,
            *layerView = nullptr, *filterView = nullptr, *copyPicture = nullptr, *fitView = nullptr,
            *oilInPlaceContour = nullptr, *oilInPlaceWells = nullptr, *kh = nullptr;
    // The separators after the imports, the data commands, the display commands, the view modes and the 3D view.
    QAction *importSeparator = nullptr, *dataSeparator = nullptr, *displaySeparator = nullptr,
            *modesSeparator = nullptr, *viewSeparator = nullptr;
    QToolButton *rotateButton = nullptr, *topViewButton = nullptr, *gridLinesButton = nullptr,
                *cutWellsButton = nullptr;

    // Builds the tab row and, under it, the command row for `window` with the ribbon's commands of `commands` in
    // their groups (the command row is placed by the window).
    void build(QMainWindow& window, std::span<const WindowCommand> commands);
    // The action of the command `id` on the ribbon; null when the ribbon does not show it.
    QAction* action(std::string_view id) const;
    // Every command the ribbon shows, with its action.
    const std::vector<std::pair<const WindowCommand*, QAction*>>& commandActions() const { return actions_; }
    // The captions and tool tips in the interface language `lang`.
    void setTexts(const std::string& lang);
    // The commands of the view tab, or of the analysis tab.
    void showTab(bool view);
    // The small view buttons left of the copy button.
    void placeViewButtons();
    // The command row never narrower than its buttons (the area scrolls instead); after captions or tabs change.
    void fitCommandRow();

private:
    QAction* commandAction(const WindowCommand& command, QObject* parent);

    std::vector<std::pair<const WindowCommand*, QAction*>> actions_;
};

}  // namespace morvane
