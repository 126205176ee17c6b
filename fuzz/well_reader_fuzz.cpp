// Fuzzes the deviation-file reader and the well geometry built from what it reads: parsing any bytes, choosing
// columns (the preselection and positions taken from the input), the trajectory, and the split of that trajectory
// against no grid and against a small grid with a sloping top. Everything read is finite, chosen columns exist in
// every row used, the parts hold whole vertices, and every run starts inside its part, in increasing order.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "io/text_codec.h"
#include "io/well_reader.h"
#include "scene/well_geometry.h"

namespace {

using namespace morvane;

// Two cells of 50 m along x, top from 1000 m to 1100 m deep, 100 m thick, bottom face shifted (inclined pillars).
const Grid& smallGrid()
{
    static const Grid grid = [] {
        Grid g;
        g.loaded = true;
        g.rows = 1;
        g.columns = 2;
        g.layers = 1;
        g.extent.zMax = -1.0f;
        g.extent.zMin = -1.2f;
        Vertices layer;
        for (int t = 0; t < 2; ++t)
            for (int c = 0; c < 2; ++c)
                for (int corner = 0; corner < 4; ++corner) {
                    const float x = 0.05f * static_cast<float>(c + corner % 2) + 0.01f * static_cast<float>(t);
                    const float y = 0.05f * static_cast<float>(corner / 2);
                    layer.insert(layer.end(), {x, y, -1.0f - x - 0.1f * static_cast<float>(t), 1, 1, 1});
                }
        g.layerVertices.push_back(layer);
        return g;
    }();
    return grid;
}

void checkParts(const WellParts& parts)
{
    for (const auto* part : {&parts.shown, &parts.hidden}) {
        FUZZ_CHECK(part->size() % 6 == 0);
        for (float v : *part) FUZZ_CHECK(std::isfinite(v));
    }
    FUZZ_CHECK(!parts.shown.empty());
    for (const auto& [runs, part] : {std::pair{&parts.shownRuns, &parts.shown}, {&parts.hiddenRuns, &parts.hidden}}) {
        int previous = -1;
        for (int first : *runs) {
            FUZZ_CHECK(first > previous);
            FUZZ_CHECK(static_cast<std::size_t>(first) < part->size() / 6);
            previous = first;
        }
        FUZZ_CHECK(part->empty() || (!runs->empty() && runs->front() == 0));
    }
    FUZZ_CHECK(std::isfinite(parts.projLength) && parts.projLength >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = decodeUserText(std::string_view(reinterpret_cast<const char*>(data), size));
    (void)looksLikeWellText(text);
    const WellFile file = parseWellFile(text);
    for (const auto& row : file.rows) {
        // Every word has its place: a number, or NaN with the word kept (up to a bound) to say why.
        std::size_t notNumbers = 0;
        for (float v : row.values) {
            FUZZ_CHECK(std::isfinite(v) || std::isnan(v));
            notNumbers += std::isnan(v) ? 1 : 0;
        }
        FUZZ_CHECK(row.unreadable.size() <= notNumbers);
        for (const WellWord& w : row.unreadable)
            FUZZ_CHECK(w.column < row.values.size() && std::isnan(row.values[w.column]));
    }
    FUZZ_CHECK(file.hasHeader || (file.columns.empty() && file.rows.empty()));

    const WellColumns preselected = preselectedColumns(file.columns);
    FUZZ_CHECK(preselected.highest() < static_cast<int>(file.columns.size()));
    // Columns the user might choose: the preselection, and positions taken from the first bytes.
    WellColumns chosen = preselected;
    if (size >= 4) chosen = WellColumns{data[0] % 12, data[1] % 12, data[2] % 12, data[3] % 12};
    for (const WellColumns& columns : {preselected, chosen}) {
        const WellReport report = loadWell(file, columns, WellConfirmation::Ok, "en", "fuzz.dev");
        FUZZ_CHECK(report.accepted == (!report.trajectory.empty()));
        // Every data line is a point or is counted as not used; and a line not used is said.
        FUZZ_CHECK(!report.accepted ||
                   report.trajectory.size() + static_cast<std::size_t>(report.skippedRows) == file.rows.size());
        FUZZ_CHECK(report.skippedRows == 0 || report.lines.size() >= 2);
        if (!report.accepted) continue;
        FUZZ_CHECK(!file.name.empty() && columns.complete());
        for (const auto& point : report.trajectory) {
            FUZZ_CHECK(point.size() == 4);
            for (float v : point) FUZZ_CHECK(std::isfinite(v));
        }
        (void)footprintWarning(report.name, report.trajectory, smallGrid().extent, "ru", "fuzz.dev");

        static const ModelSurfaceCorners corners(smallGrid());
        const WellBounds free = wellVerticalBounds(report.trajectory, Grid{}, nullptr);
        checkParts(splitWell(report.trajectory, free, {0, 0, 0}));
        const WellBounds cut = wellVerticalBounds(report.trajectory, smallGrid(), &corners);
        FUZZ_CHECK(std::isfinite(cut.upper) && std::isfinite(cut.lower));
        checkParts(splitWell(report.trajectory, cut, {1, 0, 0}));
    }
    return 0;
}
