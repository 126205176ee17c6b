// Fuzzes the GRDECL scanning and the grid reader with arbitrary text, then builds whatever the reader produced.
//
// Every scan goes to pieces: one to seven per text, their size and whether a second thread takes part varying with
// the input, so the joins of pieces meet every kind of boundary; the scan in pieces must equal the scan in one go.
//
// Included names resolve against a folder that does not exist, so include layouts are exercised (and end as
// missing files) without writing anything. Texts whose repeat counts would expand to millions of values
// are scanned with a small bound only: the reader's own bound (64 Mi values) is correct but far too slow per run.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_state.h"
#include "io/grdecl_scan.h"
#include "io/grid_reader.h"
#include "io/parallel_scan.h"
#include "scene/grid_geometry.h"
#include "scene/grid_indices.h"

namespace {

using namespace morvane;

constexpr std::size_t kSmallBound = 4096;
constexpr std::size_t kBuildBound = 1 << 16;  // values the reader may produce before the grid is built

// True when some n*v in the text has a count of more than kSmallBound (or one too long to tell).
bool hasHugeRepeat(std::string_view text)
{
    for (std::size_t star = text.find('*'); star != std::string_view::npos; star = text.find('*', star + 1)) {
        std::size_t digits = 0;
        std::uint64_t count = 0;
        for (std::size_t i = star; i > 0 && text[i - 1] >= '0' && text[i - 1] <= '9'; --i) ++digits;
        if (digits > 9) return true;
        for (std::size_t i = star - digits; i < star; ++i) count = count * 10 + std::uint64_t(text[i] - '0');
        if (count > kSmallBound) return true;
    }
    return false;
}

// The scanning helpers on their own, with invariants that hold for any text.
void scanHelpers(std::string_view text)
{
    // A section's end is its first "/" outside comments.
    const std::size_t end = grdecl::sectionEnd(text, 0);
    if (end != std::string_view::npos) FUZZ_CHECK(end < text.size() && text[end] == '/');
    const std::string_view word = grdecl::keywordAtLineStart(text, 0);
    if (!word.empty()) {
        FUZZ_CHECK(word.data() >= text.data() && word.data() + word.size() <= text.data() + text.size());
        FUZZ_CHECK(word.front() >= 'A' && word.front() <= 'Z');
    }
    for (std::string_view keyword : {"COORD", "ZCORN", "INCLUDE", "SPECGRID"}) {
        const std::size_t at = grdecl::findKeyword(text, keyword);
        if (at != std::string_view::npos) {
            FUZZ_CHECK(at + keyword.size() <= text.size());
            FUZZ_CHECK(text.substr(at, keyword.size()) == keyword);
            const auto section = grdecl::cutSection(text, keyword);
            FUZZ_CHECK(section.has_value());
            FUZZ_CHECK(section->data() == text.data() + at + keyword.size());
            FUZZ_CHECK(section->data() + section->size() <= text.data() + text.size());
        } else {
            FUZZ_CHECK(!grdecl::cutSection(text, keyword).has_value());
        }
    }

    std::vector<double> values;
    const grdecl::ScanSummary summary = grdecl::scanExpanded(text, values, kSmallBound);
    FUZZ_CHECK(summary.values == values.size());
    FUZZ_CHECK(values.size() <= kSmallBound);
    FUZZ_CHECK(summary.stop <= text.size());
    if (summary.end == grdecl::ScanEnd::Terminator) FUZZ_CHECK(text[summary.stop] == '/');

    std::vector<double> pieces;
    const grdecl::ScanSummary inPieces = grdecl::scanConverted(
        text, pieces, [](double v) { return v; }, kSmallBound);
    FUZZ_CHECK(inPieces.end == summary.end && inPieces.stop == summary.stop);
    FUZZ_CHECK(inPieces.values == summary.values && inPieces.entries == summary.entries);
    FUZZ_CHECK(pieces.size() == values.size());
    for (std::size_t n = 0; n < values.size(); ++n)  // bit for bit: -0 and 0 differ
        FUZZ_CHECK(std::memcmp(&pieces[n], &values[n], sizeof(double)) == 0);
}

// Whether `name` stands in the text once, as any part of any word: the helpers and the reader then look at the
// same place (the helpers find a word anywhere but not glued to a "/", the reader only where a keyword can start).
bool once(std::string_view text, std::string_view name)
{
    const std::size_t first = text.find(name);
    return first != std::string_view::npos && text.find(name, first + 1) == std::string_view::npos;
}

// A direct layout's numbers are the sections' numbers as the scanning helpers cut and expand them: x and y over
// 1000, z and depths negated. Only a text with one COORD and one ZCORN is compared.
void compareWithHelpers(std::string_view text, const CornerPointInput& grid)
{
    if (!once(text, "COORD") || !once(text, "ZCORN")) return;
    const auto coord = grdecl::cutSection(text, "COORD");
    if (!coord) return;
    std::vector<double> values;
    grdecl::scanExpanded(*coord, values);
    FUZZ_CHECK(values.size() == grid.pillars.size());
    for (std::size_t n = 0; n < values.size(); ++n)
        FUZZ_CHECK(grid.pillars[n] == (n % 3 == 2 ? -(values[n] / 1000) : values[n] / 1000));

    const auto zcorn = grdecl::cutSection(text, "ZCORN");
    if (!zcorn) return;
    values.clear();
    grdecl::scanExpanded(*zcorn, values);
    FUZZ_CHECK(values.size() == grid.cornerDepths.size());
    for (std::size_t n = 0; n < values.size(); ++n) FUZZ_CHECK(grid.cornerDepths[n] == -(values[n] / 1000));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    grdecl::setPieceRule({0, size / (1 + size % 7) + 1 + size % 5, size % 64 == 0 ? 2u : 1u});
    scanHelpers(text);
    if (hasHugeRepeat(text)) return 0;

    static const std::string path = "/tmp/morvane-fuzz-absent-folder-a7f3/main.GRDECL";
    GridReadResult result = readGridText(path, text);
    const CornerPointInput& input = result.grid;
    if (result.outcome != GridReadOutcome::Read) {
        // A failed read gives back no part of a grid, and says why.
        FUZZ_CHECK(input.pillars.empty() && input.cornerDepths.empty() && input.actnum.empty());
        FUZZ_CHECK(!result.message.empty());
        return 0;
    }
    const std::size_t coords = input.pillars.size();
    FUZZ_CHECK(input.pillarXY.size() == coords / 3 * 2 + std::min<std::size_t>(coords % 3, 2));
    // What is read fits together: whole pillars, and with SPECGRID exactly its counts.
    FUZZ_CHECK(coords % 6 == 0);
    const auto& counts = input.declaredSize;
    if (counts[0] > 0) {
        FUZZ_CHECK(coords == 6 * std::size_t(counts[0] + 1) * std::size_t(counts[1] + 1));
        const std::size_t cells = std::size_t(counts[0]) * std::size_t(counts[1]) * std::size_t(counts[2]);
        FUZZ_CHECK(input.cornerDepths.size() == 8 * cells);
        FUZZ_CHECK(input.actnum.empty() || input.actnum.size() == cells);
    }
    for (std::uint8_t flag : input.actnum) FUZZ_CHECK(flag <= 1);
    // The reader passes over a byte order mark at the start; so must the comparison.
    // A read that warned may have ended a section at a keyword line or the end of the text instead of its "/".
    if (!result.includeLayout && !input.mapAxesApplied && result.warnings.empty())
        compareWithHelpers(grdecl::withoutByteOrderMark(text), input);
    if (input.pillars.size() > kBuildBound || input.cornerDepths.size() > kBuildBound) return 0;

    ModelState& state = fuzz::freshState();
    state.document.grid.input = std::move(result.grid);
    const GridBuildReport report = buildGrid(state);
    const Grid& grid = state.document.grid;
    if (report.built()) {
        FUZZ_CHECK(grid.layerVertices.size() == static_cast<std::size_t>(grid.layers));
        for (const Vertices& layer : grid.layerVertices)
            FUZZ_CHECK(layer.size() == static_cast<std::size_t>(grid.surfaceVertices) * 2 * 6);
        for (bool showInactive : {false, true}) {
            const bool indexed = buildGridIndices(grid, state, state, showInactive);
            FUZZ_CHECK(indexed);
            const auto vertices = static_cast<long long>(grid.surfaceVertices) * 2;
            for (const Indices* list : {&state.grid_indices, &state.cell_indices, &state.grid_indices_edge,
                                        &state.cell_indices_edge, &state.OWC_indices})
                for (int index : *list) FUZZ_CHECK(index >= 0 && index < vertices);
        }
    }
    return 0;
}
