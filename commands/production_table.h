// The production table of the data manager, free of widgets: how a volume is shown in a cell, how a cell is read,
// what a paste from the clipboard writes where, and how complete the three volume columns are.
//
// The table has one row per well and four columns: the well's name (never edited) and its oil, water and gas
// volumes. A cell shows a volume, or nothing for -1 (not known).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

enum ProductionColumn { WellColumn = 0, OilColumn = 1, WaterColumn = 2, GasColumn = 3 };
inline constexpr int PRODUCTION_COLUMNS = 4;

// The text a cell shows for a volume: empty for -1, otherwise its shortest exact decimal form ("12.5", "1000").
std::string productionCellText(float value);

// The volume a cell holds: its number, read with "." or "," as the decimal separator, or -1 when the cell is empty
// or is not a number.
float productionCellValue(std::string_view text);

// A paste into the table: the clipboard text is split into lines (LF, CRLF or CR), and every line into fields at
// tabs, as a spreadsheet copies a block of cells. Line n goes into row `row` + n, field k into column `column` + k;
// rows past the last well and columns past the gas column are dropped, and nothing goes into the well column.
// Every line is pasted, the last one too when no line break closes it; blank lines at the end are no lines. White
// space around a field is removed; an empty field empties its cell; a field that is not a number leaves its cell as
// it was and is refused. The decimal mark is settled by all the numbers of the paste (io/spreadsheet_numbers.h): a
// number it does not settle ("12,345" alone) is refused as ambiguous; one the cell would read as another number
// ("12,345" where points are the decimal mark) is written as the cell shows the number meant ("12345").
struct PastedCell {
    int row = 0;
    int column = 0;
    std::string text;        // the cell's text (pasted), or the field as copied (refused)
    bool ambiguous = false;  // refused: a number the paste does not settle
};
struct ProductionPaste {
    std::vector<PastedCell> cells;    // written, in clipboard order
    std::vector<PastedCell> refused;  // not numbers, cells left as they were
};
ProductionPaste pasteProduction(std::string_view clipboard, int row, int column, int rows);

// The log line for a refused field of a paste into the row of `wellName`.
std::string refusedPasteLine(const PastedCell& cell, const std::string& wellName);

// Completeness of the volume columns: a column is complete when every cell holds a number. The trace lines say
// "here1" for each empty and "here2" for each unreadable oil or water cell, then the three results.
struct ProductionColumnsCheck {
    bool oil = true, water = true, gas = true;
    std::size_t wells = 0;  // rows checked
    std::vector<std::string> trace;
};
// `cells` holds, per well, the texts of the oil, water and gas cells.
ProductionColumnsCheck checkProductionColumns(const std::vector<std::array<std::string, 3>>& cells);

// The production summary mark: complete when all three columns are, missing when none is or there is no well to
// produce (an empty table is no production), partial otherwise.
enum class ProductionCompleteness { Complete, Partial, Missing };
ProductionCompleteness productionCompleteness(const ProductionColumnsCheck& check);

}  // namespace morvane
