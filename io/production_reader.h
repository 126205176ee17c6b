// Cumulative production per well, as the user types it into the production table or gives it in a text file: oil
// and water produced in thousands of cubic metres, gas in millions of cubic metres, -1 for a volume not known.
//
// A production file holds one line per well: the well's name, then its oil, water and gas volumes, separated by
// tabs, semicolons or commas: the one found on the most lines, in that order on a tie (a separator inside double
// quotes belongs to its field). Decimals are written with "." or ",", settled by the volumes of the whole file
// (io/spreadsheet_numbers.h): "12,345" is refused unless another volume shows whether its comma separates thousands
// or decimals. A first line is a header when its columns after the first hold words and no number; a first line
// with a number among them is a row like any other. An empty volume, or a missing one at the end of a line, is not
// known (-1). White space around fields is ignored.
//
// A file is taken whole or not at all: a line that cannot be read (a name without volumes, a volume that is not a
// number or is negative, more than four columns, more columns than the header, no name) refuses the file, naming
// the line. With commas between columns a row may not hold more columns than the header, or than most rows when
// there is none: a row written with decimal commas would otherwise be read as shifted columns. A volume beyond any
// real well's cumulative production is kept as read and noted, with its line and column.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/localisation.h"
#include "io/spreadsheet_numbers.h"

namespace morvane {

namespace production_texts {
// "{}" takes the file, line, well, column, value and bound in order.
inline constexpr TextPair Beyond{
    "{}, line {}, well {}: {} {} is more than any well produces ({}); the value is kept as read",
    "{}, строка {}, скважина {}: {} {} больше, чем даёт любая скважина ({}); значение оставлено как прочитано"};
inline constexpr TextPair Oil{"oil", "нефть"};
inline constexpr TextPair Water{"water", "вода"};
inline constexpr TextPair Gas{"gas", "газ"};
inline constexpr TextPair ThousandCubicMetres{"more than {} thousand m3", "более {} тыс. м3"};
inline constexpr TextPair MillionCubicMetres{"more than {} million m3", "более {} млн м3"};
// "{}" takes the well, its lines ("3, 5 and 7"), the file and the line kept.
inline constexpr TextPair Duplicate{"Well {} is given on lines {} of {}; the volumes of line {} are kept",
                                    "Скважина {} указана в строках {} файла {}; оставлены объёмы строки {}"};
inline constexpr TextPair And{" and ", " и "};
// "{}" takes the file and the line.
inline constexpr TextPair LastLineOpen{
    "{}, line {}, the last, has no line end: the file may be cut inside it; its volumes are kept as read",
    "{}, строка {}, последняя, не завершена переводом строки: файл, возможно, обрезан на ней; её объёмы оставлены как "
    "прочитаны"};
}  // namespace production_texts

// The largest cumulative volume a well can have in a production file's units (thousand m3 of oil or water, million
// m3 of gas): far above the largest wells known, so only a value that cannot be a volume passes it.
inline constexpr float kLargestWellVolume = 1.0e5f;

// Production text is split into lines and fields the same way in files and in pastes: its lines (ended by LF, CRLF
// or CR; a last line without an ending counts), the pieces between separators (as many as separators plus one), and
// a piece without the white space around it.
std::vector<std::string_view> productionLines(std::string_view text);
std::vector<std::string_view> splitProductionText(std::string_view text, char separator);
std::string_view trimProductionText(std::string_view text);

// A volume as typed: a whole finite number that fits a float, "." or "," as the decimal separator, white space
// around it ignored. Nothing for an empty text or anything else.
std::optional<float> readProductionVolume(std::string_view text);

// One line of a production file.
struct ProductionRow {
    std::string name;  // as written, white space around it removed
    float oil = -1.0f, water = -1.0f, gas = -1.0f;
    int line = 0;  // 1-based
};

// A volume beyond kLargestWellVolume: the row's line, the well and the column (0 oil, 1 water, 2 gas).
struct ProductionExcess {
    int line = 0;
    std::string name;
    int column = 0;
    float value = 0;
};

struct ProductionFile {
    std::vector<ProductionRow> rows;       // in file order; empty when refused
    std::vector<ProductionExcess> excess;  // volumes beyond any well's, in file order (kept in rows as read)
    bool headerSkipped = false;
    int openLastLine = 0;  // the last row's line when the text stops right after it without a line end, else 0
    std::string error;     // why the file was refused, naming the line; empty when it was read
    int errorLine = 0;     // the refused line, its text (white space around it removed) and why, apart
    std::string errorText;
    std::string errorWhy;
    char separator = 0;  // the column separator settled for the file (0: no line held anything)
    int lines = 0;       // lines of the text, the last one also without its line end
    DecimalMark decimal = DecimalMark::Unsettled;
    bool read() const { return error.empty(); }
};

// Parses a production file's text (UTF-8; a leading byte order mark and CRLF line ends are fine).
ProductionFile parseProductionText(std::string_view text);

// The line noting a volume beyond any well's, naming the file, in the language `lang`.
std::string productionExcessText(const ProductionExcess& excess, std::string_view fileName, std::string_view lang);

// The line noting a last row without its line end (openLastLine), naming the file, in the language `lang`.
std::string productionCutText(int line, std::string_view fileName, std::string_view lang);

}  // namespace morvane
