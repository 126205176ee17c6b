// What the colour legend shows for the displayed property, worked out from the model state without any widget:
// for a continuous property the three ramp colours and the two limit texts, for a discrete one a bar per code whose
// height is the code's share of the cells. The legend widget and the snapshot both place exactly this.
#pragma once

#include <set>
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
    std::string maxText, minText;  // its colour limits, by limitText (on a logarithmic ramp: logLimits)
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
// A code held by a few cells still gets a bar this high, to be seen and clicked.
inline constexpr int Shortest = 4;
// Rows never run wider than this, so a property of many codes does not cover the model: it takes more rows.
inline constexpr int WidestRow = 400;
// A code label is about this wide per character in the legend's font; longer labels spread the bars apart.
inline constexpr int CharWidth = 7;
// Codes with names are listed one per line: a bar lying along the line, as long as its share (Tallest for every
// cell, at least Shortest), then "code name".
inline constexpr int ListTop = 22;    // top of the first line
inline constexpr int ListPitch = 18;  // from one line to the next
inline constexpr int ListBar = 12;    // thickness of a listed bar
inline constexpr int ListLabelX = Left + Tallest + 6;
}  // namespace legend_bars

struct LegendBar {
    int code = 0;
    std::string label;  // the code as decimal text, followed by its name when it has one
    int x = 0, top = 0, width = legend_bars::Width, height = 0;
    int labelX = 0, labelY = 0;  // top left of the label: under the bar, or beside it in a list
    Rgb255 colour;               // the code's colour in the table of the property's kind, grey 0.8 outside it
};

struct DiscreteLegend {
    std::vector<LegendBar> bars;
    int rows = 0;         // rows of bars, or lines of a list
    bool listed = false;  // one code per line (the property names its codes)
    int bottom = 0;       // below the lowest label: the height the bars and labels need
};

// The discrete legend of property `shown`, a bar per code it holds, except the codes in `hidden`. Bars run left to
// right; when the next bar would end beyond `availableWidth` (the room the view leaves the legend, at most
// WidestRow), it starts a new row RowPitch lower, so a property with dozens of codes wraps instead of running off
// the view. At least one bar goes on every row. When the property names any of its codes, they are listed one per
// line instead, each label "code name" (or the code alone).
DiscreteLegend discreteLegend(const PropertySet& properties, const Property& shown, int availableWidth,
                              const std::set<int>& hidden = {});

}  // namespace morvane
