// The corners, faces and edges of one grid cell in a layer's vertex array. Every layer numbers its vertices alike:
// the top corners of all cells, then the bottom corners, four per cell (near-left, near-right, far-left, far-right;
// "near" faces the previous row, "left" the previous column). A cell whose top corner 0 is vertex b has top corners
// b..b+3 and bottom corners B..B+3, B = b + the vertices of one surface.
#pragma once

#include <array>
#include <initializer_list>

#include "scene/grid_meshes.h"

namespace morvane {

// The two triangles of one face, given as (a, b, c) for the true winding; the false winding swaps b and c.
struct Face {
    int a1, b1, c1, a2, b2, c2;
};

inline void appendFace(Indices& out, const Face& f, bool flag)
{
    if (flag)
        out.insert(out.end(), {f.a1, f.b1, f.c1, f.a2, f.b2, f.c2});
    else
        out.insert(out.end(), {f.a1, f.c1, f.b1, f.a2, f.c2, f.b2});
}

inline void appendLines(Indices& out, std::initializer_list<int> pairs) { out.insert(out.end(), pairs); }

// Faces of the cell whose top corner 0 is b and bottom corner 0 is B, each facing out of the cell.
inline Face topFace(int b) { return {b, b + 2, b + 1, b + 1, b + 2, b + 3}; }
inline Face bottomFace(int B) { return {B, B + 1, B + 2, B + 1, B + 3, B + 2}; }
inline Face nearFace(int b, int B) { return {b, b + 1, B, B, b + 1, B + 1}; }
inline Face farFace(int b, int B) { return {b + 2, B + 2, b + 3, B + 2, B + 3, b + 3}; }
inline Face leftFace(int b, int B) { return {b + 2, b, B, b + 2, B, B + 2}; }
inline Face rightFace(int b, int B) { return {b + 1, b + 3, B + 3, b + 1, B + 3, B + 1}; }

}  // namespace morvane
