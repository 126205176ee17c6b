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

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/feedback.h"
#include "core/localisation.h"
#include "io/property_reader.h"
#include "model/grid.h"

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

// What is said about data lines that were not used, the gaps they leave and points far from the grid; "{}" takes
// the file, line numbers, words and counts in order.
inline constexpr TextPair LinesNotUsed{"{}: {} data lines not used: {}.", "{}: не использовано строк данных: {}: {}."};
inline constexpr TextPair NotANumber{"line {}: \"{}\" is not a number", "строка {}: \"{}\" — не число"};
inline constexpr TextPair NotANumberIn{"line {}: \"{}\" in column {} is not a number",
                                       "строка {}: \"{}\" в столбце {} — не число"};
inline constexpr TextPair TooLargeIn{"line {}: {} in column {} is too large",
                                     "строка {}: {} в столбце {} — слишком большое число"};
inline constexpr TextPair WordCount{"line {}: {} words where the other lines hold {}",
                                    "строка {}: слов {}, а в остальных строках {}"};
inline constexpr TextPair TooFewWords{"line {}: {} words, too few for the chosen columns",
                                      "строка {}: слов {}, меньше, чем нужно для выбранных столбцов"};
inline constexpr TextPair AndMore{"and {} more", "и ещё {}"};
inline constexpr TextPair Gaps{"{}: the well is drawn as a straight line across the data lines not used, between {}",
                               "{}: на месте неиспользованных строк скважина проведена прямой линией, между {}"};
inline constexpr TextPair Gap{"MD {} (line {}) and MD {} (line {})", "MD {} (строка {}) и MD {} (строка {})"};
inline constexpr TextPair FarOutside{
    "Well {} ({}): {} of {} points lie far outside the grid (x {} to {} km, y {} to {} km); the well is drawn as read",
    "Скважина {} ({}): {} из {} точек лежат далеко за пределами грида (x от {} до {} км, y от {} до {} км); "
    "скважина показана как прочитана"};
inline constexpr TextPair DepthsBeyond{
    "Well {} ({}): {} of {} points lie deeper or higher than 20 km (depths {} to {}, measured depths {} to {}); the "
    "well is drawn as read",
    "Скважина {} ({}): {} из {} точек лежат глубже или выше 20 км (глубины от {} до {}, MD от {} до {}); скважина "
    "показана как прочитана"};
inline constexpr TextPair LastLineOpen{
    "{}: the file stops at line {} without a line end: it may be cut there; the points are kept as read",
    "{}: файл обрывается на строке {} без перевода строки: возможно, он обрезан там; точки оставлены как прочитаны"};
inline constexpr TextPair DepthNotRising{"{}: the measured depth does not increase at {}; the points are kept as read",
                                         "{}: измеренная глубина не растёт в {}; точки оставлены как прочитаны"};
inline constexpr TextPair DepthStep{"line {} (MD {} after {} on line {})", "строке {} (MD {} после {} в строке {})"};
}  // namespace well_texts

// The deepest a well point can lie, and the longest a well can be, in metres: no well has been drilled half as deep.
inline constexpr float kDeepestWellPoint = 20000.0f;

// Why a word of a data line is not a usable number.
enum class WellWordProblem : std::uint8_t {
    Text,       // a word that is no number: N/A, nan, inf, a name
    Malformed,  // starts as a number but is not one: glued numbers (549166-94), two points, a decimal comma
    TooLarge,   // a number beyond what a float holds (1e39)
};

struct WellWord {
    std::size_t column = 0;  // 0-based position of the word in its line
    WellWordProblem problem = WellWordProblem::Text;
    std::string word;  // as written, cut to a few dozen characters
};

// One data line: every white-space separated word at its position, so a damaged word never moves the words
// after it into another column.
struct WellRow {
    int line = 0;                      // 1-based line of the file
    std::vector<float> values;         // one per word; NaN where the word is not a usable number
    std::vector<WellWord> unreadable;  // the words that are not, with why (the first few dozen)
    bool malformed = false;            // a word starts as a number but is not one
    std::size_t words() const { return values.size(); }
    bool number(int column) const;
};

// What a .dev text holds, before the user has typed its columns.
struct WellFile {
    std::string name;                  // from the last "WELL NAME" comment line, spaces removed; "" if none
    std::vector<std::string> columns;  // header words, in order
    std::vector<WellRow> rows;         // per data line, in file order
    std::size_t usualWords = 0;        // the number of words most data lines hold (ties: the header's, else most)
    bool hasHeader = false;
    bool foreignLayout = false;  // first line "WELLNAME: ...": another tool's layout, refused
    int openLine = 0;  // the last line, when the text stops there without a line end after its data lines, else 0
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

// The words of a data line (leading white space skipped, a trailing CR ignored) with their numbers: optional
// sign, decimal point, exponent. A word is a number only as a whole and only when a float holds it.
WellRow readWellRow(std::string_view line, int lineNumber = 0);

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
    int skippedRows = 0;                           // data lines not used (see loadWell)
    std::vector<PropertyReportLine> lines;         // log and trace lines, in order
    std::optional<PropertyMessageBox> messageBox;  // shown (OK button, information icon) after the lines
};

// Checks a parsed well against the confirmed columns and builds its trajectory from its data lines in order. A
// data line gives the point (MD, X, Y, Z) only when it is whole: it holds the usual number of words (a lost or an
// extra word would move every column after it), none of its words is a malformed number (549166-94 is never read
// as 549166 and -94), and each chosen column holds a number a float can hold. Any other line is not used, and an
// orange line names the file, the lines and the words; lines left out between two points used leave a gap that
// the well is drawn across as a straight line, and a second orange line names each gap by its measured depths.
// Points deeper or higher than kDeepestWellPoint (depth or measured depth) are kept as read, counted in an orange
// line; so are points whose measured depth does not increase (a line written twice), each named with its line, and
// a text that stops without a line end after its data lines (the file may be cut there, inside a number or a row). Refused: no name, columns not all chosen, no usable data line. The message box and the lines are in the
// interface language `lang` ("en" or "ru"); `fileName` (without folder) is named in the lines.
WellReport loadWell(const WellFile& file, const WellColumns& columns, WellConfirmation confirmation,
                    std::string_view lang = "ru", std::string_view fileName = {});

// Said when points of a well lie far outside the footprint of the grid loaded: farther from the rectangle of its
// pillars than the rectangle's larger side, and at least a kilometre (a wrong column, a unit or coordinate
// system other than the grid's, or a value like -999.25). Nothing when every point lies near the grid.
std::optional<PropertyReportLine> footprintWarning(const std::string& wellName,
                                                   const std::vector<std::vector<float>>& trajectory,
                                                   const GridExtent& extent, std::string_view lang,
                                                   std::string_view fileName);

// The refusal of a file of another tool's layout (`fileName` without folder), before any column is chosen.
WellReport foreignLayoutReport(const std::string& fileName);

}  // namespace morvane
