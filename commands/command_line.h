// The program's command line: morvane [GRID_FILE [PROPERTY_FILE ...]] [--property NAME] [--snapshot OUT.png]
// [--size WxH]
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace morvane {

struct CommandLine {
    std::string gridFile;  // imported at start, as the menu command would (empty: none)
    // Imported after the grid, each property without a kind (discrete or continuous by its values).
    std::vector<std::string> propertyFiles;
    std::string propertyName;  // the property shown (empty: the first one loaded)
    std::string snapshotFile;  // render the model offscreen to this picture and exit (empty: open the window)
    int width = 1024;          // snapshot size
    int height = 768;
    bool help = false;
};

// The parsed arguments (program name excluded), or the reason they are wrong in `error`.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args, std::string* error);

// Usage text for --help and for wrong arguments.
std::string commandLineUsage();

}  // namespace morvane
