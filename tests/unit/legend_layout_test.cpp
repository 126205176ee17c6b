// What the legend and the filter window show: limit texts, the code bars and their rows, the ramp colours, the
// slider arithmetic and its shade, and the numbers the two windows take back.
#include <gtest/gtest.h>

#include "commands/property_filter.h"
#include "core/decimal_text.h"
#include "scene/legend_layout.h"

namespace morvane {
namespace {

TEST(LegendTexts, LimitsKeepThreeDecimalsBelowTenAndTheWholePartFromTen)
{
    EXPECT_EQ(limitText(0.123456), "0.123");
    EXPECT_EQ(limitText(45.678), "45");
    EXPECT_EQ(limitText(12.5), "12");
    EXPECT_EQ(limitText(0.25), "0.250");
    EXPECT_EQ(limitText(9.9996), "9.999");  // truncated, not rounded
    EXPECT_EQ(limitText(1234.5), "1234");
    EXPECT_EQ(limitText(-999.99), "-999.990");
    // Small values keep three significant digits: a permeability of 0.00042 mD is not 0.000.
    EXPECT_EQ(limitText(0.00042), "0.000420");
    EXPECT_EQ(limitText(-0.05), "-0.0500");
    EXPECT_EQ(limitText(0.099999), "0.1000");
    EXPECT_EQ(limitText(4.2e-7), "4.20e-07");
    EXPECT_EQ(limitText(0), "0.000");
    EXPECT_EQ(sixDecimalsText(0.5, 3), "0.500");
    EXPECT_EQ(sixDecimalsText(1e300, 3).size(), 301u + 4);  // no cut-off or garbage for huge values
}

TEST(LegendBars, CodesStandOnOneLineWithHeightsFromTheirShares)
{
    PropertySet p;
    Property codes;
    codes.discrete = true;
    codes.kind = PropertyKind::Lithology;  // code 1 yellow, 2 orange, 5 violet
    codes.distinctCodes = {1, 2, 5};
    codes.codePercent = {50, 30, 20};

    const DiscreteLegend legend = discreteLegend(p, codes, 1000);
    ASSERT_EQ(legend.bars.size(), 3u);
    EXPECT_EQ(legend.rows, 1);
    const int x[] = {5, 25, 45}, height[] = {35, 21, 14};
    const Rgb255 colour[] = {{255, 255, 0}, {255, 127, 0}, {178, 0, 255}};
    for (std::size_t n = 0; n < 3; ++n) {
        const LegendBar& bar = legend.bars[n];
        EXPECT_EQ(bar.x, x[n]);
        EXPECT_EQ(bar.width, 15);
        EXPECT_EQ(bar.height, height[n]);
        EXPECT_EQ(bar.top + bar.height, 95);
        EXPECT_EQ(bar.labelY, 95);
        EXPECT_EQ(bar.colour, colour[n]);
    }
    EXPECT_EQ(legend.bars[2].label, "5");

    // A code held by every cell is 70 high; a kind without a table draws its codes grey 0.8.
    Property everywhere = codes;
    everywhere.kind = PropertyKind::Porosity;
    everywhere.distinctCodes = {0};
    everywhere.codePercent = {100};
    const DiscreteLegend full = discreteLegend(p, everywhere, 1000);
    ASSERT_EQ(full.bars.size(), 1u);
    EXPECT_EQ(full.bars[0].height, 70);
    EXPECT_EQ(full.bars[0].colour, (Rgb255{204, 204, 204}));
    EXPECT_TRUE(discreteLegend(p, Property{}, 1000).bars.empty());
}

TEST(LegendBars, ManyCodesWrapIntoRowsWithinTheRoomTheViewLeaves)
{
    PropertySet p;
    Property codes;
    codes.discrete = true;
    for (int code = 0; code < 25; ++code) {
        codes.distinctCodes.push_back(code);
        codes.codePercent.push_back(4.0f);
    }
    // 200 pixels hold bars at x = 5, 25, ..., 185 (the tenth ends at 200).
    const DiscreteLegend legend = discreteLegend(p, codes, 200);
    EXPECT_EQ(legend.rows, 3);
    EXPECT_EQ(legend.bars[9].x, 185);
    EXPECT_EQ(legend.bars[10].x, 5);
    EXPECT_EQ(legend.bars[10].labelY, 185);
    EXPECT_EQ(legend.bars[24].labelY, 275);
    EXPECT_EQ(legend.bars[24].top + legend.bars[24].height, 275);
    for (const LegendBar& bar : legend.bars) EXPECT_LE(bar.x + bar.width, 200);
    // However narrow the view, every row holds a bar.
    EXPECT_EQ(discreteLegend(p, codes, 3).rows, 25);
}

// A region property of a hundred codes, one of them in a single cell of ten thousand: every code keeps a bar a
// user can see and click, rows stay narrow enough to leave the model in view, and long codes spread their bars.
TEST(LegendBars, RareCodesKeepABarAndManyCodesStayNarrow)
{
    PropertySet p;
    Property regions;
    regions.discrete = true;
    for (int code = 1; code <= 100; ++code) {
        regions.distinctCodes.push_back(code);
        regions.codePercent.push_back(code == 50 ? 0.01f : 0.99f);
    }
    const DiscreteLegend legend = discreteLegend(p, regions, 1500);
    ASSERT_EQ(legend.bars.size(), 100u);
    for (const LegendBar& bar : legend.bars) {
        EXPECT_GE(bar.height, legend_bars::Shortest) << bar.code;
        EXPECT_LE(bar.x + bar.width, legend_bars::WidestRow) << bar.code;
    }
    // "100" is wider than the 20-pixel pitch of short codes: the bars spread so that the labels do not overlap.
    EXPECT_GE(legend.bars[1].x - legend.bars[0].x, 3 * legend_bars::CharWidth);
    EXPECT_EQ(legend.bottom, legend.bars.back().labelY + legend_bars::ListPitch);

    // Codes left out of the legend leave no gap.
    const DiscreteLegend fewer = discreteLegend(p, regions, 1500, {1, 2});
    ASSERT_EQ(fewer.bars.size(), 98u);
    EXPECT_EQ(fewer.bars[0].code, 3);
    EXPECT_EQ(fewer.bars[0].x, legend_bars::Left);
}

// Named codes are listed one per line, "code name", each with a bar along its line as long as its share; a code
// without a name shows the code alone.
TEST(LegendBars, NamedCodesAreListedWithTheirNames)
{
    PropertySet p;
    Property facies;
    facies.discrete = true;
    facies.kind = PropertyKind::Facies;
    facies.distinctCodes = {1, 2, 3};
    facies.codePercent = {60, 39.9f, 0.1f};
    facies.codeNames = {{1, "Sand"}, {3, "Coal"}};
    const DiscreteLegend legend = discreteLegend(p, facies, 1000);
    ASSERT_TRUE(legend.listed);
    ASSERT_EQ(legend.bars.size(), 3u);
    EXPECT_EQ(legend.bars[0].label, "1 Sand");
    EXPECT_EQ(legend.bars[1].label, "2");
    EXPECT_EQ(legend.bars[2].label, "3 Coal");
    EXPECT_EQ(legend.rows, 3);
    EXPECT_EQ(legend.bars[0].width, 42);  // 60 % of 70
    EXPECT_EQ(legend.bars[2].width, legend_bars::Shortest);
    for (std::size_t n = 0; n < 3; ++n) {
        const LegendBar& bar = legend.bars[n];
        EXPECT_EQ(bar.height, legend_bars::ListBar);
        EXPECT_EQ(bar.labelY, legend_bars::ListTop + legend_bars::ListPitch * static_cast<int>(n));
        EXPECT_GT(bar.labelX, bar.x + bar.width);
        if (n > 0) {
            EXPECT_GE(bar.top, legend.bars[n - 1].top + legend.bars[n - 1].height);
        }
    }
}

TEST(LegendRamp, ColoursOfTheShownKindAndTheShownPropertysLimits)
{
    PropertySet p;
    Property poro;
    poro.kind = PropertyKind::Porosity;
    poro.highLimit = 45.678;
    poro.lowLimit = 0.123456;
    poro.max = 0.5;  // the value range is not what the legend shows
    const ContinuousLegend legend = continuousLegend(p, poro);
    EXPECT_EQ(legend.low, (Rgb255{102, 255, 51}));
    EXPECT_EQ(legend.middle, (Rgb255{255, 255, 0}));
    EXPECT_EQ(legend.high, (Rgb255{255, 102, 0}));
    EXPECT_EQ(legend.maxText, "45");
    EXPECT_EQ(legend.minText, "0.123");
}

TEST(FilterSlider, PositionGivesTheCutAndStopsAtTheEndsOfTheRamp)
{
    // Limits 0 and 1: top, middle and bottom of the track.
    EXPECT_EQ(dragSlider(32, 0, 1, 0)->cutText, "1.000");
    EXPECT_EQ(dragSlider(111, 0, 1, 0)->cutText, "0.500");
    EXPECT_EQ(dragSlider(190, 0, 1, 0)->cutText, "0.000");
    const auto step = dragSlider(118, 7, 1, 0);  // grabbed 7 pixels below its top edge
    ASSERT_TRUE(step);
    EXPECT_EQ(step->sliderY, 111);
    EXPECT_FLOAT_EQ(step->coef, 0.5f);
    EXPECT_EQ(step->cutTextY, 106);
    EXPECT_FALSE(dragSlider(40, 0, 1, 0)->cutTextY);  // the text stays put near the ends
    EXPECT_FALSE(dragSlider(31, 0, 1, 0));
    EXPECT_FALSE(dragSlider(191, 0, 1, 0));
    EXPECT_DOUBLE_EQ(dragSlider(190, 0, 45.5, 12.5)->cut, 12.5);

    // The shade covers the removed side: below the slider down to y = 199, or from y = 39 down to it.
    EXPECT_EQ(rampShade(0.25f, true).y, 79);
    EXPECT_EQ(rampShade(0.25f, true).height, 120);
    EXPECT_EQ(rampShade(0.25f, false).y, 39);
    EXPECT_EQ(rampShade(0.25f, false).height, 40);
}

TEST(FilterSlider, WindowsTakeNumbersWithEitherSeparatorAndRefuseTheRest)
{
    EXPECT_EQ(readLimitText("0,7"), 0.7f);
    EXPECT_EQ(readLimitText(" 0.7 "), 0.7f);
    EXPECT_EQ(readLimitText("-999.990"), -999.99f);
    EXPECT_FALSE(readLimitText("abc"));
    EXPECT_FALSE(readLimitText(""));
    EXPECT_FALSE(readLimitText("1e39"));  // beyond single precision
    EXPECT_EQ(notANumberMessage("abc", "en"), "\"abc\" is not a number. Type a number such as 0.25 or 0,25.");
    EXPECT_NE(notANumberMessage("abc", "ru").find("не число"), std::string::npos);
}

}  // namespace
}  // namespace morvane
