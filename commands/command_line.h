// The program's command line: morvane [--demo | GRID_FILE [DATA_FILE ...]] [--property NAME] [--owc DEPTH]
// [--goc DEPTH] [--production FILE] [--snapshot OUT.png [VIEW] [--turn DEGREES] [--exaggeration E] [--pick X,Y]
// [--owc-regions PROPERTY:CODE=DEPTH,...] [--goc-regions ...]] [--size WxH], VIEW
// being one of --section WELL,...,
// --filter CUT, --filter-above CUT, --filter-range LO,HI, --filter-codes C,..., --layer K [--eight-layers], --flat
// and --top; [--log-scale NAME] [--linear-scale NAME]; or --help, or --version
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace morvane {

// The view a snapshot shows: the shell, unless one of the mode buttons' views is asked for.
enum class SnapshotView { Shell, WellSection, Filter, Layer, FlatSection, TopView };

struct CommandLine {
    std::string gridFile;                // imported at start, as the menu command would (empty: none)
    std::vector<std::string> dataFiles;  // files given after the grid, in order (see sortDataFiles)
    std::string propertyName;            // the property shown (empty: the first one loaded)
    std::string snapshotFile;            // render the model offscreen to this picture and exit (empty: open the window)
    std::vector<std::string> sectionWells;  // the snapshot shows the well section through these wells, in order
    int width = 1024;                       // snapshot size
    int height = 768;
    bool help = false;
    bool version = false;
    // The demo model shipped with the program is opened (see openDemoModel) instead of files named here.
    bool demo = false;
    // Uniform contacts shown once the grid and its data are loaded: metres below datum, positive down.
    std::optional<double> owcDepth, gocDepth;
    // Contacts by region in a snapshot: a depth (metres below datum) for each code of a loaded property of codes.
    struct RegionalDepths {
        std::string property;
        std::vector<std::pair<int, double>> depths;  // code, depth
    };
    std::optional<RegionalDepths> owcRegions, gocRegions;
    // The snapshot shows the property filter view of the shown (continuous) property: the cells below the cut
    // removed, or with filterAbove those above it.
    std::optional<float> filterCut;
    bool filterAbove = false;
    // Or the cells of the shown continuous property from the first value to the second kept.
    std::optional<std::pair<double, double>> filterRange;
    // Or the cells of the shown property of codes holding one of these kept.
    std::vector<int> filterCodes;
    // Loaded continuous properties coloured on a logarithmic or on a linear ramp, by name.
    std::vector<std::string> logScale, linearScale;
    SnapshotView view = SnapshotView::Shell;
    int layer = 0;                      // the layer the layer view shows, from 1 at the top
    bool eightLayers = false;           // the layer view shows eight half-transparent layers from `layer` down, not one
    float turnDegrees = 0.0f;           // the model turned about the vertical axis, as a right drag turns it
    std::optional<float> exaggeration;  // the vertical exaggeration, as the slider sets it
    // The cell at this pixel of the snapshot (from its top left) picked as a Ctrl+click picks it: outlined in the
    // picture, what the status bar would say printed on standard output.
    std::optional<std::pair<int, int>> pickPixel;
    // Cumulative production of the loaded wells (io/production_reader), shown as circle diagrams.
    std::string productionFile;
};

// The parsed arguments (program name excluded), or the reason they are wrong in `error`.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args, std::string* error);

// The data files given after the grid, told apart by their content rather than their extension: deviation files
// (wells), files that cannot be read, and the rest (property files, each property without a kind).
struct DataFileKinds {
    std::vector<std::string> wells, unreadable, others;
};
DataFileKinds sortDataFiles(const std::vector<std::string>& files);

// The demo model in `demoFolder` as the files to open: its grid, its property file and its four wells, porosity
// shown unless another property is named.
void openDemoModel(CommandLine& cl, const std::filesystem::path& demoFolder);

// Usage text for --help and for wrong arguments.
std::string commandLineUsage();

// The line --version prints: the program's name and version.
std::string versionLine(const std::string& program);

}  // namespace morvane
