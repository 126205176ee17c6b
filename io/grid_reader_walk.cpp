// The walk over a deck's text, keyword by keyword, and the sections it reads: COORD, ZCORN and ACTNUM, the cell
// counts of SPECGRID or DIMENS, MAPAXES and the units; the records of every other keyword are passed over, and
// arrays of the main text besides the grid's own are noted as inline properties.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "io/grdecl_deck.h"
#include "io/grdecl_scan.h"
#include "io/grid_reader_deck.h"
#include "io/parallel_scan.h"
#include "io/text_codec.h"

namespace morvane::grid_deck {
namespace {

// Most cells a declared layout may have: its corner depths must stay within one section's bound.
constexpr std::uint64_t kMostCells = grdecl::kMaxSectionValues / 8;

constexpr TextPair kCutShort{
    "The {} section of {} ends at the end of the file without its closing \"/\": the file may be cut short.",
    "Раздел {} файла {} обрывается в конце файла без закрывающей \"/\": файл, возможно, обрезан."};
constexpr TextPair kNotANumber{"The {} section of {} stops at line {} at the word \"{}\", which is not a number.",
                               "Раздел {} файла {} прерывается в строке {} на слове \"{}\", которое не является "
                               "числом."};
constexpr TextPair kNoSlashBeforeKeyword{
    "The {} section of {} (line {}) has no closing \"/\": it is taken to end where {} starts, on line {}.",
    "У раздела {} файла {} (строка {}) нет закрывающей \"/\": он считается законченным там, где начинается {}, в "
    "строке {}."};
constexpr TextPair kNotAKeyword{
    "Line {} of {} starts with \"{}\" where a keyword should stand: the file is damaged there.",
    "Строка {} файла {} начинается с \"{}\" там, где должно стоять ключевое слово: файл в этом месте повреждён."};
constexpr TextPair kNoCellCounts{
    "The {} of {} does not give three cell counts; the layout is derived from the pillars.",
    "{} в файле {} не задаёт трёх чисел ячеек; раскладка определяется по опорным линиям."};
constexpr TextPair kTooManyCells{
    "The {} of {} (line {}) declares {} x {} x {} cells, more than the {} the viewer can show.",
    "{} в файле {} (строка {}) объявляет {} x {} x {} ячеек, больше {}, которые может показать программа."};
constexpr TextPair kSecondCounts{"A second {} in {}, line {}, is not used; the first, in {}, line {}, is.",
                                 "Второй {} в файле {}, строка {}, не используется; используется первый, в файле {}, "
                                 "строка {}."};
constexpr TextPair kSecondSection{"A second {} section, in {}, line {}, is not read; the first, in {}, line {}, is.",
                                  "Второй раздел {}, в файле {}, строка {}, не читается; используется первый, в файле "
                                  "{}, строка {}."};
constexpr TextPair kSectionInBox{
    "The {} section in {}, line {}, stands inside a BOX and fills only that box; it is not read.",
    "Раздел {} в файле {}, строка {}, стоит внутри BOX и заполняет только этот блок; он не читается."};
constexpr TextPair kOddActnum{
    "{} values of the ACTNUM section of {} (line {}) are neither 0 nor 1 (the first: {}); they are taken as active.",
    "{} значений раздела ACTNUM файла {} (строка {}) не равны ни 0, ни 1 (первое: {}); они считаются активными."};

// The first `count` numbers of a record, or fewer when it holds fewer.
std::vector<double> leadingNumbers(std::string_view body, std::size_t count)
{
    std::vector<double> values;
    grdecl::scanNumbers(
        body, [&](double v) { values.push_back(v); },
        [&](std::uint64_t n, double v) { values.insert(values.end(), static_cast<std::size_t>(n), v); }, count);
    if (values.size() > count) values.resize(count);
    return values;
}

// The first word of a record without its quotes, in capitals ("'METRES  '" gives METRES).
std::string firstWord(std::string_view body)
{
    const std::size_t p = grdecl::skipBlanks(body, 0);
    std::string word;
    if (p < body.size() && (body[p] == '\'' || body[p] == '"')) {
        const std::size_t close = body.find(body[p], p + 1);
        if (close == npos) return {};
        word = std::string(body.substr(p + 1, close - p - 1));
    } else {
        std::size_t q = p;
        while (q < body.size() && !grdecl::detail::isSpace(body[q]) && body[q] != '/') ++q;
        word = std::string(body.substr(p, q - p));
    }
    word.erase(std::remove_if(word.begin(), word.end(), [](char c) { return grdecl::detail::isSpace(c); }), word.end());
    for (char& c : word)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return word;
}

}  // namespace

Walk DeckReader::walk(std::size_t s)
{
    std::size_t pos = 0;
    for (;;) {
        const std::string_view text = sources_[s].text;
        pos = grdecl::skipBlanks(text, pos);
        if (pos >= text.size()) return Walk::On;
        if (text[pos] == '/') {  // a "/" with no record before it ends nothing: passed over
            pos = grdecl::afterRecord(text, pos, true);
            continue;
        }
        // Simulators read keywords in any case: "coord" is COORD.
        const std::string name = grdecl::keywordInCapitals(grdecl::wordAt(text, pos));
        const std::string_view word = name;
        if (word.empty()) {
            if (notAKeyword(s, pos, grdecl::wordAt(text, pos)) == Walk::Stop) return Walk::Stop;
            pos = text.size();  // the main file's text before any grid keyword: nothing more is looked for
            continue;
        }
        const std::size_t at = pos;
        pos += word.size();
        Walk next = Walk::On;
        if (word == kCoord || word == kZcorn || word == kActnum) {
            sawGridKeyword_ = true;
            next = readArray(s, word, at, pos);
        } else if (word == "SPECGRID" || word == "DIMENS") {
            sawGridKeyword_ = true;
            next = readCounts(s, word, at, pos);
        } else if (word == kInclude) {
            next = include(s, at, pos);
        } else if (word == "END") {
            return Walk::Stop;  // the deck ends here
        } else if (word == "SKIP" || word == "SKIP100" || word == "SKIP300") {
            // Everything up to ENDSKIP is left out, as a simulator leaves it out.
            std::size_t end = pos;
            while ((end = grdecl::findKeyword(text, "ENDSKIP", end)) != npos && !grdecl::startsLine(text, end)) ++end;
            pos = end == npos ? text.size() : end + 7;
        } else {
            next = skipRecords(s, word, at, pos);
        }
        if (next == Walk::Stop) return Walk::Stop;
    }
}

Walk DeckReader::notAKeyword(std::size_t s, std::size_t at, std::string_view word)
{
    const std::string_view text = sources_[s].text;
    // Text of the main file before any keyword of grids, with no COORD after it: not a grid file at all (a
    // property file with text lines, a well file, a picture). The verdict comes from what was found.
    if (s == 0 && !sawGridKeyword_ && !sawInclude_ && grdecl::findKeyword(text, kCoord, at) == npos) return Walk::On;
    std::string shown(word.substr(0, 40));
    if (!isValidUtf8(shown)) shown = decodeUserText(shown);
    return fail(GridReadOutcome::Refused, fillIn(kNotAKeyword, {number(lineOf(text, at)), sources_[s].file, shown}));
}

Walk DeckReader::readArray(std::size_t s, std::string_view keyword, std::size_t at, std::size_t& pos)
{
    Place& place = keyword == kCoord ? coord_ : keyword == kZcorn ? zcorn_ : actnum_;
    if (place.found() || inBox_) return passOverSection(s, keyword, at, pos);
    place = {s, at};

    // With the counts declared, a section holds exactly what they need: that is its bound.
    const std::string_view text = sources_[s].text;
    const std::size_t expected = expectedValues(keyword);
    const std::string_view body = text.substr(pos);
    const std::size_t bound = haveDims_ ? expected : boundWithoutCounts(body);
    const grdecl::ScanSummary summary = scanSection(keyword, body, bound);

    const std::size_t stop = pos + summary.stop;
    switch (summary.end) {
    case grdecl::ScanEnd::Terminator:
        pos = grdecl::afterRecord(text, stop, true);
        break;
    case grdecl::ScanEnd::EndOfText:
        warnings_.push_back(fillIn(kCutShort, {keyword, sources_[s].file}));
        pos = text.size();
        break;
    case grdecl::ScanEnd::NotANumber:
        if (sectionStopsAtWord(s, keyword, at, stop) == Walk::Stop) return Walk::Stop;
        pos = stop;
        break;
    case grdecl::ScanEnd::TooMany:
        return tooManyValues(s, keyword, at, body, summary, bound);
    }
    sectionRead(s, keyword, at, body);
    return Walk::On;
}

// A section already read, or one filling a box only, is passed over with a warning.
Walk DeckReader::passOverSection(std::size_t s, std::string_view keyword, std::size_t at, std::size_t& pos)
{
    const Source& source = sources_[s];
    const std::string_view text = source.text;
    const Place& place = keyword == kCoord ? coord_ : keyword == kZcorn ? zcorn_ : actnum_;
    const grdecl::RecordEnd end = grdecl::findRecordEnd(text, pos, true);
    pos = end.why == grdecl::RecordEnd::Why::Slash ? grdecl::afterRecord(text, end.at, true) : end.at;
    if (place.found())
        warnings_.push_back(fillIn(
            kSecondSection, {keyword, source.file, number(lineOf(text, at)), placeFile(place), number(lineAt(place))}));
    else
        warnings_.push_back(fillIn(kSectionInBox, {keyword, source.file, number(lineOf(text, at))}));
    return Walk::On;
}

// Scans the section's numbers, at most `bound`, into its array: COORD as written, ZCORN as -value / kCoordScale,
// ACTNUM as 0 and 1 (any other value is marked 2 and told about once the section is read).
grdecl::ScanSummary DeckReader::scanSection(std::string_view keyword, std::string_view body, std::size_t bound)
{
    // With the counts declared the arrays are reserved whole, without them from the length of the section's text.
    // A text too short to write the declared values one by one (each takes two bytes at least) is reserved for what
    // it can write: a few bytes declaring millions of cells must not claim gigabytes; runs of n*v grow the array.
    const std::size_t reserve =
        haveDims_ ? std::min(bound, body.size() / 2 + 1)
                  : std::min(grdecl::estimateNumbers(std::min(grdecl::sectionEnd(body, 0), body.size())), bound);
    if (keyword == kCoord) {
        stage(GridReadStage::LayoutDecided);
        points_.reserve(reserve);
        return grdecl::scanConverted(
            body, points_, [](double v) { return v; }, bound);
    }
    if (keyword == kZcorn) {
        depths_.reserve(reserve);
        return grdecl::scanConverted(
            body, depths_, [](double v) { return -(v / kCoordMult); }, bound);
    }
    actnumValues_.reserve(reserve);
    return grdecl::scanConverted(
        body, actnumValues_, [](double v) -> std::uint8_t { return v == 0   ? 0
                                                                   : v == 1 ? 1
                                                                            : 2; }, bound);
}

// A section that stops at a word which is not a number: read up to there with a warning when the word is a keyword
// the deck knows at the start of a line (the section's "/" is missing), refused otherwise.
Walk DeckReader::sectionStopsAtWord(std::size_t s, std::string_view keyword, std::size_t at, std::size_t stop)
{
    const Source& source = sources_[s];
    const std::string_view text = source.text;
    const std::string_view word = grdecl::wordAt(text, stop);
    if (grdecl::startsLine(text, stop) && grdecl::isDeckKeyword(word)) {
        warnings_.push_back(fillIn(kNoSlashBeforeKeyword,
                                   {keyword, source.file, number(lineOf(text, at)), word, number(lineOf(text, stop))}));
        return Walk::On;
    }
    std::string shown(word.substr(0, 40));
    if (!isValidUtf8(shown)) shown = decodeUserText(shown);
    return fail(GridReadOutcome::Refused,
                fillIn(kNotANumber, {keyword, source.file, number(lineOf(text, stop)), shown}));
}

// A section read whole: the stages it completes, and ACTNUM values other than 0 and 1 told about and taken as
// active.
void DeckReader::sectionRead(std::size_t s, std::string_view keyword, std::size_t at, std::string_view body)
{
    if (keyword == kCoord) {
        stage(GridReadStage::CoordRead);
        if (zcorn_.found()) stage(GridReadStage::ZcornExpanded);
    } else if (keyword == kZcorn && coord_.found()) {
        stage(GridReadStage::ZcornExpanded);
    } else if (keyword == kActnum) {
        const std::size_t odd = static_cast<std::size_t>(std::count(actnumValues_.begin(), actnumValues_.end(), 2));
        if (odd > 0) {
            // The first such value as written, for the message.
            double first = 0;
            grdecl::scanNumbers(
                body, [&](double v) { first = v; }, [&](std::uint64_t, double v) { first = v; },
                static_cast<std::size_t>(std::find(actnumValues_.begin(), actnumValues_.end(), 2) -
                                         actnumValues_.begin()) +
                    1);
            warnings_.push_back(fillIn(
                kOddActnum, {number(odd), sources_[s].file, number(lineOf(sources_[s].text, at)), shortNumber(first)}));
            std::replace(actnumValues_.begin(), actnumValues_.end(), std::uint8_t{2}, std::uint8_t{1});
        }
    }
}

Walk DeckReader::readCounts(std::size_t s, std::string_view keyword, std::size_t at, std::size_t& pos)
{
    const Source& source = sources_[s];
    const std::string_view text = source.text;
    const grdecl::RecordEnd end = grdecl::findRecordEnd(text, pos, true);
    const std::string_view body = text.substr(pos, end.at - pos);
    pos = end.why == grdecl::RecordEnd::Why::Slash ? grdecl::afterRecord(text, end.at, true) : end.at;
    // The keyword's line is counted only when a message needs it: counting is a pass over the text.
    const auto line = [&] { return lineOf(text, at); };
    const std::vector<double> n = leadingNumbers(body, 3);
    std::array<int, 3> dims{};
    bool whole = n.size() == 3;
    for (std::size_t i = 0; whole && i < 3; ++i) {
        whole = n[i] >= 1 && n[i] <= 1e9 && n[i] == std::floor(n[i]);
        if (whole) dims[i] = static_cast<int>(n[i]);
    }
    if (counts_.found()) {
        if (!haveDims_ || !whole || dims != dims_)
            warnings_.push_back(fillIn(
                kSecondCounts, {keyword, source.file, number(line()), placeFile(counts_), number(lineAt(counts_))}));
        return Walk::On;
    }
    counts_ = {s, at};
    countsKeyword_ = std::string(keyword);
    if (!whole) {
        warnings_.push_back(fillIn(kNoCellCounts, {keyword, source.file}));
        return Walk::On;
    }
    const std::uint64_t cells = std::uint64_t(dims[0]) * std::uint64_t(dims[1]) * std::uint64_t(dims[2]);
    if (cells > kMostCells)
        return fail(GridReadOutcome::Refused,
                    fillIn(kTooManyCells, {keyword, source.file, number(line()), number(dims[0]), number(dims[1]),
                                           number(dims[2]), number(kMostCells)}));
    dims_ = dims;
    haveDims_ = true;
    return declaredGridFits(s, keyword);
}

Walk DeckReader::skipRecords(std::size_t s, std::string_view keyword, std::size_t at, std::size_t& pos)
{
    const Source& source = sources_[s];
    const std::string_view text = source.text;
    const grdecl::RecordShape shape = grdecl::recordShapeOf(keyword);
    const bool known = grdecl::isKnownKeyword(keyword);
    if (grdecl::isArrayEdit(keyword))
        edits_.emplace_back(s, std::string(keyword) + " (line " + number(lineOf(text, at)) + ")");
    if (keyword == "BOX") inBox_ = true;
    if (keyword == "ENDBOX") inBox_ = false;
    if (keyword == "MAPAXES" || keyword == "GRIDUNIT" || keyword == "MAPUNITS") sawGridKeyword_ = true;

    if (shape == grdecl::RecordShape::None) return Walk::On;
    if (shape == grdecl::RecordShape::Line) {
        const std::size_t lineEnd = text.find('\n', pos);
        pos = lineEnd == npos ? text.size() : text.find('\n', lineEnd + 1);
        if (pos == npos) pos = text.size();
        return Walk::On;
    }
    if (!known) {
        // A word one letter away from a keyword of grids is likely that keyword damaged.
        for (std::string_view grid : {kCoord, kZcorn, kActnum, std::string_view("SPECGRID"), kInclude,
                                      std::string_view("MAPAXES"), std::string_view("DIMENS")}) {
            if (grdecl::oneEditApart(keyword, grid)) {
                lookalikes_.push_back({{s, at}, std::string(keyword), std::string(grid)});
                break;
            }
        }
        // A keyword the deck does not know, directly followed by a line that starts with a keyword it knows,
        // takes no data.
        const std::size_t next = grdecl::skipBlanks(text, pos);
        const std::string_view nextWord = grdecl::wordAt(text, next);
        if (next < text.size() && next != pos && grdecl::startsLine(text, next) && grdecl::isDeckKeyword(nextWord))
            return Walk::On;
    }
    // Arrays of the main text besides the grid's own: properties held inline (the property reader judges them).
    constexpr std::string_view kNoProperty[] = {"MAPAXES",  "MAPUNITS", "GRIDUNIT", "COORDSYS", "BOX",   "PINCH",
                                                "FILEUNIT", "GRIDFILE", "GDORIENT", "GRIDOPTS", "MINPV", "MINPVV"};
    if (s == 0 && shape == grdecl::RecordShape::One &&
        std::find(std::begin(kNoProperty), std::end(kNoProperty), keyword) == std::end(kNoProperty))
        inlineKeywords_.emplace_back(keyword);
    const Place here{s, at};
    for (;;) {
        const grdecl::RecordEnd end = grdecl::findRecordEnd(text, pos, true);
        using Why = grdecl::RecordEnd::Why;
        if (end.why != Why::Slash) {
            // The records end without their "/": at the end of the text, at an unclosed quote (the rest of its
            // line is passed over) or where a line with a keyword starts.
            pos = end.why == Why::UnclosedQuote ? text.find('\n', end.at) : end.at;
            if (pos == npos) pos = text.size();
            return Walk::On;
        }
        const std::string_view record = text.substr(pos, end.at - pos);
        if (shape == grdecl::RecordShape::One) {
            pos = grdecl::afterRecord(text, end.at, true);
            if (keyword == "MAPAXES" && !mapAxesPlace_.found()) {
                mapAxes_ = leadingNumbers(record, 6);
                mapAxesPlace_ = here;
            } else if (keyword == "GRIDUNIT" && !gridUnitPlace_.found()) {
                gridUnit_ = firstWord(record);
                gridUnitPlace_ = here;
            } else if (keyword == "MAPUNITS" && !mapUnitsPlace_.found()) {
                mapUnits_ = firstWord(record);
                mapUnitsPlace_ = here;
            }
            return Walk::On;
        }
        // Records up to an empty one; what follows a record's "/" on its line is a comment.
        pos = grdecl::afterRecord(text, end.at, false);
        if (grdecl::skipBlanks(record, 0) >= record.size()) return Walk::On;
    }
}

}  // namespace morvane::grid_deck
