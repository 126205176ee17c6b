// A cell of the grid as the pick pass finds it, its place in the file's numbering, and the outline that marks it.
//
// Every layer's vertex array numbers its cells alike: the top surface, then the bottom surface, each cell row after
// row, four corners per cell (near-left, near-right, far-left, far-right). A pick reports the layer and the cell's
// number within a surface; the file numbers I along a row (its fastest direction), J across the rows, K down the
// layers, all from 1.
#pragma once

#include <optional>

#include "scene/grid_meshes.h"

namespace morvane {

struct CellHit {
    int layer = 0;  // from 0, top first
    int cell = 0;   // within a surface: row * ZCORN_J + column
    friend bool operator==(const CellHit&, const CellHit&) = default;
};

struct CellAddress {
    int i = 0, j = 0, k = 0;  // from 1
    friend bool operator==(const CellAddress&, const CellAddress&) = default;
};

// The file numbers of a hit, or nothing when it lies outside the grid's counts.
std::optional<CellAddress> cellAddress(const Grid& grid, const CellHit& hit);

// The cell's position in the property arrays (file order: I fastest, then J, then K).
std::size_t cellIndex(const Grid& grid, const CellAddress& address);

inline constexpr float kOutlineColour[3] = {1.0f, 0.0f, 1.0f};  // magenta: in no palette

// The twelve edges of the cell as 24 coloured vertices (lines), from the layer's corners; empty when the hit lies
// outside the grid or its vertex arrays.
Vertices cellOutline(const Grid& grid, const CellHit& hit);

}  // namespace morvane
