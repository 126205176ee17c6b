// The shell of the drawn cells, as the 3D view shows the model: per layer, every face of a drawn cell that no drawn
// neighbour covers face to face, and the outlines of those faces, each line once. A face shared by two drawn cells
// with the same four corners lies inside the model and is never seen. What remains is the surface a viewer sees
// from any side: the top, the base, the frame, the walls of holes left by hidden cells, and the steps where a fault
// displaces the neighbour's corners.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "scene/grid_meshes.h"

namespace morvane {

// The sides a shell face looks to; a line outlines faces of one side, or of several (kShellSides).
inline constexpr int kShellSides = 6;  // top, bottom, near, far, left, right

// Faces and lines of some layers, layer after layer: layer k's from faceStart[k] (lineStart[k]) to the next entry.
// Within a layer the faces run side by side: run s of layer k starts at faceRuns[k * 6 + s]. The lines run the
// same way in seven runs, those bordering faces of several sides first: lineRuns[k * 7 + 0], then one run per
// side from lineRuns[k * 7 + 1 + s]. A run ends where the next begins (the last at the next layer's start). A side
// whose triangles all turn their backs to the viewer, none of its faces nor its own lines can be seen in the
// closed shell: sidePlanes[s] holds (nx, ny, nz, d) of each of its triangles, n the unit normal facing out.
struct ShellLists {
    Indices faces, lines;
    std::vector<std::size_t> faceStart, lineStart, faceRuns, lineRuns;
    std::array<std::vector<float>, kShellSides> sidePlanes;
};

// Fills grid_indices_edge and cell_indices_edge with the shell's lines and faces, layer after layer, their
// per-layer tables and their runs and side planes (shell_face_runs, shell_line_runs, shell_side_planes). `drawn` holds one flag per cell, layer after layer, row after row (cell_i rows of cell_j cells).
// Faces count as shared only when both layers' corner positions (grid_lines_k) are at hand and equal.
void buildGridShell(const Grid& geometry, const std::vector<std::uint8_t>& drawn, bool flag, GridDrawing& drawing);

// The shell of layers `first` to `last` drawn on their own (the layer view), with the tables for every layer of the
// grid (those outside the block empty). With `wholeCells` the lines are every edge of every drawn cell of the
// block, each once, as a see-through view shows them, all in the first run, and no faces are listed.
ShellLists buildLayerBlockShell(const Grid& geometry, const std::vector<std::uint8_t>& drawn, bool flag, int first,
                                int last, bool wholeCells);

}  // namespace morvane
