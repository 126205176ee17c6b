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

namespace morvane {
namespace {

constexpr std::size_t npos = std::string_view::npos;
namespace texts = property_texts;
using Line = PropertyReportLine;

// The end of the line starting at `pos` (its "\n", or the end of the text).
std::size_t lineEnd(std::string_view text, std::size_t pos)
{
    const std::size_t end = text.find('\n', pos);
    return end == npos ? text.size() : end;
}

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

std::string formatNumber(double value)
{
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, result.ptr);
}

// Whole part of a discrete value as a code, or nothing when it does not fit an int (or is kUndefinedCode).
std::optional<int> toCode(double value)
{
    const double whole = std::trunc(value);
    if (!(whole > static_cast<double>(kUndefinedCode) && whole <= static_cast<double>(INT_MAX))) return std::nullopt;
    return static_cast<int>(whole);
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

std::size_t lineStartOf(std::string_view text, std::size_t pos)
{
    const std::size_t lineBreak = pos == 0 ? npos : text.rfind('\n', pos - 1);
    return lineBreak == npos ? 0 : lineBreak + 1;
}

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

bool writtenAsFraction(std::string_view values)
{
    if (values.find('.') != npos) return true;
    // An exponent: E or D (any case) right after a digit and before a digit or a sign ("5E-1", "25D-2", "1e0").
    for (std::size_t i = 1; i + 1 < values.size(); ++i) {
        const char c = values[i];
        if ((c == 'E' || c == 'e' || c == 'D' || c == 'd') && grdecl::detail::isDigit(values[i - 1]) &&
            (grdecl::detail::isDigit(values[i + 1]) || values[i + 1] == '-' || values[i + 1] == '+'))
            return true;
    }
    return false;
}

PropertyReportLine droppedBlockLine(const DroppedBlock& block, int cells, std::string_view fileName,
                                    std::string_view lang)
{
    using Why = DroppedBlock::Why;
    const std::string line = std::to_string(block.line);
    const std::string file(fileName);
    const std::string where = fillText(texts::Where.in(lang), {block.keyword, file, line});
    std::string text;
    switch (block.why) {
    case Why::WrongCount: {
        const std::string count = block.countBeyond ? fillText(texts::MoreThan.in(lang), {std::to_string(block.count)})
                                                    : std::to_string(block.count);
        text = fillText(texts::DroppedCount.in(lang), {where, count, std::to_string(cells)});
        break;
    }
    case Why::NotANumber:
        text = fillText(texts::DroppedWord.in(lang), {where, block.word, std::to_string(block.wordLine)});
        break;
    case Why::NoSlash:
        text = fillText(texts::DroppedSlash.in(lang), {where, block.word, std::to_string(block.wordLine)});
        break;
    case Why::NoKeyword:
        text = fillText(texts::DroppedNoKeyword.in(lang), {line, file, block.word});
        break;
    case Why::NoMarker:
        text = fillText(texts::DroppedNoMarker.in(lang), {line, file, block.keyword});
        break;
    case Why::Unfinished:
        text = fillText(texts::DroppedUnfinished.in(lang), {where, std::to_string(block.wordLine)});
        break;
    }
    return {PropertyReportLine::Kind::Log, std::move(text), log_colour::Orange};
}

bool holdsFraction(PropertyKind kind, std::string_view keyword, std::string_view name)
{
    if (kind == PropertyKind::Porosity || kind == PropertyKind::NetToGross || kind == PropertyKind::WaterSaturation)
        return true;
    if (kind != PropertyKind::Unset && kind != PropertyKind::Continuous) return false;
    auto upper = [](std::string_view word) {
        std::string out(word);
        while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
        for (char& c : out)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return out;
    };
    static constexpr std::string_view kFractions[] = {"NTG", "SWAT",  "SOIL",  "SGAS",     "SW",  "SO",
                                                      "SG",  "SWL",   "SWCR",  "SWU",      "SGL", "SGCR",
                                                      "SGU", "SOWCR", "SOGCR", "SWATINIT", "SGI"};
    // Russian stems: porosity, net-to-gross (sand share), saturation, in both cases of the first letter.
    static constexpr std::string_view kRussian[] = {"ористост", "есчанистост", "асыщенност"};
    for (const std::string_view word : {keyword, name}) {
        const std::string w = upper(word);
        if (w.rfind("PORO", 0) == 0 || w.find("SATURATION") != std::string::npos ||
            std::find(std::begin(kFractions), std::end(kFractions), w) != std::end(kFractions))
            return true;
        for (const std::string_view stem : kRussian)
            if (word.find(stem) != std::string_view::npos) return true;
    }
    return false;
}

PropertyValues readPropertyValues(std::string_view text, const PropertyEntry& entry, int gridSize, bool discreteType)
{
    PropertyValues read;
    const std::size_t begin = std::min(entry.valuesBegin, text.size());
    const std::size_t end = std::clamp(entry.valuesEnd, begin, text.size());
    const std::string_view block = text.substr(begin, end - begin);
    const std::size_t limit = gridSize > 0 ? static_cast<std::size_t>(gridSize) : 0;
    auto pointBefore = [&](std::size_t stop) {
        return writtenAsFraction(block.substr(0, std::min(stop, block.size())));
    };

    // Codes go straight into ints (a run of n codes is one fill) when the user's type asks for codes or no value
    // before the first "/" has a decimal point or an exponent; a property that fits holds exactly one value per
    // cell, so that is what is reserved, however short its runs make the text. Long blocks are scanned on both
    // cores, so the code of a value depends on the value alone; the first code out of range is looked up again only
    // when there is one.
    grdecl::ScanSummary scan;
    std::optional<double> outOfRange;
    // Keyword blocks are read as numbers first: their whole values may be codes or a property of values.
    bool asCodes = discreteType || (!entry.keywordBlock && !pointBefore(block.find('/')));
    if (asCodes) {
        read.codes.reserve(limit);
        auto notWhole = [&](double v) { return discreteType && std::isfinite(v) && v != std::trunc(v); };
        std::atomic<bool> someOutOfRange{false};
        auto codeOf = [&](double v) {
            if (notWhole(v)) return kUndefinedCode;
            const auto code = toCode(v);
            if (!code) someOutOfRange.store(true, std::memory_order_relaxed);
            return code.value_or(0);
        };
        scan = grdecl::scanConverted(block, read.codes, codeOf, limit);
        if (discreteType)
            read.notWhole = static_cast<std::size_t>(std::count(read.codes.begin(), read.codes.end(), kUndefinedCode));
        if (someOutOfRange) {
            auto first = [&](double v) {
                if (!outOfRange && !notWhole(v) && !toCode(v)) outOfRange = v;
            };
            grdecl::scanNumbers(
                block, first, [&](std::uint64_t, double v) { first(v); }, limit);
        }
        // A "/" inside a comment can hide a decimal point or an exponent further on: then the values are read again
        // as numbers.
        if (!discreteType && pointBefore(scan.stop)) {
            asCodes = false;
            read.codes = {};
            outOfRange.reset();
        }
    }
    if (!asCodes) {
        read.values.reserve(limit);
        scan = grdecl::scanConverted(
            block, read.values, [](double v) { return v; }, limit);
    }
    read.count = scan.values;
    // A keyword block (no marker line) is discrete when every value is a whole number that fits a code.
    read.discrete =
        asCodes || (entry.keywordBlock ? std::all_of(read.values.begin(), read.values.end(),
                                                     [](double v) { return v == std::trunc(v) && toCode(v); })
                                       : !pointBefore(scan.stop));

    switch (scan.end) {
    case grdecl::ScanEnd::TooMany: {
        // Count the rest without keeping anything, for the trace; the bound keeps even 4000000000*1 cheap.
        read.tooMany = true;
        read.values = {};
        read.codes = {};
        const auto all = grdecl::scanNumbers(
            block, [](double) {}, [](std::uint64_t, double) {});
        read.countBeyondBound = all.end == grdecl::ScanEnd::TooMany;
        read.count = read.countBeyondBound ? grdecl::kMaxSectionValues : std::max(all.values, limit + 1);
        read.discrete = discreteType || !pointBefore(all.stop);
        return read;
    }
    case grdecl::ScanEnd::NotANumber: {
        const std::size_t wordEnd = std::min(lineEnd(block, scan.stop), block.find_first_of(" \t\r", scan.stop));
        read.problemWord = std::string(block.substr(scan.stop, wordEnd - scan.stop));
        read.problem = "not a number: \"" + read.problemWord + "\"";
        read.problemOffset = begin + scan.stop;
        const std::size_t start = lineStartOf(text, read.problemOffset);
        const std::string_view keyword = grdecl::keywordAtLineStart(text, start);
        read.problemIsKeyword =
            !keyword.empty() && static_cast<std::size_t>(keyword.data() - text.data()) == read.problemOffset;
        break;
    }
    case grdecl::ScanEnd::Terminator:
    case grdecl::ScanEnd::EndOfText:
        break;
    }

    if (read.discrete && !asCodes && read.problem.empty()) {
        // Whole numbers read as numbers (their block holds a point only where the scan did not reach).
        read.codes.reserve(read.values.size());
        for (double v : read.values) {
            const auto code = toCode(v);
            if (!code && !outOfRange) outOfRange = v;
            read.codes.push_back(code.value_or(0));
        }
        read.values = {};
    }
    if (outOfRange && read.problem.empty()) {
        read.problem = "code out of range: " + formatNumber(*outOfRange);
        read.badCode = outOfRange;
    }
    if (!read.problem.empty()) read.codes = {};
    read.conforms = read.problem.empty() && gridSize > 0 && read.count == limit;
    return read;
}

PropertyReport loadProperty(std::string_view text, const PropertyEntry& entry, PropertyKind kind, int gridSize,
                            std::string_view lang, const PropertySet& loaded, const std::vector<std::uint8_t>& active,
                            std::string_view fileName)
{
    PropertyReport report;
    const int typeCode = static_cast<int>(kind);
    auto status = [&](const char* line) { report.lines.push_back({Line::Kind::Status, line}); };
    auto trace = [&](std::string line) { report.lines.push_back({Line::Kind::Trace, std::move(line)}); };

    trace(texts::TraceType + std::to_string(typeCode));
    status(texts::CheckingKind);
    PropertyValues read = readPropertyValues(text, entry, gridSize, isCodeKind(kind));
    report.discrete = read.discrete;
    trace(read.discrete ? texts::TraceDiscrete : texts::TraceContinuous);

    status(texts::CheckingConformity);
    trace(std::string(texts::TracePropSize) + (read.countBeyondBound ? "more than " : "") + std::to_string(read.count));
    trace(texts::TraceGridSize + std::to_string(gridSize));
    if (!read.conforms) {
        if (!read.problem.empty()) trace("Property " + entry.name + ": " + read.problem);
        const bool russian = lang == "ru";
        // The counts that let the user find the wrong file: values found against the grid's cells; with the file,
        // where the property stands and what stopped the reading, in the box's language and in the log's English.
        const std::string found = (read.countBeyondBound ? "> " : "") + std::to_string(read.count);
        const std::string cells = std::to_string(gridSize);
        auto explained = [&](std::string_view language) {
            const std::string where = fileName.empty()
                                          ? entry.name
                                          : fillText(texts::Where.in(language),
                                                     {shownText(entry.name), fileName, std::to_string(entry.line)});
            std::string said = fillText(texts::ValuesAgainstCells.in(language), {where, found, cells});
            if (fileName.empty()) return said;
            if (!read.problemWord.empty()) {
                const std::string line = std::to_string(
                    entry.valuesLine +
                    std::count(text.begin() + static_cast<std::ptrdiff_t>(std::min(entry.valuesBegin, text.size())),
                               text.begin() + static_cast<std::ptrdiff_t>(std::min(read.problemOffset, text.size())),
                               '\n'));
                said += ' ' + (read.problemIsKeyword
                                   ? fillText(texts::SlashMissing.in(language), {shownText(read.problemWord), line})
                                   : fillText(texts::StoppedAt.in(language), {line, shownText(read.problemWord)}));
            } else if (read.badCode) {
                said += ' ' + fillText(texts::CodeTooLarge.in(language), {formatNumber(*read.badCode)});
            }
            if (entry.markerHoldsValues)
                said += ' ' + fillText(texts::MarkerHoldsValues.in(language), {std::to_string(entry.line)});
            return said;
        };
        report.messageBox = PropertyMessageBox{
            russian ? texts::CaptionRu : texts::CaptionEn,
            std::string(russian ? texts::MismatchRu : texts::MismatchEn) + "\n\n" + explained(russian ? "ru" : "en")};
        report.lines.push_back(
            {Line::Kind::Log, std::string(texts::MismatchLog) + ". " + explained("en"), log_colour::Red});
        status(texts::AllGood);
        return report;
    }

    const bool discrete = read.discrete;
    const std::size_t notWhole = read.notWhole;
    const std::string name = loaded.uniqueName(entry.name);
    report.property = discrete ? makeDiscreteProperty(name, kind, std::move(read.codes), active)
                               : makeContinuousProperty(name, kind, std::move(read.values), active);
    for (std::size_t i = 0; i < report.property.distinctCodes.size(); ++i) {
        report.lines.push_back(
            {Line::Kind::Trace, "code = " + std::to_string(report.property.distinctCodes[i]) +
                                    ", freq = " + formatNumber(static_cast<double>(report.property.codePercent[i]))});
    }
    if (name != entry.name) {
        report.lines.push_back({Line::Kind::Log,
                                "A property named " + entry.name + " is already loaded: this one is named " + name,
                                log_colour::Black});
    }
    if (notWhole > 0) {
        report.lines.push_back({Line::Kind::Log,
                                name + ": " + std::to_string(notWhole) +
                                    (notWhole == 1 ? " cell holds a value that is not a whole code; it is"
                                                   : " cells hold values that are not whole codes; they are") +
                                    " drawn as undefined",
                                log_colour::Black});
    }
    if (!discrete && holdsFraction(kind, entry.keyword, entry.name)) {
        // Values a fraction cannot hold are kept as read (they may be a placeholder the user knows), and counted.
        const std::vector<double>& values = report.property.values;
        std::size_t outside = 0, counted = 0;
        for (std::size_t c = 0; c < values.size(); ++c) {
            if (active.size() == values.size() && !active[c]) continue;
            ++counted;
            outside += values[c] < 0.0 || values[c] > 1.0 ? 1 : 0;
        }
        if (outside > 0) {
            const std::string where =
                fileName.empty()
                    ? name
                    : fillText(texts::Where.in(lang), {shownText(name), fileName, std::to_string(entry.line)});
            report.lines.push_back({Line::Kind::Log,
                                    fillText(texts::OutsideFraction.in(lang),
                                             {where, std::to_string(outside), std::to_string(counted),
                                              formatNumber(report.property.min), formatNumber(report.property.max)}),
                                    log_colour::Orange});
        }
    }
    status(discrete ? texts::CalculatingRange : texts::CheckingConformity);
    report.accepted = true;
    status(texts::Rendering);
    return report;
}

std::string noPropertyFoundText(std::string_view text, std::string_view fileName, std::string_view lang)
{
    const auto lines = std::count(text.begin(), text.end(), '\n') + (!text.empty() && text.back() != '\n' ? 1 : 0);
    return fillText(texts::NoPropertyFound.in(lang), {fileName, std::to_string(std::max<std::ptrdiff_t>(lines, 1))});
}

PropertyReport notPropertyFileReport(std::string_view lang, const std::string& fileName,
                                     const std::vector<std::string>& reasons)
{
    PropertyReport report;
    report.messageBox = lang == "ru" ? PropertyMessageBox{texts::CaptionRu, texts::NotPropertyFileBox}
                                     : PropertyMessageBox{texts::CaptionEn, texts::NotPropertyFileBoxEn};
    for (std::size_t i = 0; i < reasons.size(); ++i) report.messageBox->text += (i == 0 ? "\n\n" : "\n") + reasons[i];
    report.lines.push_back(
        {Line::Kind::Log, fileName.empty() ? texts::NotPropertyFileLog : texts::NotPropertyFileLog + (": " + fileName),
         log_colour::Red});
    report.lines.push_back({Line::Kind::Status, texts::AllGood});
    return report;
}

void deliverPropertyReport(const PropertyReport& report, Feedback& feedback)
{
    deliverReportLines(report.lines, feedback);
}

void deliverReportLines(const std::vector<PropertyReportLine>& lines, Feedback& feedback)
{
    for (const PropertyReportLine& line : lines) {
        switch (line.kind) {
        case Line::Kind::Status:
            feedback.setStatus(line.text);
            break;
        case Line::Kind::Trace:
            feedback.trace(line.text);
            break;
        case Line::Kind::Log:
            feedback.appendLog(line.text, line.colour);
            break;
        }
    }
}

}  // namespace morvane
