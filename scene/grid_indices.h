// Index lists that pick the drawn faces and edges of the grid's regular cells. Every layer's vertex array numbers
// its corners alike (top surface, then bottom surface, four corners per cell), so one list serves all layers.
//
// Inactive cells (cell_active) are left out unless they are to be shown. The layers then differ: each layer draws
// runs of the shared cell lists (cell_runs). The shell the 3D view draws (grid_shell.h) has a list of its own per
// layer, since faults and hidden cells open different faces in every layer.
#pragma once

#include "scene/grid_meshes.h"
#include "scene/overlay_meshes.h"

namespace morvane {

// The winding of the cell triangles: true when the pillar rows advance clockwise from the row direction (for an
// axis-aligned grid with I along +x: rows along -y), so that outer faces stay front faces under back-face culling.
// Decided by the sign of the cross product of pillar 0 -> pillar 1 and pillar 0 -> first pillar of the second row.
bool gridWindingFlag(const Grid& geometry);

// Rebuilds grid_indices, cell_indices, grid_indices_edge, cell_indices_edge, OWC_indices and GOC_indices, and the
// per-layer tables (cell_runs and cell_runs_layer, empty when every layer draws the same cells; the shell's
// grid_indices_edge_layer and cell_indices_edge_layer), and which cells are drawn (cell_drawn). With `showInactive` inactive cells are drawn like active ones.
// Returns false and changes nothing when no grid is loaded or the layout variables do not describe the arrays.
bool buildGridIndices(const Grid& geometry, GridDrawing& drawing, ContactDrawing& contacts, bool showInactive = false);

}  // namespace morvane
