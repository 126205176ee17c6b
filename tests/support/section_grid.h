// A small hand-made grid for the well section tests: square cells in rows, their corner vertices laid out per
// layer as the grid builder lays them out, a continuous property of 0.1 on display and one of the model's extents.
#pragma once

#include <utility>
#include <vector>

#include "commands/model_state.h"

namespace morvane::testing {

// `rows` x `columns` cells of `cell` scene units and `layers` layers; rows advance along +y, or along -y when
// `southwards`. Top faces lie at z = -1 - k - 0.1 y, bottom faces one unit lower, so depth varies along every edge
// that runs in y. Every column is regular unless named in `undefined` (row, column). The grid counts as loaded,
// with its extents, its cell size in file units, and one continuous property besides the placeholder.
inline ModelState sectionGrid(int rows, int columns, int layers, float cell = 1, bool southwards = false,
                              const std::vector<std::pair<int, int>>& undefined = {})
{
    ModelState s;
    s.document.grid.rows = rows;
    s.document.grid.columns = columns;
    s.document.grid.layers = layers;
    s.document.grid.regularCells.assign(static_cast<std::size_t>(rows),
                                        std::vector<int>(static_cast<std::size_t>(columns), 1));
    for (const auto& [i, j] : undefined)
        s.document.grid.regularCells[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = 0;
    const float dy = southwards ? -cell : cell;
    for (int k = 0; k < layers; ++k) {
        Vertices layer;
        for (int surface = 0; surface < 2; ++surface)
            for (int i = 0; i < rows; ++i)
                for (int j = 0; j < columns; ++j) {
                    const float nearY = static_cast<float>(i) * dy, farY = nearY + dy;
                    const float left = static_cast<float>(j) * cell, right = left + cell;
                    for (const auto& [x, y] : {std::pair{left, nearY}, {right, nearY}, {left, farY}, {right, farY}}) {
                        const float z = -1.0f - static_cast<float>(k + surface) - 0.1f * y;
                        layer.insert(layer.end(), {x, y, z, 1, 1, 1});
                    }
                }
        s.document.grid.layerVertices.push_back(std::move(layer));
    }
    s.document.grid.extent.xMin = 0;
    s.document.grid.extent.xMax = static_cast<float>(columns) * cell;
    s.document.grid.extent.yMin = southwards ? -static_cast<float>(rows) * cell : 0;
    s.document.grid.extent.yMax = southwards ? 0 : static_cast<float>(rows) * cell;
    s.document.grid.extent.zMax = -1.0f;
    s.document.grid.extent.zMin = -1.0f - static_cast<float>(layers) - 0.1f * s.document.grid.extent.yMax;
    s.document.grid.cellSize = static_cast<int>(cell * static_cast<float>(kCoordScale) + 0.5f);
    s.document.grid.loaded = true;

    const std::size_t cells = static_cast<std::size_t>(layers) * static_cast<std::size_t>(rows * columns);
    s.document.grid.cellCount = static_cast<int>(cells);
    s.document.properties.add(
        makeContinuousProperty("VALUES", PropertyKind::Continuous, std::vector<double>(cells, 0.1)));
    s.view.shownProperty = "VALUES";
    s.colouredFrom.valid = true;         // the cells wear the property's colours
    s.document.contacts.owc.set = true;  // a uniform OWC
    s.document.contacts.owc.level = -1.5f;
    return s;
}

}  // namespace morvane::testing
