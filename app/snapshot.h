// The command-line snapshot: import a grid and wells through the import commands, show the contacts asked for, the
// well section through some of the wells and the production, and draw it all offscreen into a picture, with no
// window and no display.
#pragma once

#include "commands/command_line.h"
#include "core/model_state.h"

namespace morvane {

// Imports the grid of `cl` (none when empty) and then the data files after it into `state`, shows the uniform
// contacts it asks for, the well section through cl.sectionWells when there are any and the production of
// cl.productionFile (the discs shown), renders a frame of cl.width x cl.height and writes it to cl.snapshotFile.
// Deviation files load with the columns named MD, X, Y and Z. Log lines and messages go to standard error. Returns
// the process exit status: 0 when the picture is written.
int writeSnapshot(ModelState& state, const CommandLine& cl);

}  // namespace morvane
