// Reads cell properties from a GRDECL property file and checks each against the loaded grid; an accepted one comes
// back as a property the import command adds to the document. A file whose properties are marked with "Property name in Petrel : NAME" comment
// lines is split at those lines. A file without them is read as plain keyword blocks (PORO, PERMX, NTG, FACIES,
// SATNUM, ...): each block of exactly one value per grid cell is a property named by its keyword, discrete when
// every value is a whole number; blocks of any other size are said and left out, the grid's own keywords passed over.
//
// The import command works in four steps: decode the file text (UTF-8 inside the program), split it into its
// properties (splitPropertyText), ask the user the kind of each, then for each property loadProperty, which reads
// and checks it and returns the property with everything the user must be told, in order.
//
// Value rules (shared with the grid reader, grdecl_scan.h): the values are white-space separated numbers, n*v is
// exactly n copies of v, a plain number is always a value, signs are kept, "--" comments are skipped and the first
// "/" ends the values. A property is accepted only when it holds exactly one value per grid cell and every word up
// to its "/" is a number. Values are never expanded beyond the grid's cell count, so an absurd repeat count costs
// no memory.
//
// A property the user typed as lithology or facies is read as codes even when a few of its values carry a decimal
// point (real lithology exports hold a stray 3*1.5 among millions of codes): such values become kUndefinedCode,
// drawn in the undefined colour, and the log says how many cells hold one. A property whose name is already loaded
// is numbered ("PORO (2)"), so every tree node names one property.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/feedback.h"
#include "core/localisation.h"
#include "model/property_set.h"

namespace morvane {

namespace property_texts {
inline constexpr std::string_view Marker = "Property name in Petrel : ";

// Status texts.
inline constexpr const char* ReadingProperty = "Reading property";
inline constexpr const char* CheckingKind = "Checking discrete or continious";
inline constexpr const char* CheckingConformity = "Checking conformity with grid";
inline constexpr const char* CalculatingRange = "Calculation max and min values";
inline constexpr const char* Rendering = "Rendering property";
inline constexpr const char* AllGood = "All good";
inline constexpr const char* Loaded = "Property is loaded successfully";

// Message boxes and log lines.
inline constexpr const char* CaptionRu = "Загрузка свойства";
inline constexpr const char* CaptionEn = "Property loading";
inline constexpr const char* NotPropertyFileBox =
    "Выбранный файл не является файлом свойства. Пожалуйста, выберите правильный файл свойства.";
inline constexpr const char* NotPropertyFileBoxEn =
    "The chosen file is not a property file. Please choose a correct property file.";
inline constexpr const char* NotPropertyFileLog = "Selected file is not property file";
inline constexpr const char* MismatchRu =
    "Выбранный файл свойства не соответствует геометрии загруженного грида. Пожалуйста, выберите правильный файл "
    "свойства.";
inline constexpr const char* MismatchEn =
    "Chosed file not consisted with geometry of loaded grid. Please, choose right file of property.";
inline constexpr const char* MismatchLog = "Property file does not correspond to loaded grid";

// Trace texts.
inline constexpr const char* TraceStart = "starting loading prop1";
inline constexpr const char* TraceType = "PROP_types_loading = ";
inline constexpr const char* TraceDiscrete = "Свойство дискретно";
inline constexpr const char* TraceContinuous = "Свойство непрерывно";
inline constexpr const char* TracePropSize = "PROP size = ";
inline constexpr const char* TraceGridSize = "GRID size = ";

// Where a property stands and why one was refused or left out; "{}" takes names, files, lines and counts in order.
inline constexpr TextPair Where{"{} ({}, line {})", "{} ({}, строка {})"};
inline constexpr TextPair ValuesAgainstCells{"{}: {} values, the grid has {} cells.",
                                             "{}: {} значений, в гриде {} ячеек."};
inline constexpr TextPair StoppedAt{"Reading stopped at line {}: \"{}\" is not a number.",
                                    "Чтение остановлено на строке {}: \"{}\" — не число."};
inline constexpr TextPair SlashMissing{"No \"/\" ends its values before {} on line {}.",
                                       "Значения не закрыты символом \"/\" перед {} на строке {}."};
inline constexpr TextPair CodeTooLarge{"The value {} is too large for a code.", "Значение {} слишком велико для кода."};
inline constexpr TextPair MarkerHoldsValues{
    "Its name line {} holds values as well: a line break may be lost there.",
    "Строка {} с именем свойства содержит и значения: возможно, там потерян перевод строки."};
inline constexpr TextPair MoreThan{"more than {}", "более {}"};
inline constexpr TextPair DroppedCount{"{} was not loaded: it holds {} values, the grid has {} cells",
                                       "{} не загружено: в нём {} значений, в гриде {} ячеек"};
inline constexpr TextPair DroppedWord{"{} was not loaded: \"{}\" on line {} is not a number",
                                      "{} не загружено: \"{}\" на строке {} — не число"};
inline constexpr TextPair DroppedSlash{"{} was not loaded: no \"/\" ends its values before {} on line {}",
                                       "{} не загружено: значения не закрыты символом \"/\" перед {} на строке {}"};
inline constexpr TextPair DroppedNoKeyword{
    "Values on line {} of {} were not loaded: the line above them, \"{}\", is not a keyword",
    "Значения на строке {} файла {} не загружены: строка над ними, \"{}\", — не ключевое слово"};
inline constexpr TextPair DroppedNoMarker{
    "Values on line {} of {} were not loaded: no \"Property name in Petrel\" line names them (keyword \"{}\")",
    "Значения на строке {} файла {} не загружены: их не называет строка \"Property name in Petrel\" (ключевое "
    "слово \"{}\")"};
inline constexpr TextPair DroppedUnfinished{"{} was not loaded: the file ends on line {} before its values",
                                            "{} не загружено: файл кончается на строке {} раньше его значений"};
inline constexpr TextPair NoPropertyFound{
    "{} holds no \"Property name in Petrel\" line and no keyword block of values that could be a property, up to "
    "the end of the file (line {})",
    "В файле {} нет ни строки \"Property name in Petrel\", ни блока значений под ключевым словом, который мог бы быть "
    "свойством, до конца файла (строка {})"};
inline constexpr TextPair AlreadyLoaded{"A property named {} is already loaded: this one is named {}",
                                        "Свойство с именем {} уже загружено: это названо {}"};
inline constexpr TextPair NotWholeCode{
    "{}: {} cell holds a value that is not a whole code; it is drawn as undefined",
    "{}: в {} ячейке значение не является целым кодом; она показана как неопределённая"};
inline constexpr TextPair NotWholeCodes{
    "{}: {} cells hold values that are not whole codes; they are drawn as undefined",
    "{}: в {} ячейках значения не являются целыми кодами; они показаны как неопределённые"};
inline constexpr TextPair NoValueCells{"{}: {} cells hold {}, read as no value",
                                       "{}: в {} ячейках значение {}, прочитано как отсутствие значения"};
inline constexpr TextPair NoValueCell{"{}: {} cell holds {}, read as no value",
                                      "{}: в {} ячейке значение {}, прочитано как отсутствие значения"};
inline constexpr TextPair OutsideFraction{
    "{}: {} of {} cells hold values outside 0 to 1 (from {} to {}); the values are kept as read",
    "{}: в {} из {} ячеек значения вне диапазона от 0 до 1 (от {} до {}); значения оставлены как прочитаны"};
}  // namespace property_texts

// One property of a file: its name and where its values lie in the text.
struct PropertyEntry {
    // The rest of the marker line, without a trailing CR (other trailing blanks kept), up to the first word that is
    // a number: a marker line that lost its line break holds values too, which never belong to the name.
    std::string name;
    std::size_t valuesBegin = 0;     // first line after the marker line that is not blank, a comment or a keyword line
    std::size_t valuesEnd = 0;       // bound of the search: the line of the next marker, or the end of the text
    bool keywordBlock = false;       // a block without a marker: discrete when every value is a whole number
    std::string keyword;             // the keyword line above the marker ("" when none), or the block's keyword
    int line = 0;                    // 1-based line of the marker (of the keyword for a block)
    int valuesLine = 0;              // 1-based line of valuesBegin
    bool markerHoldsValues = false;  // the marker line held numbers after the name (see name)
};

// A block of values a file holds that is not taken as a property, and why.
struct DroppedBlock {
    enum class Why {
        WrongCount,  // numbers, but not one per grid cell
        NotANumber,  // a word among its values that is no number
        NoSlash,     // its values run into the next keyword: the "/" that ends them is missing
        NoKeyword,   // values after a line that is no keyword (a keyword misspelt or in lower case)
        NoMarker,    // values in a marked file that no marker line names (a damaged or lost marker line)
        Unfinished,  // a keyword after the last property of a marked file, and no values up to the file's end (cut)
    };
    Why why = Why::WrongCount;
    std::string keyword;       // the keyword it stands under ("" when none)
    int line = 0;              // 1-based line of the keyword (of the first values without one)
    std::size_t count = 0;     // WrongCount: the values found
    bool countBeyond = false;  // WrongCount: more values than count, which is the bound they were counted to
    std::string word;          // NotANumber: the word; NoSlash: the next keyword; NoKeyword: the line above
    int wordLine = 0;          // NotANumber, NoSlash: the word's line; Unfinished: the file's last line
};

// The properties of a file in file order; empty when the text holds no marker (not a property file). With
// `dropped`, values that no marker names (before the first marker, or after the "/" of a property and before the
// next marker) are added there, and so is a keyword after the last property that the file ends before any value of
// (a file cut inside the next property's lines).
std::vector<PropertyEntry> splitPropertyText(std::string_view text, std::vector<DroppedBlock>* dropped = nullptr);

// The keyword blocks of a file without markers that hold exactly `cells` values, in file order. Keywords are read
// in any case, as simulators read them ("poro" is PORO). The grid's own keywords and keywords of other records
// (BOX, EQUALS, COPY, ...) are passed over, an edit of several records (EQUALS) up to its empty record; section
// headers and switches (GRID, PROPS, EDIT, REGIONS, SOLUTION, SCHEDULE, END, NOECHO, ECHO) hold no data, and so
// does any keyword followed on the next line by another keyword. With `dropped`, every other block holding numbers
// is added there with why it is not a property.
std::vector<PropertyEntry> splitKeywordProperties(std::string_view text, std::size_t cells,
                                                  std::vector<DroppedBlock>* dropped = nullptr);

// The properties of a decoded file for a grid of `cells` cells: its marked ones, or else (a file without markers)
// its keyword blocks of one value per cell; with `dropped`, the blocks left out and why.
std::vector<PropertyEntry> propertyEntries(std::string_view text, int cells,
                                           std::vector<DroppedBlock>* dropped = nullptr);

// Whether a property holds a fraction of the rock or of its pores, 0 to 1 (porosity, net-to-gross, saturations):
// by the kind the user gave it, or, given none, by its keyword or name (PORO, NTG, SWAT, SOIL, SGAS, SW, ...,
// names holding "SATURATION" or the Russian words for porosity, net-to-gross and saturation).
bool holdsFraction(PropertyKind kind, std::string_view keyword, std::string_view name);

// Whether values as written carry a fraction: a decimal point, or an exponent (5E-1, Fortran's 5D-1) on a number.
// Codes are whole numbers written without either; a property written with either holds values.
bool writtenAsFraction(std::string_view values);

// A property's values as read, before it is judged against the grid.
struct PropertyValues {
    bool discrete = false;          // no "." or exponent among its values (up to the "/"); for a keyword block,
                                    // every value a whole number within the range of codes
    std::vector<double> values;     // continuous: the values; discrete: emptied once turned into codes
    std::vector<int> codes;         // discrete: the codes (whole part of each value, or kUndefinedCode)
    std::size_t notWhole = 0;       // discrete by type: values with a fractional part, read as kUndefinedCode
    std::size_t count = 0;          // values after expansion (counted, not expanded, beyond gridSize)
    bool tooMany = false;           // more values than gridSize: none kept
    bool countBeyondBound = false;  // even more than grdecl::kMaxSectionValues: count is that bound
    std::string problem;            // why the values cannot be taken apart from their count, or empty
    std::string problemWord;        // the word that is no number ("" when the problem is another)
    std::size_t problemOffset = 0;  // where that word starts, in the text
    bool problemIsKeyword = false;  // that word is a keyword at the start of its line: the "/" before it is missing
    std::optional<double> badCode;  // a whole value too large for a code
    bool conforms = false;          // exactly gridSize values, all of them readable
    // Per marker of the UndefinedMarkers given, the cells holding it (read as kNoValue or kUndefinedCode).
    std::vector<std::size_t> markerCounts;
};

// Reads the values of `entry` in `text`, expanding at most `gridSize` values. `discreteType`: the user typed the
// property as a discrete kind, so it is read as codes even when some values carry a decimal point. A value that is
// one of `markers` is no value: kNoValue among values, kUndefinedCode among codes; a keyword block is discrete when
// all its other values are whole codes.
PropertyValues readPropertyValues(std::string_view text, const PropertyEntry& entry, int gridSize,
                                  bool discreteType = false,
                                  const UndefinedMarkers& markers = UndefinedMarkers::standard());

// What the import command shows for one line of feedback, in the order the lines are produced.
struct PropertyReportLine {
    enum class Kind { Status, Trace, Log };
    Kind kind = Kind::Trace;
    std::string text;
    LogColour colour{};  // for Log lines
};

// The orange log line naming a dropped block with its file, line and reason, in the language `lang`.
PropertyReportLine droppedBlockLine(const DroppedBlock& block, int cells, std::string_view fileName,
                                    std::string_view lang);

struct PropertyMessageBox {
    std::string caption;
    std::string text;
};

struct PropertyReport {
    bool accepted = false;
    bool discrete = false;
    // Accepted: the property read, under the name it is known by (numbered when a loaded property has the file's
    // name) and with the kind it was given (Discrete or Continuous by its values when it was given none).
    Property property;
    std::vector<PropertyReportLine> lines;
    std::optional<PropertyMessageBox> messageBox;  // shown (OK button, information icon) after the lines
};

// Reads and checks one property of kind `kind` for a grid of `gridSize` cells whose active cells are `active` (empty:
// all), named so that it differs from every property of `loaded`. `lang` chooses the language of the mismatch
// message ("ru" Russian, anything else English). With `fileName`, a refusal names the file and the line of the
// property, and the word that stopped the reading with its line. An accepted property holding a fraction
// (holdsFraction) with active cells outside 0 to 1 is loaded as read with an orange line counting them. Values that
// are one of `markers` or a marker the file declares above the property (declaredMarkers) are no value; a log line
// per marker found says how many cells hold it. A permeability (startsOnLogScale by its kind, name or keyword)
// starts on a logarithmic scale.
PropertyReport loadProperty(std::string_view text, const PropertyEntry& entry, PropertyKind kind, int gridSize,
                            std::string_view lang, const PropertySet& loaded,
                            const std::vector<std::uint8_t>& active = {}, std::string_view fileName = {},
                            const UndefinedMarkers& markers = UndefinedMarkers::standard());

// A count as the log writes it, its digits in groups of three: "1 204".
std::string groupedCount(std::size_t count);

// Why a file holding no property (no entry, no block left out) is refused: `fileName` read to its last line.
std::string noPropertyFoundText(std::string_view text, std::string_view fileName, std::string_view lang);

// The message box (in the interface language) and red log line naming `fileName` for a file without any marker;
// the box ends with `reasons`, one a line (why each block of values the file holds was not taken).
PropertyReport notPropertyFileReport(std::string_view lang = "ru", const std::string& fileName = {},
                                     const std::vector<std::string>& reasons = {});

// Sends the status, trace and log lines of a report to the user (the message box is the caller's).
void deliverPropertyReport(const PropertyReport& report, Feedback& feedback);
void deliverReportLines(const std::vector<PropertyReportLine>& lines, Feedback& feedback);

}  // namespace morvane
