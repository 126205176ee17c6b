// The questions a command asks the user: file choices and message boxes. Commands reach them through this
// interface, so a test can answer with a chosen path and record the messages instead of opening a dialog.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // An open-file dialog with the given title and filter ("Label|*.EXT|All files (*.*)|*.*" pairs). Returns the
    // chosen path (UTF-8), or the empty string when the user cancels.
    virtual std::string openFileName(const std::string& title, const std::string& filter) = 0;
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
