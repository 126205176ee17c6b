// The whole grid import on generated models of 1 M cells (200 x 100 x 50) and 4 M cells (200 x 200 x 100): file
// read, parse, layout and corner vertices, index lists and the placeholder colouring, then one recolour by a
// continuous property. Each stage's time, the ratio of the whole import to a bare std::from_chars pass over the same
// text, the recolour next to a bare copy of the vertex arrays, and the peak resident memory per cell.
//
// Then the general path against the regular one: a 4 M-cell grid as real exports write it (turned by 28 degrees,
// irregular spacing, inclined pillars, 40 % inactive cells, local coordinates under MAPAXES, laid out by SPECGRID)
// next to the regular 4 M-cell grid of the same size, in the same run.
//
// Goals: whole import within 2.5 x the baseline; a 1 M-cell recolour within a bare copy of grid_lines_k + 50 %; the
// general path's whole import within 1.3 x the regular one's.
//
// Each model runs in its own process, so its peak memory is its own. The first import is measured for memory; the
// times are the best of the runs.
//
// Usage: bench_grid_import [--small] [--general] [--repeats N]
//   --small      only the 1 M-cell model
//   --general    only the two 4 M-cell models of the comparison
//   --repeats N  timed runs, the best is reported (default 3)
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "commands/model_state.h"
#include "io/grid_reader.h"
#include "scene/grid_geometry.h"
#include "scene/grid_indices.h"
#include "scene/property_colouring.h"
#include "tools/generator/model_generator.h"

namespace {

namespace fs = std::filesystem;
namespace bench = morvane::bench;

struct Model {
    const char* label;
    morvane::gen::GridOptions options;
};

struct Times {
    double read = 1e300, parse = 1e300, geometry = 1e300, indices = 1e300, placeholder = 1e300, recolour = 1e300;
    double copyFresh = 1e300, copyInPlace = 1e300, baseline = 1e300;
    double import() const { return read + parse + geometry + indices; }
};

void keepBest(double& best, double value) { best = std::min(best, value); }

// Bytes held by the arrays the model keeps, per cell.
double heldBytesPerCell(const morvane::ModelState& s, std::size_t cells)
{
    auto bytes = [](const auto& v) { return double(v.capacity() * sizeof(v[0])); };
    double total = bytes(s.document.grid.input.pillars) + bytes(s.document.grid.input.pillarXY) +
                   bytes(s.document.grid.input.cornerDepths);
    total += bytes(s.document.grid.active) + bytes(s.cell_runs) + bytes(s.grid_indices) + bytes(s.cell_indices) +
             bytes(s.grid_indices_edge) + bytes(s.cell_indices_edge);
    for (const auto& layer : s.document.grid.layerVertices) total += bytes(layer);
    for (const auto& layer : s.cells_k) total += bytes(layer);
    for (const morvane::Property& p : s.document.properties.items) total += bytes(p.values) + bytes(p.codes);
    return total / double(cells);
}

// One import into `s`, as the import command runs it; adds each stage's time to `t`. False when a stage failed.
bool importOnce(const fs::path& path, morvane::ModelState& s, Times& t)
{
    morvane::FileText text;
    keepBest(t.read, bench::seconds([&] { text = bench::readWhole(path); }));
    morvane::GridReadResult read;
    keepBest(t.parse, bench::seconds([&] { read = morvane::readGridText(path.string(), text.view()); }));
    s.document.grid.input = std::move(read.grid);
    text = morvane::FileText();  // the text is not needed past the reader
    if (read.outcome != morvane::GridReadOutcome::Read) return false;

    morvane::GridBuildReport built;
    keepBest(t.geometry, bench::seconds([&] { built = morvane::buildGrid(s); }));
    if (!built.built()) return false;
    bool indexed = false;
    keepBest(t.indices, bench::seconds([&] { indexed = morvane::buildGridIndices(s.document.grid, s, s); }));

    // The bare grid, coloured as the import command does (first fill of the cell colours).
    bool coloured = false;
    keepBest(t.placeholder, bench::seconds([&] {
                 coloured = morvane::colourCells(s.document.grid, s.document.properties, nullptr, {}, s.cells_k);
             }));
    return indexed && coloured;
}

// Benchmarks one model; writes its best whole-import time to `result` for the comparison.
bool benchModel(const Model& m, const fs::path& folder, int repeats, const fs::path& result)
{
    const morvane::gen::GridOptions& o = m.options;
    const fs::path path = morvane::gen::writeGrid(o, folder).front();
    const std::size_t cells = std::size_t(o.nx) * o.ny * o.nz;

    morvane::gen::PropertyFileOptions po;
    po.nx = o.nx;
    po.ny = o.ny;
    po.nz = o.nz;
    const std::vector<double> porosity = morvane::gen::propertyValues(po, morvane::gen::defaultProperties().front());

    Times t;
    bool good = true;
    long peak = 0;
    double held = 0;
    Times first;
    for (int run = 0; run < repeats && good; ++run) {
        auto s = std::make_unique<morvane::ModelState>();
        good = importOnce(path, *s, t);
        if (run == 0) first = t;
        if (!good) break;

        // A recolour by a loaded continuous property (porosity): the cell colours are refilled in place.
        morvane::Property poro = morvane::makeContinuousProperty("PORO", morvane::PropertyKind::Porosity, porosity);
        poro.lowLimit = 0.05;
        poro.highLimit = 0.35;
        s->document.properties.add(std::move(poro));
        keepBest(t.recolour, bench::seconds([&] {
                     good = morvane::colourCells(s->document.grid, s->document.properties,
                                                 &s->document.properties.items[0], {}, s->cells_k);
                 }));
        if (run == 0) {
            peak = bench::peakRssBytes();
            held = heldBytesPerCell(*s, cells);
        }

        // The yardsticks: a bare copy of grid_lines_k into fresh vectors and into vectors already there.
        std::vector<morvane::Vertices> copy;
        keepBest(t.copyFresh, bench::seconds([&] { copy = s->document.grid.layerVertices; }));
        keepBest(t.copyInPlace, bench::seconds([&] {
                     for (std::size_t k = 0; k < s->document.grid.layerVertices.size(); ++k)
                         std::copy(s->document.grid.layerVertices[k].begin(), s->document.grid.layerVertices[k].end(),
                                   copy[k].begin());
                 }));
    }
    {
        const morvane::FileText text = bench::readWhole(path);
        for (int run = 0; run < repeats; ++run)
            keepBest(t.baseline, bench::seconds([&] {
                         std::vector<double> values;
                         values.reserve(text.size() / 4);
                         bench::baselineScan(text.view(), values);
                     }));
        std::printf("\n%s: %d x %d x %d = %zu cells, %.1f MB of text\n", m.label, o.nx, o.ny, o.nz, cells,
                    text.size() / 1e6);
    }
    fs::remove(path);
    if (!good) {
        std::printf("  ERROR: the import failed\n");
        return false;
    }

    // The first run allocates fresh memory as a real import does; later runs may reuse freed heap pages.
    std::printf("  stage                  first run   best of %d\n", repeats);
    std::printf("  read file              %8.3f s  %8.3f s\n", first.read, t.read);
    std::printf("  parse (grid reader)    %8.3f s  %8.3f s\n", first.parse, t.parse);
    std::printf("  layout and vertices    %8.3f s  %8.3f s\n", first.geometry, t.geometry);
    std::printf("  index lists            %8.3f s  %8.3f s\n", first.indices, t.indices);
    std::printf(
        "  whole import           %8.3f s  %8.3f s   baseline from_chars %.3f s   ratio %.2f / %.2f"
        " (goal <= 2.5)\n",
        first.import(), t.import(), t.baseline, first.import() / t.baseline, t.import() / t.baseline);
    std::printf(
        "  placeholder colouring  %8.3f s  %8.3f s   (first fill of cells_k; bare copy into fresh vectors"
        " %.3f s)\n",
        first.placeholder, t.placeholder, t.copyFresh);
    std::printf("  recolour (continuous)  %8.3f s   bare copy of grid_lines_k %.3f s   ratio %.2f (goal <= 1.5)\n",
                t.recolour, t.copyInPlace, t.recolour / t.copyInPlace);
    std::printf("  peak RSS               %8.1f B per cell (%.0f MB); arrays held after import %.1f B per cell\n",
                double(peak) / double(cells), double(peak) / 1e6, held);
    if (FILE* f = std::fopen(result.c_str(), "w")) {
        std::fprintf(f, "%.9f %.9f\n", t.import(), first.import());
        std::fclose(f);
    }
    return true;
}

// The best and the first whole-import time a model's process left, or nothing.
bool importTimes(const fs::path& result, double& best, double& first)
{
    FILE* f = std::fopen(result.c_str(), "r");
    if (!f) return false;
    const bool read = std::fscanf(f, "%lf %lf", &best, &first) == 2;
    std::fclose(f);
    return read;
}

}  // namespace

int main(int argc, char** argv)
{
    bench::Arguments args;
    if (!bench::parseArguments(argc, argv, args)) return 2;
    const fs::path folder = bench::scratchFolder("bench_grid_import");

    const Model models[] = {
        {"MODEL_1M", bench::referenceGrid("MODEL_1M", 200, 100, 50)},
        {"MODEL_4M", bench::referenceGrid("MODEL_4M", 200, 200, 100)},
        {"TURNED_4M", morvane::gen::asRealExport(bench::referenceGrid("TURNED_4M", 200, 200, 100))}};
    bool good = true;
    for (const Model& m : models) {
        const bool big = m.options.nz != 50;
        if ((args.small && big) || (args.general && !big)) continue;
        std::fflush(stdout);
        const pid_t child = ::fork();
        if (child == 0) {
            const bool ok = benchModel(m, folder, args.repeats, folder / (std::string(m.label) + ".times"));
            std::fflush(stdout);
            std::_Exit(ok ? 0 : 1);
        }
        int status = 0;
        if (child < 0 || ::waitpid(child, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            good = false;
    }
    double regularBest = 0, regularFirst = 0, generalBest = 0, generalFirst = 0;
    if (importTimes(folder / "MODEL_4M.times", regularBest, regularFirst) &&
        importTimes(folder / "TURNED_4M.times", generalBest, generalFirst)) {
        std::printf("\ngeneral path against the regular one, whole import of 4 M cells:\n");
        std::printf("  TURNED_4M %.3f s, MODEL_4M %.3f s: ratio %.2f best, %.2f first run (goal <= 1.3)\n", generalBest,
                    regularBest, generalBest / regularBest, generalFirst / regularFirst);
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
    return good ? 0 : 1;
}
