// What the colour legend shows for the displayed property, worked out from the model state without any widget:
// for a continuous property the three ramp colours and the two limit texts, for a discrete one a bar per code whose
// height is the code's share of the cells. The legend widget and the snapshot both place exactly this.
#pragma once

#include <string>
#include <vector>

#include "model/property_set.h"

namespace morvane {

// A colour as the legend paints it: each component times 255, truncated, low eight bits.
struct Rgb255 {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb255&, const Rgb255&) = default;
};
Rgb255 toRgb255(const Rgb& colour);

struct ContinuousLegend {
    Rgb255 low, middle, high;      // the ramp of the property's kind
    std::string maxText, minText;  // its colour limits, by limitText
};

// The continuous legend of property `shown`.
ContinuousLegend continuousLegend(const PropertySet& properties, const Property& shown);

// Placement of the discrete legend inside the legend box. Bars stand on the line `baseline` of their row, the code
// under each bar; a code held by every cell is `tallest` pixels high.
namespace legend_bars {
inline constexpr int Left = 5;       // x of the first bar
inline constexpr int Pitch = 20;     // from one bar to the next
inline constexpr int Width = 15;     // of a bar
inline constexpr int Baseline = 95;  // the line the first row of bars stands on, and the top of its code labels
inline constexpr int Tallest = 70;
inline constexpr int RowPitch = 90;  // from one row's baseline to the next (a full bar, its label and a gap)
}  // namespace legend_bars

struct LegendBar {
    int code = 0;
    std::string label;  // the code as decimal text
    int x = 0, top = 0, width = legend_bars::Width, height = 0;
    int labelY = 0;  // top of the code label: the bar's baseline
    Rgb255 colour;   // the code's colour in the table of the property's kind, grey 0.8 outside it
};

struct DiscreteLegend {
    std::vector<LegendBar> bars;
    int rows = 0;
};

// The discrete legend of property `shown`, a bar per code it holds. Bars run left to right; when the next bar would
// end beyond `availableWidth` (the room the view leaves the legend), it starts a new row RowPitch lower, so a
// property with dozens of codes wraps instead of running off the view. At least one bar goes on every row.
DiscreteLegend discreteLegend(const PropertySet& properties, const Property& shown, int availableWidth);

}  // namespace morvane
