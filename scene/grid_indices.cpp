#include "scene/grid_indices.h"

#include <algorithm>
#include <cstddef>

#include "scene/cell_faces.h"
#include "scene/grid_shell.h"

namespace morvane {

namespace {

bool layoutIsConsistent(const Grid& g)
{
    if (!g.loaded || g.definedRows < 1 || g.definedColumns < 1) return false;
    if (g.definedRows > g.rows || g.definedColumns > g.columns) return false;
    if (static_cast<long long>(g.surfaceVertices) != 4LL * g.rows * g.columns) return false;
    if (g.regularCells.size() < static_cast<std::size_t>(g.definedRows)) return false;
    for (int r = 0; r < g.definedRows; ++r)
        if (g.regularCells[r].size() < static_cast<std::size_t>(g.definedColumns)) return false;
    return true;
}

}  // namespace

bool gridWindingFlag(const Grid& geometry)
{
    const CornerPointInput& input = geometry.input;
    const auto& xy = input.pillarXY;
    const std::size_t q = static_cast<std::size_t>(geometry.columns) + 1;
    if (geometry.columns < 1 || xy.size() < 4 * (q + 1)) return true;
    const float x0 = static_cast<float>(xy[0]), y0 = static_cast<float>(xy[1]);
    const float x1 = static_cast<float>(xy[4]), y1 = static_cast<float>(xy[5]);
    const float xq = static_cast<float>(xy[4 * q]), yq = static_cast<float>(xy[4 * q + 1]);
    const double cross = (double(x1) - x0) * (double(yq) - y0) - (double(y1) - y0) * (double(xq) - x0);
    return !(cross > 0);
}

bool buildGridIndices(const Grid& geometry, GridDrawing& drawing, ContactDrawing& contacts, bool showInactive)
{
    if (!layoutIsConsistent(geometry)) return false;
    const bool flag = gridWindingFlag(geometry);
    const int rows = geometry.definedRows;
    const int cols = geometry.definedColumns;
    const int below = geometry.surfaceVertices;
    auto regular = [&](int r, int c) { return geometry.regularCells[r][c] == 1; };

    std::size_t regularCells = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) regularCells += regular(r, c);

    Indices grid, cell, owc;
    grid.reserve(regularCells * 24);
    cell.reserve(regularCells * 30);
    owc.reserve(regularCells * 6);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            if (!regular(r, c)) continue;
            const int b = (r * cols + c) * 4;
            const int B = b + below;
            appendLines(grid, {b, b + 1, b + 2, b + 3, b, b + 2, b + 1, b + 3, B,     B + 1, B + 2, B + 3,
                               B, B + 2, B + 1, B + 3, b, B,     b + 1, B + 1, b + 2, B + 2, b + 3, B + 3});
            appendFace(cell, topFace(b), flag);
            appendFace(cell, nearFace(b, B), flag);
            appendFace(cell, farFace(b, B), flag);
            appendFace(cell, leftFace(b, B), flag);
            appendFace(cell, rightFace(b, B), flag);
        }
    }

    // Which cells a layer draws: regular ones, and of those the active ones unless inactive cells are shown.
    const std::size_t perLayer = static_cast<std::size_t>(geometry.rows) * static_cast<std::size_t>(geometry.columns);
    const int layers = geometry.layers;
    const bool byLayer = !showInactive && layers > 0 && rows == geometry.rows && cols == geometry.columns &&
                         geometry.active.size() == perLayer * static_cast<std::size_t>(layers);
    auto drawn = [&](int k, int r, int c) {
        return regular(r, c) &&
               (!byLayer ||
                geometry.active[static_cast<std::size_t>(k) * perLayer + static_cast<std::size_t>(r * cols + c)] != 0);
    };

    // The contacts lie under the drawn columns only: a column of inactive cells carries none.
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            bool carries = false;
            for (int k = 0; k < std::max(layers, 1) && !carries; ++k) carries = drawn(k, r, c);
            if (carries) appendFace(owc, topFace((r * cols + c) * 4), flag);
        }

    drawing.cell_runs.clear();
    drawing.cell_runs_layer.clear();
    if (byLayer) {
        for (int k = 0; k < layers; ++k) {
            drawing.cell_runs_layer.push_back(drawing.cell_runs.size());
            // Runs of drawn cells, counted in regular cells (the shared lists hold regular cells only).
            int ordinal = 0;
            int runStart = -1, runLength = 0;
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < cols; ++c) {
                    if (!regular(r, c)) continue;
                    if (drawn(k, r, c)) {
                        if (runLength > 0 && runStart + runLength == ordinal) {
                            ++runLength;
                        } else {
                            if (runLength > 0) drawing.cell_runs.insert(drawing.cell_runs.end(), {runStart, runLength});
                            runStart = ordinal;
                            runLength = 1;
                        }
                    }
                    ++ordinal;
                }
            if (runLength > 0) drawing.cell_runs.insert(drawing.cell_runs.end(), {runStart, runLength});
        }
        drawing.cell_runs_layer.push_back(drawing.cell_runs.size());
    }

    std::vector<std::uint8_t> drawnCells(static_cast<std::size_t>(std::max(layers, 0)) * rows * cols);
    for (int k = 0; k < layers; ++k)
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                drawnCells[(static_cast<std::size_t>(k) * rows + r) * cols + c] = drawn(k, r, c) ? 1 : 0;
    buildGridShell(geometry, drawnCells, flag, drawing);
    drawing.cell_drawn = std::move(drawnCells);

    drawing.grid_indices = std::move(grid);
    drawing.cell_indices = std::move(cell);
    contacts.OWC_indices = owc;
    contacts.GOC_indices = std::move(owc);
    return true;
}

}  // namespace morvane
