// Grid layout and corner vertices from the pillar coordinates and corner depths of a grid that was read.
//
// The layout is derived, not read: the nominal cell size from the spacing of neighbouring pillars, the pillar rows
// from jumps in that spacing, regular and undefined cells from both I-direction edges of every cell, and the layer
// count from the number of corner depths. The builder then writes one vertex array per layer (top and bottom corners
// of every cell), the model extents, the camera placement and the cell statistics.
//
// Pure code: what the user must be told (the log line, the statistics texts, the data-tree node and the trace
// lines) comes back in the report, and the caller shows it.
#pragma once

#include <string>
#include <vector>

#include "core/feedback.h"
#include "core/model_state.h"

namespace morvane {

enum class GridBuildOutcome {
    Built,             // the whole layout was replaced
    CellSizeRejected,  // no usable cell size: nothing at all was changed
    LayoutRejected,    // the corner depths do not fit the pillar layout: the grid is unloaded (see below)
};

namespace grid_messages {
inline constexpr const char* CellSize = "Ошибка: размерность грида не кратна 25 метрам или больше максимальной.";
inline constexpr const char* CellSizeEn =
    "Error: the grid's cell size is not a multiple of 25 metres or is larger than the maximum.";
inline constexpr const char* Layout = "Grid was not loaded. There are some problems with ZCORN array.";
inline constexpr const char* LayoutRu = "Грид не загружен. Массив ZCORN не соответствует сетке COORD.";
inline constexpr const char* Loaded = "Grid is loaded successfully";
}  // namespace grid_messages

struct GridBuildReport {
    GridBuildOutcome outcome = GridBuildOutcome::CellSizeRejected;
    std::string message;             // the one log line of the build
    // A refusal's numbers (the cell size found and its limits, the depths found against those the layout needs),
    // in English and Russian; see gridBuildLogLine.
    std::string detailEn, detailRu;
    LogColour colour;                // red for a rejection, green for success
    std::vector<std::string> trace;  // diagnostic lines, in order

    // The data tree: cleared when the layout was rejected or the grid built; after a build it holds one node whose
    // key and text are `treeNode`, with image (and selected image) `treeNodeImage`.
    bool clearDataTree = false;
    std::string treeNode;
    static constexpr int treeNodeImage = 10;

    // Texts of the model statistics window (set only when built): cell rows, cells per row, layers, regular cells
    // ("1 234 567") and resolution ("50 x 50").
    std::string modelStat_cell_i, modelStat_cell_j, modelStat_cell_k, modelStat_cell_ijk, modelStat_resol;

    bool built() const { return outcome == GridBuildOutcome::Built; }
};

// Builds the layout, vertex arrays, extents and camera of the grid in `input`.
//
// Built: every variable of the layout is replaced; gridLoaded = true, propLoaded = false; PROP_cont_loading,
// PROP_disc_loading, OWC_k and GOC_k are emptied and both contacts are no longer set or drawn.
// CellSizeRejected: nothing changes (grid_dimension included).
// LayoutRejected: the previous layout variables are kept untouched, but the grid is unloaded: gridLoaded and
// propLoaded false, grid_lines_k, OWC_k and GOC_k emptied and the contacts dropped (the input no longer matches the
// old geometry).
// Never reads beyond `ZCORN`, `points_coords` or `grid_lines_xy`, whatever they hold.
GridBuildReport buildGridGeometry(const GridInput& input, GridGeometry& geometry, ViewCamera& camera,
                                  Properties& properties, Contacts& contacts);

// The whole grid build on the model state: buildGridGeometry, then, when built, the XY reference plane arrays.
GridBuildReport buildGrid(ModelState& state);

// The log line of a build in the interface language ("en" or "ru"): a refusal says what was wrong with the numbers
// that let the user mend the file.
std::string gridBuildLogLine(const GridBuildReport& report, const std::string& lang);

// Sends the trace lines and then the log line of a build to the user.
void deliverGridReport(const GridBuildReport& report, Feedback& feedback, const std::string& lang = "en");

// Pillar spacing in file units as the layout rules round it: the distance times COORD_MULT plus 0.4, to the
// nearest integer with halves away from zero (24.1 gives 25, 24.09 gives 24). A non-finite distance gives -1.
long long roundedPillarSpacing(double x0, double y0, double x1, double y1);

// A count with a space between groups of three digits from the right: 1234567 -> "1 234 567", 999 -> "999".
std::string groupDigits(long long value);

}  // namespace morvane
