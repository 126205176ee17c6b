// The user's settings: a flat map of string keys and values kept between runs in an INI file.
//
// The program-wide store lives in the user's configuration folder (on Linux ~/.config/Morvane/Morvane.ini). No
// configuration file ships with the program, so a key that is absent from the file reads as its default; a missing
// file, an unreadable one or one that does not parse gives the defaults of every key. Every operation opens the
// file anew, so a value written through one store object is seen by the next read through any other.
//
// Values are UTF-8 strings. Booleans are stored as "True" / "False" and read case-insensitively; decimal numbers
// are stored with a decimal comma; colour components as whole numbers 0 to 255.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

namespace morvane {

// The keys of the store and their defaults. A key outside this list defaults to the empty string.
namespace settings_key {
inline constexpr const char* Lang = "Lang";                                // "en" or "ru"; default "en"
inline constexpr const char* fullscreen = "fullscreen";                    // "False"
inline constexpr const char* copy = "copy";                                // author label; "Morvane"
inline constexpr const char* grid_lines_enable = "grid_lines_enable";      // "True"
inline constexpr const char* twod_ortho = "twod_ortho";                    // "False"
inline constexpr const char* oneLayer = "oneLayer";                        // "True"
inline constexpr const char* bubbleSize = "bubbleSize";                    // "1"
inline constexpr const char* bubbleTextSize = "bubbleTextSize";            // "0,3"
inline constexpr const char* BackgroundColorR = "BackgroundColorR";        // "51"
inline constexpr const char* BackgroundColorG = "BackgroundColorG";        // "76"
inline constexpr const char* BackgroundColorB = "BackgroundColorB";        // "76"
inline constexpr const char* show_inactive_cells = "show_inactive_cells";  // "False"
// Files opened lately, newest first: one "kind<TAB>path" line each (see commands/recent_files.h); "".
inline constexpr const char* recentFiles = "recentFiles";
// The main window as the user left it: Qt's geometry of the window, and the three splitters' states (side panels,
// data panels, view), each base64, the states separated by spaces; "" (the window's own first size).
inline constexpr const char* windowGeometry = "windowGeometry";
inline constexpr const char* windowSplitters = "windowSplitters";
// The values the next property import reads as no value, a line of numbers (model/undefined_values.h);
// "-999 -999.25 -999.99 -9999 -99999 1e+20 -1e+20 1e+30 -1e+30".
inline constexpr const char* undefinedValues = "undefinedValues";
}  // namespace settings_key

// The default value of a key; "" for a key that is not one of the store's keys.
std::string defaultAppSetting(std::string_view key);

class AppSettings {
public:
    // A store over the given INI file. The file and its folder are created on the first write.
    explicit AppSettings(QString filePath);

    // The user's own settings file in the user's configuration folder.
    static QString userFilePath();

    const QString& filePath() const { return path_; }
    void setFilePath(QString filePath) { path_ = std::move(filePath); }

    // The stored value, or the key's default when the key is absent or the file cannot be read ("some error" is
    // traced for a file that does not parse).
    std::string ReadAppSettings(const std::string& key) const;

    // Stores the value under the key, whether or not the key is there yet, and saves the file at once. Traces
    // "saved" on success; on failure traces "some error", leaves the file as it was and returns false. A file that
    // does not parse is kept beside the new one with the suffix ".bad" and replaced by a fresh file.
    bool UpdateAppSettings(const std::string& key, const std::string& value);

    // Adds a key that is not stored yet, with the same saving and trace lines. A key already in the file is left
    // unchanged and false is returned.
    bool AddAppSettings(const std::string& key, const std::string& value);

    // The stored flag of a boolean key: an empty value reads as false, one that is neither "true" nor "false" as the
    // key's default.
    bool readFlag(const std::string& key) const;

private:
    bool write(const std::string& key, const std::string& value, bool only_if_absent);

    QString path_;
};

// The program-wide store over the user's own file.
AppSettings& appSettings();

// The three operations on the program-wide store.
std::string ReadAppSettings(const std::string& key);
bool UpdateAppSettings(const std::string& key, const std::string& value);
bool AddAppSettings(const std::string& key, const std::string& value);

// "true" or "false" in any letter case, surrounding white space ignored; any other text gives the fallback.
bool readBool(std::string_view text, bool fallback = false);

// How flags are written: "True" or "False".
std::string boolText(bool value);

// The decimal number stored under the key ("." or "," as separator), or nothing when it does not parse.
std::optional<float> readDecimalSetting(const AppSettings& settings, const std::string& key);

// The bubble factors of the settings: `BUBBLE_COEF` from "bubbleSize", `BUBBLE_LABEL_SIZE` from "bubbleTextSize".
struct BubbleFactors {
    float size = 1.0f;
    float text_size = 0.3f;
};

// Reads both bubble factors for the main window's load and the settings dialog's load. A stored value that does
// not parse is repaired in the store ("bubbleSize" rewritten as "1", "bubbleTextSize" as "0,3") and the current
// factor is kept; a value that parses replaces the current one.
BubbleFactors loadBubbleFactors(AppSettings& settings, BubbleFactors current);

// The background colour from "BackgroundColorR", "BackgroundColorG", "BackgroundColorB" when all three are whole
// numbers from 0 to 255; otherwise the current colour unchanged.
std::array<int, 3> readBackgroundColor(const AppSettings& settings, const std::array<int, 3>& current);

}  // namespace morvane
