// What the codes of a property of codes stand for ("1 Sand", "2 Shale"), as exporters write them: comment lines
// beside the property's block ("-- CODE NAME", "-- 1 Sand", "-- 2: Shale"), or a companion text file of
// "CODE NAME" rows beside the property file (PROPERTY.txt or FILE_codes.txt).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "io/property_reader.h"

namespace morvane {

struct CodeNameTable {
    std::map<int, std::string> names;    // by code
    std::vector<LocalMessage> warnings;  // rows left out: the file, the line and what was found there
};

// One row "CODE NAME", "CODE: NAME" or "CODE = NAME" (the code a whole number, the name the rest of the line,
// trimmed); false for anything else.
bool readCodeNameRow(std::string_view row, int& code, std::string& name);

// The names in the comment lines around the block of `entry`: the comment lines between its keyword or marker line
// and its values, and the run of comment lines just above that line. Comment lines are read as a table only where
// they look like one: under a "-- CODE NAME" heading, or two rows or more, so a stray "-- 2024 export" comment is
// not taken for a name. A code named twice keeps its first name.
CodeNameTable codeNamesNearBlock(std::string_view text, const PropertyEntry& entry);

// The names in a companion file's text: one "CODE NAME" row per line; blank lines, lines starting with "--" or "#"
// and a heading row of words are skipped. A row that is no code and name, and a code named again, is left out with
// a warning naming `fileName`, the line and what was found.
CodeNameTable readCodeNameFile(std::string_view text, const std::string& fileName);

// The companion files that may name the codes of property `property` read from the file at `propertyFile`, in the
// order they are tried: PROPERTY.txt, then FILE_codes.txt (FILE the property file's name without its extension),
// both in the property file's folder. A property name that cannot be a file name gives no PROPERTY.txt.
std::vector<std::string> codeNameFiles(const std::string& propertyFile, const std::string& property);

namespace code_name_texts {
inline constexpr TextPair NotARow{"{}, line {}: \"{}\" is not a code and a name; the line is left out",
                                  "{}, строка {}: \"{}\" — не код с названием; строка пропущена"};
inline constexpr TextPair NamedTwice{"{}, line {}: code {} is named again (\"{}\"); the first name \"{}\" is kept",
                                     "{}, строка {}: код {} назван ещё раз (\"{}\"); оставлено первое название \"{}\""};
inline constexpr TextPair NamesRead{"{}: names of {} codes read from {}", "{}: названия {} кодов прочитаны из {}"};
}  // namespace code_name_texts

}  // namespace morvane
