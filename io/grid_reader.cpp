// The entries of the grid reader and the run of one deck; the reader's parts are listed in grid_reader_deck.h.
#include "io/grid_reader.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "io/file_text.h"
#include "io/grdecl_scan.h"
#include "io/grid_reader_deck.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using grid_deck::kCoordMult;

constexpr TextPair kCannotReadFile{"Cannot read the file {}.", "Не удалось прочитать файл {}."};
constexpr TextPair kChangedWhileRead{
    "The file {} changed, or could not be read from its disk, while it was being read.",
    "Файл {} изменился или не читался с диска, пока его читали."};

}  // namespace

namespace grid_deck {

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

void DeckReader::stage(GridReadStage last)
{
    const bool includeLayout =
        sawInclude_ && ((coord_.found() && coord_.source != 0) || (zcorn_.found() && zcorn_.source != 0));
    for (; stagesDone_ <= static_cast<int>(last); ++stagesDone_)
        if (onStage_) onStage_(static_cast<GridReadStage>(stagesDone_), includeLayout);
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

}  // namespace grid_deck

namespace {

GridReadResult readDeck(const std::string& path, std::string_view mainText, const GridStageCallback& onStage,
                        std::uint64_t mappedBytes)
{
    return grid_deck::DeckReader(path, grdecl::withoutByteOrderMark(mainText), onStage, mappedBytes).read();
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
