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

Rgb paletteAt(const std::array<float, 10>& r, const std::array<float, 10>& g, const std::array<float, 10>& b, int type)
{
    if (type < 0 || type >= 10) return {};
    return {r[type], g[type], b[type]};
}

}  // namespace

Rgb255 toRgb255(const Rgb& colour) { return {component255(colour.r), component255(colour.g), component255(colour.b)}; }

ContinuousLegend continuousLegend(const Properties& p, int nodeIndex)
{
    ContinuousLegend legend;
    const int type = p.PROP_type_displaying;
    legend.low = toRgb255(paletteAt(p.r1, p.g1, p.b1, type));
    legend.middle = toRgb255(paletteAt(p.r2, p.g2, p.b2, type));
    legend.high = toRgb255(paletteAt(p.r3, p.g3, p.b3, type));
    const std::size_t entry = static_cast<std::size_t>(nodeIndex) + 1;
    if (nodeIndex >= 0 && entry < p.PROP_max_value_color.size())
        legend.maxText = limitText(p.PROP_max_value_color[entry]);
    if (nodeIndex >= 0 && entry < p.PROP_min_value_color.size())
        legend.minText = limitText(p.PROP_min_value_color[entry]);
    return legend;
}

DiscreteLegend discreteLegend(const Properties& p, int perKindIndex, int availableWidth)
{
    namespace bars = legend_bars;
    DiscreteLegend legend;
    const std::size_t at = static_cast<std::size_t>(perKindIndex);
    if (perKindIndex < 0 || at >= p.PROP_disc_codes.size() || at >= p.PROP_disc_codes_perc.size()) return legend;
    const auto& codes = p.PROP_disc_codes[at];
    const auto& shares = p.PROP_disc_codes_perc[at];
    const int type = p.PROP_type_displaying;
    static const std::vector<std::vector<float>> noTable;
    const auto& table =
        type >= 0 && static_cast<std::size_t>(type) < p.PROP_disc_color.size() ? p.PROP_disc_color[type] : noTable;

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
        bar.colour = toRgb255(discreteColour(codes[n], table, OUTSIDE_TABLE_COLOUR));
        legend.bars.push_back(std::move(bar));
        legend.rows = row + 1;
    }
    return legend;
}

}  // namespace morvane
