// Which cells of a loaded grid are active (ACTNUM). Features that read cells (the well section, contacts, the well
// bounds) pass over inactive cells, as the drawing does while they are hidden.
#pragma once

#include <cstddef>

#include "scene/grid_meshes.h"

namespace morvane {

// Whether the grid holds one active flag per cell; without them every cell counts as active.
inline bool hasActiveFlags(const Grid& grid)
{
    return grid.layers > 0 && grid.rows > 0 && grid.columns > 0 &&
           grid.active.size() == static_cast<std::size_t>(grid.layers) * static_cast<std::size_t>(grid.rows) *
                                     static_cast<std::size_t>(grid.columns);
}

// Cell (k, i, j): layer k, row i, column j, in the file's order of cells.
inline bool cellActive(const Grid& grid, int k, int i, int j)
{
    if (!hasActiveFlags(grid)) return true;
    const std::size_t I = static_cast<std::size_t>(grid.rows), J = static_cast<std::size_t>(grid.columns);
    return grid.active[(static_cast<std::size_t>(k) * I + static_cast<std::size_t>(i)) * J +
                       static_cast<std::size_t>(j)] != 0;
}

// The first (topmost) active layer of column (i, j), or -1 when none is. Without flags: layer 0.
inline int firstActiveLayer(const Grid& grid, int i, int j)
{
    for (int k = 0; k < grid.layers; ++k)
        if (cellActive(grid, k, i, j)) return k;
    return -1;
}

// The last (deepest) active layer of column (i, j), or -1 when none is. Without flags: the bottom layer.
inline int lastActiveLayer(const Grid& grid, int i, int j)
{
    for (int k = grid.layers - 1; k >= 0; --k)
        if (cellActive(grid, k, i, j)) return k;
    return -1;
}

}  // namespace morvane
