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
