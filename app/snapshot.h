// The command-line snapshot: import a grid, its property files and wells through the import commands, show the
// chosen property with its legend, the contacts asked for, the well section through some of the wells and the
// production, and draw it all offscreen into a picture, with no window and no display.
#pragma once

#include "commands/command_line.h"
#include "commands/model_state.h"

namespace morvane {

// Imports the grid of `cl` (none when empty) and then the data files after it into `state` (deviation files with the
// columns named MD, X, Y and Z, property files with every property without a kind), shows the property `cl` names
// (or the first one loaded) with its legend, the uniform contacts it asks for, the well section through
// cl.sectionWells when there are any and the production of cl.productionFile (the discs shown), renders a frame of
// cl.width x cl.height and writes it to cl.snapshotFile. Needs a QApplication (the legend is a widget; any platform,
// offscreen included). Log lines and messages go to standard error. Returns the process exit status: 0 when the
// picture is written.
int writeSnapshot(ModelState& state, const CommandLine& cl);

}  // namespace morvane
