// The cells a flat section needs drawn besides the shell. Looking through the cut, a viewer sees into the cells the
// plane passes through, whose own faces turn their backs, and onto the faces of their neighbours; every other face
// on the kept side is hidden behind those or belongs to the shell. So an opaque section draws the shell, the cut
// cells and their six face neighbours, and nothing else of the model's inside.
#pragma once

#include <vector>

#include <glm/vec4.hpp>

#include "scene/grid_meshes.h"

namespace morvane {

// Per layer, the blocks of cell_indices (30 entries per cell) of the drawn cells that `plane` cuts and of their face
// neighbours in this and the adjacent layers. `plane` is in the grid's own coordinates (those of grid_lines_k); the
// kept side is where (x, y, z, 1) . plane >= 0. Cells within a hair of the plane count as cut, so that rounding in
// the clipping never opens a cell whose neighbours were left out. Empty when the lists do not fit the grid.
std::vector<Indices> sectionCellIndices(const Grid& grid, const GridDrawing& drawing, const glm::vec4& plane);

}  // namespace morvane
