#include "io/grid_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <list>
#include <optional>
#include <set>
#include <system_error>
#include <utility>
#include <vector>

#include "io/file_text.h"
#include "io/grdecl_scan.h"
#include "io/parallel_scan.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using grdecl::findKeyword;
constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kCoord = "COORD";
constexpr std::string_view kZcorn = "ZCORN";
constexpr std::string_view kInclude = "INCLUDE";
constexpr std::string_view kActnum = "ACTNUM";
constexpr double kCoordMult = kCoordScale;
constexpr int kMaxIncludeDepth = 8;  // included files that include further files; deeper statements are ignored

// The file names of the INCLUDE statements in text[from, to), in order: the quoted name (single or double quotes)
// or, when unquoted, the word after INCLUDE. Comments between the keyword and the name are skipped.
void appendIncludedNames(std::string_view text, std::size_t from, std::size_t to, std::vector<std::string>& names)
{
    const std::string_view bounded = text.substr(0, to);
    std::size_t pos = from;
    while ((pos = findKeyword(bounded, kInclude, pos)) != npos) {
        std::size_t p = pos + kInclude.size();
        for (;;) {  // white space and comments up to the name
            while (p < bounded.size() && grdecl::detail::isSpace(bounded[p])) ++p;
            if (p + 1 < bounded.size() && bounded[p] == '-' && bounded[p + 1] == '-') {
                p = bounded.find('\n', p);
                if (p == npos) p = bounded.size();
                continue;
            }
            break;
        }
        pos = p;
        if (p >= bounded.size() || bounded[p] == '/') continue;
        std::string_view name;
        if (bounded[p] == '\'' || bounded[p] == '"') {
            const std::size_t close = bounded.find(bounded[p], p + 1);
            const std::size_t lineEnd = bounded.find('\n', p);
            if (close == npos || close > lineEnd) continue;  // an unclosed quote names nothing
            name = bounded.substr(p + 1, close - p - 1);
            pos = close + 1;
        } else {
            std::size_t q = p;
            while (q < bounded.size() && !grdecl::detail::isSpace(bounded[q]) && bounded[q] != '/') ++q;
            name = bounded.substr(p, q - p);
            pos = q;
        }
        while (!name.empty() && grdecl::detail::isSpace(name.front())) name.remove_prefix(1);
        while (!name.empty() && grdecl::detail::isSpace(name.back())) name.remove_suffix(1);
        if (!name.empty()) names.emplace_back(name);
    }
}

// One text of the deck: the main file or an included one.
struct Source {
    std::string_view text;
    std::string file;                                          // the path as the user knows it, for messages
    fs::path folder;                                           // INCLUDE names in this text resolve here first
    int depth = 0;                                             // 0 for the main file
    std::vector<std::pair<std::size_t, std::size_t>> scanned;  // [from, to) read as sections: no keywords inside

    // Calls visit(from, to) for each stretch of the text outside the scanned sections, in order, until it returns
    // true.
    template <class Visit>
    bool forEachGap(Visit&& visit) const
    {
        std::vector<std::pair<std::size_t, std::size_t>> ranges = scanned;
        std::sort(ranges.begin(), ranges.end());
        std::size_t from = 0;
        for (const auto& [begin, end] : ranges) {
            if (begin > from && visit(from, begin)) return true;
            from = std::max(from, end);
        }
        return from < text.size() && visit(from, text.size());
    }

    // The first `keyword` outside the scanned sections, or npos.
    std::size_t findOutsideSections(std::string_view keyword) const
    {
        std::size_t found = npos;
        forEachGap([&](std::size_t from, std::size_t to) {
            found = findKeyword(text.substr(0, to), keyword, from);
            return found != npos;
        });
        return found;
    }
};

// Where a section was found: which text and the keyword's offset in it.
struct SectionPlace {
    std::size_t source = npos;
    std::size_t keyword = npos;
    bool found() const { return keyword != npos; }
};

// The main file and the files it includes, read once each.
class Deck {
public:
    Deck(const std::string& path, std::string_view mainText)
    {
        sources_.push_back({mainText, path, fs::path(path).parent_path(), 0, {}});
        visited_.insert(key(fs::path(path)));
    }

    std::vector<Source>& sources() { return sources_; }
    const std::vector<std::string>& unreadable() const { return unreadable_; }

    // Reads the files that source `index` names, and the files they name in turn (depth first), as long as
    // `wanted` says more is needed. Every file is read once; a new text is handed to `found` with its index.
    template <class Wanted, class Found>
    void follow(std::size_t index, const std::vector<std::string>& names, Wanted&& wanted, Found&& found)
    {
        for (const std::string& name : names) {
            if (!wanted()) return;
            if (sources_[index].depth >= kMaxIncludeDepth) return;
            const fs::path file = resolve(sources_[index].folder, name);
            if (!visited_.insert(key(file)).second) continue;
            FileText text;
            if (!readWholeFile(file, text)) {
                unreadable_.push_back(file.string());
                continue;
            }
            const std::string_view view = grdecl::withoutByteOrderMark(held_.emplace_back(std::move(text)).view());
            sources_.push_back({view, file.string(), file.parent_path(), sources_[index].depth + 1, {}});
            const std::size_t added = sources_.size() - 1;
            found(added);
            std::vector<std::string> inner;
            appendIncludedNames(view, 0, view.size(), inner);
            follow(added, inner, wanted, found);
        }
    }

private:
    // An included name relative to the including file's folder, or to the main file's folder when only there.
    // Exports written on Windows may use backslashes, and name a file in other letter case than it has on disk
    // (Windows does not tell them apart): such a name finds the one file that differs from it only in case.
    fs::path resolve(const fs::path& folder, std::string name) const
    {
        std::replace(name.begin(), name.end(), '\\', '/');
        const fs::path here = folder / fs::path(name);
        std::error_code error;
        if (fs::exists(here, error)) return here;
        const fs::path& mainFolder = sources_.front().folder;
        const fs::path main = mainFolder / fs::path(name);
        if (folder != mainFolder && fs::exists(main, error)) return main;
        if (std::optional<fs::path> found = inAnyCase(folder, fs::path(name))) return *found;
        if (folder != mainFolder)
            if (std::optional<fs::path> found = inAnyCase(mainFolder, fs::path(name))) return *found;
        return here;
    }

    // `relative` under `folder`, each part of it matched by the one entry of its folder whose name differs from it
    // in ASCII letter case alone; none when a part has no such entry, or several.
    static std::optional<fs::path> inAnyCase(const fs::path& folder, const fs::path& relative)
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

    static std::string key(const fs::path& file)
    {
        std::error_code error;
        const fs::path canonical = fs::weakly_canonical(file, error);
        return (error ? file : canonical).lexically_normal().string();
    }

    std::vector<Source> sources_;
    std::list<FileText> held_;  // a list keeps the texts' addresses
    std::set<std::string> visited_;
    std::vector<std::string> unreadable_;
};

std::size_t reserveFor(std::string_view body)
{
    const void* slash = std::memchr(body.data(), '/', body.size());
    const std::size_t bytes = slash ? static_cast<const char*>(slash) - body.data() : body.size();
    return grdecl::estimateNumbers(bytes);
}

std::string tooManyMessage(std::string_view section, const std::string& file)
{
    return "The " + std::string(section) + " section of " + file + " expands to more than " +
           std::to_string(grdecl::kMaxSectionValues) + " values.";
}

std::string cutShortWarning(std::string_view section, const std::string& file)
{
    return "The " + std::string(section) + " section of " + file +
           " ends at the end of the file without its closing \"/\": the file may be cut short.";
}

GridReadResult failure(GridReadOutcome outcome, bool includeLayout, std::string message)
{
    GridReadResult result;
    result.outcome = outcome;
    result.includeLayout = includeLayout;
    result.message = std::move(message);
    return result;
}

// Records the stretch a scan read, from the keyword to its "/", and warns when the section ran to the end of its
// file without one.
void noteScanned(Source& source, std::size_t keyword, std::string_view name, const grdecl::ScanSummary& summary,
                 std::vector<std::string>& warnings)
{
    const std::size_t bodyStart = keyword + name.size();
    const bool terminated = summary.end == grdecl::ScanEnd::Terminator;
    source.scanned.emplace_back(keyword, std::min(source.text.size(), bodyStart + summary.stop + (terminated ? 1 : 0)));
    if (summary.end == grdecl::ScanEnd::EndOfText) warnings.push_back(cutShortWarning(name, source.file));
}

// The first `count` numbers after the keyword, or fewer when the section holds fewer.
std::vector<double> leadingNumbers(std::string_view body, std::size_t count)
{
    std::vector<double> values;
    grdecl::scanNumbers(
        body, [&](double v) { values.push_back(v); },
        [&](std::uint64_t n, double v) { values.insert(values.end(), static_cast<std::size_t>(n), v); }, count);
    if (values.size() > count) values.resize(count);
    return values;
}

// The first word after the keyword without its quotes, in capitals ("'METRES  '" gives METRES).
std::string firstWord(std::string_view body)
{
    std::size_t p = 0;
    for (;;) {
        while (p < body.size() && grdecl::detail::isSpace(body[p])) ++p;
        if (grdecl::detail::startsComment(body.data() + p, body.data() + body.size())) {
            p = body.find('\n', p);
            if (p == npos) return {};
            continue;
        }
        break;
    }
    std::string word;
    if (p < body.size() && (body[p] == '\'' || body[p] == '"')) {
        const char quote = body[p];
        const std::size_t close = body.find(quote, p + 1);
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

// Keyword blocks at the start of a line in text[from, to) other than the grid's own and the words that head a
// part of a deck or set the file's unit: properties held inline.
void appendOtherKeywords(std::string_view text, std::size_t from, std::size_t to, std::vector<std::string>& out)
{
    constexpr std::string_view kNoProperty[] = {"GRID",    "EDIT", "PROPS",  "REGIONS",  "SOLUTION", "SCHEDULE",
                                                "RUNSPEC", "ECHO", "NOECHO", "FILEUNIT", "PINCH",    "END"};
    for (std::size_t p = from; p < to;) {
        const std::string_view word = grdecl::keywordAtLineStart(text.substr(0, to), p);
        if (!word.empty() && !grdecl::isGridKeyword(word) &&
            std::find(std::begin(kNoProperty), std::end(kNoProperty), word) == std::end(kNoProperty))
            out.emplace_back(word);
        const std::size_t lineEnd = text.find('\n', p);
        p = lineEnd == npos ? to : lineEnd + 1;
    }
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

std::string countsText(const std::array<int, 3>& dims)
{
    return std::to_string(dims[0]) + " x " + std::to_string(dims[1]) + " x " + std::to_string(dims[2]);
}

// The cell counts of SPECGRID (or DIMENS): three positive whole numbers whose cells fit the section bound.
bool readDimensions(std::string_view body, std::array<int, 3>& dims)
{
    const std::vector<double> n = leadingNumbers(body, 3);
    if (n.size() < 3) return false;
    double cells = 8;
    for (int i = 0; i < 3; ++i) {
        if (!(n[i] >= 1 && n[i] <= 1e9 && n[i] == std::floor(n[i]))) return false;
        dims[i] = static_cast<int>(n[i]);
        cells *= n[i];
    }
    return cells <= static_cast<double>(grdecl::kMaxSectionValues);
}

}  // namespace

GridReadResult readGridText(const std::string& path, std::string_view mainText,
                            const GridStageCallback& onStage)
{
    mainText = grdecl::withoutByteOrderMark(mainText);
    Deck deck(path, mainText);
    auto& sources = deck.sources();
    SectionPlace coord{0, findKeyword(mainText, kCoord)};
    // ZCORN normally follows COORD: look there first, so the COORD numbers are not searched twice.
    SectionPlace zcorn{0, findKeyword(mainText, kZcorn, coord.found() ? coord.keyword : 0)};
    if (!zcorn.found() && coord.found()) zcorn.keyword = findKeyword(mainText.substr(0, coord.keyword), kZcorn);

    // Include layout: the sections the main text lacks come from the files it includes, in whatever order they
    // are named. Reading stops once both sections are found; the files named after them are read later for the
    // other keywords, and one of them that cannot be read does not stop the load.
    bool includeLayout = false;
    if (!coord.found() || !zcorn.found()) {
        std::vector<std::string> names;
        appendIncludedNames(mainText, 0, mainText.size(), names);
        includeLayout = !names.empty();
        deck.follow(
            0, names, [&] { return !coord.found() || !zcorn.found(); },
            [&](std::size_t added) {
            const std::string_view text = sources[added].text;
            if (!coord.found()) coord = {added, findKeyword(text, kCoord)};
            if (!zcorn.found()) zcorn = {added, findKeyword(text, kZcorn)};
            });
        if (!deck.unreadable().empty() && (!coord.found() || !zcorn.found())) {
            return failure(GridReadOutcome::MissingInclude, includeLayout,
                           "Cannot read the included file " + deck.unreadable().front() + ".");
        }
        if (!includeLayout && !coord.found()) {
            return failure(GridReadOutcome::NotAGrid, false,
                           path + " holds no COORD section and no INCLUDE statement.");
        }
        if (!coord.found() && !zcorn.found()) {
            return failure(GridReadOutcome::NotAGrid, true,
                           "Neither " + path + " nor the files it includes hold COORD or ZCORN.");
        }
    }

    auto stage = [&](GridReadStage s) {
        if (onStage) onStage(s, includeLayout);
    };
    stage(GridReadStage::LayoutDecided);
    if (!coord.found()) {
        return failure(GridReadOutcome::Stopped, includeLayout,
                       "The files included by " + path + " hold no COORD section.");
    }
    std::vector<std::string> warnings;

    // COORD: x, y as value / kCoordScale, z as -value / kCoordScale; six numbers per pillar. The numbers are
    // scanned first (on both cores when there are many) and scaled by their place in the pillar afterwards.
    std::vector<double> points;
    std::vector<double> linesXY;
    {
        Source& coordSource = sources[coord.source];
        const std::string_view body = coordSource.text.substr(coord.keyword + kCoord.size());
        points.reserve(reserveFor(body));
        const grdecl::ScanSummary summary = grdecl::scanConverted(body, points, [](double v) { return v; });
        if (summary.end == grdecl::ScanEnd::TooMany) {
            return failure(GridReadOutcome::NotAGrid, includeLayout, tooManyMessage(kCoord, coordSource.file));
        }
        linesXY.reserve(points.size() / 3 * 2 + 2);
        for (std::size_t n = 0; n < points.size(); ++n) {
            if (n % 3 == 2) {
                points[n] = -(points[n] / kCoordMult);
            } else {
                points[n] = points[n] / kCoordMult;
                linesXY.push_back(points[n]);
            }
        }
        noteScanned(coordSource, coord.keyword, kCoord, summary, warnings);
    }
    stage(GridReadStage::CoordRead);

    // ZCORN: the depths, each -value / kCoordScale, with every n*v expanded as it is scanned. The numbers as
    // written are not kept: nothing reads them after the expansion, and holding them would cost another
    // 8 bytes per corner at the peak of the load.
    std::vector<double> depths;
    stage(GridReadStage::ZcornCut);
    stage(GridReadStage::StarsReplaced);
    if (zcorn.found()) {
        Source& source = sources[zcorn.source];
        const std::string_view body = source.text.substr(zcorn.keyword + kZcorn.size());
        depths.reserve(reserveFor(body));
        const grdecl::ScanSummary summary =
            grdecl::scanConverted(body, depths, [](double v) { return -(v / kCoordMult); });
        if (summary.end == grdecl::ScanEnd::TooMany) {
            return failure(GridReadOutcome::NotAGrid, includeLayout, tooManyMessage(kZcorn, source.file));
        }
        noteScanned(source, zcorn.keyword, kZcorn, summary, warnings);
    }
    stage(GridReadStage::ZcornScanned);
    stage(GridReadStage::ZcornExpanded);

    // The other keywords, outside the sections just read: in the texts read so far and in the files they include
    // that were not needed for COORD and ZCORN. The first of each counts.
    GridReadResult result;
    std::array<int, 3> dims{};
    std::string dimsFile;
    bool dimsFound = false;
    std::vector<double> mapAxes;
    std::string mapAxesFile, gridUnit, actnumFile;
    std::vector<std::uint8_t> actnum;
    bool actnumFound = false;
    for (std::size_t s = 0; s < sources.size(); ++s) {
        auto keywordBody = [&](std::string_view keyword) -> std::optional<std::string_view> {
            const std::size_t at = sources[s].findOutsideSections(keyword);
            if (at == npos) return std::nullopt;
            return sources[s].text.substr(at + keyword.size());
        };
        if (!dimsFound) {
            for (std::string_view keyword : {std::string_view("SPECGRID"), std::string_view("DIMENS")}) {
                const auto body = keywordBody(keyword);
                if (!body) continue;
                dimsFound = true;
                if (readDimensions(*body, dims))
                    dimsFile = sources[s].file;
                else
                    warnings.push_back("The " + std::string(keyword) + " of " + sources[s].file +
                                       " does not give three cell counts; the layout is derived from the pillars.");
                break;
            }
        }
        if (mapAxesFile.empty()) {
            if (const auto body = keywordBody("MAPAXES")) {
                mapAxes = leadingNumbers(*body, 6);
                mapAxesFile = sources[s].file;
            }
        }
        if (gridUnit.empty()) {
            if (const auto body = keywordBody("GRIDUNIT")) gridUnit = firstWord(*body);
        }
        if (!actnumFound) {
            const std::size_t at = sources[s].findOutsideSections(kActnum);
            if (at != npos) {
                actnumFound = true;
                actnumFile = sources[s].file;
                const std::string_view body = sources[s].text.substr(at + kActnum.size());
                actnum.reserve(std::min(reserveFor(body), depths.size() / 8 + 1));
                const grdecl::ScanSummary summary = grdecl::scanConverted(
                    body, actnum, [](double v) -> std::uint8_t { return v != 0 ? 1 : 0; });
                if (summary.end == grdecl::ScanEnd::TooMany) {
                    return failure(GridReadOutcome::NotAGrid, includeLayout, tooManyMessage(kActnum, actnumFile));
                }
                noteScanned(sources[s], at, kActnum, summary, warnings);
            }
        }
        if (s == 0) {
            sources[0].forEachGap([&](std::size_t from, std::size_t to) {
                appendOtherKeywords(mainText, from, to, result.inlineKeywords);
                return false;
            });
        }
        std::vector<std::string> names;
        sources[s].forEachGap([&](std::size_t from, std::size_t to) {
            appendIncludedNames(sources[s].text, from, to, names);
            return false;
        });
        deck.follow(
            s, names, [] { return true; }, [](std::size_t) {});
    }
    for (const std::string& file : deck.unreadable())
        warnings.push_back("Cannot read the included file " + file + "; the grid is read without it.");

    // Counts that do not fit: refused, naming the section, its file and what was expected. The warnings go with
    // the refusal: a section cut short is the usual reason.
    auto refuse = [&](std::string message) {
        GridReadResult refused = failure(GridReadOutcome::Refused, includeLayout, std::move(message));
        refused.warnings = std::move(warnings);
        return refused;
    };
    const std::string coordFile = sources[coord.source].file;
    if (!zcorn.found()) return refuse("The grid in " + coordFile + " has a COORD section but no ZCORN section.");
    const std::string zcornFile = sources[zcorn.source].file;
    const std::size_t coordValues = points.size();
    if (!dimsFile.empty()) {
        const std::size_t pillars = static_cast<std::size_t>(dims[0] + 1) * static_cast<std::size_t>(dims[1] + 1);
        const std::size_t cells = static_cast<std::size_t>(dims[0]) * dims[1] * dims[2];
        if (coordValues != 6 * pillars) {
            return refuse("The COORD section of " + coordFile + " holds " + std::to_string(coordValues) +
                          " values; SPECGRID " + countsText(dims) + " in " + dimsFile + " expects " +
                          std::to_string(6 * pillars) + " (6 for each of " + std::to_string(dims[0] + 1) + " x " +
                          std::to_string(dims[1] + 1) + " pillars).");
        }
        if (depths.size() != 8 * cells) {
            return refuse("The ZCORN section of " + zcornFile + " holds " + std::to_string(depths.size()) +
                          " values; SPECGRID " + countsText(dims) + " in " + dimsFile + " expects " +
                          std::to_string(8 * cells) + " (8 for each of " + std::to_string(cells) + " cells).");
        }
    } else if (coordValues % 6 != 0) {
        const std::size_t whole = coordValues / 6 * 6;
        return refuse("The COORD section of " + coordFile + " holds " + std::to_string(coordValues) +
                      " values; a pillar takes 6, so " + std::to_string(whole) + " or " + std::to_string(whole + 6) +
                      " were expected.");
    }

    bool mapApplied = false;
    if (!mapAxesFile.empty()) {
        const std::optional<MapFrame> frame = mapFrameOf(mapAxes);
        if (!frame) {
            warnings.push_back("The MAPAXES of " + mapAxesFile +
                               " do not give a map origin and two axes; the coordinates are kept as written.");
        } else if (applyMapAxes(*frame, points, linesXY)) {
            mapApplied = true;
            result.notes.push_back("Local coordinates of " + coordFile +
                                   " are turned into map coordinates by the MAPAXES of " + mapAxesFile + ".");
        }
    }

    CornerPointInput& grid = result.grid;
    grid.pillars = std::move(points);
    grid.pillarXY = std::move(linesXY);
    grid.cornerDepths = std::move(depths);
    grid.declaredSize = dimsFile.empty() ? std::array<int, 3>{} : dims;
    grid.actnum = std::move(actnum);
    grid.mapAxes = mapAxesFile.empty() ? std::vector<double>{} : mapAxes;
    grid.mapAxesApplied = mapApplied;
    grid.unit = gridUnit;
    grid.coordFile = coordFile;
    grid.zcornFile = zcornFile;
    grid.actnumFile = actnumFound ? actnumFile : std::string();
    result.outcome = GridReadOutcome::Read;
    result.includeLayout = includeLayout;
    result.warnings = std::move(warnings);
    return result;
}

GridReadResult readGridFile(const std::string& path, const GridStageCallback& onStage)
{
    FileText text;
    if (!readWholeFile(fs::path(path), text, true)) {
        return failure(GridReadOutcome::NotAGrid, false, "Cannot read the file " + path + ".");
    }
    // Kept only when the file stayed whole while it was read: a file mapped from a disk that failed, or written anew
    // meanwhile, reads partly as zeros.
    GridReadResult result = readGridText(path, text.view(), onStage);
    if (!text.intact()) {
        return failure(GridReadOutcome::NotAGrid, false,
                       "The file " + path + " changed, or could not be read from its disk, while it was being read.");
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
