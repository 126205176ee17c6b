#include "io/well_reader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

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

// Calls `each` with every line of `text` (line end and a trailing CR removed) and its 1-based number until it
// returns false.
template <typename Each>
void forEachLine(std::string_view text, Each each)
{
    std::size_t pos = 0;
    int number = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) eol = text.size();
        std::string_view line = text.substr(pos, eol - pos);
        pos = eol + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!each(line, ++number)) return;
    }
}

bool startsAsNumber(std::string_view word)
{
    std::size_t i = 0;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    if (i < word.size() && word[i] == '.') ++i;
    return i < word.size() && word[i] >= '0' && word[i] <= '9';
}

// The number a whole word holds, or why it holds none.
std::optional<WellWordProblem> readWord(std::string_view word, float& value)
{
    std::string_view digits = word;
    if (digits.size() > 1 && digits.front() == '+' && digits[1] != '+' && digits[1] != '-')
        digits.remove_prefix(1);  // from_chars takes "-" but not "+"
    double number = 0.0;
    const auto [next, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), number, std::chars_format::general);
    const bool whole = next == digits.data() + digits.size();
    if (error == std::errc::result_out_of_range && whole) return WellWordProblem::TooLarge;
    if (error != std::errc{} || !whole)
        return startsAsNumber(word) ? WellWordProblem::Malformed : WellWordProblem::Text;
    if (!std::isfinite(number)) return WellWordProblem::Text;  // nan, inf: from_chars reads them as words do
    if (std::fabs(number) > std::numeric_limits<float>::max()) return WellWordProblem::TooLarge;
    value = static_cast<float>(number);
    return std::nullopt;
}

constexpr std::size_t kKeptWords = 64;   // unreadable words kept per line, for the messages
constexpr std::size_t kWordLength = 40;  // characters of such a word kept
constexpr std::size_t kListedLines = 5;  // lines and gaps named in a message; the rest are counted

std::string shownWord(std::string_view word)
{
    std::string shown(word.substr(0, kWordLength));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    if (word.size() > kWordLength) shown += "...";
    return shown;
}

std::string numberText(double value)
{
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, static_cast<float>(value));
    return std::string(buf, result.ptr);
}

// `items` joined with "; ", the ones beyond kListedLines counted.
std::string listed(const std::vector<std::string>& items, std::string_view lang)
{
    std::string out;
    for (std::size_t i = 0; i < items.size() && i < kListedLines; ++i) out += (i ? "; " : "") + items[i];
    if (items.size() > kListedLines)
        out += "; " + fillText(well_texts::AndMore.in(lang), {std::to_string(items.size() - kListedLines)});
    return out;
}

// " (file)" after a text the program has always said, so the user knows which file of a selection it is about.
std::string withFile(std::string text, std::string_view fileName)
{
    if (!fileName.empty()) text += " (" + std::string(fileName) + ")";
    return text;
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

bool WellRow::number(int column) const
{
    return column >= 0 && static_cast<std::size_t>(column) < values.size() &&
           !std::isnan(values[static_cast<std::size_t>(column)]);
}

WellRow readWellRow(std::string_view line, int lineNumber)
{
    WellRow row;
    row.line = lineNumber;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        const std::size_t begin = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i == begin) break;
        const std::string_view word = line.substr(begin, i - begin);
        float value = std::numeric_limits<float>::quiet_NaN();
        if (const auto problem = readWord(word, value)) {
            const bool firstMalformed = *problem == WellWordProblem::Malformed && !row.malformed;
            // The first malformed word is kept even past the bound: it is the one the message names.
            if (row.unreadable.size() < kKeptWords || firstMalformed)
                row.unreadable.push_back({row.values.size(), *problem, shownWord(word)});
            row.malformed = row.malformed || *problem == WellWordProblem::Malformed;
        }
        row.values.push_back(value);
    }
    return row;
}

WellFile parseWellFile(std::string_view text)
{
    text = grdecl::withoutByteOrderMark(text);
    WellFile file;
    bool first = true;
    forEachLine(text, [&](std::string_view line, int number) {
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
        file.rows.push_back(readWellRow(line, number));
        return true;
    });
    // Exports end every line: a text that stops without a line end after its data lines (inside a row, or in the
    // blanks before the next one) may have been cut there.
    if (!file.rows.empty() && !text.empty() && text.back() != '\n' && text.back() != '\r') {
        const int lastLine = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        const std::size_t lastBreak = text.rfind('\n');
        const bool blank = isBlankLine(text.substr(lastBreak == std::string_view::npos ? 0 : lastBreak + 1));
        if (file.rows.back().line == lastLine || (blank && file.rows.back().line == lastLine - 1))
            file.openLine = lastLine;
    }

    // The usual number of words: the most frequent among the data lines; of equally frequent ones the header's,
    // else the largest.
    std::map<std::size_t, std::size_t> counts;
    for (const WellRow& row : file.rows) ++counts[row.words()];
    std::size_t best = 0;
    for (const auto& [words, lines] : counts) {
        const bool more = lines > best;
        const bool tieToHeader = lines == best && words == file.columns.size();
        const bool tieAfterHeader = lines == best && file.usualWords != file.columns.size();
        if (more || tieToHeader || tieAfterHeader) {
            best = lines;
            file.usualWords = words;
        }
    }
    return file;
}

bool looksLikeWellText(std::string_view text)
{
    text = grdecl::withoutByteOrderMark(text);
    bool well = false, first = true;
    forEachLine(text, [&](std::string_view line, int) {
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
                    std::string_view lang, std::string_view fileName)
{
    namespace texts = well_texts;
    WellReport report;
    report.name = file.name;
    const bool named = !file.name.empty();

    if (!named) report.lines.push_back(logLine(withFile(texts::NoNameLog, fileName), log_colour::Red));
    if (!columns.complete()) {
        report.messageBox = lang == "ru" ? PropertyMessageBox{texts::NoColumnsCaption, texts::NoColumnsBox}
                                         : PropertyMessageBox{texts::NoColumnsCaptionEn, texts::NoColumnsBoxEn};
        report.lines.push_back(logLine(withFile(texts::NoColumnsLog, fileName), log_colour::Red));
        return report;
    }
    if (!named) return report;

    const auto need = static_cast<std::size_t>(columns.highest());
    const std::array<std::pair<int, std::string_view>, 4> chosen{
        {{columns.md, "MD"}, {columns.x, "X"}, {columns.y, "Y"}, {columns.z, "Z"}}};
    auto columnName = [&](std::size_t column) {
        return column < file.columns.size() ? file.columns[column] : std::to_string(column + 1);
    };
    // Why a data line cannot give a point, or nothing when it can.
    auto whyNot = [&](const WellRow& row) -> std::optional<std::string> {
        const std::string line = std::to_string(row.line);
        if (row.words() <= need) return fillText(texts::TooFewWords.in(lang), {line, std::to_string(row.words())});
        if (row.words() != file.usualWords)
            return fillText(texts::WordCount.in(lang),
                            {line, std::to_string(row.words()), std::to_string(file.usualWords)});
        if (row.malformed)
            for (const WellWord& w : row.unreadable)
                if (w.problem == WellWordProblem::Malformed)
                    return fillText(texts::NotANumber.in(lang), {line, w.word});
        for (const auto& [column, name] : chosen) {
            if (row.number(column)) continue;
            const auto c = static_cast<std::size_t>(column);
            const auto word = std::find_if(row.unreadable.begin(), row.unreadable.end(),
                                           [&](const WellWord& w) { return w.column == c; });
            const std::string shown = word == row.unreadable.end() ? std::string("?") : word->word;
            const bool large = word != row.unreadable.end() && word->problem == WellWordProblem::TooLarge;
            return fillText((large ? texts::TooLargeIn : texts::NotANumberIn).in(lang), {line, shown, columnName(c)});
        }
        return std::nullopt;
    };

    std::vector<std::string> reasons;
    std::vector<std::string> gaps;
    std::vector<std::string> notRising;  // points whose measured depth is not above the one before
    int lastUsedLine = 0;                // line of the last point
    bool leftOut = false;                // lines were left out since the last point
    for (const WellRow& row : file.rows) {
        if (std::optional<std::string> why = whyNot(row)) {
            reasons.push_back(std::move(*why));
            ++report.skippedRows;
            leftOut = true;
            continue;
        }
        const std::vector<float> point{
            row.values[static_cast<std::size_t>(columns.md)], row.values[static_cast<std::size_t>(columns.x)],
            row.values[static_cast<std::size_t>(columns.y)], row.values[static_cast<std::size_t>(columns.z)]};
        if (leftOut && !report.trajectory.empty())
            gaps.push_back(
                fillText(texts::Gap.in(lang), {numberText(report.trajectory.back()[0]), std::to_string(lastUsedLine),
                                               numberText(point[0]), std::to_string(row.line)}));
        if (!report.trajectory.empty() && !(point[0] > report.trajectory.back()[0]))
            notRising.push_back(fillText(texts::DepthStep.in(lang),
                                         {std::to_string(row.line), numberText(point[0]),
                                          numberText(report.trajectory.back()[0]), std::to_string(lastUsedLine)}));
        leftOut = false;
        lastUsedLine = row.line;
        report.trajectory.push_back(point);
    }
    const std::string file_ = fileName.empty() ? file.name : std::string(fileName);
    if (report.skippedRows > 0) {
        report.lines.push_back(
            {PropertyReportLine::Kind::Trace, "skipped well rows = " + std::to_string(report.skippedRows), {}});
        report.lines.push_back(logLine(
            fillText(texts::LinesNotUsed.in(lang), {file_, std::to_string(report.skippedRows), listed(reasons, lang)}),
            log_colour::Orange));
    }
    if (report.trajectory.empty()) {
        report.lines.push_back(logLine(withFile(texts::NoPointsPrefix + file.name, fileName), log_colour::Red));
        return report;
    }
    if (!gaps.empty())
        report.lines.push_back(
            logLine(fillText(texts::Gaps.in(lang), {file_, listed(gaps, lang)}), log_colour::Orange));
    if (!notRising.empty())
        report.lines.push_back(
            logLine(fillText(texts::DepthNotRising.in(lang), {file_, listed(notRising, lang)}), log_colour::Orange));
    if (file.openLine > 0)
        report.lines.push_back(logLine(fillText(texts::LastLineOpen.in(lang), {file_, std::to_string(file.openLine)}),
                                       log_colour::Orange));
    std::size_t beyond = 0;
    float zMin = report.trajectory[0][3], zMax = zMin, mdMin = report.trajectory[0][0], mdMax = mdMin;
    for (const std::vector<float>& p : report.trajectory) {
        beyond += std::fabs(p[0]) > kDeepestWellPoint || std::fabs(p[3]) > kDeepestWellPoint ? 1 : 0;
        zMin = std::min(zMin, p[3]);
        zMax = std::max(zMax, p[3]);
        mdMin = std::min(mdMin, p[0]);
        mdMax = std::max(mdMax, p[0]);
    }
    if (beyond > 0)
        report.lines.push_back(
            logLine(fillText(texts::DepthsBeyond.in(lang),
                             {file.name, file_, std::to_string(beyond), std::to_string(report.trajectory.size()),
                              numberText(zMin), numberText(zMax), numberText(mdMin), numberText(mdMax)}),
                    log_colour::Orange));
    report.accepted = true;
    report.lines.push_back(logLine(confirmation == WellConfirmation::Ok
                                       ? std::string(texts::LoadedLog)
                                       : texts::LoadedPrefix + file.name + texts::LoadedSuffix,
                                   log_colour::Green));
    return report;
}

std::optional<PropertyReportLine> footprintWarning(const std::string& wellName,
                                                   const std::vector<std::vector<float>>& trajectory,
                                                   const GridExtent& extent, std::string_view lang,
                                                   std::string_view fileName)
{
    const double scale = kCoordScale;
    const double margin =
        std::max({static_cast<double>(extent.xMax) - extent.xMin, static_cast<double>(extent.yMax) - extent.yMin, 1.0});
    std::size_t outside = 0;
    for (const auto& p : trajectory) {
        if (p.size() < 3) continue;
        const double x = p[1] / scale, y = p[2] / scale;
        if (x < extent.xMin - margin || x > extent.xMax + margin || y < extent.yMin - margin ||
            y > extent.yMax + margin)
            ++outside;
    }
    if (outside == 0) return std::nullopt;
    return logLine(
        fillText(well_texts::FarOutside.in(lang),
                 {wellName, fileName, std::to_string(outside), std::to_string(trajectory.size()),
                  numberText(extent.xMin), numberText(extent.xMax), numberText(extent.yMin), numberText(extent.yMax)}),
        log_colour::Orange);
}

WellReport foreignLayoutReport(const std::string& fileName)
{
    WellReport report;
    report.lines.push_back(
        logLine(well_texts::ForeignLayoutPrefix + fileName + well_texts::ForeignLayoutSuffix, log_colour::Red));
    return report;
}

}  // namespace morvane
