#include "scene/grid_indices.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>

namespace morvane {

namespace {

// The two triangles of one face, given as (a, b, c) for the true winding; the false winding swaps b and c.
struct Face {
    int a1, b1, c1, a2, b2, c2;
};

void appendFace(Indices& out, const Face& f, bool flag)
{
    if (flag)
        out.insert(out.end(), {f.a1, f.b1, f.c1, f.a2, f.b2, f.c2});
    else
        out.insert(out.end(), {f.a1, f.c1, f.b1, f.a2, f.c2, f.b2});
}

// Faces of the cell whose top corner 0 is b and bottom corner 0 is B.
Face topFace(int b) { return {b, b + 2, b + 1, b + 1, b + 2, b + 3}; }
Face nearFace(int b, int B) { return {b, b + 1, B, B, b + 1, B + 1}; }
Face farFace(int b, int B) { return {b + 2, B + 2, b + 3, B + 2, B + 3, b + 3}; }
Face leftFace(int b, int B) { return {b + 2, b, B, b + 2, B, B + 2}; }
Face rightFace(int b, int B) { return {b + 1, b + 3, B + 3, b + 1, B + 3, B + 1}; }

void appendLines(Indices& out, std::initializer_list<int> pairs) { out.insert(out.end(), pairs); }

bool layoutIsConsistent(const GridGeometry& g)
{
    if (!g.gridLoaded || g.cell_i < 1 || g.cell_j < 1) return false;
    if (g.cell_i > g.ZCORN_I || g.cell_j > g.ZCORN_J) return false;
    if (static_cast<long long>(g.points_in_layer) != 4LL * g.ZCORN_I * g.ZCORN_J) return false;
    if (g.IJ_undef.size() < static_cast<std::size_t>(g.cell_i)) return false;
    for (int r = 0; r < g.cell_i; ++r)
        if (g.IJ_undef[r].size() < static_cast<std::size_t>(g.cell_j)) return false;
    return true;
}

}  // namespace

bool gridWindingFlag(const GridInput& input, const GridGeometry& geometry)
{
    const auto& xy = input.grid_lines_xy;
    const std::size_t q = static_cast<std::size_t>(geometry.ZCORN_J) + 1;
    if (geometry.ZCORN_J < 1 || xy.size() < 4 * (q + 1)) return true;
    const float x0 = static_cast<float>(xy[0]), y0 = static_cast<float>(xy[1]);
    const float x1 = static_cast<float>(xy[4]), y1 = static_cast<float>(xy[5]);
    const float xq = static_cast<float>(xy[4 * q]), yq = static_cast<float>(xy[4 * q + 1]);
    const double cross = (double(x1) - x0) * (double(yq) - y0) - (double(y1) - y0) * (double(xq) - x0);
    return !(cross > 0);
}

bool buildGridIndices(const GridInput& input, const GridGeometry& geometry, GridDrawing& drawing, Contacts& contacts,
                      bool showInactive)
{
    if (!layoutIsConsistent(geometry)) return false;
    const bool flag = gridWindingFlag(input, geometry);
    const int rows = geometry.cell_i;
    const int cols = geometry.cell_j;
    const int below = geometry.points_in_layer;
    auto regular = [&](int r, int c) { return geometry.IJ_undef[r][c] == 1; };

    std::size_t regularCells = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) regularCells += regular(r, c);

    Indices grid, cell, owc, gridEdge, cellEdge;
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
    const std::size_t perLayer =
        static_cast<std::size_t>(geometry.ZCORN_I) * static_cast<std::size_t>(geometry.ZCORN_J);
    const int layers = geometry.ZCORN_K;
    const bool byLayer = !showInactive && layers > 0 && rows == geometry.ZCORN_I && cols == geometry.ZCORN_J &&
                         geometry.cell_active.size() == perLayer * static_cast<std::size_t>(layers);
    auto drawn = [&](int k, int r, int c) {
        return regular(r, c) &&
               (!byLayer ||
                geometry.cell_active[static_cast<std::size_t>(k) * perLayer + static_cast<std::size_t>(r * cols + c)] !=
                    0);
    };

    // The contacts lie under the drawn columns only: a column of inactive cells carries none.
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            bool carries = false;
            for (int k = 0; k < std::max(layers, 1) && !carries; ++k) carries = drawn(k, r, c);
            if (carries) appendFace(owc, topFace((r * cols + c) * 4), flag);
        }

    // Sides on the grid's frame or facing a cell that is not drawn are exposed; their outlines and faces are drawn
    // when the layer is seen from the side. Between the top and the bottom layer (both drawn whole in the shell view)
    // a top face under a cell that is not drawn is exposed too.
    auto appendExposed = [&](int k) {
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                if (!drawn(k, r, c)) continue;
                const int b = (r * cols + c) * 4;
                const int B = b + below;
                if (c == 0 || !drawn(k, r, c - 1)) {
                    appendLines(gridEdge, {b, B, b + 2, B + 2, b, b + 2, B, B + 2});
                    appendFace(cellEdge, leftFace(b, B), flag);
                }
                if (c == cols - 1 || !drawn(k, r, c + 1)) {
                    appendLines(gridEdge, {b + 1, B + 1, b + 3, B + 3, b + 1, b + 3, B + 1, B + 3});
                    appendFace(cellEdge, rightFace(b, B), flag);
                }
                if (r == 0 || !drawn(k, r - 1, c)) {
                    appendLines(gridEdge, {b, B, b + 1, B + 1, b, b + 1, B, B + 1});
                    appendFace(cellEdge, nearFace(b, B), flag);
                }
                if (r == rows - 1 || !drawn(k, r + 1, c)) {
                    appendLines(gridEdge, {b + 2, B + 2, b + 3, B + 3, b + 2, b + 3, B + 2, B + 3});
                    appendFace(cellEdge, farFace(b, B), flag);
                }
                if (byLayer && k > 0 && k < layers - 1 && !drawn(k - 1, r, c)) {
                    appendLines(gridEdge, {b, b + 1, b + 2, b + 3, b, b + 2, b + 1, b + 3});
                    appendFace(cellEdge, topFace(b), flag);
                }
            }
        }
    };

    drawing.cell_runs.clear();
    drawing.cell_runs_layer.clear();
    drawing.grid_indices_edge_layer.clear();
    drawing.cell_indices_edge_layer.clear();
    if (!byLayer) {
        appendExposed(0);
    } else {
        for (int k = 0; k < layers; ++k) {
            drawing.cell_runs_layer.push_back(drawing.cell_runs.size());
            drawing.grid_indices_edge_layer.push_back(gridEdge.size());
            drawing.cell_indices_edge_layer.push_back(cellEdge.size());
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
            appendExposed(k);
        }
        drawing.cell_runs_layer.push_back(drawing.cell_runs.size());
        drawing.grid_indices_edge_layer.push_back(gridEdge.size());
        drawing.cell_indices_edge_layer.push_back(cellEdge.size());
    }

    drawing.grid_indices = std::move(grid);
    drawing.cell_indices = std::move(cell);
    drawing.grid_indices_edge = std::move(gridEdge);
    drawing.cell_indices_edge = std::move(cellEdge);
    contacts.OWC_indices = owc;
    contacts.GOC_indices = std::move(owc);
    return true;
}

}  // namespace morvane
