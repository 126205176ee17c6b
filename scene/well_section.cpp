#include "scene/well_section.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "core/trace_text.h"
#include "scene/active_cells.h"
#include "scene/fluid_contacts.h"

namespace morvane {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Corner n (0..3) of a face whose four corners start at `face`: near left, near right, far left, far right.
struct Corner {
    float x, y, z;
};
Corner cornerOf(const float* face, int n) { return {face[n * 6], face[n * 6 + 1], face[n * 6 + 2]}; }

// The plan-view box of the segment, into which crossings are clamped.
struct SegmentBox {
    float xmin, xmax, ymin, ymax;
};

struct Crossing {
    float x = 0, y = 0, z = 0;
    bool inside = false;
};

// Where the section line through `from` and `to` crosses the straight line through the edge's corners a and b, in
// plan; the depth is interpolated along the edge. The products of map coordinates (thousands of kilometres) are
// formed in double precision: in single precision they would lose the crossing by whole cells. Lines that do not
// meet (parallel) give corner a, never counted as inside.
Crossing crossEdge(float fromX, float fromY, float toX, float toY, const Corner& a, const Corner& b,
                   const SegmentBox& box)
{
    const double esx = fromX, esy = fromY, eex = toX, eey = toY;
    const double ax = a.x, ay = a.y, bx = b.x, by = b.y;
    const double dEx = eex - esx, dEy = eey - esy, dAx = bx - ax, dAy = by - ay;
    double X = -((eey * esx - eex * esy) * dAx - (by * ax - bx * ay) * dEx) / ((esy - eey) * dAx - (ay - by) * dEx);
    // A vertical section line has no slope: the depth-free position is then taken on the edge's own line.
    double Y = fromX != toX ? esy + (X - esx) * dEy / dEx : ay + (X - ax) * dAy / dAx;
    const bool met = std::isfinite(X) && std::isfinite(Y);
    if (!met) {
        X = ax;
        Y = ay;
    }
    const double length = std::hypot(dAx, dAy);
    const double t = length > 0 ? std::hypot(X - ax, Y - ay) / length : 0.0;
    Crossing c;
    c.z = static_cast<float>(a.z + t * (static_cast<double>(b.z) - a.z));
    c.x = std::clamp(static_cast<float>(X), box.xmin, box.xmax);
    c.y = std::clamp(static_cast<float>(Y), box.ymin, box.ymax);
    c.inside = met && box.xmin < c.x && c.x < box.xmax && box.ymin < c.y && c.y < box.ymax;
    return c;
}

// Which side of the section line through `from` with slope g a corner lies on (true: side A). Whether the corner is
// the line's start point itself is told apart by the caller.
bool onSideA(float dx, float dy, float g)
{
    if (dx != 0 && dy != 0) {
        const float m = dy / dx;
        if (-1 < g && g < 1) return m > g;
        return (m > g && m < 0) || (m < g && m > 0);
    }
    return dy == 0;  // on the horizontal through the start: A; on the vertical: B
}

bool regularColumn(const Grid& grid, int i, int j)
{
    return i >= 0 && static_cast<std::size_t>(i) < grid.regularCells.size() && j >= 0 &&
           static_cast<std::size_t>(j) < grid.regularCells[static_cast<std::size_t>(i)].size() &&
           grid.regularCells[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] == 1;
}

void setStart(std::vector<std::vector<float>>& starts, std::size_t s, float x, float y)
{
    if (starts.size() <= s) starts.resize(s + 1, std::vector<float>{0, 0});
    starts[s] = {x, y};
}

// A face whose two crossings were kept: its cell within the layer and its first crossing's vertex.
struct CutFace {
    long long cell;
    int vertex;
};

// The outline of a layer's cut cells: four lines join a cell's two top crossings to its two bottom crossings. Tops
// and bottoms are paired by cell, both lists being in cell order, so a cell whose bottom face the line misses (a
// slanted pillar moves the bottom face aside) is left open rather than joined to another cell's bottom.
void appendOutlines(Indices& indices, const std::vector<CutFace>& tops, const std::vector<CutFace>& bottoms)
{
    std::size_t t = 0, b = 0;
    while (t < tops.size() && b < bottoms.size()) {
        if (tops[t].cell != bottoms[b].cell) {
            (tops[t].cell < bottoms[b].cell ? t : b) += 1;
            continue;
        }
        const int a = tops[t].vertex, d = bottoms[b].vertex;
        indices.insert(indices.end(), {a, a + 1, a + 1, d + 1, d + 1, d, d, a});
        ++t;
        ++b;
    }
}

}  // namespace

Rgb sectionContinuousColour(float v)
{
    if (v <= 0) return {1, 0, 1};
    if (v <= 0.04f) return {1 - v / 0.04f, 0, 1};
    if (v <= 0.08f) return {0, 1 - (v - 0.04f) / 0.04f, 1};
    if (v <= 0.12f) return {0, 1, (v - 0.08f) / 0.04f};
    if (v <= 0.16f) return {1 - (v - 0.12f) / 0.04f, 1, 0};
    if (v <= 0.2f) return {1, (v - 0.16f) / 0.04f, 0};
    return {1, 0, 0};
}

Rgb sectionCellColour(const Grid& grid, const PropertySet& properties, const Property* shown, int k, int i, int j)
{
    if (!shown || k < 0 || i < 0 || j < 0 || k >= grid.layers || i >= grid.rows || j >= grid.columns) return {};
    const std::size_t n =
        (static_cast<std::size_t>(k) * static_cast<std::size_t>(grid.rows) + static_cast<std::size_t>(i)) *
            static_cast<std::size_t>(grid.columns) +
        static_cast<std::size_t>(j);
    if (n >= shown->size()) return {};
    if (!shown->discrete) {
        const double value = shown->values[n];
        return isNoValue(value) ? properties.undefinedColour : sectionContinuousColour(static_cast<float>(value));
    }
    return properties.colourOfCode(shown->kind, shown->codes[n], properties.undefinedColour);
}

std::vector<std::string> makeWellSection(const Grid& grid, const PropertySet& properties, const Property* shown,
                                         const Contacts& contacts, const std::vector<float>& owcColour,
                                         WellSection& section, const SectionSegment& segment)
{
    std::vector<std::string> trace{"starting making well saction"};
    const float esx = segment.x_start_extended, esy = segment.y_start_extended;
    const float eex = segment.x_end_extended, eey = segment.y_end_extended;
    const float g = (eey - esy) / (eex - esx);

    section.intersect_owc.resize(section.intersect_lines.size());
    section.intersect_lines.emplace_back();
    section.intersect_owc.emplace_back();
    const std::size_t s = section.intersect_lines.size() - 1;
    setStart(section.intersect_lines_start_xy, s, segment.x_start, segment.y_start);
    setStart(section.intersect_owc_start_xy, s, segment.x_start, segment.y_start);
    trace.emplace_back("ws1");
    trace.emplace_back("ws2");

    Vertices& lines = section.intersect_lines[s];
    Vertices& owc = section.intersect_owc[s];
    const SegmentBox box{std::min(segment.x_start, segment.x_end), std::max(segment.x_start, segment.x_end),
                         std::min(segment.y_start, segment.y_end), std::max(segment.y_start, segment.y_end)};
    // The contact's level over each column: nothing where no OWC is set or a regional contact gives the column's
    // code no depth (the renderer draws no contact line there), one level for a uniform contact.
    std::vector<std::vector<float>> regionLevels;
    if (contacts.owc.set && !contacts.owc.uniform) {
        const Property* region = properties.find(contacts.owc.regionProperty);
        if (region && region->discrete)
            regionLevels = regionalLevels(grid, reshapeRegionProperty(grid, region->codes), contacts.owc.codes,
                                          contacts.owc.levels);
    }
    const auto contactLevel = [&](int i, int j) {
        if (!contacts.owc.set) return kNoContactLevel;
        if (contacts.owc.uniform) return contacts.owc.level;
        const auto row = static_cast<std::size_t>(i), column = static_cast<std::size_t>(j);
        return row < regionLevels.size() && column < regionLevels[row].size() ? regionLevels[row][column]
                                                                              : kNoContactLevel;
    };
    const float owcR = owcColour.size() > 0 ? owcColour[0] : 0.0f;
    const float owcG = owcColour.size() > 1 ? owcColour[1] : 0.0f;
    const float owcB = owcColour.size() > 2 ? owcColour[2] : 0.0f;

    const long long cells = static_cast<long long>(std::max(grid.rows, 0)) * std::max(grid.columns, 0);
    const std::size_t layers = std::min(grid.layerVertices.size(), static_cast<std::size_t>(std::max(grid.layers, 0)));
    Indices outline;
    std::vector<CutFace> tops, bottoms;
    for (std::size_t k = 0; k < layers && cells > 0; ++k) {
        tops.clear();
        bottoms.clear();
        const Vertices& layer = grid.layerVertices[k];
        const long long faces = std::min<long long>(2 * cells, static_cast<long long>(layer.size() / 24));
        for (long long f = 0; f < faces; ++f) {
            const long long c = f % cells;
            const int i = static_cast<int>(c / grid.columns), j = static_cast<int>(c % grid.columns);
            if (!regularColumn(grid, i, j) || !cellActive(grid, static_cast<int>(k), i, j)) continue;
            const float* face = layer.data() + f * 24;

            bool sideA[4] = {false, false, false, false};
            for (int q = 0; q < 4; ++q) {
                const float dx = face[q * 6] - esx, dy = face[q * 6 + 1] - esy;
                if (dx == 0 && dy == 0) break;  // the corner is the line's start point: the rest stay on side B
                sideA[q] = onSideA(dx, dy, g);
            }
            const int nA = static_cast<int>(std::count(sideA, sideA + 4, true));
            const int nB = 4 - nA;
            if (nA == 0 || nB == 0) continue;  // the line passes the face by: most faces of a large grid

            const std::size_t before = lines.size();
            int c1 = 0, c2 = 0;
            const Rgb colour = sectionCellColour(grid, properties, shown, static_cast<int>(k), i, j);
            const float contactZ = contactLevel(i, j);
            static constexpr int kEdges[4][2] = {{0, 1}, {2, 3}, {0, 2}, {1, 3}};
            for (int e = 0; e < 4; ++e) {
                const int a = kEdges[e][0], b = kEdges[e][1];
                if (sideA[a] == sideA[b]) continue;
                const Crossing x = crossEdge(esx, esy, eex, eey, cornerOf(face, a), cornerOf(face, b), box);
                if (x.inside) (e < 2 ? c1 : c2) += 1;
                lines.insert(lines.end(), {x.x, x.y, x.z, colour.r, colour.g, colour.b});
                owc.insert(owc.end(), {x.x, x.y, contactZ, owcR, owcG, owcB});
            }

            const bool acceptedFace = c1 == 2 || c1 + c2 == 2 || c1 + c2 == 1;
            if (!acceptedFace) {
                lines.resize(before);
                owc.resize(before);
                continue;
            }
            if (lines.size() - before == 12) (f < cells ? tops : bottoms).push_back({c, static_cast<int>(before / 6)});
            if (lines.size() < 12) continue;
            const float mean = (face[2] + face[8] + face[14] + face[20]) / 4;
            for (const std::size_t v : {lines.size() - 12, lines.size() - 6}) {
                const bool atStart = lines[v] == segment.x_start && lines[v + 1] == segment.y_start;
                const bool atEnd = lines[v] == segment.x_end && lines[v + 1] == segment.y_end;
                if (atStart || atEnd) lines[v + 2] = mean;
            }
        }
        appendOutlines(outline, tops, bottoms);
    }

    section.intersect_lines_indices.resize(s);
    section.intersect_lines_indices.push_back(std::move(outline));
    trace.emplace_back("end well section");
    return trace;
}

void withdrawSectionEntries(WellSection& section, int count)
{
    for (int n = 0; n < count; ++n) {
        if (!section.intersect_lines.empty()) section.intersect_lines.pop_back();
        if (!section.intersect_owc.empty()) section.intersect_owc.pop_back();
        if (!section.intersect_lines_indices.empty()) section.intersect_lines_indices.pop_back();
    }
}

namespace {

void shiftXY(Vertices& v, float dx, float dy)
{
    for (std::size_t i = 0; i + 5 < v.size(); i += 6) {
        v[i] -= dx;
        v[i + 1] -= dy;
    }
}

void rotateXY(Vertices& v, float px, float py, float c, float s)
{
    for (std::size_t i = 0; i + 5 < v.size(); i += 6) {
        const float x = v[i] - px, y = v[i + 1] - py;
        v[i] = x * c - y * s + px;
        v[i + 1] = x * s + y * c + py;
    }
}

float smallestX(const Vertices& v)
{
    float m = v[0];
    for (std::size_t i = 0; i + 5 < v.size(); i += 6) m = std::min(m, v[i]);
    return m;
}

float largestX(const Vertices& v)
{
    float m = v[0];
    for (std::size_t i = 0; i + 5 < v.size(); i += 6) m = std::max(m, v[i]);
    return m;
}

}  // namespace

UnfoldedSection unfoldWellSection(WellSection& section)
{
    using trace_text::line;
    UnfoldedSection out;
    std::vector<Vertices>& entries = section.intersect_lines;
    section.intersect_owc.resize(entries.size());
    out.trace.emplace_back("starting rendering well section");
    out.trace.push_back(line("intersect_lines.size() = ", entries.size()));
    out.trace.push_back(line("intersect_lines[0].size() = ", entries.empty() ? std::size_t{0} : entries[0].size()));

    // Only entries with crossings are laid out; an entry needs its first two crossings to be placed.
    std::vector<std::size_t> laid;
    for (std::size_t s = 0; s < entries.size(); ++s)
        if (entries[s].size() >= 12) laid.push_back(s);
    if (laid.empty()) return out;

    // The direction of the whole strip, from the first crossing of the first entry to the second of the next.
    float flip = 0;
    if (laid.size() >= 2) {
        const Vertices& first = entries[laid[0]];
        const Vertices& second = entries[laid[1]];
        const float dx = first[0] - second[6], dy = first[1] - second[7];
        out.trace.push_back(line("dx1 = ", first[0]));
        out.trace.push_back(line("dy1 = ", first[1]));
        out.trace.push_back(line("dx2 = ", second[6]));
        out.trace.push_back(line("dy2 = ", second[7]));
        out.trace.push_back(line("positive = ", dx * dy));
        if (dx < 0 && dy != 0) flip = kPi;
    }

    float X0 = 0;
    bool firstLaid = true;
    for (std::size_t s = 0; s < entries.size(); ++s) {
        Vertices& v = entries[s];
        Vertices& owc = section.intersect_owc[s];
        Vertices* well = s % 2 == 0 && s / 2 < section.section_well_coord_vertex.size()
                             ? &section.section_well_coord_vertex[s / 2]
                             : nullptr;
        if (v.size() < 12) {
            // Nothing of the model along this segment: its well stands where the strip has reached.
            if (well)
                for (std::size_t i = 0; i + 5 < well->size(); i += 6) {
                    (*well)[i] = X0;
                    (*well)[i + 1] = -1;
                }
            continue;
        }
        const std::vector<float> start =
            s < section.intersect_lines_start_xy.size() && section.intersect_lines_start_xy[s].size() >= 2
                ? section.intersect_lines_start_xy[s]
                : std::vector<float>{0, 0};
        bool xAtStart = false, yAtStart = false;
        for (std::size_t q = 0; q < 4 && q * 6 + 1 < v.size(); ++q) {
            xAtStart = xAtStart || v[q * 6] == start[0];
            yAtStart = yAtStart || v[q * 6 + 1] == start[1];
        }
        const float h = xAtStart && yAtStart ? 0.0f : kPi;

        const float mx = std::min(v[0], v[6]), my = std::min(v[1], v[7]);
        shiftXY(v, mx, my);
        shiftXY(owc, mx, my);
        if (well) shiftXY(*well, mx, my);

        float px = std::min(v[0], v[6]), py = std::min(v[1], v[7]);
        const std::size_t last = v.size() - 6;
        if (v[last] < px) px = std::max(v[0], v[6]);
        if (v[last + 1] < py) py = std::max(v[1], v[7]);
        float dx = v[last] - px, dy = v[last + 1] - py;
        if (dx == 0 && dy == 0) {
            // The last crossing lies on the pivot (a segment through one column): the first crossings give the way.
            const bool firstFarther = std::hypot(v[0] - px, v[1] - py) >= std::hypot(v[6] - px, v[7] - py);
            dx = (firstFarther ? v[0] : v[6]) - px;
            dy = (firstFarther ? v[1] : v[7]) - py;
        }
        float alfa = dx == 0 && dy == 0 ? 0.0f : -std::atan(dy / dx);
        out.trace.push_back(line("alfa = ", alfa));
        if (-1.38f < alfa && alfa < -1.27f) alfa += kPi;
        alfa += h;
        if (firstLaid) alfa += flip;

        const float c = std::cos(alfa), sn = std::sin(alfa);
        rotateXY(v, px, py, c, sn);
        for (std::size_t i = 0; i + 5 < owc.size() && i + 1 < v.size(); i += 6) {
            owc[i] = v[i];
            owc[i + 1] = v[i + 1];
        }
        if (well) rotateXY(*well, px, py, c, sn);

        if (!firstLaid) {
            const float shift = X0 - smallestX(v);
            shiftXY(v, -shift, 0);
            shiftXY(owc, -shift, 0);
            if (well) shiftXY(*well, -shift, 0);
        }
        for (std::size_t i = 0; i + 5 < v.size(); i += 6) v[i + 1] = 0;
        for (std::size_t i = 0; i + 5 < owc.size(); i += 6) owc[i + 1] = -1;
        if (well) shiftXY(*well, 0, 1);
        X0 = largestX(v);
        firstLaid = false;
    }

    bool any = false;
    for (const Vertices& v : entries)
        for (std::size_t i = 0; i + 5 < v.size(); i += 6) {
            out.xmin = any ? std::min(out.xmin, v[i]) : v[i];
            out.xmax = any ? std::max(out.xmax, v[i]) : v[i];
            out.zmin = any ? std::min(out.zmin, v[i + 2]) : v[i + 2];
            out.zmax = any ? std::max(out.zmax, v[i + 2]) : v[i + 2];
            any = true;
        }
    const float width = out.xmax - out.xmin;
    out.laidOut = any && std::isfinite(width) && width > 0;
    return out;
}

}  // namespace morvane
