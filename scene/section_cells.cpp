#include "scene/section_cells.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include <glm/geometric.hpp>
#include <glm/vec3.hpp>

namespace morvane {

namespace {

constexpr std::size_t kPerCell = 30;  // top face and four sides, two triangles each

}  // namespace

std::vector<Indices> sectionCellIndices(const Grid& grid, const GridDrawing& drawing, const glm::vec4& plane)
{
    const Indices& list = drawing.cell_indices;
    if (grid.layers < 1 || grid.definedRows < 1 || grid.definedColumns < 1 || list.empty() ||
        list.size() % kPerCell != 0 || grid.layerVertices.size() < static_cast<std::size_t>(grid.layers))
        return {};
    const auto layers = static_cast<std::size_t>(grid.layers);
    const auto rows = static_cast<std::size_t>(grid.definedRows), cols = static_cast<std::size_t>(grid.definedColumns);
    const std::size_t perLayer = rows * cols, blocks = list.size() / kPerCell;
    const auto drawn = [&](std::size_t k, std::size_t cell) { return drawing.cell_drawn[k * perLayer + cell] != 0; };
    const auto surface = static_cast<std::size_t>(std::max(grid.surfaceVertices, 0));
    if (drawing.cell_drawn.size() != layers * perLayer || 4 * perLayer > surface) return {};

    // The cell each block draws: its first entry is the cell's top corner 0, vertex 4c of cell c.
    std::vector<std::size_t> cellOf(blocks);
    for (std::size_t b = 0; b < blocks; ++b) {
        const int first = list[b * kPerCell];
        cellOf[b] = first >= 0 && static_cast<std::size_t>(first) / 4 < perLayer ? static_cast<std::size_t>(first) / 4
                                                                                 : perLayer;  // never drawn
    }

    const float margin = 1e-4f * glm::length(glm::vec3(plane));
    const auto distance = [&](const float* p) { return plane.x * p[0] + plane.y * p[1] + plane.z * p[2] + plane.w; };
    std::vector<std::uint8_t> cut(layers * perLayer, 0);
    for (std::size_t k = 0; k < layers; ++k) {
        const Vertices& vertices = grid.layerVertices[k];
        if (vertices.size() < 6 * 2 * surface) return {};
        for (std::size_t b = 0; b < blocks; ++b) {
            const std::size_t cell = cellOf[b];
            if (cell >= perLayer || !drawn(k, cell)) continue;
            float lo = std::numeric_limits<float>::max(), hi = std::numeric_limits<float>::lowest();
            for (std::size_t corner = 0; corner < 4; ++corner)
                for (std::size_t v : {4 * cell + corner, surface + 4 * cell + corner}) {
                    const float d = distance(&vertices[6 * v]);
                    lo = std::min(lo, d);
                    hi = std::max(hi, d);
                }
            cut[k * perLayer + cell] = lo <= margin && hi >= -margin ? 1 : 0;
        }
    }

    const auto isCut = [&](std::size_t k, std::size_t cell) { return cut[k * perLayer + cell] != 0; };
    std::vector<Indices> kept(layers);
    for (std::size_t k = 0; k < layers; ++k) {
        for (std::size_t b = 0; b < blocks; ++b) {
            const std::size_t cell = cellOf[b];
            if (cell >= perLayer || !drawn(k, cell)) continue;
            const std::size_t r = cell / cols, c = cell % cols;
            const bool needed = isCut(k, cell) || (k > 0 && isCut(k - 1, cell)) ||
                                (k + 1 < layers && isCut(k + 1, cell)) || (r > 0 && isCut(k, cell - cols)) ||
                                (r + 1 < rows && isCut(k, cell + cols)) || (c > 0 && isCut(k, cell - 1)) ||
                                (c + 1 < cols && isCut(k, cell + 1));
            if (!needed) continue;
            const auto at = static_cast<std::ptrdiff_t>(b * kPerCell);
            kept[k].insert(kept[k].end(), list.begin() + at, list.begin() + at + static_cast<std::ptrdiff_t>(kPerCell));
        }
    }
    return kept;
}

}  // namespace morvane
