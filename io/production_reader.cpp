#include "io/production_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/decimal_text.h"

namespace morvane {

namespace {

constexpr std::size_t kColumns = 4;  // name, oil, water, gas
constexpr std::string_view kColumnNames[] = {"oil", "water", "gas"};

// A field without the white space and the double quotes around it.
std::string_view fieldText(std::string_view field)
{
    field = trimProductionText(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = trimProductionText(field.substr(1, field.size() - 2));
    return field;
}

std::vector<std::string_view> fieldsOf(std::string_view line, char separator)
{
    std::vector<std::string_view> fields = splitProductionText(line, separator);
    for (std::string_view& field : fields) field = fieldText(field);
    // Spreadsheets often close a line with separators of empty columns.
    while (fields.size() > kColumns && fields.back().empty()) fields.pop_back();
    return fields;
}

char separatorOf(std::string_view line)
{
    if (line.find('\t') != std::string_view::npos) return '\t';
    if (line.find(';') != std::string_view::npos) return ';';
    return ',';
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
    const auto refuse = [&file](int line, const std::string& why) {
        file.rows.clear();
        file.excess.clear();
        file.error = lineLabel(line) + why;
        return file;
    };

    char separator = 0;
    bool first = true;
    int number = 0;
    for (const std::string_view line : productionLines(text)) {
        ++number;
        if (trimProductionText(line).empty()) continue;
        if (separator == 0) separator = separatorOf(line);
        const std::vector<std::string_view> fields = fieldsOf(line, separator);
        const bool isFirst = first;
        first = false;
        if (fields.size() < 2)
            return refuse(number,
                          "a well name and its oil, water and gas volumes are expected, separated by tabs, "
                          "semicolons or commas");
        if (fields.size() > kColumns)
            return refuse(number,
                          "more than four columns (well name, oil, water, gas); between columns separated by "
                          "commas, decimals are written with a point");

        ProductionRow row;
        row.line = number;
        std::array<float*, 3> volumes{&row.oil, &row.water, &row.gas};
        std::string_view unreadable;
        for (std::size_t c = 1; c < fields.size(); ++c) {
            if (fields[c].empty()) continue;
            if (const std::optional<float> v = readProductionVolume(fields[c]))
                *volumes[c - 1] = *v;
            else if (unreadable.empty())
                unreadable = fields[c];
        }
        if (!unreadable.empty()) {
            if (isFirst) {
                file.headerSkipped = true;
                continue;
            }
            std::string why = "\"";
            why.append(unreadable).append("\" is not a number");
            return refuse(number, why);
        }
        if (fields[0].empty()) return refuse(number, "no well name");
        row.name = std::string(fields[0]);
        for (std::size_t c = 0; c < volumes.size(); ++c) {
            const float v = *volumes[c];
            // -1 is how a volume not known is written; any other negative volume is no production.
            if (v < 0.0f && v != -1.0f)
                return refuse(number, "the " + std::string(kColumnNames[c]) + " volume " + std::string(fields[c + 1]) +
                                          " is negative (-1 is written for a volume not known)");
            if (v > kLargestWellVolume) file.excess.push_back({number, row.name, static_cast<int>(c), v});
        }
        file.rows.push_back(std::move(row));
    }
    // A text that stops right after a row, without its line end, may have been cut inside that row.
    if (!file.rows.empty() && !text.empty() && text.back() != '\n' && text.back() != '\r' &&
        file.rows.back().line == number)
        file.openLastLine = number;
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
