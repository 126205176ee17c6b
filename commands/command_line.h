// The program's command line: morvane [GRID_FILE] [--snapshot OUT.png] [--size WxH]
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace morvane {

struct CommandLine {
    std::string gridFile;      // imported at start, as the menu command would (empty: none)
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
