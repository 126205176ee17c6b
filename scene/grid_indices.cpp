#include "scene/grid_indices.h"

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

bool buildGridIndices(const GridInput& input, const GridGeometry& geometry, GridDrawing& drawing, Contacts& contacts)
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
            appendFace(owc, topFace(b), flag);
        }
    }

    // Sides on the grid's frame or facing an undefined cell are exposed; their outlines and faces are drawn when
    // the layer is seen from the side.
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            if (!regular(r, c)) continue;
            const int b = (r * cols + c) * 4;
            const int B = b + below;
            if (c == 0 || !regular(r, c - 1)) {
                appendLines(gridEdge, {b, B, b + 2, B + 2, b, b + 2, B, B + 2});
                appendFace(cellEdge, leftFace(b, B), flag);
            }
            if (c == cols - 1 || !regular(r, c + 1)) {
                appendLines(gridEdge, {b + 1, B + 1, b + 3, B + 3, b + 1, b + 3, B + 1, B + 3});
                appendFace(cellEdge, rightFace(b, B), flag);
            }
            if (r == 0 || !regular(r - 1, c)) {
                appendLines(gridEdge, {b, B, b + 1, B + 1, b, b + 1, B, B + 1});
                appendFace(cellEdge, nearFace(b, B), flag);
            }
            if (r == rows - 1 || !regular(r + 1, c)) {
                appendLines(gridEdge, {b + 2, B + 2, b + 3, B + 3, b + 2, b + 3, B + 2, B + 3});
                appendFace(cellEdge, farFace(b, B), flag);
            }
        }
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
