#include "scene/cell_outline.h"

namespace morvane {

std::optional<CellAddress> cellAddress(const Grid& grid, const CellHit& hit)
{
    if (!grid.loaded || grid.columns < 1 || hit.layer < 0 || hit.layer >= grid.layers || hit.cell < 0 ||
        hit.cell >= grid.rows * grid.columns)
        return std::nullopt;
    return CellAddress{hit.cell % grid.columns + 1, hit.cell / grid.columns + 1, hit.layer + 1};
}

std::size_t cellIndex(const Grid& grid, const CellAddress& a)
{
    const auto rows = static_cast<std::size_t>(grid.rows);
    const auto columns = static_cast<std::size_t>(grid.columns);
    return (static_cast<std::size_t>(a.k) - 1) * rows * columns + (static_cast<std::size_t>(a.j) - 1) * columns +
           static_cast<std::size_t>(a.i) - 1;
}

Vertices cellOutline(const Grid& grid, const CellHit& hit)
{
    if (!cellAddress(grid, hit) || static_cast<std::size_t>(hit.layer) >= grid.layerVertices.size()) return {};
    const Vertices& layer = grid.layerVertices[static_cast<std::size_t>(hit.layer)];
    const std::size_t top = static_cast<std::size_t>(hit.cell) * 4;
    const std::size_t bottom = top + static_cast<std::size_t>(grid.surfaceVertices);
    if ((bottom + 4) * 6 > layer.size()) return {};
    // Corners 0 near-left, 1 near-right, 2 far-left, 3 far-right of each surface.
    static constexpr int ring[4][2] = {{0, 1}, {1, 3}, {3, 2}, {2, 0}};
    Vertices out;
    out.reserve(24 * 6);
    const auto put = [&](std::size_t vertex) {
        out.insert(out.end(), layer.begin() + static_cast<std::ptrdiff_t>(vertex * 6),
                   layer.begin() + static_cast<std::ptrdiff_t>(vertex * 6 + 3));
        out.insert(out.end(), std::begin(kOutlineColour), std::end(kOutlineColour));
    };
    for (const std::size_t surface : {top, bottom})
        for (const auto& edge : ring) {
            put(surface + static_cast<std::size_t>(edge[0]));
            put(surface + static_cast<std::size_t>(edge[1]));
        }
    for (std::size_t corner = 0; corner < 4; ++corner) {
        put(top + corner);
        put(bottom + corner);
    }
    return out;
}

}  // namespace morvane
