// The property import on generated models of 1 M cells (200 x 100 x 50) and 4 M cells (200 x 200 x 100), for a
// continuous property written with four decimals and a discrete one written as long n*v runs:
// - reading: decode the text, split it at its marker, read and expand the values, classify, statistics, append,
//   against a bare std::from_chars pass over the same text in memory (goal: 1.3 x its throughput, both cores reading);
// - the whole import command over a view that colours the cells (file read included, GL upload excluded);
// - the recolour after a legend colour change (a ramp colour: a full repaint of cells_k; a code colour: cells_k
//   recoloured in place) against a bare copy of the grid's vertex arrays (goal: within 1.5 x);
// - peak resident memory per value of a process that only reads the property.
//
// Each model runs in its own process with its grid built once; the memory figure comes from a process of its own.
//
// Usage: bench_property_import [--small] [--repeats N]
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "commands/grid_import_command.h"
#include "commands/property_import_command.h"
#include "io/grid_reader.h"
#include "io/property_reader.h"
#include "io/text_codec.h"
#include "scene/grid_geometry.h"
#include "scene/property_colouring.h"
#include "tools/generator/model_generator.h"

namespace {

namespace fs = std::filesystem;
namespace bench = morvane::bench;
using namespace morvane;

struct Model {
    const char* label;
    int nx, ny, nz;
};

void keepBest(double& best, double value) { best = std::min(best, value); }

// Runs `work` in a child process; false when it fails.
bool inChild(const std::function<bool()>& work)
{
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool ok = work();
        std::fflush(stdout);
        std::_Exit(ok ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Everything but the file read: what the import does with the bytes up to the property added to the document.
bool readProperty(std::string_view bytes, int cells, PropertySet& p)
{
    std::string decoded;
    const std::string_view text = utf8Text(bytes, decoded);
    const std::vector<PropertyEntry> entries = splitPropertyText(text);
    if (entries.size() != 1) return false;
    PropertyReport report = loadProperty(text, entries[0], PropertyKind::Unset, cells, "en", p);
    if (!report.accepted) return false;
    p.add(std::move(report.property));
    return true;
}

// The view of the whole-import measurement: it colours as the window's view does and uploads nothing.
class ColouringView final : public SceneOperations {
public:
    explicit ColouringView(ModelState& s) : s_(s) {}
    GridBuildOutcome buildGridMeshes() override { return GridBuildOutcome::Built; }
    void uploadGrid() override {}
    void recolourCells() override
    {
        const PropertySet& p = s_.document.properties;
        colourCells(s_.document.grid, p, p.find(s_.view.shownProperty), s_.view.filter, s_.cells_k);
    }
    void uploadCellColours() override {}
    void buildReferencePlane() override {}
    void uploadReferencePlane() override {}
    void uploadFixedBuffers() override {}
    void buildLastWell() override {}
    void colourWellLines() override {}
    void uploadWells() override {}
    void uploadWellSection() override {}
    void uploadSectionPlane() override {}
    void uploadProductionDiscs() override {}
    void uploadContacts() override {}
    void resizeView(int, int) override {}
    void applyBackground() override {}
    void renderFrame() override {}
    void appendLogLine(const std::string&, LogColour) override {}

private:
    ModelState& s_;
};

gen::PropertyDefinition propertyOf(bool discrete)
{
    gen::PropertyDefinition p;
    if (discrete) {
        p.keyword = "FACIES", p.name = "Facies", p.kind = gen::PropertyKind::Discrete, p.codes = 6, p.noise = 0;
    } else {
        p.keyword = "PORO", p.name = "PORO", p.minValue = 0.02, p.maxValue = 0.32, p.decimals = 4;
    }
    p.seed = 7;
    return p;
}

fs::path propertyFile(const fs::path& folder, const Model& m, bool discrete)
{
    return folder / (std::string(m.label) + (discrete ? "_disc.GRDECL" : "_cont.GRDECL"));
}

fs::path memoryFile(const fs::path& folder, const Model& m, bool discrete)
{
    return folder / (std::string(m.label) + (discrete ? "_disc.rss" : "_cont.rss"));
}

// A line of /proc/self/status in bytes ("VmRSS", "VmHWM"), or -1.
long statusBytes(const char* key)
{
    std::FILE* in = std::fopen("/proc/self/status", "r");
    if (!in) return -1;
    char line[256];
    long kib = -1;
    const std::size_t length = std::strlen(key);
    while (std::fgets(line, sizeof line, in))
        if (std::strncmp(line, key, length) == 0 && line[length] == ':') kib = std::atol(line + length + 1);
    std::fclose(in);
    return kib < 0 ? -1 : kib * 1024;
}

// In a process of its own: how far the resident memory rises above where it stood while the property is read, per
// value. The high-water mark is reset first, so nothing from before (the parent's pages) counts.
bool measureMemory(const fs::path& folder, const Model& m, bool discrete)
{
    const int cells = m.nx * m.ny * m.nz;
    PropertySet lists;
    ::malloc_trim(0);
    if (std::FILE* reset = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", reset);
        std::fclose(reset);
    }
    const long before = statusBytes("VmRSS");
    const FileText file = bench::readWhole(propertyFile(folder, m, discrete));
    if (!readProperty(file.view(), cells, lists)) return false;
    const long peak = statusBytes("VmHWM");
    std::FILE* out = std::fopen(memoryFile(folder, m, discrete).c_str(), "w");
    if (!out) return false;
    std::fprintf(out, "%.1f\n", before < 0 || peak < 0 ? -1.0 : double(peak - before) / cells);
    return std::fclose(out) == 0;
}

bool benchModel(const Model& m, const fs::path& folder, int repeats)
{
    const fs::path gridPath = gen::writeGrid(bench::referenceGrid(m.label, m.nx, m.ny, m.nz), folder).front();
    auto s = std::make_unique<ModelState>();
    GridReadResult read = readGridFile(gridPath.string());
    s->document.grid.input = std::move(read.grid);
    if (read.outcome != GridReadOutcome::Read || !buildGrid(*s).built()) {
        std::printf("  ERROR: the grid failed\n");
        return false;
    }
    fs::remove(gridPath);
    s->document.grid.loaded = true;
    const int cells = s->document.grid.cellCount;
    std::printf("\n%s: %d x %d x %d = %d cells\n", m.label, m.nx, m.ny, m.nz, cells);

    for (bool discrete : {false, true}) {
        const fs::path path = propertyFile(folder, m, discrete);
        const FileText file = bench::readWhole(path);
        const std::string_view bytes = file.view();

        double baseline = 1e300, reading = 1e300, whole = 1e300, recolour = 1e300, copy = 1e300;
        for (int run = 0; run < repeats; ++run) {
            keepBest(baseline, bench::seconds([&] {
                         std::vector<double> values;
                         values.reserve(static_cast<std::size_t>(cells));
                         bench::baselineScan(bytes, values);
                     }));
            PropertySet lists;
            bool ok = false;
            keepBest(reading, bench::seconds([&] { ok = readProperty(bytes, cells, lists); }));
            if (!ok) {
                std::printf("  ERROR: the property was not accepted\n");
                return false;
            }

            // The command: file read, the same reading, and the colouring of the new property over the cell colours
            // the grid import left.
            s->document.properties.clear();
            s->view.shownProperty.clear();
            if (s->cells_k.empty()) colourCells(s->document.grid, s->document.properties, nullptr, {}, s->cells_k);
            SilentFeedback quiet;
            ColouringView view(*s);
            NoPropertyImportWindow noWindow;
            struct NoPrompts final : UserPrompts {
                std::string openFileName(const std::string&, const std::string&) override { return {}; }
                void information(const std::string&, const std::string&) override {}
            } prompts;
            PropertyImportResult result;
            keepBest(whole, bench::seconds([&] {
                         result = importPropertyFile(PropertyImportContext{*s, quiet, view, noWindow, prompts},
                                                     path.string(), PropertyTypes::None);
                     }));
            if (result.accepted != 1) {
                std::printf("  ERROR: the import failed\n");
                return false;
            }

            // The legend: a new middle colour repaints the continuous property; a bar click recolours by a code's colour.
            PropertySet& p = s->document.properties;
            const Property& shown = p.items.at(0);
            keepBest(recolour, bench::seconds([&] {
                         if (discrete)
                             p.setCodeColour(shown.kind, 2, {0.1f, 0.2f, 0.3f});
                         else
                             p.ramps[static_cast<std::size_t>(PropertyKind::Continuous)].middle.r = 0.5f;
                         colourCells(s->document.grid, p, &shown, {}, s->cells_k);
                     }));
            std::vector<Vertices> copied =
                s->document.grid.layerVertices;  // the yardstick copies into memory already there
            keepBest(copy, bench::seconds([&] {
                         for (std::size_t k = 0; k < s->document.grid.layerVertices.size(); ++k)
                             std::copy(s->document.grid.layerVertices[k].begin(),
                                       s->document.grid.layerVertices[k].end(), copied[k].begin());
                     }));
        }

        double perValue = -1;
        if (std::FILE* in = std::fopen(memoryFile(folder, m, discrete).c_str(), "r")) {
            if (std::fscanf(in, "%lf", &perValue) != 1) perValue = -1;
            std::fclose(in);
        }

        const double mb = bytes.size() / 1e6;
        std::printf("  %s, %.1f MB of text\n", discrete ? "discrete, long n*v runs" : "continuous, 4 decimals", mb);
        std::printf("    baseline from_chars   %7.3f s  %7.1f MB/s\n", baseline, mb / baseline);
        std::printf("    reading               %7.3f s  %7.1f MB/s  ratio %.2f (goal >= 1.3)\n", reading, mb / reading,
                    baseline / reading);
        std::printf("    whole import          %7.3f s  %7.1f MB/s  ratio %.2f (file read and colouring included)\n",
                    whole, mb / whole, baseline / whole);
        std::printf("    recolour (%s)  %7.3f s  bare copy of the vertex arrays %.3f s  ratio %.2f (goal <= 1.5)\n",
                    discrete ? "code colour" : "ramp colour", recolour, copy, recolour / copy);
        std::printf("    peak memory of reading %.1f B per value (text, decoded text and values)\n", perValue);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    bench::Arguments args;
    if (!bench::parseArguments(argc, argv, args)) return 2;
    const fs::path folder = bench::scratchFolder("bench_property_import");
    const Model models[] = {{"MODEL_1M", 200, 100, 50}, {"MODEL_4M", 200, 200, 100}};
    bool good = true;
    for (const Model& m : models) {
        if (args.small && m.nz != 50) continue;
        for (bool discrete : {false, true}) {
            gen::PropertyFileOptions o;
            o.nx = m.nx, o.ny = m.ny, o.nz = m.nz;
            o.properties = {propertyOf(discrete)};
            gen::writePropertyFile(o, propertyFile(folder, m, discrete));
            good = inChild([&] { return measureMemory(folder, m, discrete); }) && good;
        }
        good = inChild([&] { return benchModel(m, folder, args.repeats); }) && good;
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
    return good ? 0 : 1;
}
