#include "commands/production_table.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "io/production_reader.h"

namespace morvane {

namespace {

const char* columnName(int column)
{
    switch (column) {
    case OilColumn:
        return "oil";
    case WaterColumn:
        return "water";
    case GasColumn:
        return "gas";
    default:
        return "well";
    }
}

}  // namespace

std::string productionCellText(float value)
{
    if (value == -1.0f) return {};
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::string(digits, end);
}

float productionCellValue(std::string_view text) { return readProductionVolume(text).value_or(-1.0f); }

ProductionPaste pasteProduction(std::string_view clipboard, int row, int column, int rows)
{
    ProductionPaste paste;
    if (column <= WellColumn || column >= PRODUCTION_COLUMNS || row < 0) return paste;

    std::vector<std::string_view> lines = productionLines(clipboard);
    while (!lines.empty() && trimProductionText(lines.back()).empty()) lines.pop_back();

    // The decimal mark is settled by every number of the paste together, as in a file: "12,345" is only read
    // when another value shows what its comma is.
    std::vector<std::vector<std::string_view>> fields;
    std::vector<std::string_view> all;
    for (std::size_t n = 0; n < lines.size() && row + static_cast<long long>(n) < rows; ++n) {
        fields.push_back(splitProductionText(lines[n], '\t'));
        for (std::string_view& field : fields.back()) all.push_back(field = trimProductionText(field));
    }
    const DecimalMark mark = decimalMarkOf(all);
    for (std::size_t n = 0; n < fields.size(); ++n) {
        for (std::size_t k = 0; k < fields[n].size() && column + static_cast<long long>(k) < PRODUCTION_COLUMNS; ++k) {
            PastedCell cell{row + static_cast<int>(n), column + static_cast<int>(k), std::string(fields[n][k])};
            if (cell.text.empty()) {
                paste.cells.push_back(std::move(cell));
                continue;
            }
            const SpreadsheetNumber number = readSpreadsheetNumber(cell.text, mark);
            if (number.value && std::fabs(*number.value) <= std::numeric_limits<float>::max()) {
                // A text the cell would read as another number ("12,345" meant as thousands) is written as the
                // cell shows the volume meant.
                const float volume = static_cast<float>(*number.value);
                if (readProductionVolume(cell.text) != volume) cell.text = productionCellText(volume);
                paste.cells.push_back(std::move(cell));
            } else {
                cell.ambiguous = number.ambiguous;
                paste.refused.push_back(std::move(cell));
            }
        }
    }
    return paste;
}

std::string refusedPasteLine(const PastedCell& cell, const std::string& wellName)
{
    if (cell.ambiguous)
        return "Not pasted: \"" + cell.text + "\" (" + columnName(cell.column) + " of well " + wellName +
               ") may be thousands or decimals, and no other value of the paste shows whether its comma separates "
               "thousands or decimals";
    return "Not a number, so not pasted: \"" + cell.text + "\" (" + columnName(cell.column) + " of well " + wellName +
           ")";
}

ProductionColumnsCheck checkProductionColumns(const std::vector<std::array<std::string, 3>>& cells)
{
    ProductionColumnsCheck check;
    bool* complete[3] = {&check.oil, &check.water, &check.gas};
    check.wells = cells.size();
    for (const auto& row : cells) {
        for (std::size_t c = 0; c < 3; ++c) {
            const bool empty = trimProductionText(row[c]).empty();
            const bool valid = !empty && readProductionVolume(row[c]).has_value();
            if (valid) continue;
            *complete[c] = false;
            if (c < 2) check.trace.emplace_back(empty ? "here1" : "here2");
        }
    }
    for (const bool* column : complete) check.trace.emplace_back(*column ? "True" : "False");
    return check;
}

ProductionCompleteness productionCompleteness(const ProductionColumnsCheck& check)
{
    if (check.wells == 0) return ProductionCompleteness::Missing;
    if (check.oil && check.water && check.gas) return ProductionCompleteness::Complete;
    if (!check.oil && !check.water && !check.gas) return ProductionCompleteness::Missing;
    return ProductionCompleteness::Partial;
}

}  // namespace morvane
