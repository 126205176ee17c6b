// Reads a corner-point grid from a GRDECL text file: the pillar coordinates (COORD) and the corner depths (ZCORN),
// either in the chosen file itself (direct layout) or in files it names with INCLUDE statements (include layout).
//
// Keywords are whole words outside "--" comments (see grdecl_scan.h). Signs are kept: x and y are stored as
// value / 1000, z and depths as -value / 1000. Only the token form n*v repeats a value, and it is expanded while
// scanning: the numbers as written are not kept, so a read leaves ZCORN_stars empty. The reader either fills the
// grid input completely (outcome Read) or leaves it untouched.
//
// Include layout: when the main text does not hold both sections, every `INCLUDE 'name' /` (single or double
// quotes, or a bare name without "/"; any extension; a folder part allowed) is resolved against the main file's
// folder, and the files are read in the order named until COORD and ZCORN are both found; each section may sit in
// the main text or in any included file. Included files are not followed further. An included file that cannot
// be read matters only when a section is still missing after the others were read: then the outcome is
// MissingInclude, naming that file. So an absent ACTNUM file named after the COORD and ZCORN files, or one that
// the main text does not need at all, does not stop the load.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/model_state.h"

namespace morvane {

enum class GridReadOutcome {
    Read,            // COORD and ZCORN were read (the geometry builder judges whether they make a grid); a text
                     // with COORD but no ZCORN anywhere is read with empty depths, which the builder refuses
    NotAGrid,        // no COORD section and no include statement naming a file that holds COORD or ZCORN; also an
                     // unreadable main file, or a section expanding beyond grdecl::kMaxSectionValues values (this
                     // one is found while scanning, so some stages have been reported before it)
    Stopped,         // the included files hold ZCORN but none holds COORD (after the LayoutDecided stage)
    MissingInclude,  // an included file is missing or unreadable and a section was not found elsewhere
};

// The points at which the import command updates status, progress and trace.
enum class GridReadStage {
    LayoutDecided,  // direct or include layout known (and included files read); not reached by NotAGrid or
                    // MissingInclude outcomes decided while looking for the sections
    CoordRead,
    ZcornCut,
    StarsReplaced,  // nothing is replaced any more (the scan understands n*v); kept as a progress step
    ZcornScanned,
    ZcornExpanded,
};

struct GridReadResult {
    GridReadOutcome outcome = GridReadOutcome::NotAGrid;
    bool includeLayout = false;  // the main text lacked a section and named included files
    std::string message;         // for a failure, a sentence naming the file and the problem
};

using GridStageCallback = std::function<void(GridReadStage stage, bool includeLayout)>;

// Reads from the main text of the file at `path` (the path resolves included file names).
GridReadResult readGridText(const std::string& path, std::string_view mainText, GridInput& grid,
                            const GridStageCallback& onStage = {});

// Reads the file at `path` whole, then as readGridText. A main file that cannot be read gives NotAGrid with a
// message naming the file.
GridReadResult readGridFile(const std::string& path, GridInput& grid, const GridStageCallback& onStage = {});

}  // namespace morvane
