#include "scene/legend_layout.h"

#include <algorithm>
#include <cmath>

#include "core/decimal_text.h"

namespace morvane {

namespace {

int component255(float c)
{
    const double scaled = static_cast<double>(c) * 255.0;
    if (!(std::abs(scaled) < 2147483647.0)) return 0;
    return static_cast<int>(scaled) & 0xFF;
}

std::size_t kindIndex(PropertyKind kind)
{
    const int k = static_cast<int>(kind);
    return k >= 0 && k < kPropertyKindCount ? static_cast<std::size_t>(k) : 0;
}

}  // namespace

Rgb255 toRgb255(const Rgb& colour) { return {component255(colour.r), component255(colour.g), component255(colour.b)}; }

ContinuousLegend continuousLegend(const PropertySet& p, const Property& shown)
{
    ContinuousLegend legend;
    const ColourRamp& ramp = p.ramps[kindIndex(shown.kind)];
    legend.low = toRgb255(ramp.low);
    legend.middle = toRgb255(ramp.middle);
    legend.high = toRgb255(ramp.high);
    legend.maxText = limitText(shown.highLimit);
    legend.minText = limitText(shown.lowLimit);
    return legend;
}

DiscreteLegend discreteLegend(const PropertySet& p, const Property& shown, int availableWidth)
{
    namespace bars = legend_bars;
    DiscreteLegend legend;
    const auto& codes = shown.distinctCodes;
    const auto& shares = shown.codePercent;
    const std::vector<Rgb>& table = p.codeColours[kindIndex(shown.kind)];

    const int perRow = std::max(1, (availableWidth - bars::Left - bars::Width) / bars::Pitch + 1);
    const std::size_t count = std::min(codes.size(), shares.size());
    legend.bars.reserve(count);
    for (std::size_t n = 0; n < count; ++n) {
        const int row = static_cast<int>(n) / perRow;
        const int column = static_cast<int>(n) % perRow;
        LegendBar bar;
        bar.code = codes[n];
        bar.label = std::to_string(codes[n]);
        bar.x = bars::Left + bars::Pitch * column;
        // Shares are percentages of every cell, so heights never pass the tallest bar.
        const double height = std::clamp(static_cast<double>(shares[n]), 0.0, 100.0) * bars::Tallest / 100.0;
        bar.height = static_cast<int>(height);
        bar.labelY = bars::Baseline + bars::RowPitch * row;
        bar.top = bar.labelY - bar.height;
        bar.colour = toRgb255(codeColour(codes[n], table, kOutsideTableColour));
        legend.bars.push_back(std::move(bar));
        legend.rows = row + 1;
    }
    return legend;
}

}  // namespace morvane
