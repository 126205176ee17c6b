#include "io/grdecl_deck.h"

#include <algorithm>
#include <cstring>

#include "io/grdecl_scan.h"

namespace morvane::grdecl {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Keywords that take no data: the headers of a deck's parts, switches, and the ends of boxes and decks.
constexpr std::string_view kWithoutData[] = {
    "RUNSPEC", "GRID",   "EDIT",    "PROPS",   "REGIONS", "SOLUTION", "SUMMARY",  "SCHEDULE", "ECHO",    "NOECHO",
    "ENDBOX",  "END",    "ENDFIN",  "ENDSKIP", "NONNC",   "OLDTRAN",  "NEWTRAN",  "NOGGF",    "INIT",    "FMTIN",
    "FMTOUT",  "UNIFIN", "UNIFOUT", "NOSIM",   "FILLEPS", "NOINSPEC", "NORSSPEC", "METRIC",   "FIELD",   "LAB",
    "OIL",     "WATER",  "GAS",     "DISGAS",  "VAPOIL",  "FORMFEED", "SKIP",     "SKIP100",  "SKIP300", "RPTONLY"};

// Keywords whose data are records up to an empty record.
constexpr std::string_view kUntilEmpty[] = {
    "EQUALS",  "ADD",      "MULTIPLY", "COPY",     "MAXVALUE", "MINVALUE", "OPERATE", "OPERATER", "EQUALREG",
    "ADDREG",  "MULTIREG", "COPYREG",  "MULTREGP", "MULTREGT", "MULTREGH", "FAULTS",  "MULTFLT",  "NNC",
    "EDITNNC", "EDITNNCR", "COPYBOX",  "ADDZCORN", "AQUCON",   "AQUNUM",   "THPRES"};

// Edits of the arrays (values, active cells, corner depths) that a simulator applies on reading the deck.
constexpr std::string_view kArrayEdits[] = {"EQUALS",  "ADD",      "MULTIPLY", "COPY",   "MAXVALUE", "MINVALUE",
                                            "OPERATE", "OPERATER", "EQUALREG", "ADDREG", "MULTIREG", "COPYREG",
                                            "COPYBOX", "ADDZCORN", "BOX",      "MINPV",  "MINPVV"};

// Keywords of one record that grid decks hold: the grid's own, its frame and units, and the arrays of the grid
// and property parts.
constexpr std::string_view kOneRecord[] = {
    "COORD",   "ZCORN",  "ACTNUM",   "SPECGRID", "DIMENS",   "MAPAXES",  "MAPUNITS", "GRIDUNIT", "COORDSYS",
    "INCLUDE", "BOX",    "PINCH",    "FILEUNIT", "GRIDFILE", "GDORIENT", "GRIDOPTS", "MINPV",    "MINPVV",
    "PORO",    "PERMX",  "PERMY",    "PERMZ",    "NTG",      "SWAT",     "SOIL",     "SGAS",     "SWL",
    "SWCR",    "SATNUM", "FIPNUM",   "EQLNUM",   "PVTNUM",   "MULTX",    "MULTY",    "MULTZ",    "MULTX-",
    "MULTY-",  "MULTZ-", "TOPS",     "DX",       "DY",       "DZ",       "DXV",      "DYV",      "DZV",
    "DEPTH",   "MULTPV", "FLUXNUM",  "MULTNUM",  "OPERNUM",  "ROCKNUM",  "IMBNUM",   "TRANX",    "TRANY",
    "TRANZ",   "PORV",   "PRESSURE", "RS",       "RV",       "SWATINIT", "FACIES",   "TITLE"};

template <std::size_t N>
bool among(const std::string_view (&list)[N], std::string_view word)
{
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

// Whether only blanks, or a comment, stand from `pos` to the end of its line.
bool restOfLineIsEmpty(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    if (pos >= text.size() || text[pos] == '\n') return true;
    return pos + 1 < text.size() && text[pos] == '-' && text[pos + 1] == '-';
}

}  // namespace

RecordShape recordShapeOf(std::string_view keyword)
{
    if (keyword == "TITLE") return RecordShape::Line;
    if (among(kWithoutData, keyword)) return RecordShape::None;
    if (among(kUntilEmpty, keyword)) return RecordShape::UntilEmpty;
    return RecordShape::One;
}

bool isKnownKeyword(std::string_view keyword)
{
    return among(kWithoutData, keyword) || among(kUntilEmpty, keyword) || among(kOneRecord, keyword);
}

bool isArrayEdit(std::string_view keyword) { return among(kArrayEdits, keyword); }

bool isKeywordName(std::string_view word)
{
    if (word.empty() || word.size() > 64 || !isCapital(word.front())) return false;
    return std::all_of(word.begin() + 1, word.end(), [](char c) {
        return isCapital(c) || detail::isDigit(c) || c == '_' || c == '.' || c == '+' || c == '-';
    });
}

std::string keywordInCapitals(std::string_view word)
{
    if (isKeywordName(word)) return std::string(word);
    if (word.empty() || word.size() > 64) return {};
    std::string upper(word);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return isKeywordName(upper) && isKnownKeyword(upper) ? upper : std::string();
}

bool isDeckKeyword(std::string_view word)
{
    const std::string name = keywordInCapitals(word);
    return !name.empty() && isKnownKeyword(name);
}

std::string_view wordAt(std::string_view text, std::size_t pos)
{
    if (pos >= text.size()) return {};
    const char* const end = text.data() + text.size();
    const char* p = text.data() + pos;
    while (!detail::endsWord(p, end)) ++p;
    return text.substr(pos, static_cast<std::size_t>(p - (text.data() + pos)));
}

std::size_t skipBlanks(std::string_view text, std::size_t pos)
{
    while (pos < text.size()) {
        if (detail::isSpace(text[pos])) {
            ++pos;
        } else if (detail::startsComment(text.data() + pos, text.data() + text.size())) {
            const std::size_t lineEnd = text.find('\n', pos);
            pos = lineEnd == npos ? text.size() : lineEnd + 1;
        } else {
            break;
        }
    }
    return std::min(pos, text.size());
}

bool startsLine(std::string_view text, std::size_t pos)
{
    while (pos > 0 && (text[pos - 1] == ' ' || text[pos - 1] == '\t')) --pos;
    return pos == 0 || text[pos - 1] == '\n' || text[pos - 1] == '\r';
}

std::size_t lineOf(std::string_view text, std::size_t pos)
{
    pos = std::min(pos, text.size());
    return 1 +
           static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(pos), '\n'));
}

std::string_view keywordLineAt(std::string_view text, std::size_t pos, std::size_t& at)
{
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    const std::string_view word = wordAt(text, pos);
    if (!isDeckKeyword(word) || !restOfLineIsEmpty(text, pos + word.size())) return {};
    at = pos;
    return word;
}

RecordEnd findRecordEnd(std::string_view text, std::size_t from, bool keywordLines)
{
    const char* const begin = text.data();
    const std::size_t size = text.size();
    std::size_t p = std::min(from, size);
    while (p < size) {
        if (keywordLines && p != from) {
            std::size_t at = 0;
            if (!keywordLineAt(text, p, at).empty()) return {RecordEnd::Why::KeywordLine, at};
        }
        const void* newline = std::memchr(begin + p, '\n', size - p);
        const std::size_t lineEnd =
            newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - begin) : size;
        for (std::size_t q = p; q < lineEnd; ++q) {
            const char c = begin[q];
            if (c == '/') return {RecordEnd::Why::Slash, q};
            if (c == '-' && q + 1 < lineEnd && begin[q + 1] == '-') break;  // the rest of the line is a comment
            if (c == '\'' || c == '"') {
                const void* close = std::memchr(begin + q + 1, c, lineEnd - q - 1);
                if (!close) return {RecordEnd::Why::UnclosedQuote, q};
                q = static_cast<std::size_t>(static_cast<const char*>(close) - begin);
            }
        }
        p = lineEnd + 1;
    }
    return {RecordEnd::Why::EndOfText, size};
}

std::size_t afterRecord(std::string_view text, std::size_t slash, bool keywordMayFollow)
{
    std::size_t p = std::min(slash + 1, text.size());
    while (p < text.size() && isBlank(text[p])) ++p;
    if (p >= text.size() || text[p] == '\n') return p;
    if (detail::startsComment(text.data() + p, text.data() + text.size())) return p;
    const std::string_view word = wordAt(text, p);
    if (keywordMayFollow && isDeckKeyword(word)) return p;
    const std::size_t lineEnd = text.find('\n', p);
    return lineEnd == npos ? text.size() : lineEnd;
}

IncludeName readIncludeName(std::string_view text, std::size_t from)
{
    IncludeName include;
    std::size_t p = skipBlanks(text, from);
    auto trimmed = [](std::string_view name) {
        while (!name.empty() && detail::isSpace(name.front())) name.remove_prefix(1);
        while (!name.empty() && detail::isSpace(name.back())) name.remove_suffix(1);
        return name;
    };
    if (p >= text.size() || text[p] == '/') {
        include.problem = IncludeName::Problem::NoName;
        include.end = p;
        return include;
    }
    if (text[p] == '\'' || text[p] == '"') {
        const std::size_t close = text.find(text[p], p + 1);
        const std::size_t lineEnd = text.find('\n', p);
        if (close == npos || close > lineEnd) {
            include.problem = IncludeName::Problem::UnclosedQuote;
            include.end = lineEnd == npos ? text.size() : lineEnd;
            return include;
        }
        include.name = trimmed(text.substr(p + 1, close - p - 1));
        p = close + 1;
    } else {
        std::size_t q = p;
        while (q < text.size() && !detail::isSpace(text[q]) && text[q] != '/') ++q;
        include.name = text.substr(p, q - p);
        p = q;
    }
    if (include.name.empty()) include.problem = IncludeName::Problem::NoName;
    const std::size_t next = skipBlanks(text, p);
    include.end = next < text.size() && text[next] == '/' ? afterRecord(text, next, true) : p;
    return include;
}

bool oneEditApart(std::string_view a, std::string_view b)
{
    if (a == b) return false;
    if (a.size() == b.size()) {
        std::size_t first = 0;
        while (a[first] == b[first]) ++first;
        if (a.substr(first + 1) == b.substr(first + 1)) return true;  // one letter changed
        return first + 1 < a.size() && a[first] == b[first + 1] && a[first + 1] == b[first] &&
               a.substr(first + 2) == b.substr(first + 2);  // two neighbours swapped
    }
    if (a.size() + 1 == b.size()) std::swap(a, b);
    if (a.size() != b.size() + 1) return false;
    std::size_t first = 0;
    while (first < b.size() && a[first] == b[first]) ++first;
    return a.substr(first + 1) == b.substr(first);  // one letter added
}

}  // namespace morvane::grdecl
