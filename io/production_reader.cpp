#include "io/production_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/decimal_text.h"
#include "io/spreadsheet_numbers.h"

namespace morvane {

namespace {

constexpr std::size_t kColumns = 4;  // name, oil, water, gas
constexpr std::string_view kColumnNames[] = {"oil", "water", "gas"};
constexpr char kSeparators[] = {'\t', ';', ','};  // in the order a tie between them is settled

// A field without the white space and the double quotes around it.
std::string_view fieldText(std::string_view field)
{
    field = trimProductionText(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = trimProductionText(field.substr(1, field.size() - 2));
    return field;
}

// The fields of a line at `separator`, a separator inside double quotes being part of its field ("1,5" in a
// comma-separated file written with decimal commas).
std::vector<std::string_view> fieldsOf(std::string_view line, char separator)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] == '"') quoted = !quoted;
        if (i < line.size() && (quoted || line[i] != separator)) continue;
        fields.push_back(fieldText(line.substr(start, i - start)));
        start = i + 1;
    }
    // Spreadsheets often close a line with separators of empty columns.
    while (fields.size() > kColumns && fields.back().empty()) fields.pop_back();
    return fields;
}

bool holdsOutsideQuotes(std::string_view line, char separator)
{
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') quoted = !quoted;
        if (!quoted && c == separator) return true;
    }
    return false;
}

// The separator of the whole text: the one found on the most lines (a file written with decimal commas between
// semicolons holds commas too, but on fewer lines than its semicolons, or on as many and then ";" comes first).
char separatorOf(const std::vector<std::string_view>& lines)
{
    std::size_t best = 0;
    char separator = ',';
    for (const char candidate : kSeparators) {
        std::size_t count = 0;
        for (const std::string_view line : lines) count += holdsOutsideQuotes(line, candidate);
        if (count > best) {
            best = count;
            separator = candidate;
        }
    }
    return separator;
}

bool holdsLetter(std::string_view text)
{
    for (const char c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

// A header is told by its words: no column after the first holds a number and at least one holds a word. A first
// line with a number among its volumes is a row, whatever else it holds ("W-3;150;2O;6" is a row with a bad number).
bool isHeader(const std::vector<std::string_view>& fields)
{
    bool word = false;
    for (std::size_t c = 1; c < fields.size(); ++c) {
        if (readSpreadsheetNumber(fields[c], DecimalMark::Mixed).value ||
            readSpreadsheetNumber(fields[c], DecimalMark::Mixed).ambiguous)
            return false;
        word = word || holdsLetter(fields[c]);
    }
    return word;
}

std::string lineLabel(int line) { return "line " + std::to_string(line) + ": "; }

}  // namespace

std::vector<std::string_view> productionLines(std::string_view text)
{
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        out.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) out.push_back(text.substr(start));
    return out;
}

std::vector<std::string_view> splitProductionText(std::string_view text, char separator)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t next = text.find(separator, start);
        pieces.push_back(text.substr(start, next == std::string_view::npos ? next : next - start));
        if (next == std::string_view::npos) return pieces;
        start = next + 1;
    }
}

std::string_view trimProductionText(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::optional<float> readProductionVolume(std::string_view text)
{
    const std::optional<double> value = parseDecimalText(text);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*value);
}

ProductionFile parseProductionText(std::string_view text)
{
    ProductionFile file;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const auto refuse = [&file](int line, std::string_view lineText, const std::string& why) {
        file.rows.clear();
        file.excess.clear();
        file.error = lineLabel(line) + why;
        file.errorLine = line;
        file.errorText = std::string(trimProductionText(lineText));
        file.errorWhy = why;
        return file;
    };

    // The lines that hold something, with their 1-based numbers.
    const std::vector<std::string_view> all = productionLines(text);
    file.lines = static_cast<int>(all.size());
    std::vector<std::string_view> lines;
    std::vector<int> numbers;
    for (std::size_t n = 0; n < all.size(); ++n) {
        if (trimProductionText(all[n]).empty()) continue;
        lines.push_back(all[n]);
        numbers.push_back(static_cast<int>(n) + 1);
    }
    if (lines.empty()) return file;
    file.separator = separatorOf(lines);

    std::vector<std::vector<std::string_view>> fields;
    fields.reserve(lines.size());
    for (const std::string_view line : lines) fields.push_back(fieldsOf(line, file.separator));
    std::size_t first = 0;
    if (fields[0].size() >= 2 && isHeader(fields[0])) {
        file.headerSkipped = true;
        first = 1;
    }

    // The columns a row may hold: the header's, else with commas between columns the count most rows hold (a row
    // with more cannot be told from one written with decimal commas), else four.
    std::size_t columns = kColumns;
    if (file.headerSkipped) {
        columns = std::max<std::size_t>(fields[0].size(), 2);
    } else if (file.separator == ',') {
        std::size_t counts[kColumns + 1] = {};
        for (std::size_t r = first; r < fields.size(); ++r)
            if (fields[r].size() <= kColumns) ++counts[fields[r].size()];
        columns = static_cast<std::size_t>(std::max_element(std::begin(counts), std::end(counts)) - counts);
        columns = std::max<std::size_t>(columns, 2);
    }

    std::vector<std::string_view> volumeTexts;
    for (std::size_t r = first; r < fields.size(); ++r)
        for (std::size_t c = 1; c < fields[r].size(); ++c) volumeTexts.push_back(fields[r][c]);
    file.decimal = decimalMarkOf(volumeTexts);

    for (std::size_t r = first; r < fields.size(); ++r) {
        const int number = numbers[r];
        const std::vector<std::string_view>& row = fields[r];
        if (row.size() < 2)
            return refuse(number, lines[r],
                          "a well name and its oil, water and gas volumes are expected, separated by tabs, "
                          "semicolons or commas");
        if (row.size() > kColumns)
            return refuse(number, lines[r],
                          "more than four columns (well name, oil, water, gas); between columns separated by "
                          "commas, decimals are written with a point");
        if (row.size() > columns)
            return refuse(number, lines[r],
                          std::to_string(row.size()) + " columns where " +
                              (file.headerSkipped ? "the header on line " + std::to_string(numbers[0]) + " has "
                                                  : std::string("the other rows have ")) +
                              std::to_string(columns) +
                              (file.separator == ',' ? "; between columns separated by commas, decimals are written "
                                                       "with a point"
                                                     : ""));

        ProductionRow parsed;
        parsed.line = number;
        std::array<float*, 3> volumes{&parsed.oil, &parsed.water, &parsed.gas};
        for (std::size_t c = 1; c < row.size(); ++c) {
            if (row[c].empty()) continue;
            const SpreadsheetNumber value = readSpreadsheetNumber(row[c], file.decimal);
            const std::string quoted = "\"" + std::string(row[c]) + "\"";
            if (value.ambiguous)
                return refuse(number, lines[r],
                              "the " + std::string(kColumnNames[c - 1]) + " volume " + quoted +
                                  " may be thousands or decimals, and no other volume of the file shows whether "
                                  "its comma separates thousands or decimals");
            if (!value.value || std::fabs(*value.value) > std::numeric_limits<float>::max())
                return refuse(number, lines[r], quoted + " is not a number");
            *volumes[c - 1] = static_cast<float>(*value.value);
        }
        if (row[0].empty()) return refuse(number, lines[r], "no well name");
        parsed.name = std::string(row[0]);
        for (std::size_t c = 0; c < volumes.size(); ++c) {
            const float v = *volumes[c];
            // -1 is how a volume not known is written; any other negative volume is no production.
            if (v < 0.0f && v != -1.0f)
                return refuse(number, lines[r],
                              "the " + std::string(kColumnNames[c]) + " volume " + std::string(row[c + 1]) +
                                  " is negative (-1 is written for a volume not known)");
            if (v > kLargestWellVolume) file.excess.push_back({number, parsed.name, static_cast<int>(c), v});
        }
        file.rows.push_back(std::move(parsed));
    }
    // A text that stops right after a row, without its line end, may have been cut inside that row.
    const int lastLine = static_cast<int>(all.size());
    if (!file.rows.empty() && !text.empty() && text.back() != '\n' && text.back() != '\r' &&
        file.rows.back().line == lastLine)
        file.openLastLine = lastLine;
    return file;
}

std::string productionExcessText(const ProductionExcess& excess, std::string_view fileName, std::string_view lang)
{
    namespace texts = production_texts;
    const TextPair* columns[] = {&texts::Oil, &texts::Water, &texts::Gas};
    char value[32];
    std::snprintf(value, sizeof value, "%g", static_cast<double>(excess.value));
    char bound[32];
    std::snprintf(bound, sizeof bound, "%.0f", static_cast<double>(kLargestWellVolume));
    const TextPair& unit = excess.column == 2 ? texts::MillionCubicMetres : texts::ThousandCubicMetres;
    return fillText(texts::Beyond.in(lang),
                    {fileName, std::to_string(excess.line), excess.name,
                     columns[std::clamp(excess.column, 0, 2)]->in(lang), value, fillText(unit.in(lang), {bound})});
}

std::string productionCutText(int line, std::string_view fileName, std::string_view lang)
{
    return fillText(production_texts::LastLineOpen.in(lang), {fileName, std::to_string(line)});
}

}  // namespace morvane
