// Scanning of GRDECL text: keywords, sections and the numbers inside them, straight from a buffer in memory.
//
// The rules shared by every GRDECL reader:
// - A keyword is a whole word outside "--" comments: it starts the text or follows white space or the "/" that ends
//   the section before it, and it ends the text or is followed by white space.
// - A section runs from right after its keyword to the first "/" outside comments, or to the end of the text.
//   A "--" comment runs to the end of its line wherever it stands, so the usual "-- Generated : ..." trailer on
//   the keyword's line is skipped.
// - Inside a section the words are numbers separated by white space. The word n*v (n a whole number without
//   sign, v a number, no space around the star) is n copies of v. Any other word ends the scan: the numbers
//   before it are the section's numbers.
// - Numbers may carry a Fortran exponent, 0.5D+03 as well as 0.5E+03.
// - A number out of the double range, or written as inf/nan, is not a number. A scan never expands more than a
//   set number of values, so a count such as 4000000000*1 cannot make the reader allocate gigabytes.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

namespace morvane::grdecl {

// Most values one section may expand to: 256 Mi values (2 GiB of doubles), 32 million cells of ZCORN. Big field
// models stay well inside it; a repeat count beyond it is refused before anything is allocated.
inline constexpr std::size_t kMaxSectionValues = std::size_t{1} << 28;

// The text without the UTF-8 byte order mark that some Windows editors put at the start of a file; left there, it
// would glue itself to a keyword at the very start and hide it.
inline std::string_view withoutByteOrderMark(std::string_view text)
{
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.substr(0, bom.size()) == bom) text.remove_prefix(bom.size());
    return text;
}

// The keywords of the grid itself (sections, counts, map and units, include statements): never properties.
inline constexpr std::string_view kGridKeywords[] = {"COORD",   "ZCORN",    "ACTNUM",   "SPECGRID", "DIMENS",
                                                     "MAPAXES", "MAPUNITS", "GRIDUNIT", "COORDSYS", "INCLUDE"};

bool isGridKeyword(std::string_view word);

// The keyword-like word at the start of the line at `pos` (after blanks): capitals first, then capitals, digits,
// "_", ".", "+" or "-", ended by white space, "/" or the line's end. Empty when the line starts otherwise.
std::string_view keywordAtLineStart(std::string_view text, std::size_t pos);

// Where the section whose numbers start at `from` ends: at its first "/" outside "--" comments (the offset of the
// "/"), or npos when the text ends first.
std::size_t sectionEnd(std::string_view text, std::size_t from);

// Start of the first `keyword` at or after `from` that is a keyword (see above), or npos.
std::size_t findKeyword(std::string_view text, std::string_view keyword, std::size_t from = 0);

// The text right after the first `keyword` up to the first "/" outside comments (or the end), or nothing when
// the text has no such keyword.
std::optional<std::string_view> cutSection(std::string_view text, std::string_view keyword);

// Why a scan ended.
enum class ScanEnd {
    EndOfText,   // the text ran out
    Terminator,  // a "/"
    NotANumber,  // a word that is neither a number nor n*v
    TooMany,     // the next word would expand beyond the bound
};

struct ScanSummary {
    ScanEnd end = ScanEnd::EndOfText;
    std::size_t stop = 0;     // offset in the scanned text of the "/" or of the word that ended the scan
    std::size_t values = 0;   // values after expansion
    std::size_t entries = 0;  // numbers as written: a plain value counts one, n*v counts two
};

namespace detail {

inline bool isSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\v'; }

inline bool startsComment(const char* p, const char* end) { return p + 1 < end && p[0] == '-' && p[1] == '-'; }

// True where a word ends: white space, "/", a comment or the end of the text.
inline bool endsWord(const char* p, const char* end)
{
    return p == end || isSpace(*p) || *p == '/' || startsComment(p, end);
}

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A number whose mantissa [p, d) is followed by a Fortran exponent at d ("0.5D+03"): read again with the "D" as an
// "E". Returns the end of the exponent, or where the mantissa ended when no exponent digits follow the "D" (the
// caller then finds a word that is not a number).
const char* parseFortranExponent(const char* p, const char* d, const char* end, double& value);

// One finite decimal number at p: an optional sign, then a digit or a point. Returns its end, or nullptr.
inline const char* parseNumber(const char* p, const char* end, double& value)
{
    const char* q = p;
    if (q != end && *q == '+') ++q;  // from_chars takes no plus sign
    const char* lead = q;
    if (q == p && lead != end && *lead == '-') ++lead;
    if (lead == end || !(isDigit(*lead) || *lead == '.')) return nullptr;  // also keeps out inf and nan
    auto [ptr, ec] = std::from_chars(q, end, value);
    if (ec != std::errc()) return nullptr;  // malformed, or out of the double range
    if (ptr != end && (*ptr == 'D' || *ptr == 'd')) return parseFortranExponent(q, ptr, end, value);
    return ptr;
}

}  // namespace detail

// Scans the numbers at the start of `text` and hands each word on: onValue(v) for a plain number,
// onRepeat(n, v) for n*v. Stops at the first "/", the first word that is not a number, the end of the text, or
// before the word that would take the expanded count past `maxValues`; nothing of that word is handed on.
template <class OnValue, class OnRepeat>
ScanSummary scanNumbers(std::string_view text, OnValue&& onValue, OnRepeat&& onRepeat,
                        std::size_t maxValues = kMaxSectionValues)
{
    using detail::endsWord;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    ScanSummary summary;
    auto finish = [&](ScanEnd why) {
        summary.end = why;
        summary.stop = static_cast<std::size_t>(p - begin);
        return summary;
    };
    for (;;) {
        while (p != end && detail::isSpace(*p)) ++p;
        if (p == end) return finish(ScanEnd::EndOfText);
        if (*p == '/') return finish(ScanEnd::Terminator);
        if (detail::startsComment(p, end)) {
            while (p != end && *p != '\n') ++p;
            continue;
        }
        double value = 0.0;
        const char* after = detail::parseNumber(p, end, value);
        if (after == nullptr) return finish(ScanEnd::NotANumber);
        if (after != end && *after == '*') {
            // n*v: n is written as digits only; a count too big for 64 bits is simply too many.
            std::uint64_t count = 0;
            auto [countEnd, countError] = std::from_chars(p, after, count);
            if (!detail::isDigit(*p) || countEnd != after) return finish(ScanEnd::NotANumber);
            double repeated = 0.0;
            const char* valueEnd = detail::parseNumber(after + 1, end, repeated);
            if (valueEnd == nullptr || !endsWord(valueEnd, end)) return finish(ScanEnd::NotANumber);
            if (countError == std::errc::result_out_of_range || count > maxValues - summary.values) {
                return finish(ScanEnd::TooMany);
            }
            onRepeat(count, repeated);
            summary.values += static_cast<std::size_t>(count);
            summary.entries += 2;
            p = valueEnd;
            continue;
        }
        if (!endsWord(after, end)) return finish(ScanEnd::NotANumber);
        if (summary.values >= maxValues) return finish(ScanEnd::TooMany);
        onValue(value);
        ++summary.values;
        ++summary.entries;
        p = after;
    }
}

// The expanded values of a section, appended to `out`.
ScanSummary scanExpanded(std::string_view text, std::vector<double>& out, std::size_t maxValues = kMaxSectionValues);

// A rough count of the numbers in a section of `bytes` characters, for reserving vectors.
inline std::size_t estimateNumbers(std::size_t bytes, std::size_t maxValues = kMaxSectionValues)
{
    const std::size_t estimate = bytes / 8 + 16;
    return estimate < maxValues ? estimate : maxValues;
}

}  // namespace morvane::grdecl
