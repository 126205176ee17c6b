// Reads a corner-point grid from a GRDECL text file: the pillar coordinates (COORD) and the corner depths (ZCORN),
// either in the chosen file itself (direct layout) or in files it names with INCLUDE statements (include layout),
// and beside them what real exports add: the cell counts (SPECGRID or DIMENS), the active cells (ACTNUM), the map
// frame of local coordinates (MAPAXES, in the unit of MAPUNITS) and the length unit (GRIDUNIT).
//
// The deck is read keyword by keyword, in order, as grdecl_deck.h describes: a keyword starts only where a keyword
// can start, so a name inside another keyword's records (EQUALS, BOX, COPY, ...) or inside quotes is no keyword.
// Included files are read where their INCLUDE statement stands. Signs are kept: x and y are stored as value / 1000,
// z and depths as -value / 1000. Only the token form n*v repeats a value, and it is expanded while scanning. The
// reader gives back the whole grid input (outcome Read) or none.
//
// What the reader does not take silently, each told with the file, the line and the word or the counts:
// - a word that is not a number inside COORD, ZCORN or ACTNUM, and a word standing where a keyword should: refused;
//   a section whose "/" is missing and that runs into a keyword the deck knows is read, with a warning;
// - with SPECGRID the counts must agree: 6 (NX + 1)(NY + 1) COORD values, 8 NX NY NZ corner depths and NX NY NZ
//   ACTNUM flags; a repeat count is bounded by what the layout needs, so a short file cannot demand gigabytes.
//   Without SPECGRID COORD must hold whole pillars (the geometry builder judges the rest);
// - a grid whose declared counts need more memory than is available, or a file far larger than they can fill, is
//   refused before its arrays are allocated or its bytes read;
// - an INCLUDE that names nothing, has an unclosed quote, nests deeper than 8 files, or names an empty or damaged
//   file is refused; one naming a file that is absent or cannot be read stops the load only when COORD or ZCORN
//   is missing after the others were read (MissingInclude), otherwise it is warned about, as are a file that
//   includes itself, a name two folders could resolve, and a file named twice;
// - a second COORD, ZCORN or ACTNUM, simulator edits the viewer does not apply (EQUALS, BOX, MULTIPLY, ...), a word
//   one letter away from a grid keyword, an unknown unit word, ACTNUM values other than 0 and 1, and depths beyond
//   20 km: read, with a warning.
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

#include "core/localisation.h"
#include "model/grid.h"

namespace morvane {

enum class GridReadOutcome {
    Read,            // COORD and ZCORN were read (the geometry builder judges whether they make a grid)
    NotAGrid,        // no COORD section and no include statement naming a file that holds COORD or ZCORN; also an
                     // unreadable main file, or a section expanding beyond grdecl::kMaxSectionValues values
    Stopped,         // the included files hold ZCORN but none holds COORD (after the LayoutDecided stage)
    MissingInclude,  // an included file is missing or unreadable and a section was not found elsewhere
    Refused,         // the deck is damaged (a word that is no number, text where a keyword should stand, a faulty
                     // INCLUDE), the sections do not fit together (COORD without ZCORN, counts against SPECGRID,
                     // COORD cut inside a pillar), or the grid needs more memory than there is; after every stage
                     // when the deck was read to its end
};
// Outcomes other than Read may come after some stages: the stages are reported as the sections are read.

// The points at which the import command updates status, progress and trace.
enum class GridReadStage {
    LayoutDecided,  // COORD found and about to be read (reported with CoordRead, once COORD is read)
    CoordRead,
    ZcornCut,
    StarsReplaced,  // nothing is replaced any more (the scan understands n*v); kept as a progress step
    ZcornScanned,
    ZcornExpanded,
};

struct GridReadResult {
    GridReadOutcome outcome = GridReadOutcome::NotAGrid;
    bool includeLayout = false;  // the main text named included files and COORD or ZCORN came from one (or was
                                 // looked for in them in vain)
    LocalMessage message;        // for a failure, a sentence naming the file, the line and the problem
    // What the user should know though the grid was read (a section that ends at the end of its file without its
    // "/", an included file that could not be read, data read but not used), and plain notes (map coordinates).
    // A refusal keeps the warnings found before it.
    std::vector<LocalMessage> warnings;
    std::vector<LocalMessage> notes;
    // Keyword blocks in the main text besides the grid's own sections: properties held inline, when they hold one
    // value per cell (the property reader judges that).
    std::vector<std::string> inlineKeywords;
    CornerPointInput grid;  // for a read: the pillars, corner depths and what real exports add
};

using GridStageCallback = std::function<void(GridReadStage stage, bool includeLayout)>;

// Reads from the main text of the file at `path` (the path resolves included file names).
GridReadResult readGridText(const std::string& path, std::string_view mainText, const GridStageCallback& onStage = {});

// Reads the file at `path` whole (mapped when large), then as readGridText. A main file that cannot be read gives
// NotAGrid with a message naming the file and why (a folder, a pipe, a device, a link loop, no permission).
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
