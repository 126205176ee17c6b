// Numbers as spreadsheets write them into text: a decimal point or a decimal comma, thousands grouped by commas or
// points ("1,234.5", "1.234,5"). One number alone can be ambiguous: "12,345" is twelve thousand three hundred and
// forty-five where a point is the decimal mark and twelve and a bit where a comma is. The mark is therefore settled
// by the numbers of a whole file or paste together, and a number the mark does not settle is refused, not guessed.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace morvane {

enum class DecimalMark {
    Unsettled,  // no number shows which mark the text uses
    Point,      // "12.5", "1,234.5", "1,234,567"
    Comma,      // "12,5", "0,125", "1.234,5"
    Mixed,      // numbers of both kinds: each unambiguous one is read by its own form
};

// The mark the numbers `fields` show, each taken whole (white space around it ignored; fields that are no numbers
// show nothing).
DecimalMark decimalMarkOf(const std::vector<std::string_view>& fields);

// One number read under `mark`.
struct SpreadsheetNumber {
    std::optional<double> value;  // finite, or nothing
    bool ambiguous = false;       // a number ("12,345") the mark does not settle: no value
};
SpreadsheetNumber readSpreadsheetNumber(std::string_view text, DecimalMark mark);

}  // namespace morvane
