#include "model/undefined_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace morvane {

namespace {

constexpr double kRelativeTolerance = 1e-7;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A number in the word, Fortran's D exponent as E ("-9.9925D+02"); nothing when the whole word is not one.
std::optional<double> numberOf(std::string_view word)
{
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    if (word.empty() || word.size() > 64) return std::nullopt;
    char buffer[64];
    for (std::size_t i = 0; i < word.size(); ++i) buffer[i] = word[i] == 'D' || word[i] == 'd' ? 'e' : word[i];
    double value = 0;
    const auto [end, error] = std::from_chars(buffer, buffer + word.size(), value);
    if (error != std::errc() || end != buffer + word.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The line [begin, end) without its leading blanks.
std::string_view trimmedLine(std::string_view text, std::size_t begin, std::size_t end)
{
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool isComment(std::string_view line) { return line.size() >= 2 && line[0] == '-' && line[1] == '-'; }

// A line that holds values: it starts with a digit, a sign, a point or the "/" that ends a block.
bool holdsValues(std::string_view line)
{
    if (line.empty() || isComment(line)) return false;
    const char c = line.front();
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == '/';
}

// The marker a comment line declares, when it declares one.
std::optional<double> declaredIn(std::string_view comment)
{
    std::string low(comment);
    for (char& c : low) c = lower(c);
    static constexpr std::string_view kWords[] = {"undefined", "nodata", "no data",      "no-data",
                                                  "no_data",   "null",   "missing value"};
    std::size_t after = std::string::npos;
    for (const std::string_view word : kWords) {
        const std::size_t at = low.find(word);
        if (at != std::string::npos) {
            after = at + word.size();
            break;
        }
    }
    if (after == std::string::npos) return std::nullopt;
    // The words after it: a few of letters ("value", "is") are passed over, the first other one must be a number.
    std::size_t i = after;
    for (int words = 0; words < 4; ++words) {
        while (i < low.size() && (isBlank(low[i]) || low[i] == ':' || low[i] == '=' || low[i] == '_')) ++i;
        std::size_t end = i;
        while (end < low.size() && !isBlank(low[end]) && low[end] != ':' && low[end] != '=' && low[end] != ',' &&
               low[end] != ';')
            ++end;
        const std::string_view word = std::string_view(comment).substr(i, end - i);
        if (word.empty()) return std::nullopt;
        if (const auto value = numberOf(word)) return value;
        std::string filler(word);
        for (char& c : filler) c = lower(c);
        static constexpr std::string_view kFillers[] = {"value", "values", "is", "marker", "flag", "=", ":"};
        if (std::find(std::begin(kFillers), std::end(kFillers), filler) == std::end(kFillers)) return std::nullopt;
        i = end;
    }
    return std::nullopt;
}

void addOnce(std::vector<double>& markers, double value)
{
    if (std::find(markers.begin(), markers.end(), value) == markers.end()) markers.push_back(value);
}

}  // namespace

UndefinedMarkers::UndefinedMarkers(std::vector<double> markers)
{
    for (const double m : markers)
        if (std::isfinite(m)) addOnce(markers_, m);
    for (const double m : markers_) minMagnitude_ = std::min(minMagnitude_, std::fabs(m));
    // A marker 0 is found by the slow path only: every value is compared with it.
    if (minMagnitude_ == 0) minMagnitude_ = -1;
}

const UndefinedMarkers& UndefinedMarkers::standard()
{
    static const UndefinedMarkers markers({-999, -999.25, -999.99, -9999, -99999, 1e20, -1e20, 1e30, -1e30});
    return markers;
}

int UndefinedMarkers::findSlow(double value) const
{
    for (std::size_t i = 0; i < markers_.size(); ++i) {
        const double m = markers_[i];
        if (value == m || std::fabs(value - m) <= kRelativeTolerance * std::fabs(m)) return static_cast<int>(i);
    }
    return -1;
}

UndefinedMarkers UndefinedMarkers::with(const std::vector<double>& more) const
{
    if (more.empty()) return *this;
    std::vector<double> all = markers_;
    all.insert(all.end(), more.begin(), more.end());
    return UndefinedMarkers(std::move(all));
}

MarkerListParse parseMarkerList(std::string_view text)
{
    MarkerListParse parse;
    std::size_t i = 0;
    auto separator = [](char c) { return isBlank(c) || c == '\n' || c == ';' || c == '|'; };
    while (i < text.size()) {
        while (i < text.size() && separator(text[i])) ++i;
        std::size_t end = i;
        while (end < text.size() && !separator(text[end])) ++end;
        if (end == i) break;
        const std::string_view word = text.substr(i, end - i);
        std::string point(word);
        std::replace(point.begin(), point.end(), ',', '.');
        const auto value = numberOf(point);
        if (!value) {
            parse.badWord = std::string(word);
            parse.markers.clear();
            return parse;
        }
        addOnce(parse.markers, *value);
        i = end;
    }
    return parse;
}

UndefinedMarkers markersOfSetting(std::string_view text)
{
    MarkerListParse parse = parseMarkerList(text);
    return parse.badWord.empty() ? UndefinedMarkers(std::move(parse.markers)) : UndefinedMarkers::standard();
}

std::string shortestNumberText(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string markerListText(const std::vector<double>& markers)
{
    std::string text;
    for (const double m : markers) {
        if (!text.empty()) text += ' ';
        text += shortestNumberText(m);
    }
    return text;
}

std::vector<double> declaredMarkers(std::string_view text, std::size_t valuesBegin)
{
    std::vector<double> markers;
    valuesBegin = std::min(valuesBegin, text.size());
    // The header: every line up to the first that holds values.
    for (std::size_t begin = 0; begin < valuesBegin;) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = trimmedLine(text, begin, end);
        if (holdsValues(line)) break;
        if (isComment(line))
            if (const auto m = declaredIn(line.substr(2))) addOnce(markers, *m);
        begin = end + 1;
    }
    // The lines right above the values, up to a line that holds values (those of the block before).
    std::size_t end = valuesBegin;
    while (end > 0 && text[end - 1] != '\n') --end;  // the values' own line starts here
    for (int lines = 0; end > 0 && lines < 1000; ++lines) {
        const std::size_t lineEnd = end - 1;  // the line break ending the line above
        std::size_t begin = lineEnd;
        while (begin > 0 && text[begin - 1] != '\n') --begin;
        const std::string_view line = trimmedLine(text, begin, lineEnd);
        if (holdsValues(line)) break;
        if (isComment(line))
            if (const auto m = declaredIn(line.substr(2))) addOnce(markers, *m);
        end = begin;
    }
    return markers;
}

}  // namespace morvane
