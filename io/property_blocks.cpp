// Where the properties of a file are: the blocks under "Property name" markers, or, in a keyword deck, the blocks of
// the keywords that hold one value per cell; what was passed over and why.
#include "io/property_reader.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <climits>
#include <cmath>
#include <utility>

#include "io/grdecl_deck.h"
#include "io/grdecl_scan.h"
#include "io/parallel_scan.h"
#include "io/property_text.h"

namespace morvane {

namespace property_text {

// The end of the line starting at `pos` (its "\n", or the end of the text).
std::size_t lineEnd(std::string_view text, std::size_t pos)
{
    const std::size_t end = text.find('\n', pos);
    return end == std::string_view::npos ? text.size() : end;
}

std::size_t lineStartOf(std::string_view text, std::size_t pos)
{
    const std::size_t lineBreak = pos == 0 ? std::string_view::npos : text.rfind('\n', pos - 1);
    return lineBreak == std::string_view::npos ? 0 : lineBreak + 1;
}

// A name as the messages show it: control characters as "?", at most 120 bytes (not splitting a UTF-8 sequence).
std::string shownText(std::string_view text)
{
    constexpr std::size_t kLongest = 120;
    std::size_t length = text.size();
    if (length > kLongest) {
        length = kLongest;
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
    }
    std::string out(text.substr(0, length));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    if (length < text.size()) out += "...";
    return out;
}

}  // namespace property_text

namespace {

using namespace property_text;

constexpr std::size_t npos = std::string_view::npos;
namespace texts = property_texts;
using Line = PropertyReportLine;

// True for a line whose first word can start a value block: a number, or the "/" of an empty block. Blank lines,
// "--" comments and keyword lines (a word starting with a letter, such as PORO or IRR.GASSATURATION) are not.
bool startsValues(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && grdecl::detail::isSpace(line[i])) ++i;
    if (i == line.size()) return false;
    const char c = line[i];
    if (c == '-' && i + 1 < line.size() && line[i + 1] == '-') return false;
    return grdecl::detail::isDigit(c) || c == '+' || c == '-' || c == '.' || c == '/';
}

// The 1-based line of offsets asked in rising order, counted once over the text.
class LineCounter {
public:
    explicit LineCounter(std::string_view text) : text_(text) {}
    int at(std::size_t pos)
    {
        pos = std::min(pos, text_.size());
        if (pos < pos_) {  // asked out of order: count again from the start
            pos_ = 0;
            line_ = 1;
        }
        line_ += static_cast<int>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                             text_.begin() + static_cast<std::ptrdiff_t>(pos), '\n'));
        pos_ = pos;
        return line_;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

bool isBlankOrComment(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && grdecl::detail::isSpace(line[i])) ++i;
    return i == line.size() || line.substr(i, 2) == "--";
}

// The first word of a line (after blanks), up to white space.
std::string_view firstWord(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && grdecl::detail::isSpace(line[i])) ++i;
    std::size_t end = i;
    while (end < line.size() && !grdecl::detail::isSpace(line[end])) ++end;
    return line.substr(i, end - i);
}

// A word that starts as a number does: a digit, or a sign or point before one.
bool numberLike(std::string_view word)
{
    std::size_t i = 0;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    if (i < word.size() && word[i] == '.') ++i;
    return i < word.size() && grdecl::detail::isDigit(word[i]);
}

// True for a line whose first word starts as a number: values, not a keyword, "/" or comment.
bool startsNumber(std::string_view line) { return !isBlankOrComment(line) && numberLike(firstWord(line)); }

// The first word of the nearest line above the one starting at `lineStart` that is neither blank nor a comment,
// or "" when there is none.
std::string_view wordAbove(std::string_view text, std::size_t lineStart)
{
    while (lineStart > 0) {
        const std::size_t previous = lineStartOf(text, lineStart - 1);
        const std::string_view line = text.substr(previous, lineStart - 1 - previous);
        if (!isBlankOrComment(line)) return firstWord(line);
        lineStart = previous;
    }
    return {};
}

// The keyword line above a marker: the word above it when that is no number (a number ends the values before).
std::string keywordAbove(std::string_view text, std::size_t marker)
{
    const std::string_view word = wordAbove(text, lineStartOf(text, marker));
    if (word.empty() || numberLike(word) || word.front() == '/') return {};
    return std::string(word);
}

// Records never one value per cell: box limits, edits naming other keywords, single settings.
constexpr std::string_view kOtherRecords[] = {"BOX",      "ENDBOX",   "EQUALS",   "COPY",    "ADD",    "MULTIPLY",
                                              "MAXVALUE", "MINVALUE", "OPERATE",  "MINPV",   "PINCH",  "NOECHO",
                                              "ECHO",     "FILEUNIT", "GDORIENT", "MULTFLT", "FAULTS", "EDITNNC",
                                              "COPYBOX",  "MULTIREG", "EQUALREG", "ADDREG",  "TOLCRIT"};

bool isOtherRecord(std::string_view keyword)
{
    return std::find(std::begin(kOtherRecords), std::end(kOtherRecords), keyword) != std::end(kOtherRecords);
}

// The keyword at the start of the line at `pos` (after blanks) as simulators read one: a letter, then letters,
// digits, "_", ".", "+" or "-", ended by white space, "/" or the line's end, in any case ("PORO", "poro", "Permx").
// Empty when the line starts otherwise.
std::string_view deckKeywordAt(std::string_view text, std::size_t pos)
{
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    if (pos >= text.size() || !letter(text[pos])) return {};
    std::size_t end = pos + 1;
    while (end < text.size() && (letter(text[end]) || grdecl::detail::isDigit(text[end]) || text[end] == '_' ||
                                 text[end] == '.' || text[end] == '+' || text[end] == '-'))
        ++end;
    if (end < text.size() && !grdecl::detail::isSpace(text[end]) && text[end] != '/') return {};
    return text.substr(pos, end - pos);
}

std::string upperCase(std::string_view word)
{
    std::string out(word);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Where the records of an edit such as EQUALS, which start at `from`, end: after their empty record "/", or where a
// line holding a keyword alone starts when that "/" is missing, or at the end of the text. What follows a record's
// "/" on its line is a comment.
std::size_t afterRecords(std::string_view text, std::size_t from)
{
    std::size_t pos = from;
    for (;;) {
        pos = grdecl::skipBlanks(text, pos);
        if (pos >= text.size()) return text.size();
        if (text[pos] == '/') return pos + 1;
        std::size_t at = 0;
        if (!grdecl::keywordLineAt(text, pos, at).empty()) return at;
        const std::size_t slash = grdecl::sectionEnd(text, pos);
        if (slash == npos) return text.size();
        pos = std::min(lineEnd(text, slash) + 1, text.size());
    }
}

// The marker line's name without the values a lost line break put after it: the words up to the first one that
// starts as a number (the first word always belongs to the name).
std::string_view nameWithoutValues(std::string_view name, bool& heldValues)
{
    std::size_t i = 0;
    bool first = true;
    while (i < name.size()) {
        while (i < name.size() && (name[i] == ' ' || name[i] == '\t')) ++i;
        const std::size_t begin = i;
        while (i < name.size() && name[i] != ' ' && name[i] != '\t') ++i;
        if (i == begin) break;
        if (!first && numberLike(name.substr(begin, i - begin))) {
            heldValues = true;
            std::size_t end = begin;
            while (end > 0 && (name[end - 1] == ' ' || name[end - 1] == '\t')) --end;
            return name.substr(0, end);
        }
        first = false;
    }
    return name;
}

// The values without a marker in [from, to), reported as NoMarker: each run of value lines up to its "/".
void findUnmarkedValues(std::string_view text, std::size_t from, std::size_t to, LineCounter& lines,
                        std::vector<DroppedBlock>& dropped)
{
    std::size_t pos = from;
    while (pos < to) {
        const std::size_t end = std::min(lineEnd(text, pos), to);
        if (!startsNumber(text.substr(pos, end - pos))) {
            pos = end + 1;
            continue;
        }
        DroppedBlock block;
        block.why = DroppedBlock::Why::NoMarker;
        block.line = lines.at(pos);
        const std::string_view above = wordAbove(text, pos);
        if (!above.empty() && !numberLike(above)) block.keyword = std::string(above);
        dropped.push_back(std::move(block));
        const std::size_t slash = grdecl::sectionEnd(text, pos);
        pos = slash == npos || slash >= to ? to : lineEnd(text, slash) + 1;
    }
}

}  // namespace

std::vector<PropertyEntry> splitPropertyText(std::string_view text, std::vector<DroppedBlock>* dropped)
{
    std::vector<std::size_t> markers;
    for (std::size_t pos = text.find(texts::Marker); pos != npos; pos = text.find(texts::Marker, pos + 1)) {
        markers.push_back(pos);
    }
    std::vector<PropertyEntry> entries;
    entries.reserve(markers.size());
    LineCounter lines(text);
    if (dropped && !markers.empty()) findUnmarkedValues(text, 0, lineStartOf(text, markers[0]), lines, *dropped);
    for (std::size_t m = 0; m < markers.size(); ++m) {
        const std::size_t nameBegin = markers[m] + texts::Marker.size();
        const std::size_t nameEnd = lineEnd(text, nameBegin);
        std::string_view name = text.substr(nameBegin, nameEnd - nameBegin);
        if (!name.empty() && name.back() == '\r') name.remove_suffix(1);
        bool heldValues = false;
        name = nameWithoutValues(name, heldValues);

        // The values end where the next marker's line begins, so a property never takes another one's values.
        std::size_t bound = text.size();
        if (m + 1 < markers.size()) {
            const std::size_t lineBreak = text.rfind('\n', markers[m + 1]);
            bound = lineBreak == npos || lineBreak < nameEnd ? markers[m + 1] : lineBreak + 1;
        }
        std::size_t begin = std::min(nameEnd + 1, bound);
        while (begin < bound) {
            const std::size_t end = std::min(lineEnd(text, begin), bound);
            if (startsValues(text.substr(begin, end - begin))) break;
            begin = std::min(end + 1, bound);
        }
        PropertyEntry entry;
        entry.name = std::string(name);
        entry.valuesBegin = begin;
        entry.valuesEnd = bound;
        entry.keyword = keywordAbove(text, markers[m]);
        entry.line = lines.at(markers[m]);
        entry.valuesLine = lines.at(begin);
        entry.markerHoldsValues = heldValues;
        if (dropped && begin < bound) {
            // Values after this property's "/" and before the next marker have lost their own marker line.
            const std::size_t slash = grdecl::sectionEnd(text, begin);
            if (slash != npos && slash < bound)
                findUnmarkedValues(text, lineEnd(text, slash) + 1, bound, lines, *dropped);
        }
        entries.push_back(std::move(entry));
    }
    if (dropped && !entries.empty() && entries.back().valuesBegin < entries.back().valuesEnd) {
        // After the last property's "/": a keyword that takes values, then nothing but blanks and comments to the
        // end of the text. The file was cut between that keyword and its values (a cut marker line included).
        const std::size_t slash = grdecl::sectionEnd(text, entries.back().valuesBegin);
        std::size_t pos = slash == npos ? text.size() : lineEnd(text, slash) + 1;
        while (pos < text.size()) {
            const std::string_view keyword = deckKeywordAt(text, pos);
            if (!keyword.empty() && grdecl::recordShapeOf(upperCase(keyword)) == grdecl::RecordShape::One) {
                std::size_t rest = lineEnd(text, pos) + 1;
                while (rest < text.size() && isBlankOrComment(text.substr(rest, lineEnd(text, rest) - rest)))
                    rest = lineEnd(text, rest) + 1;
                if (rest >= text.size()) {
                    DroppedBlock block;
                    block.why = DroppedBlock::Why::Unfinished;
                    block.keyword = std::string(keyword);
                    block.line = lines.at(pos);
                    block.wordLine = lines.at(text.size()) - (text.back() == '\n' ? 1 : 0);
                    dropped->push_back(std::move(block));
                }
                break;
            }
            pos = lineEnd(text, pos) + 1;
        }
    }
    return entries;
}

std::vector<PropertyEntry> splitKeywordProperties(std::string_view text, std::size_t cells,
                                                  std::vector<DroppedBlock>* dropped)
{
    std::vector<PropertyEntry> entries;
    LineCounter lines(text);
    // Whether the word at `at` stands first on its line and looks like a keyword: a keyword starts there.
    auto keywordStartsAt = [&](std::size_t at) {
        const std::size_t start = lineStartOf(text, at);
        const std::string_view keyword = deckKeywordAt(text, start);
        return !keyword.empty() && static_cast<std::size_t>(keyword.data() - text.data()) == at;
    };
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::string_view written = deckKeywordAt(text, pos);
        if (written.empty()) {
            const std::size_t end = lineEnd(text, pos);
            if (cells > 0 && startsNumber(text.substr(pos, end - pos))) {
                // Values on lines of their own, passed over up to their "/": the line above them should have been
                // their keyword.
                if (dropped) {
                    DroppedBlock block;
                    block.why = DroppedBlock::Why::NoKeyword;
                    block.line = lines.at(pos);
                    block.word = shownText(wordAbove(text, pos));
                    dropped->push_back(std::move(block));
                }
                const std::size_t slash = grdecl::sectionEnd(text, pos);
                pos = slash == npos ? text.size() : slash + 1;
                continue;
            }
            pos = end + 1;
            continue;
        }
        // Simulators read keywords in any case: "poro" is PORO, and the property is named so.
        const std::string keyword = upperCase(written);
        const std::size_t at = static_cast<std::size_t>(written.data() - text.data());
        const std::size_t body = at + written.size();
        // Section headers and switches (GRID, PROPS, EDIT, NOECHO, ECHO, END, ...) hold no data, and an edit of
        // several records ends at its empty record: neither may take the block after it.
        switch (grdecl::recordShapeOf(keyword)) {
        case grdecl::RecordShape::None:
            pos = lineEnd(text, body) + 1;
            continue;
        case grdecl::RecordShape::Line:
            pos = lineEnd(text, lineEnd(text, body) + 1) + 1;
            continue;
        case grdecl::RecordShape::UntilEmpty:
            pos = afterRecords(text, body);
            continue;
        case grdecl::RecordShape::One:
            break;
        }
        const std::size_t slash = grdecl::sectionEnd(text, body);
        const std::size_t end = slash == npos ? text.size() : slash + 1;
        if (grdecl::isGridKeyword(keyword) || isOtherRecord(keyword) || cells == 0) {
            pos = end;
            continue;
        }
        // Counted without reading the numbers: each word is one value, n*v is n.
        std::size_t count = 0;
        const std::string_view values = text.substr(body, end - body);
        const auto summary = grdecl::scanNumbers(
            values, [&](double) { ++count; }, [&](std::uint64_t n, double) { count += n; }, cells + 1);
        DroppedBlock block;
        block.keyword = std::string(keyword);
        block.line = lines.at(at);
        if (summary.end == grdecl::ScanEnd::NotANumber) {
            const std::size_t word = body + summary.stop;
            if (keywordStartsAt(word)) {
                // The next keyword: this one holds no values (NOECHO), or the "/" after its values is missing.
                if (summary.entries > 0 && dropped) {
                    block.why = DroppedBlock::Why::NoSlash;
                    block.word = std::string(deckKeywordAt(text, lineStartOf(text, word)));
                    block.wordLine = lines.at(word);
                    dropped->push_back(std::move(block));
                }
                pos = lineStartOf(text, word);
                continue;
            }
            if (summary.entries > 0 && dropped) {
                // Values, then a word that is no number: a damaged value. A record of words (METRIC) is no property.
                block.why = DroppedBlock::Why::NotANumber;
                block.word = shownText(firstWord(text.substr(word, lineEnd(text, word) - word)));
                block.wordLine = lines.at(word);
                dropped->push_back(std::move(block));
            }
            // The block ends at the "/" after that word: a "/" inside it (N/A) ends nothing, and what follows it on
            // its line is no keyword.
            std::size_t wordEnd = word;
            while (wordEnd < text.size() && !grdecl::detail::isSpace(text[wordEnd])) ++wordEnd;
            const std::size_t after = grdecl::sectionEnd(text, wordEnd);
            pos = after == npos ? text.size() : after + 1;
            continue;
        }
        if (summary.end != grdecl::ScanEnd::TooMany && count == cells) {
            PropertyEntry entry;
            entry.name = keyword;
            entry.valuesBegin = body;
            entry.valuesEnd = end;
            entry.keywordBlock = true;
            entry.keyword = entry.name;
            entry.line = block.line;
            entry.valuesLine = block.line;
            entries.push_back(std::move(entry));
        } else if (dropped && (count > 0 || summary.end == grdecl::ScanEnd::TooMany ||
                               (summary.end == grdecl::ScanEnd::Terminator && grdecl::isKnownKeyword(keyword)))) {
            // An array the deck knows (PORO, NTG, SATNUM, ...) that holds no value at all is said too; an unknown
            // keyword's empty record is a setting, not a property.
            block.why = DroppedBlock::Why::WrongCount;
            block.count = summary.end == grdecl::ScanEnd::TooMany ? cells : count;
            block.countBeyond = summary.end == grdecl::ScanEnd::TooMany;
            dropped->push_back(std::move(block));
        }
        pos = end;
    }
    return entries;
}

std::vector<PropertyEntry> propertyEntries(std::string_view text, int cells, std::vector<DroppedBlock>* dropped)
{
    std::vector<PropertyEntry> entries = splitPropertyText(text, dropped);
    if (entries.empty()) {
        if (dropped) dropped->clear();
        entries = splitKeywordProperties(text, static_cast<std::size_t>(std::max(cells, 0)), dropped);
    }
    return entries;
}

}  // namespace morvane
