// Reads well trajectories from deviation (.dev) files: "#" comment lines (one of them "# WELL NAME: ..."), one header
// line naming the columns, then one line of numbers per survey point.
//
// The import command decodes the file (UTF-8 inside the program), parses it with parseWellFile, lets the user type
// the columns (the column dialog starts from preselectedColumns, or an earlier "OK for all" answer is reused), then
// calls loadWell, which checks the well and builds its trajectory; the command adds an accepted well to the
// document. Everything the user must be told comes back in the report, in order.
//
// The header is split at any run of white space, tabs included, and every word names the number at the same
// position of each data line. A line whose first character other than white space is "#" is a comment, and a rule
// of "=" characters is skipped, indented or not. A well without a name is refused whichever way its columns were
// chosen.
//
// Other tools write .dev files of another layout: a first line "WELLNAME: 'X'", the columns X, Y, TVD, MD in a
// comment, and a closing "-999". Read by position they would put X where MD belongs; such a file is recognised and
// refused with a message saying so, before any column is chosen.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/feedback.h"
#include "io/property_reader.h"

namespace morvane {

namespace well_texts {
inline constexpr std::string_view NameKey = "WELL NAME";

// Status texts.
inline constexpr const char* ReadingWell = "Reading well file";
inline constexpr const char* Rendering = "Rendering well";
inline constexpr const char* AllGood = "All good";

// Log lines and the message box.
inline constexpr const char* OpeningFile = "Opening file: ";
inline constexpr const char* NoNameLog = "Well was not loaded. No WELL NAME key words found in opening file.";
inline constexpr const char* LoadedLog = "Well is loaded successfully";  // "ОК" in the column dialog
inline constexpr const char* LoadedPrefix = "Well ";                     // "OK for all" and its later wells
inline constexpr const char* LoadedSuffix = " is loaded successfully";
inline constexpr const char* NoColumnsBox =
    "Вы не выбрали нужные столбцы для загрузки. Пожалуйста, выберите столбцы данных для загрузки инклинометрии.";
inline constexpr const char* NoColumnsCaption = "Загрузка скважины";
inline constexpr const char* NoColumnsBoxEn =
    "You have not chosen the columns to load. Please choose the data columns of the deviation survey.";
inline constexpr const char* NoColumnsCaptionEn = "Well import";
inline constexpr const char* NoColumnsLog = "No right match columns are privided";
// Said when no data line holds all four chosen columns (the well would have no point to draw).
inline constexpr const char* NoPointsPrefix = "Well was not loaded. No data line holds the chosen columns: ";
// Said for a file of the other layout; the file name follows.
inline constexpr const char* ForeignLayoutPrefix =
    "Well was not loaded. The file is a deviation file of another layout (a WELLNAME line, X first and MD last, "
    "a closing -999), whose columns cannot be matched: ";
inline constexpr const char* ForeignLayoutSuffix =
    ". Export the well with a \"# WELL NAME:\" comment line and a header naming MD, X, Y and Z.";
}  // namespace well_texts

// What a .dev text holds, before the user has typed its columns.
struct WellFile {
    std::string name;                      // from the last "WELL NAME" comment line, spaces removed; "" if none
    std::vector<std::string> columns;      // header words, in order
    std::vector<std::vector<float>> rows;  // per data line, the numbers read from its start, in order
    bool hasHeader = false;
    bool foreignLayout = false;  // first line "WELLNAME: ...": another tool's layout, refused
};

// Parses a decoded .dev text (a leading byte order mark is ignored; CRLF and LF line ends).
WellFile parseWellFile(std::string_view text);

// Whether a text (or its first few kilobytes) is a deviation file rather than a grid or property file: a "#"
// comment naming the well before the header, another tool's "WELLNAME" first line, or a header with the words X
// and Y.
bool looksLikeWellText(std::string_view text);

// The name carried by a "#" comment line containing "WELL NAME", or nullopt for any other line. The keyword and
// the character after it (":" or a space) are cut off and every space of the rest is removed; what is left may be
// "" (a line that ends right after the keyword).
std::optional<std::string> wellNameFromComment(std::string_view line);

// The numbers at the start of a data line: leading white space skipped, optional sign, decimal point, exponent;
// reading stops at the first text that is not a number or at a value a float cannot hold.
std::vector<float> readDataRow(std::string_view line);

// Column positions (0-based) of measured depth, X, Y and Z; -1 = not chosen.
struct WellColumns {
    int md = -1, x = -1, y = -1, z = -1;
    bool complete() const { return md >= 0 && x >= 0 && y >= 0 && z >= 0; }
    int highest() const;
    friend bool operator==(const WellColumns&, const WellColumns&) = default;
};

// The columns the column dialog starts with: the column named exactly "MD", "X", "Y", "Z" (case-sensitive; with
// duplicate names the last one wins); -1 where no column has that name.
WellColumns preselectedColumns(const std::vector<std::string>& columnNames);

// How the columns were confirmed.
enum class WellConfirmation {
    Ok,        // "ОК" in the column dialog
    OkForAll,  // "OK for all" in the column dialog
    Reused,    // a later file of the selection, with the columns of the earlier "OK for all"
};

struct WellReport {
    bool accepted = false;
    std::string name;
    std::vector<std::vector<float>> trajectory;    // accepted: per point MD, X, Y, Z in file units
    int skippedRows = 0;                           // data lines lacking a chosen column
    std::vector<PropertyReportLine> lines;         // log and trace lines, in order
    std::optional<PropertyMessageBox> messageBox;  // shown (OK button, information icon) after the lines
};

// Checks a parsed well against the confirmed columns and builds its trajectory: every data line that holds all four
// chosen columns gives the point (MD, X, Y, Z). Refused: no name, columns not all chosen, no usable data line.
// The message box is in the interface language `lang` ("en" or "ru").
WellReport loadWell(const WellFile& file, const WellColumns& columns, WellConfirmation confirmation,
                    std::string_view lang = "ru");

// The refusal of a file of another tool's layout (`fileName` without folder), before any column is chosen.
WellReport foreignLayoutReport(const std::string& fileName);

}  // namespace morvane
