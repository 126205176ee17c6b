#include "platform/app_settings.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <utility>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include "core/decimal_text.h"
#include "platform/trace.h"

namespace morvane {

namespace {

struct KeyDefault {
    std::string_view key;
    std::string_view value;
};

constexpr KeyDefault defaults[] = {
    {settings_key::Lang, "en"},
    {settings_key::fullscreen, "False"},
    {settings_key::copy, "Morvane"},
    {settings_key::grid_lines_enable, "True"},
    {settings_key::twod_ortho, "False"},
    {settings_key::oneLayer, "True"},
    {settings_key::bubbleSize, "1"},
    {settings_key::bubbleTextSize, "0,3"},
    {settings_key::BackgroundColorR, "51"},
    {settings_key::BackgroundColorG, "76"},
    {settings_key::BackgroundColorB, "76"},
    {settings_key::show_inactive_cells, "False"},
    {settings_key::undefinedValues, "-999 -999.25 -999.99 -9999 -99999 1e+20 -1e+20 1e+30 -1e+30"},
};

// The INI reader parses a file only when it has changed since it was last read in this process, and reports a
// file that does not parse only on that read; later opens of the same unchanged file report no error and serve
// whatever pieces it made sense of. A file once found corrupt is therefore remembered by its size and time stamp.
struct FileMark {
    qint64 size = 0;
    QDateTime modified;
};

std::map<QString, FileMark>& corruptFiles()
{
    static std::map<QString, FileMark> files;
    return files;
}

bool isCorrupt(const QSettings& file, const QString& path)
{
    const QFileInfo info(path);
    const FileMark mark{info.size(), info.lastModified()};
    auto& known = corruptFiles();
    if (file.status() == QSettings::FormatError) {
        known[path] = mark;
        return true;
    }
    const auto found = known.find(path);
    if (found == known.end()) return false;
    if (info.exists() && found->second.size == mark.size && found->second.modified == mark.modified) return true;
    known.erase(found);
    return false;
}

QString qKey(const std::string& key) { return QString::fromStdString(key); }

// An unquoted value holding commas ("0,3" typed into the file by hand) comes back from the INI reader as a list
// of its pieces; joined again it is the text that was written.
std::string valueText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1Char(',')).toStdString();
    return value.toString().toStdString();
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lower)
{
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i]) return false;
    }
    return true;
}

std::optional<int> parseColourComponent(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || stop != text.data() + text.size()) return std::nullopt;
    if (value < 0 || value > 255) return std::nullopt;
    return value;
}

// Writes `wanted` as an INI file at `path` and reads it back from the disk: true only when every key came back
// with its value. The reading goes through a copy at a name this process has never opened, since the INI reader
// serves a file it has just written from memory.
bool writeSettingsChecked(const QString& path, const QMap<QString, QVariant>& wanted)
{
    QFile::remove(path);
    {
        QSettings file(path, QSettings::IniFormat);
        for (auto it = wanted.begin(); it != wanted.end(); ++it) file.setValue(it.key(), it.value());
        file.sync();
        if (file.status() != QSettings::NoError) return false;
    }
    static int checks = 0;
    const QString copy = path + QStringLiteral(".check%1-%2").arg(QCoreApplication::applicationPid()).arg(++checks);
    QFile::remove(copy);
    if (!QFile::copy(path, copy)) return false;
    bool same = QFileInfo(copy).size() == QFileInfo(path).size();
    if (same) {
        const QSettings check(copy, QSettings::IniFormat);
        same = check.status() == QSettings::NoError && check.allKeys().size() == wanted.size();
        for (auto it = wanted.begin(); same && it != wanted.end(); ++it)
            same = valueText(check.value(it.key())) == valueText(it.value());
    }
    QFile::remove(copy);
    return same;
}

// Puts `from` in the place of `to` in one step (the old file stays whole until then).
bool replaceFile(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

}  // namespace

std::string defaultAppSetting(std::string_view key)
{
    for (const KeyDefault& entry : defaults)
        if (entry.key == key) return std::string(entry.value);
    return {};
}

AppSettings::AppSettings(QString filePath) : path_(std::move(filePath)) {}

QString AppSettings::userFilePath()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Morvane"), QStringLiteral("Morvane"))
        .fileName();
}

std::string AppSettings::ReadAppSettings(const std::string& key) const
{
    const QSettings file(path_, QSettings::IniFormat);
    if (isCorrupt(file, path_) || file.status() != QSettings::NoError) {
        trace("some error");
        return defaultAppSetting(key);
    }
    const QVariant value = file.value(qKey(key));
    if (!value.isValid()) return defaultAppSetting(key);
    return valueText(value);
}

bool AppSettings::UpdateAppSettings(const std::string& key, const std::string& value)
{
    return write(key, value, false);
}

bool AppSettings::AddAppSettings(const std::string& key, const std::string& value) { return write(key, value, true); }

bool AppSettings::write(const std::string& key, const std::string& value, bool only_if_absent)
{
    bool corrupt = false;
    {
        const QSettings probe(path_, QSettings::IniFormat);
        corrupt = isCorrupt(probe, path_);
        if (!corrupt && only_if_absent && probe.contains(qKey(key))) {
            trace("some error");
            return false;
        }
    }
    if (corrupt) {
        // The program has been showing the defaults for this file; keep it for the user and start afresh, so the
        // new value is not merged with whatever pieces of it the reader could make sense of.
        const QString kept = path_ + QStringLiteral(".bad");
        QFile::remove(kept);
        if (!QFile::rename(path_, kept)) {
            trace("some error");
            return false;
        }
    }

    // The INI writer reports no error when the disk takes only part of the file, and a settings file cut short
    // loses the user's other settings. So the new file is written beside the old one, read back from the disk and
    // compared, and only then takes the old one's place; any failure keeps the old file as it was.
    QMap<QString, QVariant> wanted;
    {
        const QSettings current(path_, QSettings::IniFormat);
        for (const QString& k : current.allKeys()) wanted.insert(k, current.value(k));
    }
    wanted.insert(qKey(key), QString::fromStdString(value));
    const QString next = path_ + QStringLiteral(".new");
    if (!writeSettingsChecked(next, wanted) || !replaceFile(next, path_)) {
        QFile::remove(next);
        trace("some error");
        return false;
    }
    trace("saved");
    return true;
}

bool AppSettings::readFlag(const std::string& key) const
{
    // An empty value reads as false; text that is neither true nor false keeps the key's default.
    const std::string text = ReadAppSettings(key);
    if (trimmed(text).empty()) return false;
    return readBool(text, readBool(defaultAppSetting(key)));
}

AppSettings& appSettings()
{
    static AppSettings store(AppSettings::userFilePath());
    return store;
}

std::string ReadAppSettings(const std::string& key) { return appSettings().ReadAppSettings(key); }

bool UpdateAppSettings(const std::string& key, const std::string& value)
{
    return appSettings().UpdateAppSettings(key, value);
}

bool AddAppSettings(const std::string& key, const std::string& value)
{
    return appSettings().AddAppSettings(key, value);
}

bool readBool(std::string_view text, bool fallback)
{
    text = trimmed(text);
    if (equalsIgnoringCase(text, "true")) return true;
    if (equalsIgnoringCase(text, "false")) return false;
    return fallback;
}

std::string boolText(bool value) { return value ? "True" : "False"; }

std::optional<float> readDecimalSetting(const AppSettings& settings, const std::string& key)
{
    const std::optional<double> value = parseDecimalText(settings.ReadAppSettings(key));
    if (!value) return std::nullopt;
    return static_cast<float>(*value);
}

BubbleFactors loadBubbleFactors(AppSettings& settings, BubbleFactors current)
{
    if (const auto size = readDecimalSetting(settings, settings_key::bubbleSize))
        current.size = *size;
    else
        settings.UpdateAppSettings(settings_key::bubbleSize, "1");

    if (const auto text_size = readDecimalSetting(settings, settings_key::bubbleTextSize))
        current.text_size = *text_size;
    else
        settings.UpdateAppSettings(settings_key::bubbleTextSize, "0,3");
    return current;
}

std::array<int, 3> readBackgroundColor(const AppSettings& settings, const std::array<int, 3>& current)
{
    const auto r = parseColourComponent(settings.ReadAppSettings(settings_key::BackgroundColorR));
    const auto g = parseColourComponent(settings.ReadAppSettings(settings_key::BackgroundColorG));
    const auto b = parseColourComponent(settings.ReadAppSettings(settings_key::BackgroundColorB));
    if (!r || !g || !b) return current;
    return {*r, *g, *b};
}

}  // namespace morvane
