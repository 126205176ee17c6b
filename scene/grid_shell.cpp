#include "scene/grid_shell.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include <glm/geometric.hpp>
#include <glm/vec3.hpp>

#include "scene/cell_faces.h"
#include "scene/layer_halves.h"

namespace morvane {

namespace {

// Corners 0-3 are the top ones (near-left, near-right, far-left, far-right), 4-7 the bottom ones alike.
enum Side { Top, Bottom, Near, Far, Left, Right, kSides };
static_assert(kSides == kShellSides);

// Each side's corners, ordered so that corner i of a side meets corner i of the neighbour's facing side.
constexpr std::array<std::array<int, 4>, kSides> kSideCorners{
    {{0, 1, 2, 3}, {4, 5, 6, 7}, {0, 1, 4, 5}, {2, 3, 6, 7}, {0, 2, 4, 6}, {1, 3, 5, 7}}};
constexpr std::array<Side, kSides> kFacing{Bottom, Top, Far, Near, Right, Left};
constexpr std::array<std::array<int, 3>, kSides> kStep{
    // layer, row, column of the neighbour across a side
    {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}}};

// The twelve edges as corner pairs: four on the top, four on the bottom, four vertical.
constexpr int kEdgeCount = 12;
constexpr std::array<std::array<int, 2>, kEdgeCount> kEdges{
    {{0, 1}, {2, 3}, {0, 2}, {1, 3}, {4, 5}, {6, 7}, {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}}};

constexpr int edgeOf(int a, int b)
{
    for (int e = 0; e < kEdgeCount; ++e)
        if ((kEdges[e][0] == a && kEdges[e][1] == b) || (kEdges[e][0] == b && kEdges[e][1] == a)) return e;
    return -1;
}

// The edges that outline each side.
constexpr std::array<unsigned, kSides> kSideEdges = [] {
    std::array<unsigned, kSides> masks{};
    for (int side = 0; side < kSides; ++side)
        for (int i = 0; i < 4; ++i)
            for (int j = i + 1; j < 4; ++j) {
                const int e = edgeOf(kSideCorners[side][i], kSideCorners[side][j]);
                if (e >= 0) masks[side] |= 1u << e;
            }
    return masks;
}();

// Cells of the same layer met before this one in row order that may already have drawn one of its edges, with
// where each of this cell's corners sits among theirs (-1: not shared).
struct EarlierCell {
    int dr, dc;
    std::array<int, 8> corner;
};
constexpr std::array<EarlierCell, 4> kEarlier{{
    {0, -1, {1, -1, 3, -1, 5, -1, 7, -1}},     // left
    {-1, 0, {2, 3, -1, -1, 6, 7, -1, -1}},     // near
    {-1, -1, {3, -1, -1, -1, 7, -1, -1, -1}},  // near-left, across the pillar
    {-1, 1, {-1, 2, -1, -1, -1, 6, -1, -1}},   // near-right, across the pillar
}};

bool samePoint(const float* a, const float* b) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }

class ShellBuilder {
public:
    // Cells outside layers `first` to `last` count as not drawn. With `wholeCells` every edge of a drawn cell is
    // outlined and no face is listed.
    ShellBuilder(const Grid& g, const std::vector<std::uint8_t>& drawn, bool flag, int first, int last, bool wholeCells)
        : layers_(g.layers),
          rows_(g.definedRows),
          cols_(g.definedColumns),
          surface_(g.surfaceVertices),
          first_(first),
          last_(last),
          flag_(flag),
          wholeCells_(wholeCells),
          drawn_(drawn)
    {
        // Positions are compared only where a layer holds every corner of both surfaces.
        const std::size_t floats = 6 * 2 * static_cast<std::size_t>(surface_);
        for (int k = 0; k < layers_; ++k) {
            const auto layer = static_cast<std::size_t>(k);
            positions_.push_back(layer < g.layerVertices.size() && g.layerVertices[layer].size() >= floats
                                     ? g.layerVertices[layer].data()
                                     : nullptr);
        }
    }

    // The lists of layers `from` to `to` - 1, their tables without the closing entries.
    ShellLists build(int from, int to)
    {
        if (from > first_ && from <= last_) {
            // The layer above is outlined first, so that its bottom edges are not listed again as this layer's top
            // ones; its own faces and lines are listed by whoever builds that layer.
            buildLayer(from - 1);
            out_ = ShellLists{};
        }
        for (int k = from; k < to; ++k) buildLayer(k);
        return std::move(out_);
    }

private:
    void buildLayer(int k)
    {
        out_.faceStart.push_back(out_.faces.size());
        out_.lineStart.push_back(out_.lines.size());
        for (auto& run : faceRuns_) run.clear();
        for (auto& run : lineRuns_) run.clear();
        if (k >= first_ && k <= last_) {
            above_.swap(here_);
            if (k == first_ || above_.empty()) above_.assign(static_cast<std::size_t>(rows_) * cols_, Outlines{});
            here_.assign(static_cast<std::size_t>(rows_) * cols_, Outlines{});
            for (int r = 0; r < rows_; ++r)
                for (int c = 0; c < cols_; ++c)
                    if (isDrawn(k, r, c)) buildCell(k, r, c);
        }
        for (std::size_t run = 0; run < faceRuns_.size(); ++run) {
            out_.faceRuns.push_back(out_.faces.size());
            out_.faces.insert(out_.faces.end(), faceRuns_[run].begin(), faceRuns_[run].end());
        }
        for (std::size_t run = 0; run < lineRuns_.size(); ++run) {
            out_.lineRuns.push_back(out_.lines.size());
            out_.lines.insert(out_.lines.end(), lineRuns_[run].begin(), lineRuns_[run].end());
        }
    }

    // The cell's uncovered faces, and its edges, each in the run of the one side whose faces it borders or in the
    // run of lines bordering several sides.
    void buildCell(int k, int r, int c)
    {
        std::array<unsigned, kEdgeCount> sidesOf{};  // per edge, the sides of the faces it borders
        for (int side = 0; side < kSides; ++side) {
            if (!wholeCells_ && covered(k, r, c, static_cast<Side>(side))) continue;
            for (int e = 0; e < kEdgeCount; ++e)
                if ((kSideEdges[side] >> e & 1u) != 0) sidesOf[e] |= 1u << side;
            if (wholeCells_) continue;
            Indices& run = faceRuns_[side];
            appendFace(run, faceOf(static_cast<Side>(side), vertex(r, c, 0)), flag_);
            appendPlanes(k, run, side);
        }
        Outlines& outlines = here_[static_cast<std::size_t>(r) * cols_ + c];
        for (int e = 0; e < kEdgeCount; ++e) {
            if (sidesOf[e] == 0) continue;
            const int run = wholeCells_ || (sidesOf[e] & (sidesOf[e] - 1)) != 0 ? 0 : 1 + lowestBit(sidesOf[e]);
            outlines[run] |= static_cast<std::uint16_t>(1u << e);
            if (!outlinedBefore(k, r, c, e, run))
                appendLines(lineRuns_[run], {vertex(r, c, kEdges[e][0]), vertex(r, c, kEdges[e][1])});
        }
    }

    // The planes of the face's two triangles just appended to `run`; where positions are missing, a plane every
    // viewer is in front of.
    void appendPlanes(int k, const Indices& run, int side)
    {
        const float* layer = positions_[static_cast<std::size_t>(k)];
        std::vector<float>& planes = out_.sidePlanes[static_cast<std::size_t>(side)];
        for (std::size_t t = run.size() - 6; t < run.size(); t += 3) {
            glm::vec3 n(0.0f);
            glm::vec3 p0(0.0f);
            if (layer) {
                const auto at = [&](std::size_t i) {
                    const float* p = layer + 6 * static_cast<std::size_t>(run[i]);
                    return glm::vec3(p[0], p[1], p[2]);
                };
                p0 = at(t);
                n = glm::cross(at(t + 1) - p0, at(t + 2) - p0);
            }
            const float length = glm::length(n);
            if (!(length > 0.0f)) {
                planes.insert(planes.end(), {0.0f, 0.0f, 0.0f, 1.0f});
                continue;
            }
            n /= length;
            planes.insert(planes.end(), {n.x, n.y, n.z, -glm::dot(n, p0)});
        }
    }

    static int lowestBit(unsigned bits)
    {
        int bit = 0;
        while ((bits >> bit & 1u) == 0) ++bit;
        return bit;
    }

    bool isDrawn(int k, int r, int c) const
    {
        if (k < first_ || k > last_ || r < 0 || r >= rows_ || c < 0 || c >= cols_) return false;
        return drawn_[(static_cast<std::size_t>(k) * rows_ + r) * cols_ + c] != 0;
    }

    int vertex(int r, int c, int corner) const
    {
        return (r * cols_ + c) * 4 + (corner < 4 ? corner : surface_ + corner - 4);
    }

    const float* position(int k, int r, int c, int corner) const
    {
        const float* layer = positions_[static_cast<std::size_t>(k)];
        return layer ? layer + 6 * static_cast<std::size_t>(vertex(r, c, corner)) : nullptr;
    }

    bool sameCorner(int k, int r, int c, int corner, int k2, int r2, int c2, int corner2) const
    {
        const float* a = position(k, r, c, corner);
        const float* b = position(k2, r2, c2, corner2);
        return a && b && samePoint(a, b);
    }

    // A side is covered when the neighbour across it is drawn and its facing side has the same four corners.
    bool covered(int k, int r, int c, Side side) const
    {
        const auto& step = kStep[side];
        const int k2 = k + step[0], r2 = r + step[1], c2 = c + step[2];
        if (!isDrawn(k2, r2, c2)) return false;
        for (int i = 0; i < 4; ++i)
            if (!sameCorner(k, r, c, kSideCorners[side][i], k2, r2, c2, kSideCorners[kFacing[side]][i])) return false;
        return true;
    }

    // Whether a cell met earlier in this layer, or the cell above, outlines the same edge, end for end, in the same
    // run of lines.
    bool outlinedBefore(int k, int r, int c, int e, int run) const
    {
        const int a = kEdges[e][0], b = kEdges[e][1];
        const auto outlines = [&](const std::vector<Outlines>& layer, int r2, int c2, int a2, int b2) {
            const unsigned outline = layer[static_cast<std::size_t>(r2) * cols_ + c2][static_cast<std::size_t>(run)];
            return (outline >> edgeOf(a2, b2) & 1u) != 0;
        };
        for (const EarlierCell& earlier : kEarlier) {
            const int a2 = earlier.corner[a], b2 = earlier.corner[b];
            const int r2 = r + earlier.dr, c2 = c + earlier.dc;
            if (a2 < 0 || b2 < 0 || r2 < 0 || c2 < 0 || c2 >= cols_ || !outlines(here_, r2, c2, a2, b2)) continue;
            if (sameCorner(k, r, c, a, k, r2, c2, a2) && sameCorner(k, r, c, b, k, r2, c2, b2)) return true;
        }
        // A top edge of this cell is a bottom edge of the cell above (corners 0-3 over 4-7).
        return k > first_ && a < 4 && b < 4 && outlines(above_, r, c, a + 4, b + 4) &&
               sameCorner(k, r, c, a, k - 1, r, c, a + 4) && sameCorner(k, r, c, b, k - 1, r, c, b + 4);
    }

    Face faceOf(Side side, int b) const
    {
        const int B = b + surface_;
        switch (side) {
        case Top:
            return topFace(b);
        case Bottom:
            return bottomFace(B);
        case Near:
            return nearFace(b, B);
        case Far:
            return farFace(b, B);
        case Left:
            return leftFace(b, B);
        default:
            return rightFace(b, B);
        }
    }

    int layers_, rows_, cols_, surface_, first_, last_;
    bool flag_, wholeCells_;
    const std::vector<std::uint8_t>& drawn_;
    ShellLists out_;
    std::vector<const float*> positions_;
    // Per cell, the edges it outlines in each run of lines, for the layer above and for this one.
    using Outlines = std::array<std::uint16_t, kSides + 1>;
    std::vector<Outlines> above_, here_;
    std::array<Indices, kSides> faceRuns_;      // this layer's faces by side
    std::array<Indices, kSides + 1> lineRuns_;  // this layer's lines: of several sides, then by side
};

// Appends the lists of later layers to those of earlier ones: the later tables' positions move by what the earlier
// lists hold.
void appendLaterLayers(ShellLists& to, ShellLists&& later)
{
    const auto shifted = [](std::vector<std::size_t>& table, const std::vector<std::size_t>& more, std::size_t by) {
        for (const std::size_t at : more) table.push_back(at + by);
    };
    shifted(to.faceStart, later.faceStart, to.faces.size());
    shifted(to.faceRuns, later.faceRuns, to.faces.size());
    shifted(to.lineStart, later.lineStart, to.lines.size());
    shifted(to.lineRuns, later.lineRuns, to.lines.size());
    to.faces.insert(to.faces.end(), later.faces.begin(), later.faces.end());
    to.lines.insert(to.lines.end(), later.lines.begin(), later.lines.end());
    for (std::size_t side = 0; side < to.sidePlanes.size(); ++side)
        to.sidePlanes[side].insert(to.sidePlanes[side].end(), later.sidePlanes[side].begin(),
                                   later.sidePlanes[side].end());
}

}  // namespace

ShellLists buildLayerBlockShell(const Grid& geometry, const std::vector<std::uint8_t>& drawn, bool flag, int first,
                                int last, bool wholeCells)
{
    const std::size_t cells = static_cast<std::size_t>(std::max(geometry.layers, 0)) *
                              static_cast<std::size_t>(std::max(geometry.definedRows, 0)) *
                              static_cast<std::size_t>(std::max(geometry.definedColumns, 0));
    // A flag list that does not fit the grid, or cells that would number corners beyond a surface, draw nothing.
    const bool cornersFit = 4LL * geometry.definedRows * geometry.definedColumns <= geometry.surfaceVertices;
    if (drawn.size() != cells || !cornersFit) first = geometry.layers;
    const int layers = std::max(geometry.layers, 0);
    first = std::max(first, 0);
    last = std::min(last, layers - 1);
    const std::size_t blockCells =
        first <= last ? cells / static_cast<std::size_t>(layers) * static_cast<std::size_t>(last - first + 1) : 0;
    // The block's upper half of layers on this core, the lower half on the other.
    const int split = std::clamp(first + (last - first + 1) / 2, 0, layers);
    auto [shell, lower] = inLayerHalves(0, split, layers, blockCells, [&](int from, int to) {
        return ShellBuilder(geometry, drawn, flag, first, last, wholeCells).build(from, to);
    });
    appendLaterLayers(shell, std::move(lower));
    shell.faceStart.push_back(shell.faces.size());
    shell.lineStart.push_back(shell.lines.size());
    return shell;
}

void buildGridShell(const Grid& geometry, const std::vector<std::uint8_t>& drawn, bool flag, GridDrawing& drawing)
{
    ShellLists shell = buildLayerBlockShell(geometry, drawn, flag, 0, geometry.layers - 1, false);
    drawing.cell_indices_edge = std::move(shell.faces);
    drawing.grid_indices_edge = std::move(shell.lines);
    drawing.cell_indices_edge_layer = std::move(shell.faceStart);
    drawing.grid_indices_edge_layer = std::move(shell.lineStart);
    drawing.shell_face_runs = std::move(shell.faceRuns);
    drawing.shell_line_runs = std::move(shell.lineRuns);
    drawing.shell_side_planes = std::move(shell.sidePlanes);
}

}  // namespace morvane
