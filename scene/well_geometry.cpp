#include "scene/well_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "scene/active_cells.h"

namespace morvane {

namespace {

constexpr double kFarthest = 1000000.0;  // corners at this horizontal distance or more are never taken
constexpr double kFarthestSquared = kFarthest * kFarthest;

bool finite(float v) { return std::isfinite(v); }

double squared(double v) { return v * v; }

// Squared distance from (x, y) to the rectangle [x0, x1] x [y0, y1].
double squaredDistanceToBox(double x, double y, double x0, double x1, double y0, double y1)
{
    const double dx = x < x0 ? x0 - x : (x > x1 ? x - x1 : 0.0);
    const double dy = y < y0 ? y0 - y : (y > y1 ? y - y1 : 0.0);
    return dx * dx + dy * dy;
}

long long bucketOf(double offset, double cell, long long count)
{
    const double t = offset / cell;
    if (!(t >= 0)) return 0;  // below the range (or not a number)
    if (t >= static_cast<double>(count)) return count - 1;
    return static_cast<long long>(t);
}

}  // namespace

void ModelSurfaceCorners::Surface::build(const float* vertices, std::size_t count)
{
    entries.clear();
    start.clear();
    nx = ny = 0;
    double xmin = std::numeric_limits<double>::infinity(), ymin = xmin;
    double xmax = -xmin, ymax = -xmin;
    std::size_t usable = 0;
    for (std::size_t m = 0; m < count; ++m) {
        const float x = vertices[6 * m], y = vertices[6 * m + 1];
        // A corner without a finite position is never nearer than any distance: the walk would never keep it.
        if (!finite(x) || !finite(y)) continue;
        xmin = std::min<double>(xmin, x);
        xmax = std::max<double>(xmax, x);
        ymin = std::min<double>(ymin, y);
        ymax = std::max<double>(ymax, y);
        ++usable;
    }
    if (usable == 0) return;

    // About four corners per bucket; never more buckets than three times that number, however thin the extent.
    const double w = xmax - xmin, h = ymax - ymin;
    const double buckets = std::max<double>(1.0, static_cast<double>(usable) / 4.0);
    double side = std::max({std::sqrt(w * h / buckets), w / buckets, h / buckets});
    if (!(side > 0) || !std::isfinite(side)) side = 1.0;
    x0 = xmin;
    y0 = ymin;
    cell = side;
    nx = static_cast<long long>(w / side) + 1;
    ny = static_cast<long long>(h / side) + 1;

    // Counting sort of the corner numbers into buckets (corner order kept); corner numbers fit 32 bits, since a
    // face of 2^32 corners would need hundreds of gigabytes of vertices.
    std::vector<std::uint32_t> bucketOfCorner(count, 0);
    start.assign(static_cast<std::size_t>(nx * ny) + 1, 0);
    for (std::size_t m = 0; m < count; ++m) {
        const float x = vertices[6 * m], y = vertices[6 * m + 1];
        if (!finite(x) || !finite(y)) continue;
        const long long b = bucketOf(x - x0, cell, nx) + nx * bucketOf(y - y0, cell, ny);
        bucketOfCorner[m] = static_cast<std::uint32_t>(b);
        ++start[static_cast<std::size_t>(b) + 1];
    }
    for (std::size_t b = 1; b < start.size(); ++b) start[b] += start[b - 1];
    std::vector<std::uint32_t> order(usable);
    {
        std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
        for (std::size_t m = 0; m < count; ++m) {
            const float x = vertices[6 * m], y = vertices[6 * m + 1];
            if (!finite(x) || !finite(y)) continue;
            order[fill[bucketOfCorner[m]]++] = static_cast<std::uint32_t>(m);
        }
    }
    std::vector<std::uint32_t>().swap(bucketOfCorner);

    // Corners at one position are always at the same distance, so only the first of them can be kept by the walk:
    // one entry per position and bucket.
    const auto xOf = [&](std::uint32_t m) { return vertices[6 * static_cast<std::size_t>(m)]; };
    const auto yOf = [&](std::uint32_t m) { return vertices[6 * static_cast<std::size_t>(m) + 1]; };
    entries.reserve(usable / 2);
    std::uint32_t kept = 0;
    for (std::size_t b = 0; b + 1 < start.size(); ++b) {
        const auto first = order.begin() + start[b], last = order.begin() + start[b + 1];
        std::sort(first, last, [&](std::uint32_t a, std::uint32_t e) {
            return xOf(a) != xOf(e) ? xOf(a) < xOf(e) : (yOf(a) != yOf(e) ? yOf(a) < yOf(e) : a < e);
        });
        start[b] = kept;
        for (auto it = first; it != last; ++it) {
            if (it != first && xOf(*it) == xOf(*(it - 1)) && yOf(*it) == yOf(*(it - 1))) continue;
            entries.push_back(Entry{xOf(*it), yOf(*it), vertices[6 * static_cast<std::size_t>(*it) + 2], 0.0f, *it});
            ++kept;
        }
    }
    start.back() = kept;
    entries.shrink_to_fit();
}

const ModelSurfaceCorners::Entry* ModelSurfaceCorners::Surface::nearest(double x, double y) const
{
    if (entries.empty()) return nullptr;
    const long long cx = bucketOf(x - x0, cell, nx), cy = bucketOf(y - y0, cell, ny);
    const double x1 = x0 + static_cast<double>(nx) * cell, y1 = y0 + static_cast<double>(ny) * cell;
    // A corner may sit a rounding step outside the bucket its division put it in.
    const double slack = 1e-6 * cell + 1e-9 * (std::fabs(x0) + std::fabs(y0) + std::fabs(x1) + std::fabs(y1));

    const Entry* best = nullptr;
    double bestSquared = kFarthestSquared;
    const auto visit = [&](long long i, long long j) {
        const std::size_t b = static_cast<std::size_t>(i + nx * j);
        for (std::uint32_t e = start[b]; e < start[b + 1]; ++e) {
            const Entry& c = entries[e];
            const double d = squared(static_cast<double>(c.x) - x) + squared(static_cast<double>(c.y) - y);
            if (d < bestSquared || (d == bestSquared && best && c.index < best->index)) {
                bestSquared = d;
                best = &c;
            }
        }
    };

    for (long long r = 0;; ++r) {
        const long long i0 = cx - r, i1 = cx + r, j0 = cy - r, j1 = cy + r;
        for (long long j = std::max(j0, 0LL); j <= std::min(j1, ny - 1); ++j) {
            if (j == j0 || j == j1) {
                for (long long i = std::max(i0, 0LL); i <= std::min(i1, nx - 1); ++i) visit(i, j);
            } else {
                if (i0 >= 0) visit(i0, j);
                if (i1 < nx && i1 != i0) visit(i1, j);
            }
        }
        if (i0 <= 0 && j0 <= 0 && i1 >= nx - 1 && j1 >= ny - 1) break;  // every bucket seen

        // The buckets not seen yet lie in up to four strips beyond the square searched so far.
        double lower = std::numeric_limits<double>::infinity();
        if (i0 > 0)
            lower = std::min(lower, squaredDistanceToBox(x, y, x0, x0 + static_cast<double>(i0) * cell, y0, y1));
        if (i1 < nx - 1)
            lower = std::min(lower, squaredDistanceToBox(x, y, x0 + static_cast<double>(i1 + 1) * cell, x1, y0, y1));
        if (j0 > 0)
            lower = std::min(lower, squaredDistanceToBox(x, y, x0, x1, y0, y0 + static_cast<double>(j0) * cell));
        if (j1 < ny - 1)
            lower = std::min(lower, squaredDistanceToBox(x, y, x0, x1, y0 + static_cast<double>(j1 + 1) * cell, y1));
        const double reach = std::max(0.0, std::sqrt(lower) - slack);
        if (reach * reach > bestSquared) break;  // nothing unseen can be as near (a tie could still win on index)
    }
    return best;
}

namespace {

struct Halves {
    const float* top = nullptr;
    std::size_t topCount = 0;
    const float* bottom = nullptr;
    std::size_t bottomCount = 0;
};

// The top face of the top layer (the first half of layer 0) and the bottom face of the bottom layer (the second
// half of layer ZCORN_K - 1), as far as the arrays hold them.
Halves surfaceHalves(const Grid& g)
{
    Halves h;
    if (!g.loaded || g.layers < 1 || g.rows < 1 || g.columns < 1 || g.layerVertices.empty()) return h;
    const std::size_t half = 4 * static_cast<std::size_t>(g.rows) * static_cast<std::size_t>(g.columns);
    const Vertices& top = g.layerVertices.front();
    h.top = top.data();
    h.topCount = std::min(half, top.size() / 6);
    const std::size_t last = static_cast<std::size_t>(g.layers) - 1;
    if (last < g.layerVertices.size()) {
        const Vertices& bottom = g.layerVertices[last];
        const std::size_t vertices = bottom.size() / 6;
        if (vertices > half) {
            h.bottom = bottom.data() + 6 * half;
            h.bottomCount = std::min(half, vertices - half);
        }
    }
    return h;
}

std::array<float, 8> sampleCorners(const Halves& h)
{
    std::array<float, 8> s{};
    if (h.topCount > 0) {
        s[0] = h.top[0];
        s[1] = h.top[2];
        s[2] = h.top[6 * (h.topCount / 2) + 1];
        s[3] = h.top[6 * (h.topCount - 1) + 2];
    }
    if (h.bottomCount > 0) {
        s[4] = h.bottom[0];
        s[5] = h.bottom[2];
        s[6] = h.bottom[6 * (h.bottomCount / 2) + 1];
        s[7] = h.bottom[6 * (h.bottomCount - 1) + 2];
    }
    return s;
}

}  // namespace

namespace {

// With inactive cells the model's top over a column is the top face of its topmost active cell, and its bottom the
// bottom face of its deepest active cell; a column without active cells has no corners (no finite position).
struct ActiveSurfaces {
    Vertices top, bottom;
};

ActiveSurfaces activeSurfaces(const Grid& g, const Halves& whole)
{
    ActiveSurfaces s;
    const std::size_t columns = static_cast<std::size_t>(g.rows) * static_cast<std::size_t>(g.columns);
    const std::size_t half = 4 * columns;
    if (whole.topCount != half || whole.bottomCount != half) return s;
    for (const auto& layer : g.layerVertices)
        if (layer.size() < 12 * half) return s;
    const float none = std::numeric_limits<float>::quiet_NaN();
    s.top.assign(6 * half, none);
    s.bottom.assign(6 * half, none);
    for (std::size_t column = 0; column < columns; ++column) {
        const int i = static_cast<int>(column / static_cast<std::size_t>(g.columns));
        const int j = static_cast<int>(column % static_cast<std::size_t>(g.columns));
        const int first = firstActiveLayer(g, i, j), last = lastActiveLayer(g, i, j);
        if (first < 0) continue;
        const float* top = g.layerVertices[static_cast<std::size_t>(first)].data() + 24 * column;
        const float* bottom = g.layerVertices[static_cast<std::size_t>(last)].data() + 6 * half + 24 * column;
        std::copy(top, top + 24, s.top.begin() + static_cast<std::ptrdiff_t>(24 * column));
        std::copy(bottom, bottom + 24, s.bottom.begin() + static_cast<std::ptrdiff_t>(24 * column));
    }
    return s;
}

}  // namespace

ModelSurfaceCorners::ModelSurfaceCorners(const Grid& grid)
{
    Halves h = surfaceHalves(grid);
    layers_ = grid.layers;
    rows_ = grid.rows;
    columns_ = grid.columns;
    topFloats_ = h.topCount * 6;
    bottomFloats_ = h.bottomCount * 6;
    fingerprint_ = sampleCorners(h);
    const ActiveSurfaces active = hasActiveFlags(grid) ? activeSurfaces(grid, h) : ActiveSurfaces{};
    if (!active.top.empty()) {
        h.top = active.top.data();
        h.bottom = active.bottom.data();
    }

    shared_ = h.topCount == h.bottomCount && h.topCount > 0;
    for (std::size_t m = 0; shared_ && m < h.topCount; ++m)
        shared_ = h.top[6 * m] == h.bottom[6 * m] && h.top[6 * m + 1] == h.bottom[6 * m + 1];
    top_.build(h.top, h.topCount);
    if (shared_) {
        // Vertical pillars: both surfaces have their corners at the same places, and the same corner is nearest.
        for (Entry& e : top_.entries) e.zBottom = h.bottom[6 * e.index + 2];
    } else {
        bottom_.build(h.bottom, h.bottomCount);
    }
}

ModelSurfaceCorners::Nearest ModelSurfaceCorners::nearest(float x, float y) const
{
    Nearest n;
    if (const Entry* e = top_.nearest(x, y)) {
        n.topZ = e->z;
        n.topIndex = e->index;
        if (shared_) {
            n.bottomZ = e->zBottom;
            n.bottomIndex = e->index;
        }
    }
    if (!shared_) {
        if (const Entry* e = bottom_.nearest(x, y)) {
            n.bottomZ = e->z;
            n.bottomIndex = e->index;
        }
    }
    return n;
}

bool ModelSurfaceCorners::describes(const Grid& grid) const
{
    const Halves h = surfaceHalves(grid);
    const std::array<float, 8> sample = sampleCorners(h);
    return grid.layers == layers_ && grid.rows == rows_ && grid.columns == columns_ && h.topCount * 6 == topFloats_ &&
           h.bottomCount * 6 == bottomFloats_ && std::memcmp(sample.data(), fingerprint_.data(), sizeof sample) == 0;
}

WellBounds wellVerticalBounds(const std::vector<std::vector<float>>& points, const Grid& grid,
                              const ModelSurfaceCorners* corners)
{
    WellBounds b;
    if (!grid.loaded) return b;
    const float mult = static_cast<float>(kCoordScale);
    b.upper = mult * grid.extent.zMax;
    b.lower = mult * grid.extent.zMin;
    for (const auto& p : points) {
        if (p.size() < 4 || !(p[3] > b.lower && p[3] < b.upper)) continue;
        if (!corners) continue;
        const float z = p[3] / mult;
        const ModelSurfaceCorners::Nearest n = corners->nearest(p[1] / mult, p[2] / mult);
        if (n.topZ && std::fabs(*n.topZ - z) < kFarthest) b.upper = mult * *n.topZ;
        if (n.bottomZ && std::fabs(*n.bottomZ - z) < kFarthest) b.lower = mult * *n.bottomZ;
    }
    b.upper += Constants::WELL_CUT_SHIFT;
    b.lower -= Constants::WELL_CUT_SHIFT;
    return b;
}

WellParts splitWell(const std::vector<std::vector<float>>& points, WellBounds bounds, const std::vector<float>& colour)
{
    const float r = colour.size() > 0 ? colour[0] : 0.0f, g = colour.size() > 1 ? colour[1] : 0.0f,
                bl = colour.size() > 2 ? colour[2] : 0.0f;
    const float mult = static_cast<float>(kCoordScale);
    WellParts parts;
    const auto put = [&](Vertices& part, const std::vector<float>& p) {
        part.insert(part.end(), {p[1] / mult, p[2] / mult, p[3] / mult, r, g, bl});
    };
    const auto vertices = [](const Vertices& part) { return static_cast<int>(part.size() / 6); };

    int side = -1;  // -1 outside, +1 inside
    for (const auto& p : points) {
        if (p.size() < 4) continue;
        const bool inside = bounds.lower <= p[3] && p[3] <= bounds.upper;
        if (inside) {
            if (side != 1) {
                // Entering: the shown part starts a new run here, and the hidden run so far ends on this point.
                parts.shownRuns.push_back(vertices(parts.shown));
                if (parts.hidden.empty()) parts.hiddenRuns.push_back(0);
                put(parts.hidden, p);
            }
            put(parts.shown, p);
            side = 1;
        } else {
            // Leaving (or the first point): the hidden part starts a new run here, and the shown run so far ends on
            // this point.
            if (side == 1 || parts.hidden.empty()) parts.hiddenRuns.push_back(vertices(parts.hidden));
            put(parts.hidden, p);
            if (side == 1) put(parts.shown, p);
            side = -1;
        }
    }
    if (parts.shown.empty()) {
        // Nothing inside: two vertices at the origin, uploaded and drawn as an invisible strip.
        parts.shown = {0, 0, 0, r, g, bl, 0, 0, 0, r, g, bl};
        parts.shownRuns = {0};
    }
    const std::size_t last = parts.shown.size() - 6;
    parts.projLength = std::hypot(parts.shown[last] - parts.shown[0], parts.shown[last + 1] - parts.shown[1]);
    return parts;
}

std::vector<std::string> buildWellGeometry(const Well& well, Wells& wells, const Grid& grid,
                                           const ModelSurfaceCorners* corners, const std::vector<float>& lineColour)
{
    std::vector<std::string> trace{"starting buildLastWell"};
    const auto& points = well.trajectory;
    WellParts parts = splitWell(points, wellVerticalBounds(points, grid, corners), lineColour);
    wells.well_coord_vertex_hide.push_back(std::move(parts.hidden));
    wells.well_coord_vertex_show.push_back(std::move(parts.shown));
    wells.well_hide_runs.push_back(std::move(parts.hiddenRuns));
    wells.well_show_runs.push_back(std::move(parts.shownRuns));
    wells.well_proj_length.push_back(parts.projLength);
    return trace;
}

void recolourWells(Wells& wells, const std::vector<float>& lineColour)
{
    const std::vector<float>& c = lineColour;
    if (c.size() < 3) return;
    for (auto* parts : {&wells.well_coord_vertex_show, &wells.well_coord_vertex_hide})
        for (Vertices& part : *parts)
            for (std::size_t v = 0; v + 6 <= part.size(); v += 6) {
                part[v + 3] = c[0];
                part[v + 4] = c[1];
                part[v + 5] = c[2];
            }
}

float wellLabelSizeForEntry(int n) { return 0.25f + static_cast<float>(n - 4) * 0.025f; }

}  // namespace morvane
