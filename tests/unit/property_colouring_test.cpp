// Colouring cells by the shown property: the continuous ramp between the colour limits, undefined values, the
// filter, the code tables of the kinds, inactive cells, the bare grid, and the colours a user picks.
#include <gtest/gtest.h>

#include "scene/grid_geometry.h"
#include "scene/legend_layout.h"
#include "scene/property_colouring.h"
#include "tests/support/scene_grid_fixture.h"

namespace morvane {
namespace {

using test::latticeGrid;

constexpr Rgb kUndefined{127.0f / 255, 127.0f / 255, 127.0f / 255};

// A grid of nx x ny x nz cells and the properties the test adds to it.
struct Scene {
    ModelState s;
    std::vector<Vertices> cells;

    Scene(int nx, int ny, int nz)
    {
        s.document.grid.input = latticeGrid(nx, ny, nz);
        EXPECT_TRUE(buildGrid(s).built());
    }

    Property& addContinuous(const std::string& name, std::vector<double> values, double low, double high,
                            PropertyKind kind)
    {
        Property p = makeContinuousProperty(name, kind, std::move(values));
        p.lowLimit = low;
        p.highLimit = high;
        return *s.document.properties.find(s.document.properties.add(std::move(p)));
    }

    Property& addCodes(const std::string& name, std::vector<int> codes, PropertyKind kind)
    {
        return *s.document.properties.find(
            s.document.properties.add(makeDiscreteProperty(name, kind, std::move(codes))));
    }

    bool colour(const std::string& shown, PropertyFilterSetting filter = {})
    {
        return colourCells(s.document.grid, s.document.properties, s.document.properties.find(shown), filter, cells);
    }

    // Colour of cell (i, j) of layer k; the layer holds one colour for each cell.
    Rgb cell(std::size_t k, std::size_t i, std::size_t j) const
    {
        const auto& layer = cells.at(k);
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

Property withLimits(double low, double high, PropertyKind kind = PropertyKind::Permeability)
{
    Property p;
    p.kind = kind;
    p.lowLimit = low;
    p.highLimit = high;
    return p;
}

TEST(PropertyColouring, PermeabilityRampFromBlueThroughGreenToRed)
{
    Scene scene(7, 1, 1);
    scene.addContinuous("PERM", {0, 0.25, 0.5, 0.75, 1, 1.2, -0.1}, 0, 1, PropertyKind::Permeability);
    ASSERT_TRUE(scene.colour("PERM"));
    expectColour(scene.cell(0, 0, 0), {0, 0, 1}, "0");
    expectColour(scene.cell(0, 0, 1), {0, 0.5f, 0.5f}, "0.25");
    expectColour(scene.cell(0, 0, 2), {0, 1, 0}, "0.5");
    expectColour(scene.cell(0, 0, 3), {0.5f, 0.5f, 0}, "0.75");
    expectColour(scene.cell(0, 0, 4), {1, 0, 0}, "1");
    expectColour(scene.cell(0, 0, 5), {1, 0, 0}, "1.2");
    expectColour(scene.cell(0, 0, 6), {0, 0, 1}, "-0.1");
}

TEST(PropertyColouring, EqualLimitsGiveLowOrHighColour)
{
    const PropertySet set;
    const ContinuousRamp ramp = makeRamp(set, withLimits(0, 0), {});
    EXPECT_EQ(continuousColour(0, ramp), (Rgb{0, 0, 1}));
    EXPECT_EQ(continuousColour(-1, ramp), (Rgb{0, 0, 1}));
    EXPECT_EQ(continuousColour(0.5, ramp), (Rgb{1, 0, 0}));
    // A kind without a ramp (none given) is black.
    EXPECT_EQ(continuousColour(0.5, makeRamp(set, withLimits(0, 0, PropertyKind::Unset), {})), (Rgb{0, 0, 0}));
}

// Limits whose single-precision half range does not add back up to the maximum: min + 2h lies just below max, and
// a cell holding the maximum itself must still take the high colour, not stay black like no colour at all.
TEST(PropertyColouring, ValueAtTheUpperLimitIsHighEvenWhenTheHalvesRoundShort)
{
    const ContinuousRamp ramp = makeRamp(PropertySet{}, withLimits(-1.064, 15.972), {});
    ASSERT_LT(ramp.min + 2 * ramp.half, ramp.max);  // the rounding this case is about
    EXPECT_EQ(continuousColour(15.972, ramp), (Rgb{1, 0, 0}));
    EXPECT_EQ(continuousColour(16.0, ramp), (Rgb{1, 0, 0}));
    // The middle of the range is still the middle colour; the bottom the low colour.
    expectColour(continuousColour((-1.064 + 15.972) / 2, ramp), {0, 1, 0}, "middle");
    EXPECT_EQ(continuousColour(-1.064, ramp), (Rgb{0, 0, 1}));
}

// The ramp runs between the shown property's own colour limits, not its value range and not another property's.
TEST(PropertyColouring, RampUsesTheColourLimitsOfTheShownProperty)
{
    Scene scene(1, 1, 1);
    scene.addContinuous("A", {1}, 0, 1, PropertyKind::Permeability);
    scene.addContinuous("B", {1}, 0, 4, PropertyKind::Permeability);
    scene.s.document.properties.find("A")->highLimit = 2;  // colour limits typed for the first property: 0 .. 2
    ASSERT_TRUE(scene.colour("A"));
    expectColour(scene.cell(0, 0, 0), {0, 1, 0}, "1 in 0 .. 2 is the middle colour");
    ASSERT_TRUE(scene.colour("B"));
    expectColour(scene.cell(0, 0, 0), {0, 0.5f, 0.5f}, "1 in 0 .. 4 is a quarter up");

    scene.addCodes("LITHO", {3}, PropertyKind::Lithology);
    ASSERT_TRUE(scene.colour("LITHO"));
    EXPECT_EQ(scene.cell(0, 0, 0), (Rgb{0, 1, 1}));
}

TEST(PropertyColouring, UndefinedValuesAndTheFilter)
{
    const PropertySet set;
    const Property perm = withLimits(0, 1);
    ContinuousRamp below = makeRamp(set, perm, PropertyFilterSetting::cutAt(0.25f, true));
    EXPECT_EQ(continuousColour(-999.99, below), kUndefined);
    EXPECT_EQ(continuousColour(0.1, below), FILTERED_COLOUR);
    expectColour(continuousColour(0.25, below), {0, 0.5f, 0.5f}, "0.25 keeps its colour");
    expectColour(continuousColour(0.3, below), {0, 0.6f, 0.4f}, "0.3 above the cut");

    ContinuousRamp above = makeRamp(set, perm, PropertyFilterSetting::cutAt(0.25f, false));
    EXPECT_EQ(continuousColour(0.3, above), FILTERED_COLOUR);
    EXPECT_EQ(continuousColour(-999.99, above), kUndefined);
    expectColour(continuousColour(0.1, above), {0, 0.2f, 0.8f}, "0.1 below the cut");

    // The cut is single precision: 0.2f lies above the double 0.2, which is therefore removed.
    EXPECT_EQ(continuousColour(0.2, makeRamp(set, perm, PropertyFilterSetting::cutAt(0.2f, true))), FILTERED_COLOUR);
    // No filter is a state of its own: a cut at 0 is a cut, removing the negative cells and keeping the rest.
    EXPECT_NE(continuousColour(-0.1, makeRamp(set, perm, {})), FILTERED_COLOUR);
    const ContinuousRamp atZero = makeRamp(set, perm, PropertyFilterSetting::cutAt(0, true));
    EXPECT_EQ(continuousColour(-0.1, atZero), FILTERED_COLOUR);
    EXPECT_NE(continuousColour(0.1, atZero), FILTERED_COLOUR);
    // A cell without a value (a marker read as no value) is undefined grey, whatever the filter.
    EXPECT_EQ(continuousColour(kNoValue, atZero), kUndefined);
    EXPECT_EQ(continuousColour(kNoValue, makeRamp(set, perm, PropertyFilterSetting::between(0.2, 0.4))), kUndefined);
}

// Permeability spans decades: on a logarithmic ramp 1, 10, 100 and 1000 mD between limits 1 and 1000 take the low
// colour, a third and two thirds up the ramp, and the high colour, evenly spaced; 0 and below take the low colour. A
// lower limit of 0 starts the ramp at the smallest positive value, and the legend names the limits the colours run
// between.
TEST(PropertyColouring, ALogarithmicRampSpreadsDecadesEvenly)
{
    Scene scene(6, 1, 1);
    Property& perm = scene.addContinuous("PERMX", {1, 10, 100, 1000, 0, -5}, 1, 1000, PropertyKind::Permeability);
    perm.logScale = true;
    ASSERT_TRUE(scene.colour("PERMX"));
    expectColour(scene.cell(0, 0, 0), {0, 0, 1}, "1 mD: low");
    expectColour(scene.cell(0, 0, 1), {0, 2.0f / 3, 1.0f / 3}, "10 mD: a third up");
    expectColour(scene.cell(0, 0, 2), {1.0f / 3, 2.0f / 3, 0}, "100 mD: two thirds up");
    expectColour(scene.cell(0, 0, 3), {1, 0, 0}, "1000 mD: high");
    expectColour(scene.cell(0, 0, 4), {0, 0, 1}, "0 mD: low");
    expectColour(scene.cell(0, 0, 5), {0, 0, 1}, "-5: low");

    perm.lowLimit = perm.min;  // -5
    EXPECT_EQ(perm.positiveMin, 1);
    ASSERT_TRUE(scene.colour("PERMX"));
    expectColour(scene.cell(0, 0, 1), {0, 2.0f / 3, 1.0f / 3}, "from the smallest positive value");
    const ContinuousLegend legend = continuousLegend(scene.s.document.properties, perm);
    EXPECT_EQ(legend.minText, "1.000");
    EXPECT_EQ(legend.maxText, "1000");
    perm.logScale = false;
    EXPECT_EQ(continuousLegend(scene.s.document.properties, perm).minText, "-5.000");
}

// The filter keeps a range of values or a set of codes besides a cut, and says how many cells it keeps: cells without
// a value are never kept, inactive cells never counted.
TEST(PropertyColouring, RangesAndCodesFilterAndCountTheCellsKept)
{
    Scene scene(5, 1, 1);
    scene.addContinuous("PORO", {0.1, 0.2, kNoValue, 0.3, 0.4}, 0.1, 0.4, PropertyKind::Porosity);
    const PropertyFilterSetting range = PropertyFilterSetting::between(0.35, 0.2);  // given in either order
    ASSERT_TRUE(scene.colour("PORO", range));
    EXPECT_EQ(scene.cell(0, 0, 0), FILTERED_COLOUR);
    EXPECT_NE(scene.cell(0, 0, 1), FILTERED_COLOUR);
    EXPECT_EQ(scene.cell(0, 0, 2), kUndefined);
    EXPECT_NE(scene.cell(0, 0, 3), FILTERED_COLOUR);
    EXPECT_EQ(scene.cell(0, 0, 4), FILTERED_COLOUR);
    const Property& poro = *scene.s.document.properties.find("PORO");
    EXPECT_EQ(keptCellCount(poro, range, {}), 2u);
    EXPECT_EQ(keptCellCount(poro, {}, {}), 4u);
    EXPECT_EQ(keptCellCount(poro, range, {1, 1, 1, 0, 1}), 1u);
    const std::vector<std::uint8_t> all(5, 1);
    EXPECT_EQ(keptCells(scene.s.document.grid, &poro, range, all), (std::vector<std::uint8_t>{0, 1, 1, 1, 0}));

    const Property& facies = scene.addCodes("FACIES", {1, 2, 3, kUndefinedCode, 3}, PropertyKind::Facies);
    const PropertyFilterSetting codes = PropertyFilterSetting::holding({3, 1, 3});
    EXPECT_EQ(codes.codes, (std::vector<int>{1, 3}));
    ASSERT_TRUE(scene.colour("FACIES", codes));
    EXPECT_NE(scene.cell(0, 0, 0), FILTERED_COLOUR);
    EXPECT_EQ(scene.cell(0, 0, 1), FILTERED_COLOUR);
    EXPECT_EQ(scene.cell(0, 0, 3), FILTERED_COLOUR);
    EXPECT_EQ(keptCells(scene.s.document.grid, &facies, codes, all), (std::vector<std::uint8_t>{1, 0, 1, 0, 1}));
    EXPECT_EQ(keptCellCount(facies, codes, {}), 3u);
    EXPECT_EQ(filterLabel("FACIES", codes), "FACIES = 1, 3");
    EXPECT_EQ(filterLabel("PORO", range), "0.200 <= PORO <= 0.350");
    EXPECT_EQ(filterLabel("PORO", PropertyFilterSetting::cutAt(0, true)), "PORO > 0.000");
}

TEST(PropertyColouring, CellsFollowTheValuesLayerRowColumn)
{
    Scene scene(3, 2, 2);
    std::vector<double> values(12);
    for (std::size_t n = 0; n < values.size(); ++n) values[n] = double(n);
    scene.addContinuous("V", values, 0, 11, PropertyKind::Continuous);
    ASSERT_TRUE(scene.colour("V"));
    // The lowest value is the low colour, the highest the high colour, the middle one's cell halfway.
    expectColour(scene.cell(0, 0, 0), {0.2f, 0.2f, 0.8f}, "first cell");
    expectColour(scene.cell(1, 1, 2), {1, 0.6f, 0.2f}, "last cell");
    EXPECT_EQ(scene.cell(0, 1, 0),
              continuousColour(3, makeRamp(scene.s.document.properties, scene.s.document.properties.items[0], {})));
    EXPECT_EQ(scene.cell(1, 0, 1),
              continuousColour(7, makeRamp(scene.s.document.properties, scene.s.document.properties.items[0], {})));
}

TEST(PropertyColouring, CodesOutsideTheTableAreGreyAndAKindWithoutATableIsGrey)
{
    Scene scene(4, 1, 1);
    Property& codes = scene.addCodes("LITHO", {2, 12, -1, kUndefinedCode}, PropertyKind::Lithology);
    ASSERT_TRUE(scene.colour("LITHO"));
    EXPECT_EQ(scene.cell(0, 0, 0), (Rgb{1, 0.5f, 0}));
    EXPECT_EQ(scene.cell(0, 0, 1), kOutsideTableColour);
    EXPECT_EQ(scene.cell(0, 0, 2), kOutsideTableColour);
    EXPECT_EQ(scene.cell(0, 0, 3), kUndefined);  // a value that was not a whole code

    // A property of codes re-typed as porosity has no table: every code grey; a picked colour keeps undefined cells.
    codes.kind = PropertyKind::Porosity;
    ASSERT_TRUE(scene.colour("LITHO"));
    for (std::size_t j = 0; j < 3; ++j) EXPECT_EQ(scene.cell(0, 0, j), kOutsideTableColour);
    ASSERT_TRUE(scene.s.document.properties.setCodeColour(PropertyKind::Porosity, 2, {0, 0, 1}));
    ASSERT_TRUE(scene.colour("LITHO"));
    EXPECT_EQ(scene.cell(0, 0, 0), (Rgb{0, 0, 1}));
    EXPECT_EQ(scene.cell(0, 0, 3), kUndefined);
}

// An inactive cell is grey whatever its value, in both kinds and after a code's colour changes.
TEST(PropertyColouring, InactiveCellsAreGreyWhateverTheirValue)
{
    Scene scene(2, 1, 2);
    scene.s.document.grid.active = {1, 0, 0, 1};
    const Rgb grey{176 / 255.0f, 176 / 255.0f, 176 / 255.0f};
    scene.addContinuous("PERM", {0, 1, 0.5, 1}, 0, 1, PropertyKind::Permeability);
    ASSERT_TRUE(scene.colour("PERM"));
    expectColour(scene.cell(0, 0, 0), {0, 0, 1}, "active low");
    expectColour(scene.cell(0, 0, 1), grey, "inactive high");
    expectColour(scene.cell(1, 0, 0), grey, "inactive middle");
    expectColour(scene.cell(1, 0, 1), {1, 0, 0}, "active high");

    scene.addCodes("LITHO", {1, 2, 3, 4}, PropertyKind::Lithology);
    ASSERT_TRUE(scene.s.document.properties.setCodeColour(PropertyKind::Lithology, 2, {0.1f, 0.2f, 0.3f}));
    ASSERT_TRUE(scene.colour("LITHO"));
    expectColour(scene.cell(0, 0, 1), grey, "inactive code 2 after its colour changed");
    expectColour(scene.cell(0, 0, 0), {1, 1, 0}, "active code 1");
}

TEST(PropertyColouring, APropertyGivenNoKindTakesTheGenericColours)
{
    Scene scene(2, 1, 1);
    EXPECT_EQ(scene.addContinuous("PORO", {0, 1}, 0, 1, PropertyKind::Unset).kind, PropertyKind::Continuous);
    ASSERT_TRUE(scene.colour("PORO"));
    expectColour(scene.cell(0, 0, 0), {0.2f, 0.2f, 0.8f}, "continuous low colour");

    EXPECT_EQ(scene.addCodes("CODES", {0, 3}, PropertyKind::Unset).kind, PropertyKind::Discrete);
    ASSERT_TRUE(scene.colour("CODES"));
    EXPECT_EQ(scene.cell(0, 0, 1), (Rgb{0, 1, 0}));

    // Its kind taken away later: the empty table of no kind, every code grey.
    scene.s.document.properties.find("CODES")->kind = PropertyKind::Unset;
    ASSERT_TRUE(scene.colour("CODES"));
    EXPECT_EQ(scene.cell(0, 0, 1), kOutsideTableColour);
}

// Without a shown property the cells are the undefined grey, inactive ones their own grey; a filter changes nothing.
TEST(PropertyColouring, TheBareGridIsUndefinedGrey)
{
    Scene scene(2, 2, 2);
    scene.s.document.grid.active = {1, 1, 1, 1, 1, 1, 1, 0};
    ASSERT_TRUE(scene.colour("", PropertyFilterSetting::cutAt(0.5f, true)));
    for (std::size_t k = 0; k < 2; ++k) EXPECT_EQ(scene.cell(k, 0, 1), kUndefined);
    EXPECT_EQ(scene.cell(1, 1, 1), scene.s.document.properties.inactiveColour);
    EXPECT_TRUE(keptCells(scene.s.document.grid, nullptr, PropertyFilterSetting::cutAt(0.5f, true),
                          std::vector<std::uint8_t>(8, 1))
                    .empty());
}

TEST(PropertyColouring, IncompletePropertiesAndGridsAreNotColoured)
{
    Scene scene(2, 2, 1);
    scene.addContinuous("SHORT", {0, 1, 2}, 0, 2, PropertyKind::Continuous);  // 3 values, 4 cells
    EXPECT_FALSE(scene.colour("SHORT"));
    EXPECT_TRUE(scene.cells.empty());

    scene.s.document.properties.find("SHORT")->values.push_back(3);
    scene.s.document.grid.loaded = false;
    EXPECT_FALSE(scene.colour("SHORT"));
    scene.s.document.grid.loaded = true;
    scene.s.document.grid.layerVertices.pop_back();
    EXPECT_FALSE(scene.colour("SHORT"));
    EXPECT_FALSE(scene.colour(""));
    EXPECT_TRUE(scene.cells.empty());
}

TEST(PropertyColouring, APickedCodeColourGrowsTheTableAndRecoloursInPlace)
{
    Scene scene(3, 1, 2);
    scene.addCodes("LITHO", {1, 12, 2, 12, 1, 0}, PropertyKind::Lithology);
    ASSERT_TRUE(scene.colour("LITHO"));
    const float* before = scene.cells[0].data();

    PropertySet& p = scene.s.document.properties;
    const std::uint64_t revision = p.revision;
    ASSERT_TRUE(p.setCodeColour(PropertyKind::Lithology, 1, {0.1f, 0.2f, 0.3f}));
    EXPECT_GT(p.revision, revision);
    ASSERT_TRUE(scene.colour("LITHO"));
    EXPECT_EQ(scene.cells[0].data(), before);  // in place
    EXPECT_EQ(scene.cell(0, 0, 0), (Rgb{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(scene.cell(1, 0, 1), (Rgb{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(scene.cell(0, 0, 2), (Rgb{1, 0.5f, 0}));

    // Code 12 lies beyond the lithology table's ten entries: the table grows with grey and keeps the colour.
    ASSERT_TRUE(p.setCodeColour(PropertyKind::Lithology, 12, {0.9f, 0.1f, 0.5f}));
    const auto& table = p.codeColours[static_cast<std::size_t>(PropertyKind::Lithology)];
    ASSERT_EQ(table.size(), 13u);
    EXPECT_EQ(table[10], kOutsideTableColour);
    EXPECT_EQ(table[12], (Rgb{0.9f, 0.1f, 0.5f}));
    ASSERT_TRUE(scene.colour("LITHO"));
    EXPECT_EQ(scene.cell(0, 0, 1), (Rgb{0.9f, 0.1f, 0.5f}));
    EXPECT_EQ(scene.cell(1, 0, 0), (Rgb{0.9f, 0.1f, 0.5f}));
    EXPECT_EQ(scene.cell(1, 0, 2), (Rgb{0.7f, 0.7f, 0.7f}));

    EXPECT_FALSE(p.setCodeColour(PropertyKind::Lithology, -kMaxColourCode - 1, {}));
    EXPECT_FALSE(p.setCodeColour(PropertyKind::Lithology, kMaxColourCode + 1, {}));
    EXPECT_FALSE(p.setCodeColour(PropertyKind::Lithology, kUndefinedCode, {}));
    EXPECT_EQ(table.size(), 13u);
}

// A negative code (a placeholder some exports write, such as -1) takes a picked colour like any other: its cells,
// its legend bar and the well section all wear it, for its kind only, and the code table does not grow for it.
TEST(PropertyColouring, ANegativeCodeTakesThePickedColourInItsCellsAndItsBar)
{
    Scene scene(3, 1, 2);
    scene.addCodes("LITHO", {-1, 2, -1, 2, 1, 1}, PropertyKind::Lithology);
    PropertySet& p = scene.s.document.properties;
    const std::size_t tableSize = p.codeColours[1].size();
    ASSERT_TRUE(scene.colour("LITHO"));
    EXPECT_EQ(scene.cell(0, 0, 0), kOutsideTableColour);

    ASSERT_TRUE(p.setCodeColour(PropertyKind::Lithology, -1, {0.1f, 0.2f, 0.3f}));
    ASSERT_TRUE(scene.colour("LITHO"));
    EXPECT_EQ(scene.cell(0, 0, 0), (Rgb{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(scene.cell(0, 0, 2), (Rgb{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(scene.cell(0, 0, 1), (Rgb{1, 0.5f, 0}));  // code 2 keeps the lithology colour
    EXPECT_EQ(p.codeColours[1].size(), tableSize);

    const DiscreteLegend legend = discreteLegend(p, *p.find("LITHO"), 1000);
    ASSERT_EQ(legend.bars.front().code, -1);
    EXPECT_EQ(legend.bars.front().colour, toRgb255({0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(p.colourOfCode(PropertyKind::Facies, -1, {}), kOutsideTableColour);
    EXPECT_EQ(p.colourOfCode(PropertyKind::Lithology, kUndefinedCode, p.undefinedColour), p.undefinedColour);
}

// A kind beyond the known ones would grow the tables up to it (billions of tables for a large one): it is refused
// like a negative kind, and the tables stay as they were.
TEST(PropertyColouring, APickedColourForAnUnknownKindIsRefused)
{
    PropertySet p;
    const auto before = p.codeColours;
    EXPECT_FALSE(p.setCodeColour(static_cast<PropertyKind>(kPropertyKindCount), 1, {0.1f, 0.2f, 0.3f}));
    EXPECT_FALSE(p.setCodeColour(static_cast<PropertyKind>(2'000'000'000), 1, {0.1f, 0.2f, 0.3f}));
    EXPECT_FALSE(p.setCodeColour(static_cast<PropertyKind>(-1), 1, {0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(p.codeColours, before);
}

}  // namespace
}  // namespace morvane
