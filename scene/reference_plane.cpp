#include "scene/reference_plane.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace morvane {

namespace {

constexpr int kLinesAlongY = 13;
constexpr float kPlaneGrey = 0.502f;
// Bounds the lines along x: a grid far longer than it is wide gets wider spacing rather than a grey sheet of
// lines (and megabytes of vertices); a non-finite extent gets this many lines.
constexpr float kMaxLinesAlongX = 1000.0f;

struct Extent {
    float lo = 0, hi = 0;
};

// Extent of every `stride`-th value from `first`, as single-precision floats.
template <typename Values>
Extent extentOf(const Values& values, std::size_t first, std::size_t stride, std::size_t count)
{
    Extent e;
    bool any = false;
    for (std::size_t n = first; n < count; n += stride) {
        const float v = static_cast<float>(values[n]);
        if (!any || v < e.lo) e.lo = v;
        if (!any || v > e.hi) e.hi = v;
        any = true;
    }
    return e;
}

void appendVertex(Vertices& out, double x, double y, float z)
{
    out.insert(out.end(), {static_cast<float>(x), static_cast<float>(y), z, kPlaneGrey, kPlaneGrey, kPlaneGrey});
}

}  // namespace

void buildXYPlane(const Grid& geometry, ReferencePlane& plane)
{
    const CornerPointInput& input = geometry.input;
    plane.x_cubes.clear();
    plane.y_cubes.clear();
    plane.x_lines.clear();
    plane.y_lines.clear();
    plane.xy_plane.clear();

    Extent x, y;
    if (geometry.loaded) {
        const auto& xy = input.pillarXY;
        x = extentOf(xy, 0, 2, xy.size());
        y = extentOf(xy, 1, 2, xy.size());
    } else {
        for (std::size_t n = 0; n < plane.start.size(); n += 6) {
            plane.x_cubes.push_back(plane.start[n]);
            plane.y_cubes.push_back(plane.start[n + 1]);
        }
        x = extentOf(plane.x_cubes, 0, 1, plane.x_cubes.size());
        y = extentOf(plane.y_cubes, 0, 1, plane.y_cubes.size());
    }

    const float mult = static_cast<float>(kCoordScale);
    float spacing = std::ceil((x.hi - x.lo) * mult / 10);
    // A zero or non-finite x extent would give no spacing and endless lines along x.
    if (!(spacing >= 1.0f && std::isfinite(spacing))) spacing = 1.0f;
    const float wider = std::ceil((y.hi - y.lo) * mult / kMaxLinesAlongX);
    if (wider > spacing && std::isfinite(wider)) spacing = wider;
    const float rows = std::ceil((y.hi - y.lo) * mult / spacing);
    plane.y_limit = rows >= 0 ? static_cast<int>(std::min(rows, kMaxLinesAlongX)) : 0;  // a NaN count gives 0

    const double step = static_cast<double>(spacing) / kCoordScale;
    for (int i = 0; i < kLinesAlongY; ++i) plane.x_lines.push_back(x.lo - step + i * step);
    for (int j = 0; j <= plane.y_limit + 1; ++j) plane.y_lines.push_back(y.lo + j * step);

    const float z = geometry.extent.centreZ - geometry.extent.depthRange;
    plane.xy_plane.reserve(static_cast<std::size_t>(kLinesAlongY + plane.y_limit + 2) * 12);
    for (double lx : plane.x_lines) {
        appendVertex(plane.xy_plane, lx, plane.y_lines.front(), z);
        appendVertex(plane.xy_plane, lx, plane.y_lines[static_cast<std::size_t>(plane.y_limit)], z);
    }
    for (double ly : plane.y_lines) {
        appendVertex(plane.xy_plane, plane.x_lines.front(), ly, z);
        appendVertex(plane.xy_plane, plane.x_lines.back(), ly, z);
    }
}

int xyPlaneDrawnVertexCount(const ReferencePlane& plane) { return (plane.y_limit + 14) * 2; }

void placeFlatPlane(const glm::vec3& position, ReferencePlane& plane)
{
    static constexpr float corners[6][3] = {{2, 0.8f, 0.15f}, {-2, 0.8f, 0.15f}, {2, -1, -0.5f},
                                            {2, -1, -0.5f},   {-2, 0.8f, 0.15f}, {-2, -1, -0.5f}};
    for (std::size_t v = 0; v < 6; ++v)
        for (std::size_t a = 0; a < 3; ++a) plane.flat_plane_vertex[v * 6 + a] = corners[v][a] - position[int(a)];
}

void placeCursor(const glm::vec3& position, GridDrawing& drawing)
{
    const glm::vec3 pivot = -position;
    const glm::vec3 up{pivot.x, 1 - position.y, pivot.z};
    const glm::vec3 down{pivot.x, -position.y - 1, pivot.z};
    for (int a = 0; a < 3; ++a) {
        drawing.cursor_point_vertex[a] = pivot[a];
        drawing.cursor_point_vertex2[a] = pivot[a];
        drawing.cursor_point_vertex[6 + a] = up[a];
        drawing.cursor_point_vertex2[6 + a] = down[a];
    }
}

}  // namespace morvane
