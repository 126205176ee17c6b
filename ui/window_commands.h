// The window's commands in one table: where each shows (a group of the ribbon's command row, a group of a menu, or
// both), its captions, tool tip and shortcut, how its check mark behaves and what it runs. The ribbon, the menus,
// their texts in both languages, the shortcuts and the tests all read the table, so a new command is one line of
// it and the function it runs.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

#include <QString>

#include "core/localisation.h"
#include "core/text_ids.h"

namespace morvane {

class MainWindow;

// The ribbon's command row from left to right, a separator after each group but the last; ImportMenu is the menu of
// the Import button and RightEnd the row's right end.
enum class RibbonGroup { None, ImportMenu, Data, Display, Modes, View, Analysis, RightEnd };
// The menus' groups from top to bottom, a separator between two groups of one menu.
enum class MenuGroup { None, ProjectFile, ProjectEnd, ModelInfo, ModelLook, ModelView, Development, Settings, About };

// A caption or tool tip: a pair of the text table, or a pair written beside the command. None: no text.
using CommandText = std::variant<std::monostate, Text, TextPair>;

enum class CheckMark {
    None,
    Own,      // Qt flips it on a click; the handler reads it
    Handler,  // the handler decides it from the state before the click (Qt's flip is undone first)
};

struct WindowCommand {
    std::string_view id;  // a ribbon row action is named id + "Command", a menu item id + "Item"
    RibbonGroup ribbon = RibbonGroup::None;
    MenuGroup menu = MenuGroup::None;
    CommandText caption{};      // on the ribbon, and in the menu unless menuCaption says otherwise
    CommandText tip{};          // the ribbon's tool tip
    CommandText menuCaption{};  // none: the caption
    // Qt's portable text ("Ctrl+O"); on the menu item when there is one, else on the ribbon action. A key that is
    // only shown (menuKeyShownOnly) is handled by the view's own key handling.
    const char* shortcut = nullptr;
    bool menuKeyShownOnly = false;
    CheckMark check = CheckMark::None;
    void (*run)(MainWindow&) = nullptr;  // none: the command is shown but not available yet
};

// The object name of the command's ribbon action or menu item.
QString ribbonActionName(const WindowCommand& command);
QString menuItemName(const WindowCommand& command);
// The text in language `lang` as a widget shows it; empty for none.
QString commandText(const CommandText& text, const std::string& lang);

}  // namespace morvane
