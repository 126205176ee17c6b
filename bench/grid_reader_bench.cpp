// Grid reader throughput on generated models of 1 M cells (200 x 100 x 50) and 4 M cells (200 x 200 x 100), next to
// a bare baseline that only converts every number of the same text with std::from_chars on one core. The reader
// scans long sections in pieces on both cores and should be at least 1.3 x faster than the baseline; the same reader
// on one thread (pieces off) is measured beside it.
//
// A third case, the 1 M-cell model with n*v runs in ZCORN, shows the cost of expanding repeats.
//
// Usage: bench_grid_reader [--small] [--repeats N]
//   --small      only the 1 M-cell models
//   --repeats N  timed runs per measurement, the best is reported (default 5)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "io/grid_reader.h"
#include "io/parallel_scan.h"
#include "tools/generator/model_generator.h"

namespace {

namespace fs = std::filesystem;
namespace bench = morvane::bench;
using Clock = std::chrono::steady_clock;

struct Model {
    const char* label;
    int nx, ny, nz;
    bool repeats;  // equal consecutive depths written as n*v, as many exports do
};

bool benchModel(const Model& m, const fs::path& folder, int repeats)
{
    morvane::gen::GridOptions o = bench::referenceGrid(m.label, m.nx, m.ny, m.nz);
    o.repeats = m.repeats;

    auto t0 = Clock::now();
    const fs::path path = morvane::gen::writeGrid(o, folder).front();
    const double genSeconds = std::chrono::duration<double>(Clock::now() - t0).count();
    const morvane::FileText text = bench::readWhole(path);
    const double mb = text.size() / 1e6;
    const std::size_t cells = static_cast<std::size_t>(m.nx) * m.ny * m.nz;
    std::printf("\n%s: %d x %d x %d = %zu cells%s, %.1f MB (written in %.1f s)\n", m.label, m.nx, m.ny, m.nz, cells,
                m.repeats ? " with n*v runs" : "", mb, genSeconds);

    // Like the reader, the baseline fills fresh memory on every run (reserved from the text size: a number with
    // its separator takes at least four characters in these files, so the vector never moves). The three
    // measurements take turns, so a busy machine slows them alike; the best run of each counts.
    std::size_t numbers = 0;
    morvane::GridReadResult result;
    bool good = true;
    double baseline = 1e300, reader = 1e300, readerFile = 1e300, oneThread = 1e300;
    const morvane::grdecl::PieceRule pieces = morvane::grdecl::pieceRule();
    morvane::grdecl::PieceRule noPieces = pieces;
    noPieces.parallelFrom = static_cast<std::size_t>(-1);
    auto readText = [&] {
        result = morvane::readGridText(path.string(), text.view());
        const morvane::CornerPointInput& grid = result.grid;
        good = good && result.outcome == morvane::GridReadOutcome::Read && grid.cornerDepths.size() == cells * 8 &&
               grid.pillars.size() == static_cast<std::size_t>(m.nx + 1) * (m.ny + 1) * 6;
    };
    for (int n = 0; n < repeats; ++n) {
        baseline = std::min(baseline, bench::seconds([&] {
                                std::vector<double> values;
                                values.reserve(text.size() / 4);
                                numbers = bench::baselineScan(text.view(), values);
                            }));
        reader = std::min(reader, bench::seconds(readText));
        morvane::grdecl::setPieceRule(noPieces);
        oneThread = std::min(oneThread, bench::seconds(readText));
        morvane::grdecl::setPieceRule(pieces);
        readerFile = std::min(readerFile, bench::seconds([&] {
                                  result = morvane::readGridFile(path.string());
                                  const morvane::CornerPointInput& grid = result.grid;
                                  good = good && result.outcome == morvane::GridReadOutcome::Read &&
                                         grid.cornerDepths.size() == cells * 8;
                              }));
    }

    std::printf("  baseline from_chars   %8.3f s  %8.1f MB/s  (%zu numbers)\n", baseline, mb / baseline, numbers);
    std::printf("  readGridText          %8.3f s  %8.1f MB/s  ratio to baseline %.2f (goal >= 1.3)\n", reader,
                mb / reader, baseline / reader);
    std::printf("  readGridText 1 thread %8.3f s  %8.1f MB/s  ratio to baseline %.2f\n", oneThread, mb / oneThread,
                baseline / oneThread);
    std::printf("  readGridFile          %8.3f s  %8.1f MB/s  ratio to baseline %.2f\n", readerFile, mb / readerFile,
                baseline / readerFile);
    std::printf("  peak RSS so far       %ld MB\n", bench::peakRssBytes() / (1024 * 1024));
    if (!good) std::printf("  ERROR: the reader did not read the model whole (%s)\n", result.message.en.c_str());
    fs::remove(path);
    return good;
}

}  // namespace

int main(int argc, char** argv)
{
    bench::Arguments args;
    args.repeats = 5;
    if (!bench::parseArguments(argc, argv, args)) return 2;
    const fs::path folder = bench::scratchFolder("bench_grid_reader");

    const Model models[] = {
        {"MODEL_1M", 200, 100, 50, false}, {"MODEL_4M", 200, 200, 100, false}, {"MODEL_1M_RUNS", 200, 100, 50, true}};
    bool good = true;
    for (const Model& m : models) {
        if (args.small && m.nz != 50) continue;  // the 1 M-cell models only
        good = benchModel(m, folder, args.repeats) && good;
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
    return good ? 0 : 1;
}
