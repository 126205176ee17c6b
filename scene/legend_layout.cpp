#include "scene/legend_layout.h"

#include <algorithm>
#include <cmath>

#include "core/decimal_text.h"
#include "scene/property_colouring.h"

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
    // A logarithmic ramp names the limits its colours run between (a lower limit of 0 or below is raised).
    const LogLimits log = shown.logScale && !shown.discrete ? logLimits(shown) : LogLimits{};
    legend.maxText = limitText(shown.logScale ? log.high : shown.highLimit);
    legend.minText = limitText(shown.logScale ? log.low : shown.lowLimit);
    return legend;
}

DiscreteLegend discreteLegend(const PropertySet& p, const Property& shown, int availableWidth,
                              const std::set<int>& hidden)
{
    namespace bars = legend_bars;
    DiscreteLegend legend;
    const auto& codes = shown.distinctCodes;
    const auto& shares = shown.codePercent;
    const std::size_t count = std::min(codes.size(), shares.size());

    std::vector<std::size_t> listed;
    listed.reserve(count);
    std::size_t longest = 1;
    for (std::size_t n = 0; n < count; ++n) {
        if (hidden.count(codes[n])) continue;
        listed.push_back(n);
        longest = std::max(longest, std::to_string(codes[n]).size());
    }
    legend.listed =
        std::any_of(listed.begin(), listed.end(), [&](std::size_t n) { return shown.codeNames.count(codes[n]) != 0; });

    // Long codes spread the bars so that their labels do not run into each other.
    const int pitch = std::max(bars::Pitch, bars::CharWidth * static_cast<int>(longest) + 4);
    const int width = std::min(availableWidth, bars::WidestRow);
    const int perRow = std::max(1, (width - bars::Left - bars::Width) / pitch + 1);
    legend.bars.reserve(listed.size());
    for (std::size_t at = 0; at < listed.size(); ++at) {
        const std::size_t n = listed[at];
        LegendBar bar;
        bar.code = codes[n];
        bar.label = std::to_string(codes[n]);
        // Shares are percentages of every cell, so lengths never pass the tallest bar; no code is too rare to see.
        const double share = std::clamp(static_cast<double>(shares[n]), 0.0, 100.0) * bars::Tallest / 100.0;
        const int length = std::max(bars::Shortest, static_cast<int>(share));
        bar.colour = toRgb255(p.colourOfCode(shown.kind, codes[n], kOutsideTableColour));
        if (legend.listed) {
            const auto name = shown.codeNames.find(codes[n]);
            if (name != shown.codeNames.end()) bar.label += ' ' + name->second;
            const int line = static_cast<int>(at);
            bar.x = bars::Left;
            bar.top = bars::ListTop + bars::ListPitch * line + (bars::ListPitch - bars::ListBar) / 2;
            bar.width = length;
            bar.height = bars::ListBar;
            bar.labelX = bars::ListLabelX;
            bar.labelY = bars::ListTop + bars::ListPitch * line;
            legend.rows = line + 1;
            legend.bottom = bar.labelY + bars::ListPitch;
        } else {
            const int row = static_cast<int>(at) / perRow;
            const int column = static_cast<int>(at) % perRow;
            bar.x = bars::Left + pitch * column;
            bar.height = length;
            bar.labelX = bar.x;
            bar.labelY = bars::Baseline + bars::RowPitch * row;
            bar.top = bar.labelY - bar.height;
            legend.rows = row + 1;
            legend.bottom = bar.labelY + bars::ListPitch;
        }
        legend.bars.push_back(std::move(bar));
    }
    return legend;
}

}  // namespace morvane
