// Colouring cells by a property: the reshape, the continuous ramp, undefined values, the filter, the code tables,
// the type replacement on a load and the in-place recolouring of one code.
#include <gtest/gtest.h>

#include "io/property_reader.h"
#include "scene/grid_geometry.h"
#include "scene/property_colouring.h"
#include "tests/support/scene_grid_fixture.h"

namespace morvane {
namespace {

using test::latticeGrid;

// A grid of nx x ny x nz cells with one property of the given kind, set up as the property reader leaves it:
// overall entry 0 the placeholder, entry 1 this property.
struct Scene {
    ModelState s;

    Scene(int nx, int ny, int nz)
    {
        s.document.grid.input = latticeGrid(nx, ny, nz);
        EXPECT_TRUE(buildGrid(s).built());
        s.PROP_max_value = s.PROP_min_value = s.PROP_max_value_color = s.PROP_min_value_color = {-999.99};
        s.PROP_type = {10};
    }

    void addContinuous(std::vector<double> values, double min, double max, int type)
    {
        s.PROP_cont_loading.push_back(std::move(values));
        s.PROP_cont_loading_name.push_back("PORO");
        addLimits(min, max, type);
    }

    void addDiscrete(std::vector<int> codes, int type)
    {
        s.PROP_disc_loading.push_back(std::move(codes));
        s.PROP_disc_loading_name.push_back("LITHO");
        addLimits(0, 10, type);
    }

    void addLimits(double min, double max, int type)
    {
        s.PROP_max_value.push_back(max);
        s.PROP_min_value.push_back(min);
        s.PROP_max_value_color.push_back(max);
        s.PROP_min_value_color.push_back(min);
        s.PROP_type.push_back(type);
        s.prop_no_morvane = static_cast<int>(s.PROP_type.size()) - 2;
    }

    // Colour of cell (i, j) of layer k; the layer holds one colour for each cell.
    Rgb cell(std::size_t k, std::size_t i, std::size_t j) const
    {
        const auto& layer = s.cells_k.at(k);
        EXPECT_EQ(layer.size() * 4, std::size_t(s.document.grid.surfaceVertices) * 3);
        const float* p = &layer.at((i * std::size_t(s.document.grid.columns) + j) * 3);
        return {p[0], p[1], p[2]};
    }
};

void expectColour(const Rgb& actual, Rgb expected, const char* what)
{
    EXPECT_NEAR(actual.r, expected.r, 1e-6f) << what;
    EXPECT_NEAR(actual.g, expected.g, 1e-6f) << what;
    EXPECT_NEAR(actual.b, expected.b, 1e-6f) << what;
}

TEST(PropertyColouring, PermeabilityRampFromBlueThroughGreenToRed)
{
    Scene scene(7, 1, 1);
    scene.addContinuous({0, 0.25, 0.5, 0.75, 1, 1.2, -0.1}, 0, 1, 5);
    const auto report = colourProperty(scene.s.document.grid, scene.s, 1, false, 5);
    ASSERT_TRUE(report.coloured);
    EXPECT_EQ(scene.s.PROP_type_displaying, 5);
    expectColour(scene.cell(0, 0, 0), {0, 0, 1}, "0");
    expectColour(scene.cell(0, 0, 1), {0, 0.5f, 0.5f}, "0.25");
    expectColour(scene.cell(0, 0, 2), {0, 1, 0}, "0.5");
    expectColour(scene.cell(0, 0, 3), {0.5f, 0.5f, 0}, "0.75");
    expectColour(scene.cell(0, 0, 4), {1, 0, 0}, "1");
    expectColour(scene.cell(0, 0, 5), {1, 0, 0}, "1.2");
    expectColour(scene.cell(0, 0, 6), {0, 0, 1}, "-0.1");
    EXPECT_FALSE(report.addTreeNode);  // a recolour, not a load
}

TEST(PropertyColouring, EqualLimitsGiveLowOrHighColour)
{
    ContinuousRamp ramp = makeRamp(Properties{}, 5, 99);  // no limits: both 0
    EXPECT_EQ(continuousColour(0, ramp), (Rgb{0, 0, 1}));
    EXPECT_EQ(continuousColour(-1, ramp), (Rgb{0, 0, 1}));
    EXPECT_EQ(continuousColour(0.5, ramp), (Rgb{1, 0, 0}));
    // A type without a palette (the placeholder's 10) is black.
    EXPECT_EQ(continuousColour(0.5, makeRamp(Properties{}, 10, 0)), (Rgb{0, 0, 0}));
}

// Limits whose single-precision half range does not add back up to the maximum: min + 2h lies just below max, and
// a cell holding the maximum itself must still take the high colour, not stay black like no colour at all.
TEST(PropertyColouring, ValueAtTheUpperLimitIsHighEvenWhenTheHalvesRoundShort)
{
    Properties p;
    p.PROP_min_value_color = {-1.064};
    p.PROP_max_value_color = {15.972};
    const ContinuousRamp ramp = makeRamp(p, 5, 0);
    ASSERT_LT(ramp.min + 2 * ramp.half, ramp.max);  // the rounding this case is about
    EXPECT_EQ(continuousColour(15.972, ramp), (Rgb{1, 0, 0}));
    EXPECT_EQ(continuousColour(16.0, ramp), (Rgb{1, 0, 0}));
    // The middle of the range is still the middle colour; the bottom the low colour.
    expectColour(continuousColour((-1.064 + 15.972) / 2, ramp), {0, 1, 0}, "middle");
    EXPECT_EQ(continuousColour(-1.064, ramp), (Rgb{0, 0, 1}));
}

// The ramp runs between the colour limits of the displayed property's overall entry (prop_no_morvane + 1), not its
// value range, and during a load between those of the last entry.
TEST(PropertyColouring, RampUsesTheColourLimitsOfTheRightEntry)
{
    Scene scene(1, 1, 1);
    scene.addContinuous({1}, 0, 1, 5);
    scene.addContinuous({1}, 0, 4, 5);
    scene.s.PROP_max_value_color[1] = 2;  // colour limits typed for the first property: 0 .. 2
    scene.s.prop_no_morvane = 0;
    const auto shown = colourProperty(scene.s.document.grid, scene.s, 1, false, 5);
    ASSERT_TRUE(shown.coloured);
    expectColour(scene.cell(0, 0, 0), {0, 1, 0}, "1 in 0 .. 2 is the middle colour");
    EXPECT_EQ(shown.trace, (std::vector<std::string>{"prop_type = 5", "Prop_max = 1", "Prop_min = 0"}));

    scene.s.propLoading = true;  // a load colours by the last entry, 0 .. 4, whatever is displayed
    ASSERT_TRUE(colourProperty(scene.s.document.grid, scene.s, 1, false, 5).coloured);
    expectColour(scene.cell(0, 0, 0), {0, 0.5f, 0.5f}, "1 in 0 .. 4 is a quarter up");

    scene.addDiscrete({3}, 1);
    scene.s.propLoading = false;
    const auto codes = colourProperty(scene.s.document.grid, scene.s, 1, true, 1);
    EXPECT_EQ(codes.trace, (std::vector<std::string>{"Prop_max = 10", "Prop_min = 0", "PROP_type_here = 1"}));
    EXPECT_EQ(scene.cell(0, 0, 0), (Rgb{0, 1, 1}));
}

TEST(PropertyColouring, UndefinedValuesAndTheFilter)
{
    Properties p;
    p.PROP_max_value_color = {1};
    p.PROP_min_value_color = {0};
    const Rgb undefined{127.0f / 255, 127.0f / 255, 127.0f / 255};

    p.cont_prop_cut = 0.25f;
    p.cut_below = true;
    ContinuousRamp below = makeRamp(p, 5, 0);
    EXPECT_EQ(continuousColour(-999.99, below), undefined);
    EXPECT_EQ(continuousColour(0.1, below), FILTERED_COLOUR);
    expectColour(continuousColour(0.25, below), {0, 0.5f, 0.5f}, "0.25 keeps its colour");
    expectColour(continuousColour(0.3, below), {0, 0.6f, 0.4f}, "0.3 above the cut");

    p.cut_below = false;
    ContinuousRamp above = makeRamp(p, 5, 0);
    EXPECT_EQ(continuousColour(0.3, above), FILTERED_COLOUR);
    EXPECT_EQ(continuousColour(-999.99, above), undefined);
    expectColour(continuousColour(0.1, above), {0, 0.2f, 0.8f}, "0.1 below the cut");

    // The cut is single precision: 0.2f lies above the double 0.2, which is therefore removed.
    p.cut_below = true;
    p.cont_prop_cut = 0.2f;
    EXPECT_EQ(continuousColour(0.2, makeRamp(p, 5, 0)), FILTERED_COLOUR);
    // No filter at 0.
    p.cont_prop_cut = 0;
    EXPECT_NE(continuousColour(0.1, makeRamp(p, 5, 0)), FILTERED_COLOUR);
}

TEST(PropertyColouring, ReshapeTakesValuesLayerRowColumn)
{
    Scene scene(3, 2, 2);
    std::vector<double> values(12);
    for (std::size_t n = 0; n < values.size(); ++n) values[n] = double(n);
    scene.addContinuous(values, 0, 11, 9);
    ASSERT_TRUE(colourProperty(scene.s.document.grid, scene.s, 1, false, 9).coloured);
    const auto& grid = scene.s.PROP_cont;
    ASSERT_EQ(grid.size(), 2u);
    ASSERT_EQ(grid[1].size(), 2u);
    ASSERT_EQ(grid[1][1].size(), 3u);
    EXPECT_EQ(grid[0][0][2], 2);
    EXPECT_EQ(grid[0][1][0], 3);
    EXPECT_EQ(grid[1][0][1], 7);
    EXPECT_EQ(grid[1][1][2], 11);
    // The lowest value is the low colour, the highest the high colour: cell order follows the values.
    expectColour(scene.cell(0, 0, 0), {0.2f, 0.2f, 0.8f}, "first cell");
    expectColour(scene.cell(1, 1, 2), {1, 0.6f, 0.2f}, "last cell");
}

TEST(PropertyColouring, DiscreteCodesOutsideTheTableAreGrey)
{
    Scene scene(4, 1, 1);
    scene.addDiscrete({2, 12, -1, UNDEFINED_CODE}, 1);
    ASSERT_TRUE(colourProperty(scene.s.document.grid, scene.s, 1, true, 1).coloured);
    EXPECT_EQ(scene.cell(0, 0, 0), (Rgb{1, 0.5f, 0}));
    EXPECT_EQ(scene.cell(0, 0, 1), OUTSIDE_TABLE_COLOUR);
    EXPECT_EQ(scene.cell(0, 0, 2), OUTSIDE_TABLE_COLOUR);
    const Rgb undefined{127.0f / 255, 127.0f / 255, 127.0f / 255};
    EXPECT_EQ(scene.cell(0, 0, 3), undefined);  // a value that was not a whole code
    EXPECT_EQ(scene.s.PROP_disc[0][0][1], 12);

    // A discrete property typed as porosity has no table: every code grey; a bar click keeps undefined cells.
    ASSERT_TRUE(colourProperty(scene.s.document.grid, scene.s, 1, true, 4).coloured);
    for (std::size_t j = 0; j < 3; ++j) EXPECT_EQ(scene.cell(0, 0, j), OUTSIDE_TABLE_COLOUR);
    ASSERT_TRUE(changeDiscreteColour(scene.s.document.grid, scene.s, 4, 2, 0, 0, 1));
    EXPECT_EQ(scene.cell(0, 0, 0), (Rgb{0, 0, 1}));
    EXPECT_EQ(scene.cell(0, 0, 3), undefined);
}

// An inactive cell is grey whatever its value, in both kinds and after a code's colour changes.
TEST(PropertyColouring, InactiveCellsAreGreyWhateverTheirValue)
{
    Scene scene(2, 1, 2);
    scene.s.document.grid.active = {1, 0, 0, 1};
    const Rgb grey{176 / 255.0f, 176 / 255.0f, 176 / 255.0f};
    scene.addContinuous({0, 1, 0.5, 1}, 0, 1, 5);
    ASSERT_TRUE(colourProperty(scene.s.document.grid, scene.s, 1, false, 5).coloured);
    expectColour(scene.cell(0, 0, 0), {0, 0, 1}, "active low");
    expectColour(scene.cell(0, 0, 1), grey, "inactive high");
    expectColour(scene.cell(1, 0, 0), grey, "inactive middle");
    expectColour(scene.cell(1, 0, 1), {1, 0, 0}, "active high");

    scene.addDiscrete({1, 2, 3, 4}, 1);
    ASSERT_TRUE(colourProperty(scene.s.document.grid, scene.s, 1, true, 1).coloured);
    ASSERT_TRUE(changeDiscreteColour(scene.s.document.grid, scene.s, 1, 2, 0.1f, 0.2f, 0.3f));
    expectColour(scene.cell(0, 0, 1), grey, "inactive code 2 after its colour changed");
    expectColour(scene.cell(0, 0, 0), {1, 1, 0}, "active code 1");
}

TEST(PropertyColouring, LoadWithoutTypeTakesTheGenericPaletteAndAddsTheNode)
{
    Scene continuous(2, 1, 1);
    continuous.addContinuous({0, 1}, 0, 1, 0);
    continuous.s.propLoading = true;
    continuous.s.PROP_name = "PORO";
    const auto report = colourProperty(continuous.s.document.grid, continuous.s, 1, false, 0);
    ASSERT_TRUE(report.coloured);
    EXPECT_EQ(report.typeCode, 9);
    EXPECT_EQ(continuous.s.PROP_type.back(), 9);
    EXPECT_EQ(continuous.s.PROP_type_displaying, 9);
    EXPECT_TRUE(report.addTreeNode);
    EXPECT_EQ(report.treeNode, "PORO");
    EXPECT_EQ(report.message, "Property is loaded successfully");
    EXPECT_TRUE(continuous.s.propLoaded);
    expectColour(continuous.cell(0, 0, 0), {0.2f, 0.2f, 0.8f}, "type-9 low colour");

    Scene discrete(2, 1, 1);
    discrete.addDiscrete({0, 3}, 0);
    discrete.s.propLoading = true;
    const auto disc = colourProperty(discrete.s.document.grid, discrete.s, 1, true, 0);
    EXPECT_EQ(disc.typeCode, 8);
    EXPECT_EQ(discrete.s.PROP_type.back(), 8);
    EXPECT_EQ(discrete.cell(0, 0, 1), (Rgb{0, 1, 0}));

    // Re-typed to 0 later (not a load): 0 stays, coloured with the empty table.
    discrete.s.propLoading = false;
    EXPECT_EQ(colourProperty(discrete.s.document.grid, discrete.s, 1, true, 0).typeCode, 0);
    EXPECT_EQ(discrete.cell(0, 0, 1), OUTSIDE_TABLE_COLOUR);
}

TEST(PropertyColouring, PlaceholderPropertyIsUndefinedGreyWithoutANode)
{
    Scene scene(2, 2, 2);
    scene.s.PROP_cont_loading = {std::vector<double>(8, -999.99)};
    scene.s.PROP_name = "grid";
    scene.s.propLoading = true;
    scene.s.cont_prop_cut = 0.5f;
    const auto report = colourProperty(scene.s.document.grid, scene.s, 1, false, 10);
    ASSERT_TRUE(report.coloured);
    EXPECT_FALSE(report.addTreeNode);
    EXPECT_TRUE(report.message.empty());
    EXPECT_TRUE(scene.s.propLoaded);
    for (std::size_t k = 0; k < 2; ++k) EXPECT_EQ(scene.cell(k, 1, 1), (Rgb{127.0f / 255, 127.0f / 255, 127.0f / 255}));

    // A real property that happens to be called "grid" is loaded like any other: it gets its node.
    scene.addContinuous(std::vector<double>(8, 0.2), 0, 1, 0);
    const auto named = colourProperty(scene.s.document.grid, scene.s, 2, false, 0);
    EXPECT_TRUE(named.addTreeNode);
    EXPECT_EQ(named.treeNode, "grid");
}

TEST(PropertyColouring, IncompletePropertiesAndGridsAreNotColoured)
{
    Scene scene(2, 2, 1);
    scene.addContinuous({0, 1, 2}, 0, 2, 9);  // three values for four cells
    EXPECT_FALSE(colourProperty(scene.s.document.grid, scene.s, 1, false, 9).coloured);
    EXPECT_FALSE(colourProperty(scene.s.document.grid, scene.s, 2, false, 9).coloured);  // no second property
    EXPECT_FALSE(colourProperty(scene.s.document.grid, scene.s, 0, false, 9).coloured);
    EXPECT_TRUE(scene.s.cells_k.empty());

    scene.s.PROP_cont_loading[0].push_back(3);
    scene.s.document.grid.loaded = false;
    EXPECT_FALSE(colourProperty(scene.s.document.grid, scene.s, 1, false, 9).coloured);
    scene.s.document.grid.loaded = true;
    scene.s.document.grid.layerVertices.pop_back();
    EXPECT_FALSE(colourProperty(scene.s.document.grid, scene.s, 1, false, 9).coloured);
}

TEST(PropertyColouring, ChangeColourRecoloursInPlaceAndGrowsTheTable)
{
    Scene scene(3, 1, 2);
    scene.addDiscrete({1, 12, 2, 12, 1, 0}, 1);
    ASSERT_TRUE(colourProperty(scene.s.document.grid, scene.s, 1, true, 1).coloured);
    const float* before = scene.s.cells_k[0].data();

    ASSERT_TRUE(changeDiscreteColour(scene.s.document.grid, scene.s, 1, 1, 0.1f, 0.2f, 0.3f));
    EXPECT_EQ(scene.s.cells_k[0].data(), before);  // in place
    EXPECT_EQ(scene.cell(0, 0, 0), (Rgb{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(scene.cell(1, 0, 1), (Rgb{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(scene.cell(0, 0, 2), (Rgb{1, 0.5f, 0}));

    // Code 12 lies beyond the lithology table's ten entries: the table grows with grey and keeps the colour.
    ASSERT_TRUE(changeDiscreteColour(scene.s.document.grid, scene.s, 1, 12, 0.9f, 0.1f, 0.5f));
    const auto& table = scene.s.PROP_disc_color[1];
    ASSERT_EQ(table.size(), 13u);
    EXPECT_EQ(table[10], (std::vector<float>{0.8f, 0.8f, 0.8f}));
    EXPECT_EQ(table[12], (std::vector<float>{0.9f, 0.1f, 0.5f}));
    EXPECT_EQ(scene.cell(0, 0, 1), (Rgb{0.9f, 0.1f, 0.5f}));
    EXPECT_EQ(scene.cell(1, 0, 0), (Rgb{0.9f, 0.1f, 0.5f}));
    EXPECT_EQ(scene.cell(1, 0, 2), (Rgb{0.7f, 0.7f, 0.7f}));

    EXPECT_FALSE(changeDiscreteColour(scene.s.document.grid, scene.s, 1, -1, 0, 0, 0));
    EXPECT_FALSE(changeDiscreteColour(scene.s.document.grid, scene.s, 1, MAX_COLOUR_CODE + 1, 0, 0, 0));
    EXPECT_EQ(table.size(), 13u);
}

// A type code beyond the known ones would grow the list of code tables up to it (billions of tables for a large
// one): it is refused like a negative type, and the tables stay as they were.
TEST(PropertyColouring, ChangeColourRefusesUnknownTypeCodes)
{
    Scene scene(2, 1, 1);
    const std::size_t tables = scene.s.PROP_disc_color.size();
    EXPECT_FALSE(changeDiscreteColour(scene.s.document.grid, scene.s, MAX_TYPE_CODE + 1, 1, 0.1f, 0.2f, 0.3f));
    EXPECT_FALSE(changeDiscreteColour(scene.s.document.grid, scene.s, 2'000'000'000, 1, 0.1f, 0.2f, 0.3f));
    EXPECT_FALSE(changeDiscreteColour(scene.s.document.grid, scene.s, -1, 1, 0.1f, 0.2f, 0.3f));
    EXPECT_EQ(scene.s.PROP_disc_color.size(), tables);

    // The grid placeholder's code 10 lies one past the ten tables: its table is made.
    ASSERT_TRUE(changeDiscreteColour(scene.s.document.grid, scene.s, MAX_TYPE_CODE, 3, 0.1f, 0.2f, 0.3f));
    ASSERT_EQ(scene.s.PROP_disc_color.size(), std::size_t(MAX_TYPE_CODE) + 1);
    EXPECT_EQ(scene.s.PROP_disc_color[MAX_TYPE_CODE][3], (std::vector<float>{0.1f, 0.2f, 0.3f}));
}

}  // namespace
}  // namespace morvane
