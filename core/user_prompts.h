// The questions a command asks the user: file choices and message boxes. Commands reach them through this
// interface, so a test can answer with a chosen path and record the messages instead of opening a dialog.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

// What the well column dialog is asked: the well's name, the column names of its header in order, whether several
// files were chosen (only then is "OK for all" offered) and the interface language.
struct WellColumnQuestion {
    std::string wellName;
    std::vector<std::string> columns;
    bool severalFiles = false;
    std::string lang;
};

// How the well column dialog was left: the selected position in each list (-1 = nothing selected) and the button,
// or the window's close box.
struct WellColumnAnswer {
    enum class Button { Ok, OkForAll, CloseBox };
    Button button = Button::CloseBox;
    int md = -1, x = -1, y = -1, z = -1;
};

class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // An open-file dialog with the given title and filter ("Label|*.EXT|All files (*.*)|*.*" pairs). Returns the
    // chosen path (UTF-8), or the empty string when the user cancels.
    virtual std::string openFileName(const std::string& title, const std::string& filter) = 0;
    // An open-file dialog that allows several files. Returns the chosen paths (UTF-8) in the dialog's order, none
    // when the user cancels. Prompts that cannot ask answer none.
    virtual std::vector<std::string> openFileNames(const std::string& title, const std::string& filter)
    {
        (void)title;
        (void)filter;
        return {};
    }
    // The well column dialog. Prompts that cannot ask answer as if the close box was used.
    virtual WellColumnAnswer chooseWellColumns(const WellColumnQuestion& question)
    {
        (void)question;
        return {};
    }
    // A message box with an OK button and the information icon.
    virtual void information(const std::string& text, const std::string& caption) = 0;
    // The property loading dialog for the properties `names`, in language `lang`: one type code per name (0 when
    // the user chose nothing, 1 lithology ... 6 water saturation), or nothing when the user closes it without OK.
    // Prompts that cannot ask (runs without windows) answer nothing.
    virtual std::optional<std::vector<int>> choosePropertyTypes(const std::vector<std::string>& names,
                                                                const std::string& lang)
    {
        (void)names;
        (void)lang;
        return std::nullopt;
    }
};

}  // namespace morvane
