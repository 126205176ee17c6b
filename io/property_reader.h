// Reads cell properties from a GRDECL property file, checks each against the loaded grid and appends the accepted
// ones to the property lists. A file whose properties are marked with "Property name in Petrel : NAME" comment
// lines is split at those lines. A file without them is read as plain keyword blocks (PORO, PERMX, NTG, FACIES,
// SATNUM, ...): each block of exactly one value per grid cell is a property named by its keyword, discrete when
// every value is a whole number; blocks of any other size and the grid's own keywords are passed over.
//
// The import command works in four steps: decode the file text (UTF-8 inside the program), split it into its
// properties (splitPropertyText), ask the user the type of each, then for each property loadProperty, which reads,
// checks and appends it and returns everything the user must be told, in order.
//
// Value rules (shared with the grid reader, grdecl_scan.h): the values are white-space separated numbers, n*v is
// exactly n copies of v, a plain number is always a value, signs are kept, "--" comments are skipped and the first
// "/" ends the values. A property is accepted only when it holds exactly one value per grid cell and every word up
// to its "/" is a number. Values are never expanded beyond the grid's cell count, so an absurd repeat count costs
// no memory.
//
// A property the user typed as lithology or facies is read as codes even when a few of its values carry a decimal
// point (real lithology exports hold a stray 3*1.5 among millions of codes): such values become UNDEFINED_CODE,
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
#include "model/model_state.h"

namespace morvane {

// The code of a cell whose value in a discrete property is not a whole number: drawn in the undefined colour, left
// out of the property's codes, shares and range.
inline constexpr int UNDEFINED_CODE = INT_MIN;

// Type codes that make a property discrete whatever its values look like: lithology, facies, regions, discrete.
bool isDiscreteType(int typeCode);

// `name`, or when a loaded property already has it, the first of "name (2)", "name (3)", ... that none has.
std::string uniquePropertyName(const std::vector<std::string>& loadedNames, const std::string& name);

namespace property_texts {
inline constexpr std::string_view Marker = "Property name in Petrel : ";

// Status texts.
inline constexpr const char* ReadingProperty = "Reading property";
inline constexpr const char* CheckingKind = "Checking discrete or continious";
inline constexpr const char* CheckingConformity = "Checking conformity with grid";
inline constexpr const char* CalculatingRange = "Calculation max and min values";
inline constexpr const char* Rendering = "Rendering property";
inline constexpr const char* AllGood = "All good";

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
}  // namespace property_texts

// One property of a file: its name and where its values lie in the text.
struct PropertyEntry {
    std::string name;             // the rest of the marker line, without a trailing CR; other trailing blanks kept
    std::size_t valuesBegin = 0;  // first line after the marker line that is not blank, a comment or a keyword line
    std::size_t valuesEnd = 0;    // bound of the search: the line of the next marker, or the end of the text
    bool keywordBlock = false;    // a block without a marker: discrete when every value is a whole number
};

// The properties of a file in file order; empty when the text holds no marker (not a property file).
std::vector<PropertyEntry> splitPropertyText(std::string_view text);

// The keyword blocks of a file without markers that hold exactly `cells` values, in file order.
std::vector<PropertyEntry> splitKeywordProperties(std::string_view text, std::size_t cells);

// The properties of a decoded file for a grid of `cells` cells: its marked ones, or else (a file without markers)
// its keyword blocks of one value per cell.
std::vector<PropertyEntry> propertyEntries(std::string_view text, int cells);

// A property's values as read, before it is judged against the grid.
struct PropertyValues {
    bool discrete = false;          // no "." anywhere among its values (up to the "/"); for a keyword block,
                                    // every value a whole number within the range of codes
    std::vector<double> values;     // continuous: the values; discrete: emptied once turned into codes
    std::vector<int> codes;         // discrete: the codes (whole part of each value, or UNDEFINED_CODE)
    std::size_t notWhole = 0;       // discrete by type: values with a fractional part, read as UNDEFINED_CODE
    std::size_t count = 0;          // values after expansion (counted, not expanded, beyond gridSize)
    bool tooMany = false;           // more values than gridSize: none kept
    bool countBeyondBound = false;  // even more than grdecl::kMaxSectionValues: count is that bound
    std::string problem;            // why the values cannot be taken apart from their count, or empty
    bool conforms = false;          // exactly gridSize values, all of them readable
};

// Reads the values of `entry` in `text`, expanding at most `gridSize` values. `discreteType`: the user typed the
// property as a discrete kind, so it is read as codes even when some values carry a decimal point.
PropertyValues readPropertyValues(std::string_view text, const PropertyEntry& entry, int gridSize,
                                  bool discreteType = false);

// The distinct codes of a discrete property in ascending order and the share of cells holding each, in percent of
// all cells. UNDEFINED_CODE is not a code: its cells count in the total only.
struct CodeShares {
    std::vector<int> codes;
    std::vector<float> percent;
};
CodeShares codeShares(const std::vector<int>& codes);

// What the import command shows for one line of feedback, in the order the lines are produced.
struct PropertyReportLine {
    enum class Kind { Status, Trace, Log };
    Kind kind = Kind::Trace;
    std::string text;
    LogColour colour{};  // for Log lines
};

struct PropertyMessageBox {
    std::string caption;
    std::string text;
};

struct PropertyReport {
    bool accepted = false;
    bool discrete = false;
    int typeCode = 0;
    int perKindIndex = 0;  // accepted: 1-based position in PROP_disc_loading or PROP_cont_loading (for initPROP)
    std::string name;      // accepted: the name it is known by (numbered when the file's name was taken)
    std::vector<PropertyReportLine> lines;
    std::optional<PropertyMessageBox> messageBox;  // shown (OK button, information icon) after the lines
};

// Appends an accepted property to the lists: its values to the per-kind list and name, its name to propertyNameAll
// and PROP_name, the largest and smallest value to PROP_max_value/PROP_min_value and to the colour limits, the type
// code to PROP_type, and for a discrete property its distinct codes and shares; sets propLoading. `name` must be
// unique among the loaded properties (uniquePropertyName). Adds the "code = ..., freq = ..." trace lines to
// `trace`. Takes the values over. Returns the per-kind index (1-based). With `active` (one flag per value; empty:
// every cell active) the range and the shares count active cells only, since the values of inactive cells are
// placeholders.
int appendProperty(Properties& properties, const std::string& name, PropertyValues&& read, int typeCode,
                   std::vector<PropertyReportLine>& trace, const std::vector<std::uint8_t>& active = {});

// Reads, checks and (when it conforms) appends one property. A rejected property leaves `properties` untouched.
// `lang` chooses the language of the continuous mismatch message ("ru" Russian, anything else English).
PropertyReport loadProperty(std::string_view text, const PropertyEntry& entry, int typeCode, int gridSize,
                            std::string_view lang, Properties& properties,
                            const std::vector<std::uint8_t>& active = {});

// The message box (in the interface language) and red log line naming `fileName` for a file without any marker.
PropertyReport notPropertyFileReport(std::string_view lang = "ru", const std::string& fileName = {});

// Sends the status, trace and log lines of a report to the user (the message box is the caller's).
void deliverPropertyReport(const PropertyReport& report, Feedback& feedback);
void deliverReportLines(const std::vector<PropertyReportLine>& lines, Feedback& feedback);

}  // namespace morvane
