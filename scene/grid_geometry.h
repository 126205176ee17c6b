// Grid layout and corner vertices from the pillar coordinates and corner depths of a grid that was read.
//
// Two ways to a layout. The spacing rule derives it: the nominal cell size from the spacing of neighbouring
// pillars, the pillar rows from jumps in that spacing, regular and undefined cells from both I-direction edges of
// every cell, and the layer count from the number of corner depths; the corners then stand on vertical pillars
// under the pillars' tops. When the file gives its cell counts (SPECGRID) and the spacing rule refuses the grid,
// finds other counts or leaves cells undefined, the layout is taken from SPECGRID instead: every cell is defined,
// whatever the spacing, rotation or cell size, and each corner lies on its pillar's line at the corner's depth, so
// inclined pillars give the true cell shapes. A grid the spacing rule lays out as SPECGRID says is built exactly as
// without SPECGRID.
//
// Active cells (ACTNUM) are counted in the statistics; the index lists leave the inactive ones out.
//
// The builder then writes one vertex array per layer (top and bottom corners of every cell), the model extents, the
// camera placement (fitted to the view when the usual placement would cut the model off) and the cell statistics.
//
// Pure code: what the user must be told (the log lines, the statistics texts, the data-tree node and the trace
// lines) comes back in the report, and the caller shows it.
#pragma once

#include <string>
#include <vector>

#include "core/feedback.h"
#include "scene/grid_meshes.h"
#include "scene/overlay_meshes.h"
#include "view/view_state.h"

namespace morvane {

enum class GridBuildOutcome {
    Built,             // the whole layout was replaced
    CellSizeRejected,  // no usable cell size: nothing at all was changed
    LayoutRejected,    // the corner depths or the active cells do not fit the layout: nothing was changed
};

namespace grid_messages {
inline constexpr const char* CellSize = "Ошибка: размерность грида не кратна 25 метрам или больше максимальной.";
inline constexpr const char* CellSizeEn =
    "Error: the grid's cell size is not a multiple of 25 metres or is larger than the maximum.";
inline constexpr const char* Layout = "Grid was not loaded. There are some problems with ZCORN array.";
inline constexpr const char* LayoutRu = "Грид не загружен. Массив ZCORN не соответствует сетке COORD.";
inline constexpr const char* Loaded = "Grid is loaded successfully";
inline constexpr const char* NotLoaded = "Grid was not loaded.";
inline constexpr const char* NotLoadedRu = "Грид не загружен.";
}  // namespace grid_messages

// The colour every grid vertex carries: the grid lines are drawn in it.
inline constexpr float kGridLineColour[3] = {1.0f, 1.0f, 1.0f};

struct GridBuildLine {
    std::string text;
    LogColour colour;
};

struct GridBuildReport {
    GridBuildOutcome outcome = GridBuildOutcome::CellSizeRejected;
    std::string message;  // the main log line of the build
    // A refused cell size's numbers (the size found and its limits), in English and Russian; see gridBuildLogLine.
    std::string detailEn, detailRu;
    LogColour colour;                  // red for a rejection, green for success
    std::vector<std::string> trace;    // diagnostic lines, in order
    std::vector<GridBuildLine> notes;  // before the main line: the active cells, a view fitted at load
    std::vector<std::string> details;  // red, after the main line of a rejection: which section, file and counts
    bool viewFitted = false;           // the usual camera placement cut the model off; the view was fitted instead

    // The data tree: after a build it holds one node whose key and text are `treeNode`, with image (and selected
    // image) `treeNodeImage`; a rejection leaves it alone.
    bool clearDataTree = false;
    std::string treeNode;
    static constexpr int treeNodeImage = 10;

    // Texts of the model statistics window (set only when built): cell rows, cells per row, layers, active regular
    // cells ("1 234 567") and resolution: the nominal cell size ("50 x 50") of a spacing layout, the median cell
    // sizes ("≈ 101 x 98") of a SPECGRID layout, with " ft" for a grid in feet.
    std::string modelStat_cell_i, modelStat_cell_j, modelStat_cell_k, modelStat_cell_ijk, modelStat_resol;

    bool built() const { return outcome == GridBuildOutcome::Built; }
};

// Builds the layout, vertex arrays and extents of the grid read into `input`, named `gridName` (for messages).
//
// Built: the whole grid is replaced: its layout, vertices and extents, `loaded` set, the name, the input moved in
// (its actnum moved into `active` when some cell is inactive; one shorter than the cell count is dropped: every cell
// active, with an orange note), and the revision bumped.
// CellSizeRejected and LayoutRejected: nothing changes (the grid and `input` included), so the model shown before
// stays whole.
// Never reads beyond the input's corner depths, pillars or pillar x and y, whatever they hold.
GridBuildReport buildGridGeometry(CornerPointInput& input, const std::string& gridName, Grid& grid);

// The whole grid build from the input read into `grid`: buildGridGeometry, then, when built, the cell colours marked
// stale, the camera placed on the new grid and the XY reference plane built.
GridBuildReport buildGrid(Grid& grid, ViewState& view, CellColouring& colours, ReferencePlane& plane);

// The main log line of a build in the interface language ("en" or "ru"): a refused cell size says the size found
// and the limits, so that the user can mend the file.
std::string gridBuildLogLine(const GridBuildReport& report, const std::string& lang);

// Sends the trace lines, the notes, the main log line (in `lang`) and the details of a build to the user.
void deliverGridReport(const GridBuildReport& report, Feedback& feedback, const std::string& lang = "en");

// Pillar spacing in file units as the layout rules round it: the distance times kCoordScale plus 0.4, to the
// nearest integer with halves away from zero (24.1 gives 25, 24.09 gives 24). A non-finite distance gives -1.
long long roundedPillarSpacing(double x0, double y0, double x1, double y1);

// A count with a space between groups of three digits from the right: 1234567 -> "1 234 567", 999 -> "999".
std::string groupDigits(long long value);

}  // namespace morvane
