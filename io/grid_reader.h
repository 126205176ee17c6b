// Reads a corner-point grid from a GRDECL text file: the pillar coordinates (COORD) and the corner depths (ZCORN),
// either in the chosen file itself (direct layout) or in files it names with INCLUDE statements (include layout),
// and beside them what real exports add: the cell counts (SPECGRID or DIMENS), the active cells (ACTNUM), the map
// frame of local coordinates (MAPAXES) and the length unit (GRIDUNIT).
//
// Keywords are whole words outside "--" comments (see grdecl_scan.h). Signs are kept: x and y are stored as
// value / 1000, z and depths as -value / 1000. Only the token form n*v repeats a value, and it is expanded while
// scanning: the numbers as written are not kept. The reader gives back the whole grid input (outcome Read) or none.
//
// Include layout: every `INCLUDE 'name' /` (single or double quotes, or a bare name without "/"; any extension; a
// folder part allowed) is resolved against the folder of the file that holds the statement (then against the main
// file's folder), and included files may include further files. Each section may sit in the main text or in any
// included file; the first one found counts, the main text's own first. An included file that cannot be read stops
// the load only when COORD or ZCORN is still missing after the others were read (MissingInclude, naming it);
// otherwise it is named in a warning.
//
// With SPECGRID the counts must agree: 6 (NX + 1)(NY + 1) COORD values and 8 NX NY NZ corner depths; without it
// COORD must hold whole pillars. A grid that does not fit is Refused with a message naming the section, the file and
// the expected against the found count. The active cells are judged by the geometry builder, which knows the cell
// count of grids without SPECGRID.
//
// MAPAXES gives the map position of the local frame: origin and the directions of the x and y axes. Pillar x and y
// are turned into map coordinates when they are local, that is when the grid lies nearer the frame's local origin
// than its map origin; exports that write map coordinates together with a MAPAXES placed at the grid keep them.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/grid.h"

namespace morvane {

enum class GridReadOutcome {
    Read,            // COORD and ZCORN were read (the geometry builder judges whether they make a grid)
    NotAGrid,        // no COORD section and no include statement naming a file that holds COORD or ZCORN; also an
                     // unreadable main file, or a section expanding beyond grdecl::kMaxSectionValues values (this
                     // one is found while scanning, so some stages have been reported before it)
    Stopped,         // the included files hold ZCORN but none holds COORD (after the LayoutDecided stage)
    MissingInclude,  // an included file is missing or unreadable and a section was not found elsewhere
    Refused,         // the sections were read but do not fit together (COORD without ZCORN, counts against
                     // SPECGRID, COORD cut inside a pillar); after every stage
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
    // For a read: what the user should know though the grid was read (a section that ends at the end of its file
    // without its "/", an included file that could not be read), and plain notes (map coordinates).
    std::vector<std::string> warnings;
    std::vector<std::string> notes;
    // Keyword blocks in the main text besides the grid's own sections: properties held inline, when they hold one
    // value per cell (the property reader judges that).
    std::vector<std::string> inlineKeywords;
    CornerPointInput grid;  // for a read: the pillars, corner depths and what real exports add
};

using GridStageCallback = std::function<void(GridReadStage stage, bool includeLayout)>;

// Reads from the main text of the file at `path` (the path resolves included file names).
GridReadResult readGridText(const std::string& path, std::string_view mainText, const GridStageCallback& onStage = {});

// Reads the file at `path` whole, then as readGridText. A main file that cannot be read gives NotAGrid with a
// message naming the file.
GridReadResult readGridFile(const std::string& path, const GridStageCallback& onStage = {});

// The map frame of the six MAPAXES numbers (a point on the y axis, the origin, a point on the x axis, in file
// units), in model units: map origin and unit axes. Nothing when the numbers do not span a frame.
struct MapFrame {
    double ox = 0, oy = 0, ex_x = 1, ex_y = 0, ey_x = 0, ey_y = 1;
    // Local coordinates of a map point.
    std::array<double, 2> toLocal(double x, double y) const;
};
std::optional<MapFrame> mapFrameOf(const std::vector<double>& mapaxes);

}  // namespace morvane
