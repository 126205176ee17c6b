#include "io/well_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "io/grdecl_scan.h"

namespace morvane {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::vector<std::string> splitWords(std::string_view line)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        const std::size_t begin = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i > begin) words.emplace_back(line.substr(begin, i - begin));
    }
    return words;
}

bool isBlankLine(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return isBlank(c); });
}

std::string_view trimmedStart(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    return line.substr(i);
}

bool isComment(std::string_view line)
{
    const std::string_view t = trimmedStart(line);
    return !t.empty() && t.front() == '#';
}

// A rule of "=" characters (at least three) that does not start with "#".
bool isRule(std::string_view line)
{
    const std::string_view t = trimmedStart(line);
    std::size_t n = 0;
    while (n < t.size() && t[n] == '=') ++n;
    return n >= 3 && isBlankLine(t.substr(n));
}

// "WELLNAME:" or "WELLNAME " at the start of a line, any case.
bool isForeignNameLine(std::string_view line)
{
    const std::string_view t = trimmedStart(line);
    constexpr std::string_view key = "WELLNAME";
    if (t.size() <= key.size()) return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(t[i])) != key[i]) return false;
    return t[key.size()] == ':' || isBlank(t[key.size()]);
}

// Calls `each` with every line of `text` (line end and a trailing CR removed) until it returns false.
template <typename Each>
void forEachLine(std::string_view text, Each each)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) eol = text.size();
        std::string_view line = text.substr(pos, eol - pos);
        pos = eol + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!each(line)) return;
    }
}

PropertyReportLine logLine(std::string text, LogColour colour)
{
    return {PropertyReportLine::Kind::Log, std::move(text), colour};
}

}  // namespace

std::optional<std::string> wellNameFromComment(std::string_view line)
{
    if (!isComment(line)) return std::nullopt;
    const std::size_t key = line.find(well_texts::NameKey);
    if (key == std::string_view::npos) return std::nullopt;
    // The keyword and the one character after it (":" or a space) go; a line ending sooner names nothing.
    const std::size_t rest = key + well_texts::NameKey.size() + 1;
    std::string name;
    if (rest < line.size()) {
        for (char c : line.substr(rest))
            if (!isBlank(c)) name.push_back(c);
    }
    return name;
}

std::vector<float> readDataRow(std::string_view line)
{
    std::vector<float> row;
    const char* p = line.data();
    const char* const end = line.data() + line.size();
    for (;;) {
        while (p < end && isBlank(*p)) ++p;
        if (p < end && *p == '+') ++p;  // from_chars takes "-" but not "+"
        double value = 0.0;
        const auto [next, error] = std::from_chars(p, end, value, std::chars_format::general);
        if (error != std::errc{} || next == p) break;
        // A value a float cannot hold (or inf/nan) would poison the geometry: it ends the row like text does.
        if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) break;
        row.push_back(static_cast<float>(value));
        p = next;
    }
    return row;
}

WellFile parseWellFile(std::string_view text)
{
    text = grdecl::withoutByteOrderMark(text);
    WellFile file;
    bool first = true;
    forEachLine(text, [&](std::string_view line) {
        if (isBlankLine(line)) return true;
        if (first && isForeignNameLine(line)) file.foreignLayout = true;
        first = false;
        if (isComment(line)) {
            if (auto name = wellNameFromComment(line)) file.name = std::move(*name);  // the last one wins
            return true;
        }
        if (isRule(line)) return true;
        if (!file.hasHeader) {
            file.columns = splitWords(line);
            file.hasHeader = true;
            return true;
        }
        file.rows.push_back(readDataRow(line));
        return true;
    });
    return file;
}

bool looksLikeWellText(std::string_view text)
{
    text = grdecl::withoutByteOrderMark(text);
    bool well = false, first = true;
    forEachLine(text, [&](std::string_view line) {
        if (isBlankLine(line)) return true;
        if (first && isForeignNameLine(line)) {
            well = true;
            return false;
        }
        first = false;
        if (isComment(line)) {
            if (wellNameFromComment(line)) {
                well = true;
                return false;
            }
            return true;
        }
        if (isRule(line)) return true;
        // The first line that is neither: the header of a well file, or the start of something else.
        const std::vector<std::string> words = splitWords(line);
        well = std::find(words.begin(), words.end(), "X") != words.end() &&
               std::find(words.begin(), words.end(), "Y") != words.end();
        return false;
    });
    return well;
}

int WellColumns::highest() const { return std::max({md, x, y, z}); }

WellColumns preselectedColumns(const std::vector<std::string>& columnNames)
{
    WellColumns c;
    for (int k = 0; k < static_cast<int>(columnNames.size()); ++k) {
        const std::string& n = columnNames[static_cast<std::size_t>(k)];
        if (n == "X") c.x = k;
        if (n == "Y") c.y = k;
        if (n == "Z") c.z = k;
        if (n == "MD") c.md = k;
    }
    return c;
}

WellReport loadWell(const WellFile& file, const WellColumns& columns, WellConfirmation confirmation,
                    std::string_view lang)
{
    WellReport report;
    report.name = file.name;
    const bool named = !file.name.empty();

    if (!named) report.lines.push_back(logLine(well_texts::NoNameLog, log_colour::Red));
    if (!columns.complete()) {
        report.messageBox = lang == "ru"
                                ? PropertyMessageBox{well_texts::NoColumnsCaption, well_texts::NoColumnsBox}
                                : PropertyMessageBox{well_texts::NoColumnsCaptionEn, well_texts::NoColumnsBoxEn};
        report.lines.push_back(logLine(well_texts::NoColumnsLog, log_colour::Red));
        return report;
    }
    if (!named) return report;

    const auto need = static_cast<std::size_t>(columns.highest());
    for (const auto& row : file.rows) {
        if (row.size() <= need) {
            ++report.skippedRows;
            continue;
        }
        report.trajectory.push_back({row[static_cast<std::size_t>(columns.md)],
                                     row[static_cast<std::size_t>(columns.x)], row[static_cast<std::size_t>(columns.y)],
                                     row[static_cast<std::size_t>(columns.z)]});
    }
    if (report.skippedRows > 0)
        report.lines.push_back(
            {PropertyReportLine::Kind::Trace, "skipped well rows = " + std::to_string(report.skippedRows), {}});
    if (report.trajectory.empty()) {
        report.lines.push_back(logLine(well_texts::NoPointsPrefix + file.name, log_colour::Red));
        return report;
    }
    report.accepted = true;
    report.lines.push_back(logLine(confirmation == WellConfirmation::Ok
                                       ? std::string(well_texts::LoadedLog)
                                       : well_texts::LoadedPrefix + file.name + well_texts::LoadedSuffix,
                                   log_colour::Green));
    return report;
}

WellReport foreignLayoutReport(const std::string& fileName)
{
    WellReport report;
    report.lines.push_back(
        logLine(well_texts::ForeignLayoutPrefix + fileName + well_texts::ForeignLayoutSuffix, log_colour::Red));
    return report;
}

}  // namespace morvane
