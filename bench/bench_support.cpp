#include "bench/bench_support.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace morvane::bench {

namespace fs = std::filesystem;

double seconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long peakRssBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss * 1024L;  // kilobytes on Linux
}

FileText readWhole(const fs::path& path)
{
    FileText text;
    readWholeFile(path, text);
    return text;
}

namespace {
bool isBlank(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }
bool isNumberStart(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }
}  // namespace

std::size_t baselineScan(std::string_view text, std::vector<double>& values)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char c = *p;
        if (isBlank(c)) {
            ++p;
        } else if (c == '-' && p + 1 < end && p[1] == '-') {
            p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (!p) break;
        } else if (isNumberStart(c)) {
            double v = 0;
            const auto r = std::from_chars(p, end, v);
            if (r.ec != std::errc()) {
                ++p;
                continue;
            }
            p = r.ptr;
            if (p < end && *p == '*') {
                double repeated = 0;
                const auto r2 = std::from_chars(p + 1, end, repeated);
                p = r2.ptr == p + 1 ? p + 1 : r2.ptr;
                values.insert(values.end(), static_cast<std::size_t>(v), repeated);
            } else {
                values.push_back(v);
            }
        } else {
            while (p < end && !isBlank(*p)) ++p;  // a word or a "/"
        }
    }
    return values.size();
}

gen::GridOptions referenceGrid(const char* name, int nx, int ny, int nz)
{
    gen::GridOptions o;
    o.name = name;
    o.nx = nx;
    o.ny = ny;
    o.nz = nz;
    o.cellSize = 50;
    o.originX = 548000.0;
    o.originY = 6414000.0;
    o.topDepth = 2000.0;
    o.layerThickness = 2.0;
    o.domeHeight = 60.0;
    o.tiltPerKm = 5.0;
    o.faultThrow = 15.0;
    o.layout = gen::GridLayout::Direct;
    return o;
}

bool parseArguments(int argc, char** argv, Arguments& args)
{
    for (int n = 1; n < argc; ++n) {
        if (std::strcmp(argv[n], "--small") == 0) {
            args.small = true;
        } else if (std::strcmp(argv[n], "--general") == 0) {
            args.general = true;
        } else if (std::strcmp(argv[n], "--repeats") == 0 && n + 1 < argc) {
            args.repeats = std::max(1, std::atoi(argv[++n]));
        } else {
            std::fprintf(stderr, "Usage: %s [--small] [--general] [--repeats N]\n", argv[0]);
            return false;
        }
    }
    return true;
}

fs::path scratchFolder(const std::string& benchName)
{
    std::error_code ec;
    fs::path folder = fs::temp_directory_path(ec);
    if (ec) folder = ".";
    folder /= "morvane_" + benchName + "_" + std::to_string(::getpid());
    fs::create_directories(folder);
    return folder;
}

}  // namespace morvane::bench
