#include "io/grid_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <list>
#include <map>
#include <optional>
#include <set>
#include <system_error>
#include <utility>
#include <vector>

#include "io/file_text.h"
#include "io/grdecl_deck.h"
#include "io/grdecl_scan.h"
#include "io/memory_budget.h"
#include "io/parallel_scan.h"
#include "io/text_codec.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using grdecl::lineOf;
constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kCoord = "COORD";
constexpr std::string_view kZcorn = "ZCORN";
constexpr std::string_view kActnum = "ACTNUM";
constexpr std::string_view kInclude = "INCLUDE";
constexpr double kCoordMult = kCoordScale;
constexpr int kMaxIncludeDepth = 8;            // files included by included files, and so on
constexpr double kDepthLimitMetres = 20000.0;  // no reservoir lies deeper, nor any surface higher
// Most cells a declared layout may have: its corner depths must stay within one section's bound.
constexpr std::uint64_t kMostCells = grdecl::kMaxSectionValues / 8;
// Grids whose import needs less than this are not weighed against the memory available.
constexpr std::uint64_t kSmallImport = std::uint64_t{64} << 20;

// The messages of the reader. Texts the program had before keep their English words; the file, the line and the
// counts stand beside them.
constexpr TextPair kTooManyValues{"The {} section of {} (line {}) expands to more than {} values.",
                                  "Раздел {} файла {} (строка {}) разворачивается более чем в {} значений."};
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
constexpr TextPair kCannotReadInclude{"Cannot read the included file {}.", "Не удалось прочитать включаемый файл {}."};
constexpr TextPair kReadWithoutInclude{"Cannot read the included file {}; the grid is read without it.",
                                       "Не удалось прочитать включаемый файл {}; грид прочитан без него."};
constexpr TextPair kIncludeStatement{"(INCLUDE in {}, line {}: {})", "(INCLUDE в файле {}, строка {}: {})"};
constexpr TextPair kIncludeNoName{"The INCLUDE statement in {}, line {}, names no file.",
                                  "Оператор INCLUDE в файле {}, строка {}, не называет файла."};
constexpr TextPair kIncludeUnclosedQuote{
    "The INCLUDE statement in {}, line {}: the quote before the file name is not closed on its line.",
    "Оператор INCLUDE в файле {}, строка {}: кавычка перед именем файла не закрыта в этой строке."};
constexpr TextPair kIncludeTooDeep{
    "The INCLUDE statement in {}, line {}, names {}, which would be included more than {} files deep; it is not "
    "followed.",
    "Оператор INCLUDE в файле {}, строка {}, называет файл {}, вложенный глубже {} уровней; он не читается."};
constexpr TextPair kIncludeLoop{
    "The INCLUDE statement in {}, line {}, names {}, which is being read already; it is not read again.",
    "Оператор INCLUDE в файле {}, строка {}, называет файл {}, который уже читается; повторно он не читается."};
constexpr TextPair kIncludeTwice{"The INCLUDE statement in {}, line {}, names {} a second time; it is read once.",
                                 "Оператор INCLUDE в файле {}, строка {}, называет файл {} второй раз; он читается "
                                 "один раз."};
constexpr TextPair kIncludeEmpty{"The file {}, included in {}, line {}, is empty.",
                                 "Файл {}, включённый в файле {}, строка {}, пуст."};
constexpr TextPair kIncludeTwoFolders{
    "The INCLUDE statement in {}, line {}, names {}, which stands both beside that file ({}) and beside the main "
    "file ({}); {} is read.",
    "Оператор INCLUDE в файле {}, строка {}, называет {}: такой файл есть и рядом с ним ({}), и рядом с основным "
    "файлом ({}); прочитан {}."};
constexpr TextPair kEndsWithoutCoord{"Its grid keywords end at line {}, the end of the file: it may be cut short.",
                                     "Его ключевые слова грида заканчиваются в строке {}, в конце файла: файл, "
                                     "возможно, обрезан."};
constexpr TextPair kNoCoordNoInclude{"{} holds no COORD section and no INCLUDE statement.",
                                     "Файл {} не содержит ни раздела COORD, ни оператора INCLUDE."};
constexpr TextPair kNeitherSection{"Neither {} nor the files it includes hold COORD or ZCORN.",
                                   "Ни файл {}, ни включаемые им файлы не содержат COORD или ZCORN."};
constexpr TextPair kNoCoordIncluded{"The files included by {} hold no COORD section (included: {}).",
                                    "Файлы, включённые в {}, не содержат раздела COORD (включены: {})."};
constexpr TextPair kNoZcorn{"The grid in {} has a COORD section but no ZCORN section.",
                            "Грид в файле {} содержит раздел COORD, но не содержит раздела ZCORN."};
constexpr TextPair kCoordAgainstSpecgrid{
    "The COORD section of {} (line {}) holds {} values; SPECGRID {} in {} expects {} (6 for each of {} x {} "
    "pillars).",
    "Раздел COORD файла {} (строка {}) содержит {} значений; SPECGRID {} в файле {} требует {} (по 6 на каждую из "
    "{} x {} опорных линий)."};
constexpr TextPair kZcornAgainstSpecgrid{
    "The ZCORN section of {} (line {}) holds {} values; SPECGRID {} in {} expects {} (8 for each of {} cells).",
    "Раздел ZCORN файла {} (строка {}) содержит {} значений; SPECGRID {} в файле {} требует {} (по 8 на каждую из {} "
    "ячеек)."};
constexpr TextPair kActnumAgainstSpecgrid{
    "The ACTNUM section of {} (line {}) holds {} values; SPECGRID {} in {} expects {} (one for each cell).",
    "Раздел ACTNUM файла {} (строка {}) содержит {} значений; SPECGRID {} в файле {} требует {} (по одному на "
    "ячейку)."};
constexpr TextPair kCoordWholePillars{
    "The COORD section of {} (line {}) holds {} values; a pillar takes 6, so {} or {} were expected.",
    "Раздел COORD файла {} (строка {}) содержит {} значений; на опорную линию приходится 6, поэтому ожидалось {} "
    "или {}."};
constexpr TextPair kNoCellCounts{
    "The {} of {} does not give three cell counts; the layout is derived from the pillars.",
    "{} в файле {} не задаёт трёх чисел ячеек; раскладка определяется по опорным линиям."};
constexpr TextPair kTooManyCells{
    "The {} of {} (line {}) declares {} x {} x {} cells, more than the {} the viewer can show.",
    "{} в файле {} (строка {}) объявляет {} x {} x {} ячеек, больше {}, которые может показать программа."};
constexpr TextPair kSecondCounts{"A second {} in {}, line {}, is not used; the first, in {}, line {}, is.",
                                 "Второй {} в файле {}, строка {}, не используется; используется первый, в файле {}, "
                                 "строка {}."};
constexpr TextPair kNoMapFrame{
    "The MAPAXES of {} do not give a map origin and two axes; the coordinates are kept as written.",
    "MAPAXES в файле {} не задают начало и две оси карты; координаты оставлены как записаны."};
constexpr TextPair kMapApplied{"Local coordinates of {} are turned into map coordinates by the MAPAXES of {}.",
                               "Локальные координаты файла {} переведены в координаты карты по MAPAXES файла {}."};
constexpr TextPair kMapConverted{
    "The MAPAXES of {} are given in {} (MAPUNITS) and the grid in {}: they are converted to the grid's unit.",
    "MAPAXES файла {} заданы в единицах {} (MAPUNITS), а грид — в {}: они переведены в единицы грида."};
constexpr TextPair kUnknownGridUnit{
    "The GRIDUNIT of {} (line {}) gives the unit \"{}\", which the viewer does not know; lengths are taken as metres.",
    "GRIDUNIT в файле {} (строка {}) задаёт неизвестную единицу \"{}\"; длины считаются в метрах."};
constexpr TextPair kUnknownMapUnit{
    "The MAPUNITS of {} (line {}) gives the unit \"{}\", which the viewer does not know; the MAPAXES are taken in the "
    "grid's unit.",
    "MAPUNITS в файле {} (строка {}) задаёт неизвестную единицу \"{}\"; MAPAXES считаются в единицах грида."};
constexpr TextPair kSecondSection{"A second {} section, in {}, line {}, is not read; the first, in {}, line {}, is.",
                                  "Второй раздел {}, в файле {}, строка {}, не читается; используется первый, в файле "
                                  "{}, строка {}."};
constexpr TextPair kSectionInBox{
    "The {} section in {}, line {}, stands inside a BOX and fills only that box; it is not read.",
    "Раздел {} в файле {}, строка {}, стоит внутри BOX и заполняет только этот блок; он не читается."};
constexpr TextPair kEditsNotApplied{
    "{} holds simulator edits that the viewer does not apply: {}; the arrays are shown as written.",
    "Файл {} содержит правки симулятора, которые программа не применяет: {}; массивы показаны как записаны."};
constexpr TextPair kLikeAKeyword{"{} in {}, line {}, is not a keyword the viewer knows; it may be a damaged {}.",
                                 "{} в файле {}, строка {}, — незнакомое программе ключевое слово; возможно, это "
                                 "повреждённое {}."};
constexpr TextPair kFarDepths{
    "{} of the {} {} in the {} section of {} lie beyond 20 km from the datum (from {} to {}); they are kept as read.",
    "{} из {} {} в разделе {} файла {} лежат дальше 20 км от уровня приведения (от {} до {}); они оставлены как "
    "прочитаны."};
constexpr TextPair kOddActnum{
    "{} values of the ACTNUM section of {} (line {}) are neither 0 nor 1 (the first: {}); they are taken as active.",
    "{} значений раздела ACTNUM файла {} (строка {}) не равны ни 0, ни 1 (первое: {}); они считаются активными."};
constexpr TextPair kNeedsMemory{
    "The grid of {} ({} in {}: {} cells) needs about {}, {} available; it is not read.",
    "Гриду файла {} ({} в файле {}: {} ячеек) нужно около {}, доступно {}; он не читается."};
constexpr TextPair kNeedsMemoryUndeclared{
    "The {} section of {} (line {}) holds more values than the memory available takes ({}); it is not read.",
    "Раздел {} файла {} (строка {}) содержит больше значений, чем помещается в доступную память ({}); он не "
    "читается."};
constexpr TextPair kFileTooLarge{
    "{} is {}, far more than a grid of {} {} in {} can fill; it is not read.",
    "Файл {} занимает {}, намного больше, чем может занять грид {} {} из файла {}; он не читается."};
constexpr TextPair kCannotReadFile{"Cannot read the file {}.", "Не удалось прочитать файл {}."};
constexpr TextPair kChangedWhileRead{
    "The file {} changed, or could not be read from its disk, while it was being read.",
    "Файл {} изменился или не читался с диска, пока его читали."};
constexpr TextPair kCornerDepths{"corner depths", "глубин углов"};
constexpr TextPair kPillarDepths{"pillar depths", "глубин опорных линий"};

std::string number(std::uint64_t n) { return std::to_string(n); }

std::string shortNumber(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

std::string countsText(const std::array<int, 3>& dims)
{
    return std::to_string(dims[0]) + " x " + std::to_string(dims[1]) + " x " + std::to_string(dims[2]);
}

// Metres in one unit of a GRIDUNIT or MAPUNITS word; nothing for a word not known.
std::optional<double> metresPerUnit(const std::string& unit)
{
    if (unit == "METRES" || unit == "METERS" || unit == "METRE" || unit == "METER" || unit == "M") return 1.0;
    if (unit == "FEET" || unit == "FT") return 0.3048;
    if (unit == "CM") return 0.01;
    return std::nullopt;
}

std::string unitWord(const std::string& unit, double metres)
{
    return unit.empty() ? (metres == 1.0 ? std::string("METRES") : unit) : unit;
}

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

// Turns local pillar x, y (model units) into map coordinates when they are local: the grid lies nearer the local
// origin than the frame's map origin. Returns whether it did.
bool applyMapAxes(const MapFrame& f, std::vector<double>& points, std::vector<double>& linesXY)
{
    if (linesXY.size() < 2) return false;
    double xMin = linesXY[0], xMax = xMin, yMin = linesXY[1], yMax = yMin;
    for (std::size_t n = 0; n + 1 < linesXY.size(); n += 2) {
        xMin = std::min(xMin, linesXY[n]);
        xMax = std::max(xMax, linesXY[n]);
        yMin = std::min(yMin, linesXY[n + 1]);
        yMax = std::max(yMax, linesXY[n + 1]);
    }
    const double cx = (xMin + xMax) / 2, cy = (yMin + yMax) / 2;
    const bool identity = f.ox == 0 && f.oy == 0 && f.ex_x == 1 && f.ex_y == 0 && f.ey_x == 0 && f.ey_y == 1;
    if (identity || std::hypot(cx, cy) > std::hypot(cx - f.ox, cy - f.oy)) return false;
    auto turn = [&](double& x, double& y) {
        const double lx = x, ly = y;
        x = f.ox + lx * f.ex_x + ly * f.ey_x;
        y = f.oy + lx * f.ex_y + ly * f.ey_y;
    };
    for (std::size_t n = 0; n + 1 < points.size(); n += 3) turn(points[n], points[n + 1]);  // top and bottom
    for (std::size_t n = 0; n + 1 < linesXY.size(); n += 2) turn(linesXY[n], linesXY[n + 1]);
    return true;
}

// One text of the deck: the main file or an included one.
struct Source {
    std::string_view text;
    std::string file;  // the path as the user knows it, for messages
    fs::path folder;   // INCLUDE names in this text resolve here first
    int depth = 0;     // 0 for the main file
    std::string key;   // the file's canonical path, to tell files apart
};

// Where a keyword stands: which text and the keyword's offset in it (its line is counted when a message needs it).
struct Place {
    std::size_t source = npos;
    std::size_t keyword = 0;
    bool found() const { return source != npos; }
};

enum class Walk { On, Stop };

std::string canonicalKey(const fs::path& file)
{
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(file, error);
    return (error ? file : canonical).lexically_normal().string();
}

// The deck of the main file and the files it includes, read in order, keyword by keyword.
class DeckReader {
public:
    DeckReader(const std::string& path, std::string_view mainText, const GridStageCallback& onStage,
               std::uint64_t mappedBytes)
        : path_(path), onStage_(onStage), mappedBytes_(mappedBytes)
    {
        sources_.push_back({mainText, path, fs::path(path).parent_path(), 0, canonicalKey(fs::path(path))});
        fileBytes_ = mainText.size();
    }

    GridReadResult read();

private:
    // The line of an offset in one of the deck's texts, counted on from the last offset asked in that text:
    // keywords are met in rising order, so each text is counted once rather than from its start at every keyword.
    std::size_t lineOf(std::string_view text, std::size_t at)
    {
        Counted& counted = lineCounts_[text.data()];
        at = std::min(at, text.size());
        if (at < counted.offset) counted = Counted{};
        counted.line += static_cast<std::size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(counted.offset),
                                                            text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
        counted.offset = at;
        return counted.line;
    }
    std::size_t lineAt(const Place& place)
    {
        return place.found() ? lineOf(sources_[place.source].text, place.keyword) : 0;
    }
    struct Counted {
        std::size_t offset = 0, line = 1;
    };
    std::map<const char*, Counted> lineCounts_;

    Walk walk(std::size_t s);
    Walk readArray(std::size_t s, std::string_view keyword, std::size_t at, std::size_t& pos);
    Walk readCounts(std::size_t s, std::string_view keyword, std::size_t at, std::size_t& pos);
    Walk include(std::size_t s, std::size_t at, std::size_t& pos);
    Walk skipRecords(std::size_t s, std::string_view keyword, std::size_t at, std::size_t& pos);
    Walk notAKeyword(std::size_t s, std::size_t at, std::string_view word);
    Walk fail(GridReadOutcome outcome, LocalMessage message)
    {
        outcome_ = outcome;
        message_ = std::move(message);
        return Walk::Stop;
    }
    bool sizeFits(const std::string& file, std::uint64_t bytes);
    std::size_t boundWithoutCounts(std::string_view body);
    std::optional<fs::path> resolve(std::size_t s, std::string name, std::size_t line);
    static std::optional<fs::path> inAnyCase(const fs::path& folder, const fs::path& relative);
    void stage(GridReadStage last);
    GridReadResult finish();
    GridReadResult failure();
    std::string placeFile(const Place& p) const { return sources_[p.source].file; }

    const std::string path_;
    const GridStageCallback& onStage_;
    std::uint64_t mappedBytes_ = 0;  // bytes of mapped files: they count against an address-space limit
    std::uint64_t fileBytes_ = 0;    // bytes of every file read so far
    std::vector<Source> sources_;
    std::list<std::pair<FileText, std::string>> held_;  // the included files' texts and names; a list keeps their
                                                        // addresses
    std::vector<std::string> stack_;                    // keys of the files being read, the main file first
    std::set<std::string> read_;                        // keys of every file read

    Place coord_, zcorn_, actnum_, counts_;
    std::string countsKeyword_;
    std::array<int, 3> dims_{};
    bool haveDims_ = false;
    std::vector<double> points_, depths_;
    std::vector<std::uint8_t> actnumValues_;
    std::vector<double> mapAxes_;
    Place mapAxesPlace_;
    std::string gridUnit_, mapUnits_;
    Place gridUnitPlace_, mapUnitsPlace_;
    bool inBox_ = false;
    bool sawInclude_ = false;                   // the main text holds an INCLUDE statement
    bool sawGridKeyword_ = false;               // a keyword of grids was met: text that is no keyword is then damage
    std::optional<std::uint64_t> memory_;       // the memory available, once asked
    std::vector<LocalMessage> unreadIncludes_;  // included files that could not be read: their message
    std::vector<LocalMessage> unreadWarnings_;  // and the warning for a grid read without them
    std::vector<std::pair<std::size_t, std::string>> edits_;  // simulator edits: source and "EQUALS (line 12)"
    struct Lookalike {
        Place place;
        std::string word, keyword;
    };
    std::vector<Lookalike> lookalikes_;  // keywords one letter away from a keyword of grids
    std::vector<LocalMessage> warnings_, notes_;
    std::vector<std::string> inlineKeywords_;
    std::optional<GridReadOutcome> outcome_;
    LocalMessage message_;
    int stagesDone_ = 0;  // stages reported so far
};

void DeckReader::stage(GridReadStage last)
{
    const bool includeLayout =
        sawInclude_ && ((coord_.found() && coord_.source != 0) || (zcorn_.found() && zcorn_.source != 0));
    for (; stagesDone_ <= static_cast<int>(last); ++stagesDone_)
        if (onStage_) onStage_(static_cast<GridReadStage>(stagesDone_), includeLayout);
}

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
        const std::string_view word = grdecl::wordAt(text, pos);
        if (!grdecl::isKeywordName(word)) {
            if (notAKeyword(s, pos, word) == Walk::Stop) return Walk::Stop;
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

std::size_t DeckReader::boundWithoutCounts(std::string_view body)
{
    // Only a long section, or one with repeats, can hold more values than the memory takes: the memory is asked
    // for then alone.
    const std::size_t end = std::min(grdecl::sectionEnd(body, 0), body.size());
    if (end < (std::size_t{16} << 20) && std::memchr(body.data(), '*', end) == nullptr)
        return grdecl::kMaxSectionValues;
    if (!memory_) memory_ = availableMemory().value_or(std::numeric_limits<std::uint64_t>::max());
    return static_cast<std::size_t>(
        std::min<std::uint64_t>(grdecl::kMaxSectionValues, *memory_ / kBytesPerUndeclaredValue));
}

Walk DeckReader::readArray(std::size_t s, std::string_view keyword, std::size_t at, std::size_t& pos)
{
    const Source& source = sources_[s];
    const std::string_view text = source.text;
    // The keyword's line is counted only when a message needs it: counting is a pass over the text.
    const auto line = [&] { return lineOf(text, at); };
    Place& place = keyword == kCoord ? coord_ : keyword == kZcorn ? zcorn_ : actnum_;

    // A section already read, or one filling a box only, is passed over with a warning.
    if (place.found() || inBox_) {
        const grdecl::RecordEnd end = grdecl::findRecordEnd(text, pos, true);
        pos = end.why == grdecl::RecordEnd::Why::Slash ? grdecl::afterRecord(text, end.at, true) : end.at;
        if (place.found())
            warnings_.push_back(fillIn(
                kSecondSection, {keyword, source.file, number(line()), placeFile(place), number(lineAt(place))}));
        else
            warnings_.push_back(fillIn(kSectionInBox, {keyword, source.file, number(line())}));
        return Walk::On;
    }
    place = {s, at};

    // With the counts declared, a section holds exactly what they need: the bound, and the arrays reserved whole.
    std::size_t expected = 0;
    if (haveDims_) {
        const auto nx = static_cast<std::size_t>(dims_[0]), ny = static_cast<std::size_t>(dims_[1]),
                   nz = static_cast<std::size_t>(dims_[2]);
        expected = keyword == kCoord ? 6 * (nx + 1) * (ny + 1) : keyword == kZcorn ? 8 * nx * ny * nz : nx * ny * nz;
    }
    const std::string_view body = text.substr(pos);
    const std::size_t bound = haveDims_ ? expected : boundWithoutCounts(body);
    // Without the counts the arrays are reserved from the length of the section's text.
    const std::size_t reserve =
        haveDims_ ? expected
                  : std::min(grdecl::estimateNumbers(std::min(grdecl::sectionEnd(body, 0), body.size())), bound);
    grdecl::ScanSummary summary;
    if (keyword == kCoord) {
        stage(GridReadStage::LayoutDecided);
        points_.reserve(reserve);
        summary = grdecl::scanConverted(
            body, points_, [](double v) { return v; }, bound);
    } else if (keyword == kZcorn) {
        depths_.reserve(reserve);
        summary = grdecl::scanConverted(
            body, depths_, [](double v) { return -(v / kCoordMult); }, bound);
    } else {
        actnumValues_.reserve(reserve);
        // 0 and 1 as written; any other value is marked 2 and told about once the section is read.
        summary = grdecl::scanConverted(
            body, actnumValues_, [](double v) -> std::uint8_t { return v == 0   ? 0
                                                                       : v == 1 ? 1
                                                                                : 2; }, bound);
    }

    const std::size_t stop = pos + summary.stop;
    switch (summary.end) {
    case grdecl::ScanEnd::Terminator:
        pos = grdecl::afterRecord(text, stop, true);
        break;
    case grdecl::ScanEnd::EndOfText:
        warnings_.push_back(fillIn(kCutShort, {keyword, source.file}));
        pos = text.size();
        break;
    case grdecl::ScanEnd::NotANumber: {
        const std::string_view word = grdecl::wordAt(text, stop);
        if (grdecl::startsLine(text, stop) && grdecl::isKeywordName(word) && grdecl::isKnownKeyword(word)) {
            warnings_.push_back(fillIn(kNoSlashBeforeKeyword,
                                       {keyword, source.file, number(line()), word, number(lineOf(text, stop))}));
            pos = stop;
            break;
        }
        std::string shown(word.substr(0, 40));
        if (!isValidUtf8(shown)) shown = decodeUserText(shown);
        return fail(GridReadOutcome::Refused,
                    fillIn(kNotANumber, {keyword, source.file, number(lineOf(text, stop)), shown}));
    }
    case grdecl::ScanEnd::TooMany: {
        if (!haveDims_) {
            if (bound < grdecl::kMaxSectionValues)
                return fail(
                    GridReadOutcome::Refused,
                    fillIn(kNeedsMemoryUndeclared, {keyword, source.file, number(line()), memoryText(*memory_)}));
            return fail(GridReadOutcome::NotAGrid,
                        fillIn(kTooManyValues, {keyword, source.file, number(line()), number(bound)}));
        }
        // More than the layout needs: the rest is counted, not kept, for the message.
        const grdecl::ScanSummary rest = grdecl::scanNumbers(
            body.substr(summary.stop), [](double) {}, [](std::uint64_t, double) {},
            std::numeric_limits<std::size_t>::max());
        const std::string held = number(summary.values + rest.values);
        const std::string dims = countsText(dims_);
        const std::string countsFile = placeFile(counts_);
        if (keyword == kCoord)
            return fail(GridReadOutcome::Refused,
                        fillIn(kCoordAgainstSpecgrid, {source.file, number(line()), held, dims, countsFile,
                                                       number(expected), number(dims_[0] + 1), number(dims_[1] + 1)}));
        if (keyword == kZcorn)
            return fail(GridReadOutcome::Refused,
                        fillIn(kZcornAgainstSpecgrid, {source.file, number(line()), held, dims, countsFile,
                                                       number(expected), number(expected / 8)}));
        return fail(GridReadOutcome::Refused, fillIn(kActnumAgainstSpecgrid, {source.file, number(line()), held, dims,
                                                                              countsFile, number(expected)}));
    }
    }

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
            warnings_.push_back(fillIn(kOddActnum, {number(odd), source.file, number(line()), shortNumber(first)}));
            std::replace(actnumValues_.begin(), actnumValues_.end(), std::uint8_t{2}, std::uint8_t{1});
        }
    }
    return Walk::On;
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
    // What the declared grid needs, against what there is, before anything of it is allocated; and the files read
    // so far against what such a grid can fill.
    const std::uint64_t pillars = std::uint64_t(dims[0] + 1) * std::uint64_t(dims[1] + 1);
    const std::uint64_t need = gridImportNeed(cells, pillars, mappedBytes_);
    if (need > kSmallImport) {
        memory_ = availableMemory().value_or(std::numeric_limits<std::uint64_t>::max());
        if (need > *memory_)
            return fail(GridReadOutcome::Refused,
                        fillIn(kNeedsMemory, {path_, std::string(keyword) + " " + countsText(dims), source.file,
                                              number(cells), memoryText(need), memoryText(*memory_)}));
    }
    for (const Source& read : sources_)
        if (!sizeFits(read.file, read.text.size())) return Walk::Stop;
    return Walk::On;
}

bool DeckReader::sizeFits(const std::string& file, std::uint64_t bytes)
{
    if (!haveDims_) return true;
    // Every value of the grid's arrays and of as many as 64 arrays of properties besides, written with 40
    // characters each: far more than any export spends.
    const std::uint64_t cells = std::uint64_t(dims_[0]) * std::uint64_t(dims_[1]) * std::uint64_t(dims_[2]);
    const std::uint64_t pillars = std::uint64_t(dims_[0] + 1) * std::uint64_t(dims_[1] + 1);
    const std::uint64_t room = (std::uint64_t{1} << 20) + 40 * (6 * pillars + 9 * cells + 64 * cells);
    if (bytes <= room) return true;
    fail(GridReadOutcome::Refused,
         fillIn(kFileTooLarge, {file, memoryText(bytes), countsKeyword_, countsText(dims_), placeFile(counts_)}));
    return false;
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
        if (next < text.size() && next != pos && grdecl::startsLine(text, next) && grdecl::isKeywordName(nextWord) &&
            grdecl::isKnownKeyword(nextWord))
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

std::optional<fs::path> DeckReader::inAnyCase(const fs::path& folder, const fs::path& relative)
{
    const auto lower = [](std::string text) {
        for (char& c : text)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return text;
    };
    fs::path at = folder;
    std::error_code error;
    for (const fs::path& part : relative) {
        if (part.empty() || part == "." || part == ".." || fs::exists(at / part, error)) {
            at /= part;
            continue;
        }
        const std::string wanted = lower(part.string());
        std::optional<fs::path> match;
        for (fs::directory_iterator entry(at, error), end; !error && entry != end; entry.increment(error)) {
            if (lower(entry->path().filename().string()) != wanted) continue;
            if (match) return std::nullopt;
            match = entry->path();
        }
        if (!match) return std::nullopt;
        at = *match;
    }
    return at;
}

// An included name relative to the including file's folder, or to the main file's folder when only there. Exports
// written on Windows may use backslashes, and name a file in other letter case than it has on disk (Windows does not
// tell them apart): such a name finds the one file that differs from it only in case. A name both folders hold
// different files of is warned about. Nothing found: the path beside the including file, for the message.
std::optional<fs::path> DeckReader::resolve(std::size_t s, std::string name, std::size_t line)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    const fs::path relative(name);
    const fs::path& folder = sources_[s].folder;
    const fs::path& mainFolder = sources_.front().folder;
    std::error_code error;
    auto exists = [&](const fs::path& p) { return fs::symlink_status(p, error).type() != fs::file_type::not_found; };
    std::optional<fs::path> here, main;
    if (relative.is_absolute()) return relative;
    if (exists(folder / relative)) here = folder / relative;
    if (folder != mainFolder && exists(mainFolder / relative)) main = mainFolder / relative;
    if (!here) here = inAnyCase(folder, relative);
    if (!main && folder != mainFolder) main = inAnyCase(mainFolder, relative);
    if (here && main && canonicalKey(*here) != canonicalKey(*main)) {
        warnings_.push_back(fillIn(kIncludeTwoFolders, {sources_[s].file, number(line), name, here->string(),
                                                        main->string(), here->string()}));
    }
    if (here) return here;
    if (main) return main;
    return std::nullopt;
}

Walk DeckReader::include(std::size_t s, std::size_t at, std::size_t& pos)
{
    const std::string_view text = sources_[s].text;
    const std::string file = sources_[s].file;
    const std::size_t line = lineOf(text, at);
    const grdecl::IncludeName statement = grdecl::readIncludeName(text, at + kInclude.size());
    pos = statement.end;
    if (s == 0) sawInclude_ = true;
    using Problem = grdecl::IncludeName::Problem;
    if (statement.problem == Problem::NoName)
        return fail(GridReadOutcome::Refused, fillIn(kIncludeNoName, {file, number(line)}));
    if (statement.problem == Problem::UnclosedQuote)
        return fail(GridReadOutcome::Refused, fillIn(kIncludeUnclosedQuote, {file, number(line)}));

    // Names written in Windows-1251 are decoded before they are looked up; the name as written is tried too.
    const std::string written(statement.name);
    const std::string decoded = decodeUserText(written);
    std::optional<fs::path> found = resolve(s, decoded, line);
    if (!found && decoded != written) found = resolve(s, written, line);
    const fs::path target = found ? *found : sources_[s].folder / fs::path(decoded);

    if (sources_[s].depth >= kMaxIncludeDepth)
        return fail(GridReadOutcome::Refused,
                    fillIn(kIncludeTooDeep, {file, number(line), target.string(), number(kMaxIncludeDepth)}));
    const std::string key = canonicalKey(target);
    if (std::find(stack_.begin(), stack_.end(), key) != stack_.end()) {
        warnings_.push_back(fillIn(kIncludeLoop, {file, number(line), target.string()}));
        return Walk::On;
    }
    if (read_.count(key) > 0) {
        warnings_.push_back(fillIn(kIncludeTwice, {file, number(line), target.string()}));
        return Walk::On;
    }
    // A file far larger than the declared grid can fill is refused before it is read.
    std::error_code sizeError;
    if (fileProblemAt(target) == FileProblem::None) {
        const std::uintmax_t size = fs::file_size(target, sizeError);
        if (!sizeError && !sizeFits(target.string(), size)) return Walk::Stop;
    }
    FileProblem problem = FileProblem::None;
    FileText bytes;
    if (!readWholeFile(target, bytes, true, &problem)) {
        const LocalMessage why = fileProblemText(problem, target.string());
        LocalMessage where = fillIn(kIncludeStatement, {file, number(line), why.en});
        where.ru = fillIn(kIncludeStatement, {file, number(line), why.ru}).ru;
        LocalMessage message = fillIn(kCannotReadInclude, {target.string()});
        message += where;
        LocalMessage warning = fillIn(kReadWithoutInclude, {target.string()});
        warning += where;
        unreadIncludes_.push_back(std::move(message));
        unreadWarnings_.push_back(std::move(warning));
        return Walk::On;
    }
    read_.insert(key);
    fileBytes_ += bytes.size();
    if (!sizeFits(target.string(), bytes.size())) return Walk::Stop;
    const std::string_view view =
        grdecl::withoutByteOrderMark(held_.emplace_back(std::move(bytes), target.string()).first.view());
    if (grdecl::skipBlanks(view, 0) >= view.size())
        return fail(GridReadOutcome::Refused, fillIn(kIncludeEmpty, {target.string(), file, number(line)}));
    sources_.push_back({view, target.string(), target.parent_path(), sources_[s].depth + 1, key});
    stack_.push_back(key);
    const Walk result = walk(sources_.size() - 1);
    stack_.pop_back();
    return result;
}

GridReadResult DeckReader::failure()
{
    GridReadResult result;
    result.outcome = *outcome_;
    result.includeLayout = sawInclude_;
    result.message = std::move(message_);
    result.warnings = std::move(warnings_);
    return result;
}

GridReadResult DeckReader::read()
{
    stack_.push_back(sources_.front().key);
    read_.insert(sources_.front().key);
    walk(0);
    for (const auto& [text, file] : held_) {
        if (!text.intact()) {
            outcome_ = GridReadOutcome::NotAGrid;
            message_ = fillIn(kChangedWhileRead, {file});
            break;
        }
    }
    if (outcome_) return failure();
    return finish();
}

GridReadResult DeckReader::finish()
{
    // Simulator edits and keywords that look damaged: warned about whatever becomes of the grid.
    for (std::size_t s = 0; s < sources_.size(); ++s) {
        std::string list;
        for (const auto& [source, edit] : edits_)
            if (source == s) list += (list.empty() ? "" : ", ") + edit;
        if (!list.empty()) warnings_.push_back(fillIn(kEditsNotApplied, {sources_[s].file, list}));
    }
    for (const Lookalike& l : lookalikes_)
        warnings_.push_back(fillIn(kLikeAKeyword, {l.word, placeFile(l.place), number(lineAt(l.place)), l.keyword}));
    const bool includeLayout =
        sawInclude_ && (!coord_.found() || !zcorn_.found() || coord_.source != 0 || zcorn_.source != 0);
    auto refuse = [&](GridReadOutcome outcome, LocalMessage message) {
        outcome_ = outcome;
        message_ = std::move(message);
        GridReadResult result = failure();
        result.includeLayout = includeLayout;
        return result;
    };
    if (!unreadIncludes_.empty() && (!coord_.found() || !zcorn_.found()))
        return refuse(GridReadOutcome::MissingInclude, unreadIncludes_.front());
    if (!coord_.found()) {
        if (!sawInclude_) {
            // A file with grid keywords but no COORD was most likely cut short: said with the line it ends at.
            LocalMessage message = fillIn(kNoCoordNoInclude, {path_});
            const std::string_view text = sources_[0].text;
            if (sawGridKeyword_ && !zcorn_.found() && !text.empty())
                message += fillIn(kEndsWithoutCoord, {number(lineOf(text, text.size() - 1))});
            return refuse(GridReadOutcome::NotAGrid, std::move(message));
        }
        if (!zcorn_.found()) return refuse(GridReadOutcome::NotAGrid, fillIn(kNeitherSection, {path_}));
        stage(GridReadStage::LayoutDecided);
        std::string included;
        for (std::size_t s = 1; s < sources_.size(); ++s) included += (included.empty() ? "" : ", ") + sources_[s].file;
        return refuse(GridReadOutcome::Stopped, fillIn(kNoCoordIncluded, {path_, included}));
    }
    for (const LocalMessage& warning : unreadWarnings_) warnings_.push_back(warning);
    stage(GridReadStage::ZcornExpanded);

    const std::string coordFile = placeFile(coord_);
    if (!zcorn_.found()) return refuse(GridReadOutcome::Refused, fillIn(kNoZcorn, {coordFile}));
    const std::string zcornFile = placeFile(zcorn_);
    const std::size_t coordValues = points_.size();
    if (haveDims_) {
        const std::size_t pillars = static_cast<std::size_t>(dims_[0] + 1) * static_cast<std::size_t>(dims_[1] + 1);
        const std::size_t cells = static_cast<std::size_t>(dims_[0]) * dims_[1] * dims_[2];
        const std::string dims = countsText(dims_), countsFile = placeFile(counts_);
        if (coordValues != 6 * pillars)
            return refuse(
                GridReadOutcome::Refused,
                fillIn(kCoordAgainstSpecgrid, {coordFile, number(lineAt(coord_)), number(coordValues), dims, countsFile,
                                               number(6 * pillars), number(dims_[0] + 1), number(dims_[1] + 1)}));
        if (depths_.size() != 8 * cells)
            return refuse(GridReadOutcome::Refused,
                          fillIn(kZcornAgainstSpecgrid, {zcornFile, number(lineAt(zcorn_)), number(depths_.size()),
                                                         dims, countsFile, number(8 * cells), number(cells)}));
        if (actnumValues_.size() != cells && actnumValues_.size() > 0)
            return refuse(
                GridReadOutcome::Refused,
                fillIn(kActnumAgainstSpecgrid, {placeFile(actnum_), number(lineAt(actnum_)),
                                                number(actnumValues_.size()), dims, countsFile, number(cells)}));
        if (actnumValues_.empty() && actnum_.found())
            return refuse(GridReadOutcome::Refused,
                          fillIn(kActnumAgainstSpecgrid,
                                 {placeFile(actnum_), number(lineAt(actnum_)), "0", dims, countsFile, number(cells)}));
    } else if (coordValues % 6 != 0) {
        const std::size_t whole = coordValues / 6 * 6;
        return refuse(GridReadOutcome::Refused,
                      fillIn(kCoordWholePillars, {coordFile, number(lineAt(coord_)), number(coordValues), number(whole),
                                                  number(whole + 6)}));
    }

    // Units: the grid's, and the map axes' when MAPUNITS gives them in another.
    double gridMetres = 1.0;
    if (!gridUnit_.empty()) {
        if (const auto metres = metresPerUnit(gridUnit_))
            gridMetres = *metres;
        else
            warnings_.push_back(
                fillIn(kUnknownGridUnit, {placeFile(gridUnitPlace_), number(lineAt(gridUnitPlace_)), gridUnit_}));
    }
    if (!mapUnits_.empty() && mapAxesPlace_.found()) {
        if (const auto metres = metresPerUnit(mapUnits_)) {
            if (*metres != gridMetres) {
                for (double& v : mapAxes_) v *= *metres / gridMetres;
                notes_.push_back(
                    fillIn(kMapConverted, {placeFile(mapAxesPlace_), mapUnits_, unitWord(gridUnit_, gridMetres)}));
            }
        } else {
            warnings_.push_back(
                fillIn(kUnknownMapUnit, {placeFile(mapUnitsPlace_), number(lineAt(mapUnitsPlace_)), mapUnits_}));
        }
    }

    // Depths no reservoir has: told with their count and range, kept as read.
    const double limit = kDepthLimitMetres / gridMetres / kCoordMult;
    auto farDepths = [&](const std::vector<double>& values, std::size_t first, std::size_t step, const TextPair& what,
                         std::string_view section, const std::string& file) {
        std::size_t far = 0, all = 0;
        double low = std::numeric_limits<double>::infinity(), high = -low;
        for (std::size_t n = first; n < values.size(); n += step) {
            ++all;
            if (std::abs(values[n]) <= limit) continue;
            ++far;
            low = std::min(low, -values[n] * kCoordMult);
            high = std::max(high, -values[n] * kCoordMult);
        }
        if (far == 0) return;
        LocalMessage m =
            fillIn(kFarDepths, {number(far), number(all), what.en, section, file, shortNumber(low), shortNumber(high)});
        m.ru =
            fillIn(kFarDepths, {number(far), number(all), what.ru, section, file, shortNumber(low), shortNumber(high)})
                .ru;
        warnings_.push_back(std::move(m));
    };

    // COORD: x, y as value / kCoordScale, z as -value / kCoordScale; six numbers per pillar.
    std::vector<double> linesXY;
    linesXY.reserve(points_.size() / 3 * 2 + 2);
    for (std::size_t n = 0; n < points_.size(); ++n) {
        if (n % 3 == 2) {
            points_[n] = -(points_[n] / kCoordMult);
        } else {
            points_[n] = points_[n] / kCoordMult;
            linesXY.push_back(points_[n]);
        }
    }
    farDepths(depths_, 0, 1, kCornerDepths, kZcorn, zcornFile);
    farDepths(points_, 2, 3, kPillarDepths, kCoord, coordFile);
    bool mapApplied = false;
    if (mapAxesPlace_.found()) {
        const std::optional<MapFrame> frame = mapFrameOf(mapAxes_);
        if (!frame) {
            warnings_.push_back(fillIn(kNoMapFrame, {placeFile(mapAxesPlace_)}));
        } else if (applyMapAxes(*frame, points_, linesXY)) {
            mapApplied = true;
            notes_.push_back(fillIn(kMapApplied, {coordFile, placeFile(mapAxesPlace_)}));
        }
    }

    GridReadResult result;
    CornerPointInput& grid = result.grid;
    grid.pillars = std::move(points_);
    grid.pillarXY = std::move(linesXY);
    grid.cornerDepths = std::move(depths_);
    grid.declaredSize = haveDims_ ? dims_ : std::array<int, 3>{};
    grid.actnum = std::move(actnumValues_);
    grid.mapAxes = mapAxesPlace_.found() ? mapAxes_ : std::vector<double>{};
    grid.mapAxesApplied = mapApplied;
    grid.unit = gridUnit_;
    grid.coordFile = coordFile;
    grid.zcornFile = zcornFile;
    grid.actnumFile = actnum_.found() ? placeFile(actnum_) : std::string();
    // The builder names ACTNUM's line only when its count does not fit the cells (8 depths each): counting lines is a
    // pass over the text up to ACTNUM, usually the whole file, so it is done only then.
    const bool actnumMisfits = grid.actnum.size() * 8 != grid.cornerDepths.size();
    grid.actnumLine = actnum_.found() && actnumMisfits ? lineAt(actnum_) : 0;
    result.outcome = GridReadOutcome::Read;
    result.includeLayout = includeLayout;
    result.warnings = std::move(warnings_);
    result.notes = std::move(notes_);
    result.inlineKeywords = std::move(inlineKeywords_);
    return result;
}

GridReadResult readDeck(const std::string& path, std::string_view mainText, const GridStageCallback& onStage,
                        std::uint64_t mappedBytes)
{
    return DeckReader(path, grdecl::withoutByteOrderMark(mainText), onStage, mappedBytes).read();
}

}  // namespace

GridReadResult readGridText(const std::string& path, std::string_view mainText, const GridStageCallback& onStage)
{
    return readDeck(path, mainText, onStage, 0);
}

GridReadResult readGridFile(const std::string& path, const GridStageCallback& onStage)
{
    FileText text;
    FileProblem problem = FileProblem::None;
    if (!readWholeFile(fs::path(path), text, true, &problem)) {
        GridReadResult failed;
        failed.message = fillIn(kCannotReadFile, {path});
        failed.message += fileProblemText(problem, path);
        return failed;
    }
    // Kept only when the file stayed whole while it was read: a file mapped from a disk that failed, or written anew
    // meanwhile, reads partly as zeros.
    const std::uint64_t mapped = text.size() >= kMapFilesFrom ? text.size() : 0;
    GridReadResult result = readDeck(path, text.view(), onStage, mapped);
    if (!text.intact()) {
        GridReadResult failed;
        failed.message = fillIn(kChangedWhileRead, {path});
        return failed;
    }
    return result;
}

std::optional<MapFrame> mapFrameOf(const std::vector<double>& m)
{
    if (m.size() != 6) return std::nullopt;
    const double x1 = m[0] - m[2], y1 = m[1] - m[3];  // towards the point on the y axis
    const double x3 = m[4] - m[2], y3 = m[5] - m[3];  // towards the point on the x axis
    const double ly = std::hypot(x1, y1), lx = std::hypot(x3, y3);
    if (!(lx > 0) || !(ly > 0) || !std::isfinite(lx) || !std::isfinite(ly)) return std::nullopt;
    if (std::abs(x3 * y1 - y3 * x1) < 1e-9 * lx * ly) return std::nullopt;  // parallel axes
    return MapFrame{m[2] / kCoordMult, m[3] / kCoordMult, x3 / lx, y3 / lx, x1 / ly, y1 / ly};
}

std::array<double, 2> MapFrame::toLocal(double x, double y) const
{
    const double dx = x - ox, dy = y - oy;
    const double det = ex_x * ey_y - ex_y * ey_x;
    return {(dx * ey_y - dy * ey_x) / det, (ex_x * dy - ex_y * dx) / det};
}

}  // namespace morvane
