#include "io/grid_reader.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <list>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

#include "io/file_text.h"
#include "io/grdecl_scan.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using grdecl::findKeyword;
constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kCoord = "COORD";
constexpr std::string_view kZcorn = "ZCORN";
constexpr std::string_view kInclude = "INCLUDE";
constexpr double kCoordMult = Constants::COORD_MULT;

// The file names of the INCLUDE statements, in file order: the quoted name (single or double quotes) or, when
// unquoted, the word after INCLUDE. Comments between the keyword and the name are skipped.
std::vector<std::string> includedNames(std::string_view text)
{
    std::vector<std::string> names;
    std::size_t pos = 0;
    while ((pos = findKeyword(text, kInclude, pos)) != npos) {
        std::size_t p = pos + kInclude.size();
        for (;;) {  // white space and comments up to the name
            while (p < text.size() && grdecl::detail::isSpace(text[p])) ++p;
            if (p + 1 < text.size() && text[p] == '-' && text[p + 1] == '-') {
                p = text.find('\n', p);
                if (p == npos) p = text.size();
                continue;
            }
            break;
        }
        pos = p;
        if (p >= text.size() || text[p] == '/') continue;
        std::string_view name;
        if (text[p] == '\'' || text[p] == '"') {
            const std::size_t close = text.find(text[p], p + 1);
            const std::size_t lineEnd = text.find('\n', p);
            if (close == npos || close > lineEnd) continue;  // an unclosed quote names nothing
            name = text.substr(p + 1, close - p - 1);
            pos = close + 1;
        } else {
            std::size_t q = p;
            while (q < text.size() && !grdecl::detail::isSpace(text[q]) && text[q] != '/') ++q;
            name = text.substr(p, q - p);
            pos = q;
        }
        while (!name.empty() && grdecl::detail::isSpace(name.front())) name.remove_prefix(1);
        while (!name.empty() && grdecl::detail::isSpace(name.back())) name.remove_suffix(1);
        if (!name.empty()) names.emplace_back(name);
    }
    return names;
}

// An included name relative to the main file's folder; exports written on Windows may use backslashes.
fs::path resolveIncluded(const std::string& mainPath, std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    return fs::path(mainPath).parent_path() / fs::path(name);
}

// Where a section was found: the text holding it, the keyword's offset and the file's name for messages.
struct SectionPlace {
    std::string_view text;
    std::size_t keyword = npos;
    std::string file;

    bool found() const { return keyword != npos; }
    // From right after the keyword; the scan itself stops at the "/".
    std::string_view body(std::string_view name) const { return text.substr(keyword + name.size()); }
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

GridReadResult failure(GridReadOutcome outcome, bool includeLayout, std::string message)
{
    GridReadResult result;
    result.outcome = outcome;
    result.includeLayout = includeLayout;
    result.message = std::move(message);
    return result;
}

}  // namespace

GridReadResult readGridText(const std::string& path, std::string_view mainText, GridInput& grid,
                            const GridStageCallback& onStage)
{
    mainText = grdecl::withoutByteOrderMark(mainText);
    SectionPlace coord{mainText, findKeyword(mainText, kCoord), path};
    // ZCORN normally follows COORD: look there first, so the COORD numbers are not searched twice.
    SectionPlace zcorn{mainText, findKeyword(mainText, kZcorn, coord.found() ? coord.keyword : 0), path};
    if (!zcorn.found() && coord.found()) zcorn.keyword = findKeyword(mainText.substr(0, coord.keyword), kZcorn);

    // Include layout: the sections the main text lacks come from the files it includes, in whatever order they
    // are named. Reading stops once both sections are found, so a missing file that is only listed after them
    // (an ACTNUM file, say) does not matter; a missing file matters when a section is still lacking at the end.
    bool includeLayout = false;
    std::list<FileText> includedTexts;  // only the texts that hold a section; a list keeps their addresses
    std::string unreadable;
    if (!coord.found() || !zcorn.found()) {
        const std::vector<std::string> names = includedNames(mainText);
        includeLayout = !names.empty();
        for (const std::string& name : names) {
            if (coord.found() && zcorn.found()) break;
            const fs::path file = resolveIncluded(path, name);
            FileText file_text;
            if (!readWholeFile(file, file_text)) {
                if (unreadable.empty()) unreadable = file.string();
                continue;
            }
            const std::string_view text = grdecl::withoutByteOrderMark(file_text.view());
            const std::size_t coordAt = coord.found() ? npos : findKeyword(text, kCoord);
            const std::size_t zcornAt = zcorn.found() ? npos : findKeyword(text, kZcorn);
            if (coordAt == npos && zcornAt == npos) continue;
            const std::string_view held =
                grdecl::withoutByteOrderMark(includedTexts.emplace_back(std::move(file_text)).view());
            if (coordAt != npos) coord = {held, coordAt, file.string()};
            if (zcornAt != npos) zcorn = {held, zcornAt, file.string()};
        }
        if (!unreadable.empty() && (!coord.found() || !zcorn.found())) {
            return failure(GridReadOutcome::MissingInclude, includeLayout,
                           "Cannot read the included file " + unreadable + ".");
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

    // COORD: x, y as value / COORD_MULT, z as -value / COORD_MULT; six numbers per pillar.
    std::vector<double> points;
    std::vector<double> linesXY;
    {
        const std::string_view body = coord.body(kCoord);
        const std::size_t estimate = reserveFor(body);
        points.reserve(estimate);
        linesXY.reserve(estimate / 3 * 2 + 2);
        int axis = 0;  // 0 x, 1 y, 2 z
        auto take = [&](double v) {
            if (axis == 2) {
                points.push_back(-(v / kCoordMult));
                axis = 0;
            } else {
                const double scaled = v / kCoordMult;
                points.push_back(scaled);
                linesXY.push_back(scaled);
                ++axis;
            }
        };
        const grdecl::ScanSummary summary = grdecl::scanNumbers(body, take, [&](std::uint64_t n, double v) {
            for (std::uint64_t i = 0; i < n; ++i) take(v);
        });
        if (summary.end == grdecl::ScanEnd::TooMany) {
            return failure(GridReadOutcome::NotAGrid, includeLayout, tooManyMessage(kCoord, coord.file));
        }
    }
    stage(GridReadStage::CoordRead);

    // ZCORN: the depths, each -value / COORD_MULT, with every n*v expanded as it is scanned. The numbers as
    // written are not kept: nothing reads them after the expansion, and holding them would cost another
    // 8 bytes per corner at the peak of the load. Without a ZCORN section the depths stay empty and the geometry
    // builder refuses the grid.
    std::vector<double> depths;
    stage(GridReadStage::ZcornCut);
    stage(GridReadStage::StarsReplaced);
    if (zcorn.found()) {
        const std::string_view body = zcorn.body(kZcorn);
        depths.reserve(reserveFor(body));
        const grdecl::ScanSummary summary = grdecl::scanNumbers(
            body, [&](double v) { depths.push_back(-(v / kCoordMult)); },
            [&](std::uint64_t n, double v) { depths.insert(depths.end(), n, -(v / kCoordMult)); });
        if (summary.end == grdecl::ScanEnd::TooMany) {
            return failure(GridReadOutcome::NotAGrid, includeLayout, tooManyMessage(kZcorn, zcorn.file));
        }
    }
    stage(GridReadStage::ZcornScanned);
    stage(GridReadStage::ZcornExpanded);

    grid.points_coords = std::move(points);
    grid.grid_lines_xy = std::move(linesXY);
    grid.ZCORN_stars.clear();
    grid.ZCORN_stars.shrink_to_fit();
    grid.ZCORN = std::move(depths);
    GridReadResult result;
    result.outcome = GridReadOutcome::Read;
    result.includeLayout = includeLayout;
    return result;
}

GridReadResult readGridFile(const std::string& path, GridInput& grid, const GridStageCallback& onStage)
{
    FileText text;
    if (!readWholeFile(fs::path(path), text)) {
        return failure(GridReadOutcome::NotAGrid, false, "Cannot read the file " + path + ".");
    }
    return readGridText(path, text.view(), grid, onStage);
}

}  // namespace morvane
