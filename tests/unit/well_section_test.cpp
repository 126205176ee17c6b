// The section cut of one segment through a small hand-made grid, its colours, and the unfolding of the entries into
// one strip.
#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "io/property_reader.h"
#include "scene/property_colouring.h"
#include "scene/well_section.h"
#include "tests/support/section_grid.h"

namespace morvane {
namespace {

ModelState gridState(int rows, int columns, int layers, bool southwards = false,
                     const std::vector<std::pair<int, int>>& undefined = {})
{
    return testing::sectionGrid(rows, columns, layers, 1, southwards, undefined);
}

// The segment from S to T, its section line fixed by points ten units beyond both ends.
SectionSegment segment(float sx, float sy, float tx, float ty)
{
    const float length = std::hypot(tx - sx, ty - sy);
    const float ux = (tx - sx) / length * 10, uy = (ty - sy) / length * 10;
    return {sx - ux, sy - uy, tx + ux, ty + uy, sx, sy, tx, ty};
}

void cut(ModelState& s, const SectionSegment& seg)
{
    makeWellSection(s.document.grid, s.document.properties, s.document.properties.find(s.view.shownProperty),
                    s.document.contacts, s.view.contacts.owcColour, s, seg);
}

struct Vertex {
    float x, y, z;
};
Vertex vertex(const Vertices& v, std::size_t n) { return {v[n * 6], v[n * 6 + 1], v[n * 6 + 2]}; }

bool allFinite(const std::vector<Vertices>& lists)
{
    for (const Vertices& v : lists)
        for (float f : v)
            if (!std::isfinite(f)) return false;
    return true;
}

TEST(SectionColours, StretchesOfTheContinuousTableAndTheDisplayedCodeTable)
{
    const auto near = [](Rgb c, Rgb want) {
        return std::abs(c.r - want.r) < 1e-4f && std::abs(c.g - want.g) < 1e-4f && std::abs(c.b - want.b) < 1e-4f;
    };
    EXPECT_TRUE(near(sectionContinuousColour(0.04f), {0, 0, 1}));
    EXPECT_TRUE(near(sectionContinuousColour(std::nextafter(0.04f, 1.0f)), {0, 1, 1}));
    EXPECT_TRUE(near(sectionContinuousColour(0.02f), {0.5f, 0, 1}));
    EXPECT_TRUE(near(sectionContinuousColour(0.1f), {0, 1, 0.5f}));
    EXPECT_TRUE(near(sectionContinuousColour(0.14f), {0.5f, 1, 0}));
    EXPECT_TRUE(near(sectionContinuousColour(0.18f), {1, 0.5f, 0}));
    EXPECT_TRUE(near(sectionContinuousColour(0.25f), {1, 0, 0}));
    EXPECT_TRUE(near(sectionContinuousColour(0.0f), {1, 0, 1}));
    EXPECT_TRUE(near(sectionContinuousColour(-1.0f), {1, 0, 1}));

    // A property of codes takes the table of its own kind, as its cells in the 3D view do.
    ModelState s = gridState(1, 3, 1);
    const PropertySet& p = s.document.properties;
    s.document.properties.add(makeDiscreteProperty("FACIES", PropertyKind::Facies, {1, 12, kUndefinedCode}));
    const Property* facies = p.find("FACIES");
    EXPECT_EQ(sectionCellColour(s.document.grid, p, facies, 0, 0, 0), (Rgb{1, 1, 0}));
    EXPECT_EQ(sectionCellColour(s.document.grid, p, facies, 0, 0, 1), kOutsideTableColour);
    EXPECT_EQ(sectionCellColour(s.document.grid, p, facies, 0, 0, 2), p.undefinedColour);  // a value that is no code
    EXPECT_EQ(sectionCellColour(s.document.grid, p, facies, 0, 0, 5), (Rgb{}));            // not a cell of the grid
    EXPECT_EQ(sectionCellColour(s.document.grid, p, nullptr, 0, 0, 0), (Rgb{}));           // no shown property
}

// The segment y = 0.2 x + 0.25 from x = 0.5 to x = 3.5 over a row of four columns, the third undefined; a second
// row lies beyond the line. Every cell crossed gives one accepted top face and one bottom face.
TEST(WellSectionCut, CrossedCellsGiveClampedCrossingsOutlinesAndContactLines)
{
    // The same cut near the origin and at map coordinates of thousands of kilometres.
    for (const auto& [ox, oy] : {std::pair{0.0f, 0.0f}, {548.0f, 6414.0f}}) {
        ModelState s = gridState(2, 4, 1, false, {{0, 2}});
        for (Vertices& layer : s.document.grid.layerVertices)
            for (std::size_t i = 0; i + 5 < layer.size(); i += 6) {
                layer[i] += ox;
                layer[i + 1] += oy;
            }
        cut(s, segment(0.5f + ox, 0.35f + oy, 3.5f + ox, 0.95f + oy));
        ASSERT_EQ(s.intersect_lines.size(), 1u);
        const Vertices& lines = s.intersect_lines[0];
        ASSERT_EQ(lines.size(), 12u * 6) << ox;  // 3 cells x (top + bottom) x 2 crossings

        // Top faces first, each face's crossings in the order of its edges: cell 0 from its left edge (clamped onto
        // S) to its right edge, cell 1, then cell 3 from its far edge (clamped onto T) to its left edge.
        const float xs[] = {0.5f, 1, 1, 2, 3.5f, 3};
        const float ys[] = {0.35f, 0.45f, 0.45f, 0.65f, 0.95f, 0.85f};
        const float plan = ox == 0 ? 1e-5f : 1e-3f;  // the spacing of floats near 6414
        for (std::size_t n = 0; n < 6; ++n) {
            EXPECT_NEAR(vertex(lines, n).x - ox, xs[n], plan) << n;
            EXPECT_NEAR(vertex(lines, n).y - oy, ys[n], plan) << n;
            EXPECT_NEAR(vertex(lines, n + 6).x - ox, xs[n], plan) << n;  // bottom faces: the same plan positions
        }
        // Inside the segment the depth follows the edge; one clamped onto an end takes the face's mean depth.
        EXPECT_NEAR(vertex(lines, 1).z, -1.045f, 1e-4f);
        EXPECT_NEAR(vertex(lines, 0).z, -1.05f, 1e-5f);
        EXPECT_NEAR(vertex(lines, 4).z, -1.05f, 1e-5f);
        EXPECT_NEAR(vertex(lines, 7).z, -2.045f, 1e-4f);
        EXPECT_NEAR(vertex(lines, 6).z, -2.05f, 1e-5f);

        // A steep segment crosses the edge between the rows at x = 1.5.
        cut(s, segment(1.3f + ox, 0.2f + oy, 1.7f + ox, 1.8f + oy));
        const Vertices& steep = s.intersect_lines[1];
        ASSERT_EQ(steep.size(), 8u * 6);
        EXPECT_NEAR(vertex(steep, 1).x - ox, 1.5f, plan);
        EXPECT_NEAR(vertex(steep, 1).y - oy, 1.0f, plan);
        EXPECT_NEAR(vertex(steep, 2).x - ox, 1.5f, plan);
    }

    ModelState s = gridState(2, 4, 1, false, {{0, 2}});
    cut(s, segment(0.5f, 0.35f, 3.5f, 0.95f));
    const Vertices& lines = s.intersect_lines[0];
    for (std::size_t n = 0; n < 12; ++n) {
        EXPECT_FLOAT_EQ(lines[n * 6 + 3], 0);  // 0.1: green, half blue
        EXPECT_FLOAT_EQ(lines[n * 6 + 4], 1);
        EXPECT_NEAR(lines[n * 6 + 5], 0.5f, 1e-5f);
    }

    // Each cell outlined by four lines: its top crossings joined to its bottom crossings.
    const Indices outline{0, 1, 1, 7, 7, 6, 6, 0, 2, 3, 3, 9, 9, 8, 8, 2, 4, 5, 5, 11, 11, 10, 10, 4};
    EXPECT_EQ(s.intersect_lines_indices[0], outline);

    const Vertices& owc = s.intersect_owc[0];
    ASSERT_EQ(owc.size(), lines.size());
    for (std::size_t n = 0; n < 12; ++n) {
        EXPECT_EQ(owc[n * 6], lines[n * 6]);
        EXPECT_EQ(owc[n * 6 + 2], -1.5f);
        EXPECT_EQ(owc[n * 6 + 5], 1.0f);  // OWC_Color blue
    }
    EXPECT_EQ(s.intersect_lines_start_xy[0], (std::vector<float>{0.5f, 0.35f}));

    // No OWC set: no level anywhere, so no contact line (not one at the level left from before). By region: each
    // crossing at the level of its column's code, none over a code given no depth.
    s.document.contacts.owc.set = false;
    cut(s, segment(0.5f, 0.35f, 3.5f, 0.95f));
    for (std::size_t n = 0; n < 12; ++n) EXPECT_TRUE(std::isnan(s.intersect_owc[1][n * 6 + 2])) << n;
    s.document.properties.add(makeDiscreteProperty("REG", PropertyKind::Regions, {1, 2, 7, 3, 1, 1, 1, 1}));
    s.document.contacts.owc =
        FluidContact{.set = true, .uniform = false, .regionProperty = "REG", .codes = {1, 3}, .levels = {-1.2f, -1.4f}};
    cut(s, segment(0.5f, 0.35f, 3.5f, 0.95f));
    for (std::size_t n = 0; n < 12; ++n) {
        const float z = s.intersect_owc[2][n * 6 + 2];
        switch (n % 6 / 2) {  // cells (0, 0), (0, 1), (0, 3): codes 1, 2, 3
        case 0:
            EXPECT_EQ(z, -1.2f) << n;
            break;
        case 1:
            EXPECT_TRUE(std::isnan(z)) << n;
            break;
        default:
            EXPECT_EQ(z, -1.4f) << n;
        }
    }
}

// Inactive cells are not cut, and layers or surfaces that keep different numbers of cells are still outlined cell by
// cell: the second layer's cell (0, 1) is inactive; inclined pillars move bottom faces off the line.
TEST(WellSectionCut, InactiveCellsAreNotCutAndEachCellIsOutlinedOnItsOwn)
{
    ModelState s = gridState(2, 4, 2);
    s.document.grid.active.assign(16, 1);
    s.document.grid.active[8 + 1] = 0;
    cut(s, segment(0.5f, 0.35f, 3.5f, 0.95f));
    const Vertices& lines = s.intersect_lines[0];
    ASSERT_EQ(lines.size(), (16u + 12u) * 6);  // four cells of the first layer, three of the second, 2 x 2 each

    // The second layer's top crossings: cells 0, 2 and 3, none from x = 1 to x = 2.
    const float xs[] = {0.5f, 1, 2, 3, 3.5f, 3};
    for (std::size_t n = 0; n < 6; ++n) EXPECT_NEAR(vertex(lines, 16 + n).x, xs[n], 1e-5f) << n;

    // Seven outlines, each joining a cell's top crossings to its own bottom crossings one unit below.
    const Indices& outline = s.intersect_lines_indices[0];
    ASSERT_EQ(outline.size(), 7u * 8);
    for (std::size_t q = 0; q < outline.size(); q += 8) {
        const int a = outline[q], d = outline[q + 5];
        ASSERT_LT(std::max(a, d), 28);
        EXPECT_FLOAT_EQ(vertex(lines, a).x, vertex(lines, d).x) << q;
        EXPECT_NEAR(vertex(lines, a).z - vertex(lines, d).z, 1.0f, 1e-5f) << q;
    }

    // Pillars leaning east move every bottom face 0.6 aside: the line cuts four tops but only three bottoms (the
    // last lies beyond the segment's end). Each outlined top is joined to the bottom of its own cell, 0.6 east of
    // it or less (the first top crossing is clamped onto the segment's start).
    ModelState slanted = gridState(1, 4, 1);
    for (std::size_t v = 16; v < 32; ++v) slanted.document.grid.layerVertices[0][v * 6] += 0.6f;
    cut(slanted, segment(0.5f, 0.35f, 3.5f, 0.95f));
    const Vertices& slantedLines = slanted.intersect_lines[0];
    ASSERT_EQ(slantedLines.size(), (8u + 6u) * 6);
    const Indices& joined = slanted.intersect_lines_indices[0];
    ASSERT_EQ(joined.size(), 3u * 8);
    for (std::size_t q = 0; q < joined.size(); q += 8) {
        const float shift = vertex(slantedLines, joined[q + 5]).x - vertex(slantedLines, joined[q]).x;
        EXPECT_GE(shift, 0.0f) << q;
        EXPECT_LE(shift, 0.6f + 1e-5f) << q;
    }
}

TEST(WellSectionCut, SegmentsAlongAnAxisOrOutsideTheModelLeaveEmptyEntries)
{
    ModelState s = gridState(2, 4, 2);
    cut(s, segment(0.5f, 0.5f, 3.5f, 0.5f));  // along x
    cut(s, segment(1.5f, 0.2f, 1.5f, 1.8f));  // along y
    cut(s, segment(10, 10, 12, 11));          // beyond the grid
    ASSERT_EQ(s.intersect_lines.size(), 3u);
    for (std::size_t e = 0; e < 3; ++e) {
        EXPECT_TRUE(s.intersect_lines[e].empty()) << e;
        EXPECT_TRUE(s.intersect_owc[e].empty()) << e;
        EXPECT_TRUE(s.intersect_lines_indices[e].empty()) << e;
    }

    // More entries than the twenty start points prepared: the lists grow.
    for (int n = 0; n < 20; ++n) cut(s, segment(0.5f, 0.3f, 3.5f, 0.9f));
    EXPECT_EQ(s.intersect_lines.size(), 23u);
    EXPECT_EQ(s.intersect_lines_start_xy.size(), 23u);
    withdrawSectionEntries(s, 2);
    EXPECT_EQ(s.intersect_lines.size(), 21u);
    EXPECT_EQ(s.intersect_owc.size(), 21u);
    EXPECT_EQ(s.intersect_lines_indices.size(), 21u);
}

// Width of an entry's crossings along its own line: what unfolding must keep.
float planLength(const Vertices& v)
{
    float best = 0;
    for (std::size_t a = 0; a < v.size() / 6; ++a)
        for (std::size_t b = 0; b < v.size() / 6; ++b)
            best = std::max(best, std::hypot(v[a * 6] - v[b * 6], v[a * 6 + 1] - v[b * 6 + 1]));
    return best;
}

TEST(WellSectionUnfolding, EntriesLieEndToEndAlongXWithTheirWells)
{
    ModelState s = gridState(3, 4, 2, true);
    cut(s, segment(0.5f, -0.3f, 3.5f, -0.9f));   // a well's own segment
    cut(s, segment(3.5f, -0.9f, 2.2f, -2.6f));   // connecting segment
    cut(s, segment(10, 10, 11, 12));             // a well outside the model
    cut(s, segment(12, 10, 13, 12));             // connecting segment beyond the model
    cut(s, segment(1.2f, -2.7f, 0.6f, -1.05f));  // over three cells of two rows
    // One column at the grid's northern rim: its last crossing lies on the point it is turned about.
    cut(s, segment(0.5f, -0.5f, 0.7f, 0.5f));
    // Three picked wells: each a vertical stroke at its segment's start, in plan.
    for (const auto& [x, y] : {std::pair{0.5f, -0.3f}, {10.0f, 10.0f}, {1.2f, -2.7f}})
        s.section_well_coord_vertex.push_back({x, y, 0, 0, 0, 0, x, y, -3, 0, 0, 0});
    std::vector<float> lengths;
    for (const Vertices& v : s.intersect_lines) lengths.push_back(v.empty() ? 0 : planLength(v));
    ASSERT_GT(lengths[0], 0);
    ASSERT_GT(lengths[1], 0);
    ASSERT_GT(lengths[4], 0);
    ASSERT_EQ(s.intersect_lines[5].size(), 8u * 6);

    const UnfoldedSection strip = unfoldWellSection(s);
    ASSERT_TRUE(strip.laidOut);
    EXPECT_TRUE(allFinite(s.intersect_lines));
    EXPECT_TRUE(allFinite(s.section_well_coord_vertex));

    float reached = 0;
    for (std::size_t e = 0; e < s.intersect_lines.size(); ++e) {
        const Vertices& v = s.intersect_lines[e];
        if (v.empty()) continue;
        float lo = v[0], hi = v[0];
        for (std::size_t n = 0; n < v.size() / 6; ++n) {
            lo = std::min(lo, v[n * 6]);
            hi = std::max(hi, v[n * 6]);
            EXPECT_EQ(v[n * 6 + 1], 0.0f);
            EXPECT_EQ(s.intersect_owc[e][n * 6 + 1], -1.0f);
            EXPECT_EQ(s.intersect_owc[e][n * 6], v[n * 6]);
        }
        EXPECT_NEAR(hi - lo, lengths[e], 1e-4f) << e;  // turned onto x without stretching
        if (e > 0) {
            EXPECT_NEAR(lo, reached, 1e-5f) << e;  // starts where the strip has reached
        }
        reached = hi;
    }
    EXPECT_NEAR(strip.xmax - strip.xmin, lengths[0] + lengths[1] + lengths[4] + lengths[5], 1e-4f);
    EXPECT_GE(strip.zmax, -1.0f);
    EXPECT_LE(strip.zmax, -0.7f);
    EXPECT_GE(strip.zmin, -3.0f);
    EXPECT_LE(strip.zmin, -2.7f);

    // The first well stands in front of its own entry, the one outside the model at the strip's end so far.
    const Vertices& first = s.section_well_coord_vertex[0];
    EXPECT_GE(first[0], strip.xmin - 1e-4f);
    EXPECT_LE(first[0], strip.xmin + lengths[0] + 1e-4f);
    EXPECT_FLOAT_EQ(first[1], first[7]);
    const Vertices& outside = s.section_well_coord_vertex[1];
    EXPECT_NEAR(outside[0], strip.xmin + lengths[0] + lengths[1], 1e-4f);
    EXPECT_EQ(outside[1], -1.0f);
}

TEST(WellSectionUnfolding, NothingToLayOutWithoutCrossings)
{
    ModelState s = gridState(1, 2, 1);
    cut(s, segment(10, 10, 11, 12));
    cut(s, segment(12, 10, 13, 12));
    EXPECT_FALSE(unfoldWellSection(s).laidOut);
}

}  // namespace
}  // namespace morvane
