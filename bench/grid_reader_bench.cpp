// Grid reader throughput on generated models of 1 M cells (200 x 100 x 50) and 4 M cells (200 x 200 x 100), next to
// a bare baseline that only converts every number of the same text with std::from_chars. The reader should reach at
// least 0.7 of the baseline's throughput.
//
// A third case, the 1 M-cell model with n*v runs in ZCORN, shows the cost of expanding repeats.
//
// Usage: bench_grid_reader [--small] [--repeats N]
//   --small      only the 1 M-cell models
//   --repeats N  timed runs per measurement, the best is reported (default 5)
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "grid_reader.h"
#include "model_generator.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Model {
    const char* label;
    int nx, ny, nz;
    bool repeats;  // equal consecutive depths written as n*v, as many exports do
};

std::string readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isNumberStart(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

// The baseline: every number of the text converted with std::from_chars into one vector, n*v giving n copies;
// words and "--" comments skipped. No sections, no keywords, no checks: the floor any reader pays.
std::size_t baselineScan(std::string_view text, std::vector<double>& values) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char c = *p;
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
            ++p;
        } else if (c == '-' && p + 1 < end && p[1] == '-') {
            p = static_cast<const char*>(std::memchr(p, '\n', end - p));
            if (!p) break;
        } else if (isNumberStart(c)) {
            double v = 0;
            auto r = std::from_chars(p, end, v);
            if (r.ec != std::errc()) {
                ++p;
                continue;
            }
            p = r.ptr;
            if (p < end && *p == '*') {
                double repeated = 0;
                auto r2 = std::from_chars(p + 1, end, repeated);
                p = r2.ptr == p + 1 ? p + 1 : r2.ptr;
                values.insert(values.end(), static_cast<std::size_t>(v), repeated);
            } else {
                values.push_back(v);
            }
        } else {
            while (p < end && *p != ' ' && *p != '\n' && *p != '\r' && *p != '\t') ++p;  // a word or a "/"
        }
    }
    return values.size();
}

// Wall time of one run, in seconds (freeing what the run built included, as a reader's caller would).
double timed(const std::function<void()>& run) {
    const auto start = Clock::now();
    run();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;  // kilobytes on Linux
}

bool benchModel(const Model& m, const fs::path& folder, int repeats) {
    morvane::gen::GridOptions o;
    o.name = m.label;
    o.nx = m.nx;
    o.ny = m.ny;
    o.nz = m.nz;
    o.cellSize = 50;
    o.originX = 548000.0;
    o.originY = 6414000.0;
    o.topDepth = 2000.0;
    o.layerThickness = 2.0;
    o.domeHeight = 60.0;
    o.tiltPerKm = 5.0;
    o.faultThrow = 15.0;
    o.layout = morvane::gen::GridLayout::Direct;
    o.repeats = m.repeats;

    auto t0 = Clock::now();
    const fs::path path = morvane::gen::writeGrid(o, folder).front();
    const double genSeconds = std::chrono::duration<double>(Clock::now() - t0).count();
    const std::string text = readWhole(path);
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
    double baseline = 1e300, reader = 1e300, readerFile = 1e300;
    for (int n = 0; n < repeats; ++n) {
        baseline = std::min(baseline, timed([&] {
            std::vector<double> values;
            values.reserve(text.size() / 4);
            numbers = baselineScan(text, values);
        }));
        reader = std::min(reader, timed([&] {
            morvane::GridInput grid;
            result = morvane::readGridText(path.string(), text, grid);
            good = good && result.outcome == morvane::GridReadOutcome::Read && grid.ZCORN.size() == cells * 8 &&
                   grid.points_coords.size() == static_cast<std::size_t>(m.nx + 1) * (m.ny + 1) * 6;
        }));
        readerFile = std::min(readerFile, timed([&] {
            morvane::GridInput grid;
            result = morvane::readGridFile(path.string(), grid);
            good = good && result.outcome == morvane::GridReadOutcome::Read && grid.ZCORN.size() == cells * 8;
        }));
    }

    std::printf("  baseline from_chars   %8.3f s  %8.1f MB/s  (%zu numbers)\n", baseline, mb / baseline, numbers);
    std::printf("  readGridText          %8.3f s  %8.1f MB/s  ratio to baseline %.2f\n", reader, mb / reader,
                baseline / reader);
    std::printf("  readGridFile          %8.3f s  %8.1f MB/s  ratio to baseline %.2f\n", readerFile,
                mb / readerFile, baseline / readerFile);
    std::printf("  peak RSS so far       %ld MB\n", peakRssMb());
    if (!good) std::printf("  ERROR: the reader did not read the model whole (%s)\n", result.message.c_str());
    fs::remove(path);
    return good;
}

}  // namespace

int main(int argc, char** argv) {
    bool small = false;
    int repeats = 5;
    for (int n = 1; n < argc; ++n) {
        if (std::strcmp(argv[n], "--small") == 0) {
            small = true;
        } else if (std::strcmp(argv[n], "--repeats") == 0 && n + 1 < argc) {
            repeats = std::max(1, std::atoi(argv[++n]));
        } else {
            std::fprintf(stderr, "Usage: %s [--small] [--repeats N]\n", argv[0]);
            return 2;
        }
    }
    std::error_code ec;
    fs::path folder = fs::temp_directory_path(ec);
    if (ec) folder = ".";
    folder /= "morvane_bench_grid_reader_" + std::to_string(::getpid());
    fs::create_directories(folder);

    const Model models[] = {
        {"MODEL_1M", 200, 100, 50, false}, {"MODEL_4M", 200, 200, 100, false}, {"MODEL_1M_RUNS", 200, 100, 50, true}};
    bool good = true;
    for (const Model& m : models) {
        if (small && m.nz != 50) continue;  // the 1 M-cell models only
        good = benchModel(m, folder, repeats) && good;
    }
    fs::remove_all(folder, ec);
    return good ? 0 : 1;
}
