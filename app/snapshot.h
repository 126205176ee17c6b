// The command-line snapshot: import a grid through the grid import command and draw it offscreen into a picture,
// with no window and no display.
#pragma once

#include <string>

#include "core/model_state.h"

namespace morvane {

// Imports `gridFile` (none when empty) into `state`, renders a width x height frame and writes it to `outFile`.
// Log lines and messages go to standard error. Returns the process exit status: 0 when the picture is written.
int writeSnapshot(ModelState& state, const std::string& gridFile, const std::string& outFile, int width, int height);

}  // namespace morvane
