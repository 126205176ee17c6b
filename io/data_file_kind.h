// What a user's file holds, told from its content rather than its name: a grid, a property file or a deviation
// file. Files dropped on the window and files reopened from the recent list are imported by the command of their
// kind.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morvane {

enum class DataFileKind { Grid, Property, Well, Unknown };

// How much of a file is read to tell its kind: grid files put SPECGRID, COORD or INCLUDE near their start.
inline constexpr std::size_t kDataFileProbeBytes = 1024 * 1024;

// The kind of a text (or its start): a property file when a line marks a property ("-- Property name in Petrel :
// NAME"), a deviation file when its first lines are those of one (see looksLikeWellText), a grid when it holds the
// COORD, ZCORN, SPECGRID or INCLUDE keyword; otherwise Unknown.
DataFileKind dataFileKindOfText(std::string_view text);

// The kind of the file at `path` from its first kDataFileProbeBytes bytes; Unknown when it cannot be read.
DataFileKind dataFileKindOf(const std::string& path);

// The kind's word in stored lists ("grid", "property", "well"; "" for Unknown), and back (Unknown for any other).
std::string_view dataFileKindWord(DataFileKind kind);
DataFileKind dataFileKindFromWord(std::string_view word);

}  // namespace morvane
