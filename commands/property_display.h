// What the user does to the displayed property: choose it in the model tree, change a ramp colour or a code colour
// in the legend, type a colour limit, apply the property filter. Each works on the model state through the view's
// scene operations and the few window pieces it drives (legend and filter-view button), so tests run it without a
// window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/model_state.h"
#include "core/feedback.h"
#include "scene/property_colouring.h"
#include "scene/scene_operations.h"

namespace morvane {

// The window pieces the property display drives.
class PropertyDisplayWindow {
public:
    virtual ~PropertyDisplayWindow() = default;
    virtual void setLegendCaption(const std::string& text) = 0;
    // Removes every control from the legend (its caption stays).
    virtual void clearLegend() = 0;
    // Rebuilds the legend for the shown property.
    virtual void refreshLegend() = 0;
    // The property filter view's button (threedMainMenu).
    virtual bool filterViewChecked() const = 0;
    virtual void uncheckFilterView() = 0;
};

struct PropertyDisplayContext {
    ModelState& state;
    Feedback& feedback;
    SceneOperations& view;
    PropertyDisplayWindow& window;
};

// A node of the model tree: the root stands for the grid, its children for the loaded properties in load order.
struct PropertyTreeNode {
    std::string text;  // a property node's text is its property's name
    int index = 0;     // among its siblings, which follow the properties' load order
    bool root = false;
};

enum class PropertySelection {
    Ignored,   // no grid loaded
    Grid,      // the root: the whole grid in the undefined colour, no legend
    Property,  // the property is coloured and its legend rebuilt
    Unknown,   // no loaded property answers to the node
};

// The model tree's selection. Ends the property filter view when it is on; the root shows the bare grid; a property
// node's property becomes the shown one: the cells coloured by it and its legend rebuilt. The property already
// shown (a load shows its property before it selects the new node) is not coloured again.
PropertySelection selectPropertyNode(const PropertyDisplayContext& ctx, const PropertyTreeNode& node);

// The tree node of the loaded property called `name`: its place in load order.
std::optional<int> propertyNodeIndex(const PropertySet& properties, const std::string& name);

// A ramp colour picked in the legend: `stop` 1 low, 2 middle, 3 high, for the shown property's kind, every property
// of that kind alike. The shown property is recoloured and its legend rebuilt.
enum class RampStop { Low = 1, Middle = 2, High = 3 };
void changeRampColour(const PropertyDisplayContext& ctx, RampStop stop, const Rgb& colour);

// A new colour for one code of the shown property's kind; the cells are recoloured. False, with nothing changed,
// when there is no shown property or the code can take no colour.
bool changeCodeColour(const PropertyDisplayContext& ctx, int code, const Rgb& colour);

// A name typed for `code` of the property called `property` (blank: its name removed); the legend is rebuilt when
// that property is on show. False when there is no such property of codes or it holds no such code.
bool nameCode(const PropertyDisplayContext& ctx, const std::string& property, int code, const std::string& name);

// Code `code` of the property called `property` shown in its legend, or left out of it; the legend is rebuilt.
void showCodeInLegend(const PropertyDisplayContext& ctx, const std::string& property, int code, bool shown);

// A colour limit typed for the shown property. An upper limit must stay above the lower one and a lower limit
// below the upper one; a value that would meet or cross the other limit is ignored. True when stored (the property
// is then recoloured and its legend rebuilt).
bool applyColourLimit(const PropertyDisplayContext& ctx, bool upper, float value);

// The shown property's colour limits back to its data range (its smallest and largest value). False without a shown
// property.
bool resetColourLimits(const PropertyDisplayContext& ctx);

// The shown continuous property's colour limits at percentiles `low` and `high` (0 to 100) of the values of its active
// cells, so a few extreme cells no longer take the whole ramp (P5 to P95 by default). The log says the limits. False
// without a shown continuous property with a value, or for percentiles outside 0..100 or not in order.
bool percentileColourLimits(const PropertyDisplayContext& ctx, double low = 5, double high = 95);

// The value at percentile `percent` (0 to 100) of `values` (no kNoValue among them), by the nearest rank; `values`
// is reordered. Nothing when `values` is empty.
std::optional<double> percentileOf(std::vector<double>& values, double percent);

// The property filter confirmed: the filter view on, cells below (or above) `cut` removed from the shown property.
void applyPropertyFilter(const PropertyDisplayContext& ctx, float cut, bool cutBelow);

// Any filter confirmed (a cut, a range or codes): the filter view on with it; the log says how many of the shown
// property's active cells with a value it keeps ("PORO: 1 204 of 5 000 cells kept by the filter"), and so does the
// count returned.
std::size_t applyPropertyFilter(const PropertyDisplayContext& ctx, const PropertyFilterSetting& filter);

// The log line about the cells a filter keeps, in `lang`.
std::string keptCellsText(const std::string& name, std::size_t kept, std::size_t cells, const std::string& lang);

// A logarithmic (true) or linear ramp for the shown continuous property; recoloured and its legend rebuilt. False
// when no continuous property is shown.
bool setLogScale(const PropertyDisplayContext& ctx, bool log);

}  // namespace morvane
