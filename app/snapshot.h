// The command-line snapshot: import a grid and wells through the import commands and draw them offscreen into a
// picture, with no window and no display.
#pragma once

#include <string>
#include <vector>

#include "core/model_state.h"

namespace morvane {

// Imports `gridFile` (none when empty) and then the data files after it into `state`, renders a width x height
// frame and writes it to `outFile`. Deviation files load with the columns named MD, X, Y and Z. Log lines and
// messages go to standard error. Returns the process exit status: 0 when the picture is written.
int writeSnapshot(ModelState& state, const std::string& gridFile, const std::vector<std::string>& dataFiles,
                  const std::string& outFile, int width, int height);

}  // namespace morvane
