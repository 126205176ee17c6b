// What the benchmarks share: timing, peak memory, the generated reference models, a bare from_chars baseline and
// the command line (--small, --repeats N).
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "io/file_text.h"
#include "tools/generator/model_generator.h"

namespace morvane::bench {

// Wall time of one run, in seconds.
double seconds(const std::function<void()>& run);

// Peak resident memory of this process so far, in bytes.
long peakRssBytes();

// The whole file, read as the program reads it (empty when it cannot be read).
FileText readWhole(const std::filesystem::path& path);

// The floor any reader pays: every number of the text converted with std::from_chars into `values` (n*v giving n
// copies); white space, words, "/" and "--" comments skipped. No sections, no keywords, no checks.
std::size_t baselineScan(std::string_view text, std::vector<double>& values);

// The reference models: 50 m cells with a dome, a tilt and a fault, in the layout of a direct export.
gen::GridOptions referenceGrid(const char* name, int nx, int ny, int nz);

struct Arguments {
    bool small = false;    // only the 1 M-cell models
    bool general = false;  // only the comparison of the general path with the regular one (bench_grid_import)
    int repeats = 3;       // timed runs per measurement; the best counts
};

// Reads --small, --general and --repeats N; prints the usage and returns false on anything else.
bool parseArguments(int argc, char** argv, Arguments& args);

// A fresh folder for this run's generated files, under the system's temporary folder.
std::filesystem::path scratchFolder(const std::string& benchName);

}  // namespace morvane::bench
