// The checks that keep a damaged or oversized deck from costing more than it can hold: the values a section may hold
// (what the declared layout needs, or what the memory takes without it), the sections against the declared counts,
// the memory a declared grid needs against what is available, and the size of the files against what it can fill.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "io/grdecl_scan.h"
#include "io/grid_reader_deck.h"
#include "io/memory_budget.h"

namespace morvane::grid_deck {
namespace {

// Grids whose import needs less than this are not weighed against the memory available.
constexpr std::uint64_t kSmallImport = std::uint64_t{64} << 20;

constexpr TextPair kTooManyValues{"The {} section of {} (line {}) expands to more than {} values.",
                                  "Раздел {} файла {} (строка {}) разворачивается более чем в {} значений."};
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

}  // namespace

// The values the section of `keyword` holds under the declared counts: 6 per pillar for COORD, 8 per cell for
// ZCORN, one per cell for ACTNUM; 0 without counts.
std::size_t DeckReader::expectedValues(std::string_view keyword) const
{
    if (!haveDims_) return 0;
    const auto nx = static_cast<std::size_t>(dims_[0]), ny = static_cast<std::size_t>(dims_[1]),
               nz = static_cast<std::size_t>(dims_[2]);
    return keyword == kCoord ? 6 * (nx + 1) * (ny + 1) : keyword == kZcorn ? 8 * nx * ny * nz : nx * ny * nz;
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

// A section holding more values than its bound: refused with the counts it holds against those the layout needs,
// or, without declared counts, against what the memory takes.
Walk DeckReader::tooManyValues(std::size_t s, std::string_view keyword, std::size_t at, std::string_view body,
                               const grdecl::ScanSummary& summary, std::size_t bound)
{
    const Source& source = sources_[s];
    // The keyword's line is counted only when a message needs it: counting is a pass over the text.
    const auto line = [&] { return lineOf(source.text, at); };
    if (!haveDims_) {
        if (bound < grdecl::kMaxSectionValues)
            return fail(GridReadOutcome::Refused,
                        fillIn(kNeedsMemoryUndeclared, {keyword, source.file, number(line()), memoryText(*memory_)}));
        return fail(GridReadOutcome::NotAGrid,
                    fillIn(kTooManyValues, {keyword, source.file, number(line()), number(bound)}));
    }
    // More than the layout needs: the rest is counted, not kept, for the message.
    const std::size_t expected = bound;
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

// What the declared grid needs, against what there is, before anything of it is allocated; and the files read so
// far against what such a grid can fill.
Walk DeckReader::declaredGridFits(std::size_t s, std::string_view keyword)
{
    const std::uint64_t cells = std::uint64_t(dims_[0]) * std::uint64_t(dims_[1]) * std::uint64_t(dims_[2]);
    const std::uint64_t pillars = std::uint64_t(dims_[0] + 1) * std::uint64_t(dims_[1] + 1);
    const std::uint64_t need = gridImportNeed(cells, pillars, mappedBytes_);
    if (need > kSmallImport) {
        memory_ = availableMemory().value_or(std::numeric_limits<std::uint64_t>::max());
        if (need > *memory_)
            return fail(GridReadOutcome::Refused,
                        fillIn(kNeedsMemory, {path_, std::string(keyword) + " " + countsText(dims_), sources_[s].file,
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

// The sections of a deck read to its end against the declared counts, or COORD against whole pillars without them:
// the refusal's message when they do not fit.
std::optional<LocalMessage> DeckReader::sectionsAgainstCounts()
{
    const std::string coordFile = placeFile(coord_);
    const std::string zcornFile = placeFile(zcorn_);
    const std::size_t coordValues = points_.size();
    if (haveDims_) {
        const std::size_t pillars = static_cast<std::size_t>(dims_[0] + 1) * static_cast<std::size_t>(dims_[1] + 1);
        const std::size_t cells = static_cast<std::size_t>(dims_[0]) * dims_[1] * dims_[2];
        const std::string dims = countsText(dims_), countsFile = placeFile(counts_);
        if (coordValues != 6 * pillars)
            return fillIn(kCoordAgainstSpecgrid,
                          {coordFile, number(lineAt(coord_)), number(coordValues), dims, countsFile,
                           number(6 * pillars), number(dims_[0] + 1), number(dims_[1] + 1)});
        if (depths_.size() != 8 * cells)
            return fillIn(kZcornAgainstSpecgrid, {zcornFile, number(lineAt(zcorn_)), number(depths_.size()), dims,
                                                  countsFile, number(8 * cells), number(cells)});
        if (actnumValues_.size() != cells && actnumValues_.size() > 0)
            return fillIn(kActnumAgainstSpecgrid, {placeFile(actnum_), number(lineAt(actnum_)),
                                                   number(actnumValues_.size()), dims, countsFile, number(cells)});
        if (actnumValues_.empty() && actnum_.found())
            return fillIn(kActnumAgainstSpecgrid,
                          {placeFile(actnum_), number(lineAt(actnum_)), "0", dims, countsFile, number(cells)});
    } else if (coordValues % 6 != 0) {
        const std::size_t whole = coordValues / 6 * 6;
        return fillIn(kCoordWholePillars,
                      {coordFile, number(lineAt(coord_)), number(coordValues), number(whole), number(whole + 6)});
    }
    return std::nullopt;
}

}  // namespace morvane::grid_deck
