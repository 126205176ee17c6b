#include "commands/property_display.h"

#include <algorithm>

#include "commands/view_modes.h"
#include "core/trace_text.h"

namespace morvane {

namespace {

using trace_text::line;

struct Found {
    bool discrete = false;
    std::size_t index = 0;
};

// The property called `name`: discrete ones first, then continuous ones past the placeholder at entry 0; with
// several of the same name the last one answers.
std::optional<Found> findByName(const Properties& p, const std::string& name)
{
    std::optional<Found> found;
    for (std::size_t i = 0; i < p.PROP_disc_loading_name.size(); ++i)
        if (p.PROP_disc_loading_name[i] == name) found = Found{true, i};
    for (std::size_t i = 1; i < p.PROP_cont_loading_name.size(); ++i)
        if (p.PROP_cont_loading_name[i] == name) found = Found{false, i};
    return found;
}

// The overall entry of the displayed property, when it exists.
std::optional<std::size_t> displayedEntry(const Properties& p)
{
    const std::size_t entry = static_cast<std::size_t>(p.prop_no_morvane) + 1;
    if (p.prop_no_morvane < 0 || entry >= p.PROP_type.size() || entry >= p.PROP_max_value_color.size() ||
        entry >= p.PROP_min_value_color.size())
        return std::nullopt;
    return entry;
}

}  // namespace

PropertySelection selectPropertyNode(const PropertyDisplayContext& ctx, const PropertyTreeNode& node)
{
    ModelState& s = ctx.state;
    if (!s.document.grid.loaded) return PropertySelection::Ignored;

    // A load colours and uploads its property, then selects its new node: the last overall entry.
    bool colouredByLoad = s.propLoading && !node.root && node.index >= 0 &&
                          static_cast<std::size_t>(node.index) + 2 == s.PROP_type.size();

    // Choosing a node ends the property filter view and takes the filter off the displayed property.
    if (ctx.window.filterViewChecked()) {
        ctx.window.uncheckFilterView();
        showShell(s);
        s.cont_prop_cut = 0.0f;
        rebuildDisplayedProperty(s, &ctx.view);
        colouredByLoad = false;
    }

    s.PROP_name_displaying = node.text;
    s.propLoading = false;

    if (node.root) {
        // The whole grid in the colour of undefined values, no legend.
        s.displayGrid = true;
        ctx.window.clearLegend();
        ctx.window.setLegendCaption(node.text);
        ctx.view.initPROP(1, false, PLACEHOLDER_TYPE);
        ctx.view.bindPropBuffers();
        return PropertySelection::Grid;
    }
    s.displayGrid = false;

    const std::size_t entry = static_cast<std::size_t>(node.index) + 1;
    const std::optional<Found> found = findByName(s, node.text);
    if (node.index < 0 || entry >= s.PROP_type.size() || !found) {
        ctx.feedback.trace("no property for node " + std::to_string(node.index) + " \"" + node.text + "\"");
        return PropertySelection::Unknown;
    }
    const int type = s.PROP_type[entry];
    const int i = static_cast<int>(found->index);

    ctx.window.setLegendCaption(node.text);
    ctx.feedback.trace(line("i = ", i));
    if (!found->discrete) ctx.feedback.trace(line("prop_no = ", node.index));
    ctx.feedback.trace(line("PROP_type = ", type));
    s.disc_PROP_displaying = found->discrete;
    // Before colouring: the colour limits are read from the displayed entry.
    s.i_morvane = i;
    s.prop_no_morvane = node.index;
    if (!colouredByLoad) {
        ctx.view.initPROP(i + 1, found->discrete, type);
        ctx.view.bindPropBuffers();
    }
    if (found->discrete)
        ctx.window.refreshDiscMorvane(i);
    else
        ctx.window.refreshContMorvane(i, node.index);
    return PropertySelection::Property;
}

std::optional<int> propertyNodeIndex(const Properties& p, const std::string& name)
{
    const auto at = std::find(p.propertyNameAll.begin(), p.propertyNameAll.end(), name);
    if (at == p.propertyNameAll.end()) return std::nullopt;
    return static_cast<int>(at - p.propertyNameAll.begin());
}

void changeRampColour(const PropertyDisplayContext& ctx, RampStop stop, const Rgb& colour)
{
    Properties& p = ctx.state;
    const int type = p.PROP_type_displaying;
    if (type < 0 || type >= static_cast<int>(p.r1.size())) return;
    const auto at = static_cast<std::size_t>(type);
    switch (stop) {
    case RampStop::Low:
        p.r1[at] = colour.r, p.g1[at] = colour.g, p.b1[at] = colour.b;
        break;
    case RampStop::Middle:
        p.r2[at] = colour.r, p.g2[at] = colour.g, p.b2[at] = colour.b;
        break;
    case RampStop::High:
        p.r3[at] = colour.r, p.g3[at] = colour.g, p.b3[at] = colour.b;
        break;
    }
    rebuildDisplayedProperty(ctx.state, &ctx.view);
    ctx.window.refreshContMorvane(p.i_morvane, p.prop_no_morvane);
}

void changeCodeColour(const PropertyDisplayContext& ctx, int code, const Rgb& colour)
{
    // change_color stores the colour and recolours the cells from PROP_disc in place with the displayed type's table:
    // exactly what a full recolour would give, for one pass over the vertices instead of two.
    ctx.view.change_color(ctx.state.PROP_type_displaying, code, colour.r, colour.g, colour.b);
    ctx.view.bindBuffers();
    ctx.view.bindPropBuffers();
}

bool applyColourLimit(const PropertyDisplayContext& ctx, bool upper, float value)
{
    ModelState& s = ctx.state;
    ctx.feedback.trace(line("i_morvane = ", s.i_morvane));
    const std::optional<std::size_t> entry = displayedEntry(s);
    if (!entry) return false;
    if (upper) {
        if (!(value > s.PROP_min_value_color[*entry])) return false;
        s.PROP_max_value_color[*entry] = value;
        ctx.feedback.trace("i_ch = " + std::to_string(s.i_morvane) + "1");
        ctx.feedback.trace("prop_no_ch = " + std::to_string(s.prop_no_morvane) + "1");
    } else {
        if (!(value < s.PROP_max_value_color[*entry])) return false;
        s.PROP_min_value_color[*entry] = value;
    }
    const std::size_t kindCount = s.PROP_cont_loading.size();
    if (s.i_morvane >= 0 && static_cast<std::size_t>(s.i_morvane) < kindCount) {
        ctx.view.initPROP(s.i_morvane + 1, false, s.PROP_type[*entry]);
        ctx.view.bindPropBuffers();
    }
    ctx.window.refreshContMorvane(s.i_morvane, s.prop_no_morvane);
    return true;
}

void applyPropertyFilter(const PropertyDisplayContext& ctx, float cut, bool cutBelow)
{
    ModelState& s = ctx.state;
    showShell(s);
    s.edge_mode = false;
    s.threeD_mode = true;
    s.cont_prop_cut = cut;
    s.cut_below = cutBelow;
    rebuildDisplayedProperty(s, &ctx.view);
    ctx.feedback.trace(line("cont_prop_cut = ", cut));
}

}  // namespace morvane
