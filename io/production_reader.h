// Cumulative production per well, as the user types it into the production table or gives it in a text file: oil
// and water produced in thousands of cubic metres, gas in millions of cubic metres, -1 for a volume not known.
//
// A production file holds one line per well: the well's name, then its oil, water and gas volumes, separated by
// tabs, semicolons or commas (the first line that is not blank decides which, in that order), with "." or "," as
// the decimal separator (with commas between the columns the separator is necessarily "."). A first line whose
// volumes are not numbers is a header and is skipped. An empty volume, or a missing one at the end of a line, is
// not known (-1). Fields may be quoted ("..."), and white space around them is ignored.
//
// A file is taken whole or not at all: a line that cannot be read (a name without volumes, a volume that is not a
// number, more than four columns, no name) refuses the file, naming the line, so a file written with decimal commas
// between comma-separated columns is never read as shifted columns.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

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

struct ProductionFile {
    std::vector<ProductionRow> rows;  // in file order; empty when refused
    bool headerSkipped = false;
    std::string error;  // why the file was refused, naming the line; empty when it was read
    bool read() const { return error.empty(); }
};

// Parses a production file's text (UTF-8; a leading byte order mark and CRLF line ends are fine).
ProductionFile parseProductionText(std::string_view text);

}  // namespace morvane
