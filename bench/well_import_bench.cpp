// The well import on two grids of 1 M cells, the reference grid (200 x 100 x 50) and one of a single 100 m layer
// (1000 x 1000 x 1, whose top and bottom faces hold 4 M corners each): 200 deviation files of 300 stations each, in the
// layout of real exports (11 columns, CRLF, coordinates in the millions), imported with the column preselection as
// the command line does. Reported: the time per well, the share of it spent on the vertical bounds (building the
// corner index once and searching it for every station inside the model), the ratio to a bare read of the same
// files (whole file read plus std::from_chars over every number), the reader's own share, and the well uploads on
// an offscreen GL context. For comparison, the bounds of a few wells found by walking every corner.
//
// Usage: bench_well_import [--repeats N]   (timed runs, the best is reported; default 3)
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "commands/well_import_command.h"
#include "io/text_codec.h"
#include "io/well_reader.h"
#include "render/offscreen_renderer.h"
#include "render/scene_renderer.h"
#include "scene/grid_geometry.h"
#include "scene/well_geometry.h"

namespace {

namespace fs = std::filesystem;
namespace bench = morvane::bench;
using namespace morvane;

constexpr int kWells = 200;
constexpr int kStations = 300;

void putGrid(ModelState& s, const gen::GridOptions& o)
{
    const std::vector<double> coords = gen::pillarCoords(o);
    const std::vector<double> depths = gen::cornerDepths(o);
    for (std::size_t p = 0; p + 5 < coords.size(); p += 6) {
        s.document.grid.input.pillars.insert(s.document.grid.input.pillars.end(),
                                             {coords[p] / 1000, coords[p + 1] / 1000, -coords[p + 2] / 1000,
                                              coords[p + 3] / 1000, coords[p + 4] / 1000, -coords[p + 5] / 1000});
        s.document.grid.input.pillarXY.insert(
            s.document.grid.input.pillarXY.end(),
            {coords[p] / 1000, coords[p + 1] / 1000, coords[p + 3] / 1000, coords[p + 4] / 1000});
    }
    s.document.grid.input.cornerDepths.reserve(depths.size());
    for (double d : depths) s.document.grid.input.cornerDepths.push_back(-d / 1000);
}

// No file dialog, no message boxes: the benchmark's files all load.
class NoPrompts final : public UserPrompts {
public:
    std::string openFileName(const std::string&, const std::string&) override { return {}; }
    void information(const std::string&, const std::string&) override {}
};

void forgetWells(ModelState& s)
{
    static_cast<Wells&>(s) = Wells{};
    s.document.wells = WellSet{};
}

// The corner a walk over every corner in order keeps, as the bounds need it: (top z, bottom z) of the nearest.
std::pair<float, float> walkNearest(const Grid& g, float x, float y)
{
    const std::size_t half = 4 * static_cast<std::size_t>(g.rows) * static_cast<std::size_t>(g.columns);
    const Vertices& top = g.layerVertices.front();
    const Vertices& bottom = g.layerVertices.back();
    double bestTop = 1e12, bestBottom = 1e12;
    float topZ = 0, bottomZ = 0;
    for (std::size_t m = 0; m < half; ++m) {
        const double tx = top[6 * m] - x, ty = top[6 * m + 1] - y;
        const double bx = bottom[6 * (half + m)] - x, by = bottom[6 * (half + m) + 1] - y;
        if (tx * tx + ty * ty < bestTop) bestTop = tx * tx + ty * ty, topZ = top[6 * m + 2];
        if (bx * bx + by * by < bestBottom) bestBottom = bx * bx + by * by, bottomZ = bottom[6 * (half + m) + 2];
    }
    return {topZ, bottomZ};
}

// The bounds of one trajectory with the walk (the same rule as wellVerticalBounds); counts the searches.
WellBounds walkBounds(const std::vector<std::vector<float>>& points, const Grid& g, int& searches)
{
    WellBounds b{1000.0f * g.extent.zMax, 1000.0f * g.extent.zMin};
    for (const auto& p : points) {
        if (!(p[3] > b.lower && p[3] < b.upper)) continue;
        ++searches;
        const auto [top, bottom] = walkNearest(g, p[1] / 1000, p[2] / 1000);
        b.upper = 1000.0f * top;
        b.lower = 1000.0f * bottom;
    }
    b.upper += Constants::WELL_CUT_SHIFT;
    b.lower -= Constants::WELL_CUT_SHIFT;
    return b;
}

// One grid: its files, the timings, the report.
int run(const gen::GridOptions& grid, const bench::Arguments& args)
{
    const fs::path folder = bench::scratchFolder("well_import");
    std::vector<std::string> files;
    std::size_t bytes = 0;
    for (gen::WellOptions w : gen::wellsForGrid(grid, kWells)) {
        w.step = w.totalDepth / (kStations - 1);
        w.gridNorthColumn = true;
        w.ruleIndent = 2;
        w.lineEnd = gen::LineEnd::CRLF;
        files.push_back(gen::writeWellFile(w, folder / (w.name + ".dev")).string());
        bytes += fs::file_size(files.back());
    }

    auto state = std::make_unique<ModelState>();
    ModelState& s = *state;
    putGrid(s, grid);
    const GridBuildReport built = buildGrid(s);
    if (!built.built()) {
        std::fprintf(stderr, "the grid was not built: %s\n", built.message.c_str());
        return 1;
    }
    std::printf("grid %d x %d x %d = %d cells, %zu corners per face; %d wells of %d stations, %.1f MB of files\n",
                s.document.grid.columns, s.document.grid.rows, s.document.grid.layers, s.document.grid.cellCount,
                static_cast<std::size_t>(4) * s.document.grid.rows * s.document.grid.columns, kWells, kStations,
                static_cast<double>(bytes) / 1e6);

    double bare = 1e300, reader = 1e300, import = 1e300, index = 1e300, bounds = 1e300;
    std::vector<double> values;
    std::vector<std::vector<std::vector<float>>> trajectories;
    SilentFeedback quiet;
    NoPrompts none;
    PreselectedWellColumns preselected(none);
    NoWellImportWindow window;
    for (int r = 0; r < args.repeats; ++r) {
        bare = std::min(bare, bench::seconds([&] {
                            for (const std::string& f : files) bench::baselineScan(bench::readWhole(f).view(), values);
                        }));
        trajectories.clear();
        reader =
            std::min(reader, bench::seconds([&] {
                         for (const std::string& f : files) {
                             const WellFile file = parseWellFile(decodeUserText(bench::readWhole(f).view()));
                             trajectories.push_back(
                                 loadWell(file, preselectedColumns(file.columns), WellConfirmation::Ok).trajectory);
                         }
                     }));

        // The command as the command line runs it, on a view without GL: reading, the geometry, every list.
        forgetWells(s);
        SceneRenderer view(s, nullptr, nullptr, nullptr);
        import = std::min(import, bench::seconds([&] {
            const WellImportResult result = importWellFiles({s, quiet, view, window, preselected}, files);
        if (result.loaded != kWells) std::fprintf(stderr, "only %d wells loaded\n", result.loaded);
    }));

    // The bounds alone: the corner index once, then every well's bounds.
    std::unique_ptr<ModelSurfaceCorners> corners;
    index = std::min(index, bench::seconds([&] { corners = std::make_unique<ModelSurfaceCorners>(s.document.grid); }));
    bounds = std::min(bounds, bench::seconds([&] {
                          for (const auto& t : trajectories)
                              (void)wellVerticalBounds(t, s.document.grid, corners.get());
                      }));
}

// Uploads on an offscreen context: each well's import uploads every well loaded so far.
std::string error;
forgetWells(s);
double withGl = 0;
if (auto gl = OffscreenRenderer::create(s, 256, 256, &error))
    withGl = bench::seconds([&] { importWellFiles({s, quiet, *gl, window, preselected}, files); });

// The walk over every corner, for a few wells, with the same bounds as the index gives.
const int walked = 3;
int searches = 0;
std::vector<WellBounds> walkedBounds;
const double walk = bench::seconds([&] {
    for (int w = 0; w < walked; ++w)
        walkedBounds.push_back(walkBounds(trajectories[static_cast<std::size_t>(w)], s.document.grid, searches));
});
const ModelSurfaceCorners corners(s.document.grid);
for (int w = 0; w < walked; ++w) {
    const WellBounds b = wellVerticalBounds(trajectories[static_cast<std::size_t>(w)], s.document.grid, &corners);
    const WellBounds& a = walkedBounds[static_cast<std::size_t>(w)];
    if (a.upper != b.upper || a.lower != b.lower) std::fprintf(stderr, "well %d: the bounds differ\n", w);
}

std::printf("bare read (file + from_chars of every number): %.3f s, %.3f ms per well\n", bare, 1e3 * bare / kWells);
std::printf("reader (file, decoding, parse, columns):       %.3f s, %.3f ms per well\n", reader, 1e3 * reader / kWells);
std::printf("import without GL:                             %.3f s, %.3f ms per well\n", import, 1e3 * import / kWells);
std::printf("  corner index (once per grid) %.4f s + bounds of all wells %.4f s = %.1f %% of the import\n", index,
            bounds, 100.0 * (index + bounds) / import);
std::printf("  ratio import / bare read: %.2f; reader / bare read: %.2f\n", import / bare, reader / bare);
if (withGl > 0)
    std::printf("import with uploads on an offscreen context: %.3f s (uploads about %.3f s)\n", withGl,
                withGl - import);
else
    std::printf("no offscreen context (%s): uploads not measured\n", error.c_str());
std::printf("walk over every corner instead: %d wells, %d searches, %.3f s, about %.1f s for %d wells\n", walked,
            searches, walk, walk / walked * kWells, kWells);
std::printf("peak RSS %.0f MB\n\n", static_cast<double>(bench::peakRssBytes()) / 1e6);
fs::remove_all(folder);
return 0;
}  // namespace

}  // namespace

int main(int argc, char** argv)
{
    bench::Arguments args;
    if (!bench::parseArguments(argc, argv, args)) return 2;
    gen::GridOptions thin = bench::referenceGrid("THIN", 1000, 1000, 1);
    thin.layerThickness = 100;
    for (const gen::GridOptions& grid : {bench::referenceGrid("WELLS", 200, 100, 50), thin})
        if (const int status = run(grid, args); status != 0) return status;
    return 0;
}
