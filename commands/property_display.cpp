#include "commands/property_display.h"

#include <algorithm>
#include <cmath>

#include "commands/view_modes.h"
#include "core/decimal_text.h"
#include "core/localisation.h"
#include "core/trace_text.h"
#include "io/property_reader.h"

namespace morvane {

PropertySelection selectPropertyNode(const PropertyDisplayContext& ctx, const PropertyTreeNode& node)
{
    ModelState& s = ctx.state;
    if (!s.document.grid.loaded) return PropertySelection::Ignored;

    // A load shows its property and then selects its new node: the cells already wear its colours.
    bool coloured = !node.root && node.text == s.view.shownProperty;

    // Choosing a node ends the property filter view and takes the filter off the shown property.
    if (ctx.window.filterViewChecked()) {
        ctx.window.uncheckFilterView();
        showShell(s);
        s.view.filter = {};
        coloured = false;
    }

    if (node.root) {
        // The whole grid in the colour of undefined values, no legend.
        s.view.shownProperty.clear();
        ctx.window.clearLegend();
        ctx.window.setLegendCaption(node.text);
        ctx.view.recolourCells();
        return PropertySelection::Grid;
    }
    const Property* property = s.document.properties.find(node.text);
    if (!property) {
        ctx.feedback.trace("no property for node " + std::to_string(node.index) + " \"" + node.text + "\"");
        return PropertySelection::Unknown;
    }
    ctx.window.setLegendCaption(node.text);
    ctx.feedback.trace(trace_text::line("PROP_type = ", static_cast<int>(property->kind)));
    s.view.shownProperty = property->name;
    if (!coloured) ctx.view.recolourCells();
    ctx.window.refreshLegend();
    return PropertySelection::Property;
}

std::optional<int> propertyNodeIndex(const PropertySet& properties, const std::string& name)
{
    const auto at = std::find_if(properties.items.begin(), properties.items.end(),
                                 [&](const Property& p) { return p.name == name; });
    if (at == properties.items.end()) return std::nullopt;
    return static_cast<int>(at - properties.items.begin());
}

namespace {

// The shown property, when there is one.
Property* shownProperty(ModelState& s) { return s.document.properties.find(s.view.shownProperty); }

std::size_t kindIndex(const Property& p)
{
    const int k = static_cast<int>(p.kind);
    return k >= 0 && k < kPropertyKindCount ? static_cast<std::size_t>(k) : 0;
}

}  // namespace

void changeRampColour(const PropertyDisplayContext& ctx, RampStop stop, const Rgb& colour)
{
    PropertySet& properties = ctx.state.document.properties;
    const Property* shown = shownProperty(ctx.state);
    if (!shown) return;
    ColourRamp& ramp = properties.ramps[kindIndex(*shown)];
    switch (stop) {
    case RampStop::Low:
        ramp.low = colour;
        break;
    case RampStop::Middle:
        ramp.middle = colour;
        break;
    case RampStop::High:
        ramp.high = colour;
        break;
    }
    ++properties.revision;
    rebuildDisplayedProperty(ctx.state, &ctx.view);
    ctx.window.refreshLegend();
}

bool changeCodeColour(const PropertyDisplayContext& ctx, int code, const Rgb& colour)
{
    const Property* shown = shownProperty(ctx.state);
    if (!shown || !ctx.state.document.properties.setCodeColour(shown->kind, code, colour)) return false;
    ctx.view.recolourCells();
    return true;
}

bool nameCode(const PropertyDisplayContext& ctx, const std::string& property, int code, const std::string& name)
{
    Property* p = ctx.state.document.properties.find(property);
    if (!p || !p->discrete || !std::binary_search(p->distinctCodes.begin(), p->distinctCodes.end(), code)) return false;
    const auto blank = name.find_first_not_of(" \t\r\n");
    if (blank == std::string::npos)
        p->codeNames.erase(code);
    else
        p->codeNames[code] = name.substr(blank, name.find_last_not_of(" \t\r\n") - blank + 1);
    ++ctx.state.document.properties.revision;
    if (property == ctx.state.view.shownProperty) ctx.window.refreshLegend();
    return true;
}

void showCodeInLegend(const PropertyDisplayContext& ctx, const std::string& property, int code, bool shown)
{
    std::set<int>& hidden = ctx.state.view.legendHiddenCodes[property];
    if (shown)
        hidden.erase(code);
    else
        hidden.insert(code);
    if (property == ctx.state.view.shownProperty) ctx.window.refreshLegend();
}

bool applyColourLimit(const PropertyDisplayContext& ctx, bool upper, float value)
{
    Property* shown = shownProperty(ctx.state);
    if (!shown) return false;
    if (upper) {
        if (!(value > shown->lowLimit)) return false;
        shown->highLimit = value;
    } else {
        if (!(value < shown->highLimit)) return false;
        shown->lowLimit = value;
    }
    ++ctx.state.document.properties.revision;
    if (!shown->discrete) ctx.view.recolourCells();
    ctx.window.refreshLegend();
    return true;
}

void applyPropertyFilter(const PropertyDisplayContext& ctx, float cut, bool cutBelow)
{
    applyPropertyFilter(ctx, PropertyFilterSetting::cutAt(cut, cutBelow));
}

namespace {
constexpr TextPair kKeptCells{"{}: {} of {} cells kept by the filter", "{}: фильтр оставил {} из {} ячеек"};
}  // namespace

std::string keptCellsText(const std::string& name, std::size_t kept, std::size_t cells, const std::string& lang)
{
    return fillText(kKeptCells.in(lang), {name, groupedCount(kept), groupedCount(cells)});
}

std::size_t applyPropertyFilter(const PropertyDisplayContext& ctx, const PropertyFilterSetting& filter)
{
    ModelState& s = ctx.state;
    showShell(s);
    s.view.mode = ViewMode::Filter;
    s.view.filter = filter;
    rebuildDisplayedProperty(s, &ctx.view);
    if (filter.keep == PropertyFilterSetting::Keep::Cut)
        ctx.feedback.trace(trace_text::line("cont_prop_cut = ", filter.cut));
    const Property* shown = shownProperty(s);
    if (!shown) return 0;
    const std::size_t kept = keptCellCount(*shown, filter, s.document.grid.active);
    const std::size_t all = keptCellCount(*shown, {}, s.document.grid.active);
    ctx.feedback.appendLog(keptCellsText(shown->name, kept, all, s.view.language), log_colour::Black);
    return kept;
}

bool resetColourLimits(const PropertyDisplayContext& ctx)
{
    Property* shown = shownProperty(ctx.state);
    if (!shown) return false;
    shown->lowLimit = shown->min;
    shown->highLimit = shown->max;
    ++ctx.state.document.properties.revision;
    ctx.view.recolourCells();
    ctx.window.refreshLegend();
    return true;
}

std::optional<double> percentileOf(std::vector<double>& values, double percent)
{
    if (values.empty() || !(percent >= 0 && percent <= 100)) return std::nullopt;
    // Nearest rank: the smallest value with at least `percent` of the values at or below it.
    const double rank = std::ceil(percent / 100.0 * static_cast<double>(values.size()));
    const std::size_t at = rank < 1 ? 0 : std::min(values.size() - 1, static_cast<std::size_t>(rank) - 1);
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at), values.end());
    return values[at];
}

namespace {
constexpr TextPair kPercentileLimits{"{}: colour limits at P{} = {} and P{} = {}",
                                     "{}: пределы цвета по P{} = {} и P{} = {}"};
}  // namespace

bool percentileColourLimits(const PropertyDisplayContext& ctx, double low, double high)
{
    ModelState& s = ctx.state;
    Property* shown = shownProperty(s);
    if (!shown || shown->discrete || !(low >= 0 && low < high && high <= 100)) return false;
    const std::vector<std::uint8_t>& active = s.document.grid.active;
    const bool someInactive = active.size() == shown->values.size();
    std::vector<double> values;
    values.reserve(shown->values.size());
    for (std::size_t n = 0; n < shown->values.size(); ++n)
        if (!isNoValue(shown->values[n]) && !(someInactive && !active[n])) values.push_back(shown->values[n]);
    const std::optional<double> lowValue = percentileOf(values, low);
    const std::optional<double> highValue = percentileOf(values, high);
    if (!lowValue || !highValue) return false;
    shown->lowLimit = *lowValue;
    // A property whose values are nearly all equal keeps a ramp: the upper limit stays above the lower one.
    shown->highLimit = *highValue > *lowValue ? *highValue : std::max(shown->max, *lowValue);
    ++s.document.properties.revision;
    ctx.view.recolourCells();
    ctx.window.refreshLegend();
    auto number = [](double v) { return shortestNumberText(v); };
    ctx.feedback.appendLog(
        fillText(kPercentileLimits.in(s.view.language),
                 {shown->name, number(low), limitText(shown->lowLimit), number(high), limitText(shown->highLimit)}),
        log_colour::Black);
    return true;
}

bool setLogScale(const PropertyDisplayContext& ctx, bool log)
{
    Property* shown = shownProperty(ctx.state);
    if (!shown || shown->discrete) return false;
    if (shown->logScale != log) {
        shown->logScale = log;
        ++ctx.state.document.properties.revision;
        ctx.view.recolourCells();
        ctx.window.refreshLegend();
    }
    return true;
}

}  // namespace morvane
