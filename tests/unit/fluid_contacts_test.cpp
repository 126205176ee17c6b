// Contact surfaces: where their vertices stand, which level each column takes, and that a contact that cannot be
// built leaves everything as it was.
#include <gtest/gtest.h>

#include "scene/fluid_contacts.h"
#include "scene/grid_geometry.h"
#include "scene/grid_indices.h"
#include "tests/support/scene_grid_fixture.h"

namespace morvane {
namespace {

using test::cornerDepths;
using test::gridFromPillars;
using test::latticePillars;

// A contact drawn on the state's grid and, when it could be, kept in its document, as the contact commands do.
ContactReport place(ModelState& s, ContactKind kind, const FluidContact& contact, const std::vector<int>& codes)
{
    const ContactReport report =
        drawContact(kind, contact, codes, s.document.grid,
                    kind == ContactKind::OWC ? s.view.contacts.owcColour : s.view.contacts.gocColour, s);
    if (report.outcome == ContactBuild::Built) s.document.contacts[kind] = contact;
    return report;
}

ContactReport buildUniformContact(ContactKind kind, double depth, ModelState& s)
{
    return place(s, kind, uniformContact(depth), {});
}

ContactReport buildRegionalContact(ContactKind kind, const std::vector<int>& codes,
                                   const std::vector<RegionCodeDepth>& rows, ModelState& s)
{
    return place(s, kind, regionalContact("REGIONS", rows), codes);
}

// A grid of 3 cells per row, 2 rows and 2 layers, rows running south, turned by 30 degrees.
ModelState builtGrid()
{
    ModelState s;
    s.document.grid.input = gridFromPillars(latticePillars(3, 2, 50, -50, 548000, 6414000, 30), cornerDepths(3, 2, 2));
    EXPECT_TRUE(buildGrid(s).built());
    return s;
}

// A region property's codes: top layer by row (row 0: 1 1 2, row 1: 2 3 3), bottom layer all 1.
const std::vector<int> kRegions{1, 1, 2, 2, 3, 3, 1, 1, 1, 1, 1, 1};

TEST(ContactSurface, UniformContactLiesOnThePillarTopsOfEveryCellAtItsLevel)
{
    ModelState s = builtGrid();
    const ContactReport report = buildUniformContact(ContactKind::OWC, -1520.5, s);
    ASSERT_EQ(report.outcome, ContactBuild::Built);
    EXPECT_EQ(report.trace, (std::vector<std::string>{"OWC_z = -1.5205"}));
    EXPECT_TRUE(s.document.contacts.owc.set);
    EXPECT_TRUE(s.document.contacts.owc.uniform);
    EXPECT_FLOAT_EQ(s.document.contacts.owc.level, -1.5205f);

    // Vertex n stands where the top-surface corner n of the layer arrays stands: the grid's index lists draw it.
    const Vertices& top = s.document.grid.layerVertices[0];
    ASSERT_EQ(s.OWC_k.size(), static_cast<std::size_t>(s.document.grid.surfaceVertices) * 6);
    for (std::size_t v = 0; v < s.OWC_k.size(); v += 6) {
        EXPECT_FLOAT_EQ(s.OWC_k[v], top[v]) << v / 6;
        EXPECT_FLOAT_EQ(s.OWC_k[v + 1], top[v + 1]) << v / 6;
        EXPECT_FLOAT_EQ(s.OWC_k[v + 2], -1.5205f);
        EXPECT_EQ(std::vector<float>(s.OWC_k.begin() + v + 3, s.OWC_k.begin() + v + 6), (std::vector<float>{0, 0, 1}));
    }
    // The GOC is built on its own, green.
    ASSERT_EQ(buildUniformContact(ContactKind::GOC, -1480, s).outcome, ContactBuild::Built);
    EXPECT_EQ(std::vector<float>(s.GOC_k.begin() + 3, s.GOC_k.begin() + 6), (std::vector<float>{0, 1, 0}));
    EXPECT_FLOAT_EQ(s.document.contacts.owc.level, -1.5205f);
}

TEST(ContactSurface, RegionalColumnsTakeTheDepthOfTheirTopLayerCodeLastRowWinning)
{
    ModelState s = builtGrid();
    // Code 1 twice (the later row wins), code 3 once, code 2 without a depth, a row for a code not in the grid.
    const std::vector<RegionCodeDepth> rows{{1, -1500.0}, {2, std::nullopt}, {3, -1600.0}, {1, -1510.0}, {7, -1700.0}};
    const ContactReport report = buildRegionalContact(ContactKind::OWC, kRegions, rows, s);
    ASSERT_EQ(report.outcome, ContactBuild::Built);
    EXPECT_TRUE(s.document.contacts.owc.set);
    EXPECT_FALSE(s.document.contacts.owc.uniform);
    EXPECT_EQ(s.document.contacts.owc.codes, (std::vector<float>{1, 3, 1, 7}));
    ASSERT_EQ(s.PROP_disc_OWC.size(), 2u);
    EXPECT_EQ(s.PROP_disc_OWC[0][1], (std::vector<int>{2, 3, 3}));
    // The bottom layer (all code 1) is not used; code-2 columns carry no contact: their four corners stand at one
    // point, so no sheet is drawn there (not one at datum).
    EXPECT_EQ(test::levelsShown(s.OWC_z_ij),
              (std::vector<std::vector<float>>{{-1.51f, -1.51f, 99}, {99, -1.6f, -1.6f}}));
    for (int cell = 0; cell < 6; ++cell) {
        const float z = s.OWC_z_ij[cell / 3][cell % 3];
        for (int corner = 0; corner < 4; ++corner) {
            const float* v = &s.OWC_k[(cell * 4 + corner) * 6];
            if (std::isnan(z)) {
                EXPECT_EQ(std::vector<float>(v, v + 3),
                          std::vector<float>(&s.OWC_k[cell * 24], &s.OWC_k[cell * 24 + 3]));
                EXPECT_FALSE(std::isnan(v[2]));
            } else {
                EXPECT_FLOAT_EQ(v[2], z) << cell;
            }
        }
    }
}

// With inactive cells a column takes the code of its topmost active cell, and a column of inactive cells carries
// no contact face.
TEST(ContactSurface, InactiveCellsGiveNoCodeAndCarryNoContact)
{
    ModelState s = builtGrid();
    s.document.grid.active.assign(12, 1);
    s.document.grid.active[2] = 0;  // column (0, 2): the bottom layer's code 1 instead of code 2
    s.document.grid.active[3] = s.document.grid.active[9] = 0;  // column (1, 0): no active cell
    const std::vector<RegionCodeDepth> rows{{1, -1510.0}, {3, -1600.0}};
    ASSERT_EQ(buildRegionalContact(ContactKind::OWC, kRegions, rows, s).outcome, ContactBuild::Built);
    EXPECT_EQ(test::levelsShown(s.OWC_z_ij),
              (std::vector<std::vector<float>>{{-1.51f, -1.51f, -1.51f}, {99, -1.6f, -1.6f}}));

    ASSERT_TRUE(buildGridIndices(s.document.grid, s, s));
    ASSERT_EQ(s.OWC_indices.size(), 5u * 6);
    for (int v : s.OWC_indices) EXPECT_TRUE(v < 12 || v >= 16) << v;  // column (1, 0) has corners 12 to 15
    ASSERT_TRUE(
        buildGridIndices(s.document.grid, s, s, true));  // shown grey, the inactive column carries its contact again
    EXPECT_EQ(s.OWC_indices.size(), 6u * 6);
}

TEST(ContactSurface, AContactThatCannotBeBuiltChangesNothing)
{
    ModelState s = builtGrid();
    ASSERT_EQ(buildUniformContact(ContactKind::OWC, -1500, s).outcome, ContactBuild::Built);
    const Vertices before = s.OWC_k;

    // A region property that is not loaded, or does not hold one code per cell.
    EXPECT_EQ(buildRegionalContact(ContactKind::OWC, {}, {{1, -1.0}}, s).outcome, ContactBuild::RegionUnusable);
    EXPECT_EQ(buildRegionalContact(ContactKind::OWC, {9, 9, 9, 9, 9, 9}, {{1, -1.0}}, s).outcome,
              ContactBuild::RegionUnusable);
    // No grid: the pillar list would be read past its end.
    ModelState noGrid;
    EXPECT_EQ(buildUniformContact(ContactKind::OWC, -1500, noGrid).outcome, ContactBuild::NoGrid);
    EXPECT_TRUE(noGrid.OWC_k.empty());
    EXPECT_FALSE(noGrid.document.contacts.owc.set);
    s.document.grid.input.pillarXY.resize(s.document.grid.input.pillarXY.size() - 4);
    EXPECT_EQ(buildUniformContact(ContactKind::OWC, -1400, s).outcome, ContactBuild::NoGrid);

    EXPECT_EQ(s.OWC_k, before);
    EXPECT_TRUE(s.document.contacts.owc.uniform);
    EXPECT_FLOAT_EQ(s.document.contacts.owc.level, -1.5f);
}

}  // namespace
}  // namespace morvane
