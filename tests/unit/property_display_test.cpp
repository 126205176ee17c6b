// Choosing the displayed property in the model tree and changing how it is shown: ramp and code colours, colour
// limits and the property filter, over recording fakes of the view and the window.
#include "commands/property_display.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "tests/support/recorded_scene.h"
#include "tests/support/scene_feedback_recorder.h"

namespace morvane {
namespace {

// The legend and the filter-view button, recording what they are asked to do in the same list as the view.
struct RecordedWindow final : PropertyDisplayWindow {
    explicit RecordedWindow(std::vector<std::string>& log) : calls(log) {}
    void setLegendCaption(const std::string& text) override { calls.push_back("caption " + text); }
    void clearLegend() override { calls.push_back("clearLegend"); }
    void refreshLegend() override { calls.push_back("refreshLegend"); }
    bool filterViewChecked() const override { return filterView; }
    void uncheckFilterView() override
    {
        filterView = false;
        calls.push_back("uncheckFilterView");
    }
    std::vector<std::string>& calls;
    bool filterView = false;
};

Property continuous(const std::string& name, PropertyKind kind, double value, double low, double high)
{
    Property p = makeContinuousProperty(name, kind, {value});
    p.lowLimit = low;
    p.highLimit = high;
    return p;
}

// A loaded grid "FIELD" with, in load order: Facies (codes, lithology), PORO (porosity, limits 0.1..0.3), FIELD and
// grid (continuous properties that carry the grid's name and the name the bare grid once had).
class PropertyDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.document.grid.loaded = true;
        s.document.grid.name = "FIELD";
        PropertySet& p = s.document.properties;
        p.add(makeDiscreteProperty("Facies", PropertyKind::Lithology, {1}));
        p.add(continuous("PORO", PropertyKind::Porosity, 0.2, 0.1, 0.3));
        p.add(continuous("FIELD", PropertyKind::Continuous, 0.5, 0.5, 0.5));
        p.add(continuous("grid", PropertyKind::Continuous, 0.7, 0.7, 0.7));
        view.shown = &s.view.shownProperty;
        view.filter = &s.view.filter;
    }

    PropertySelection select(const std::string& text, int index, bool root = false)
    {
        view.calls.clear();
        feedback.traces.clear();
        return selectPropertyNode(ctx, {text, index, root});
    }

    void display(int node)
    {
        ASSERT_EQ(select(s.document.properties.items.at(static_cast<std::size_t>(node)).name, node),
                  PropertySelection::Property);
        view.calls.clear();
    }

    bool traced(const std::string& line) const
    {
        return std::find(feedback.traces.begin(), feedback.traces.end(), line) != feedback.traces.end();
    }

    const Property& property(const std::string& name) const { return *s.document.properties.find(name); }

    ModelState s;
    test::FeedbackRecorder feedback;
    test::RecordedSceneOperations view{feedback};
    RecordedWindow window{view.calls};
    PropertyDisplayContext ctx{s, feedback, view, window};
};

using Calls = std::vector<std::string>;

TEST_F(PropertyDisplay, EachNodeShowsItsOwnPropertyByNameWithItsLegend)
{
    EXPECT_EQ(select("Facies", 0), PropertySelection::Property);
    EXPECT_EQ(view.calls, (Calls{"caption Facies", "recolour Facies @0", "refreshLegend"}));
    EXPECT_EQ(feedback.traces, (Calls{"PROP_type = 1"}));

    EXPECT_EQ(select("PORO", 1), PropertySelection::Property);
    EXPECT_EQ(view.calls, (Calls{"caption PORO", "recolour PORO @0", "refreshLegend"}));
    EXPECT_EQ(s.view.shownProperty, "PORO");

    // The root is known by its place, not its text: it shows the bare grid, and the properties that carry the
    // grid's name or "grid" are properties like any other.
    EXPECT_EQ(select("FIELD", 0, true), PropertySelection::Grid);
    EXPECT_EQ(view.calls, (Calls{"clearLegend", "caption FIELD", "recolour @0"}));
    EXPECT_TRUE(s.view.shownProperty.empty());
    EXPECT_EQ(select("FIELD", 2), PropertySelection::Property);
    EXPECT_EQ(view.calls[1], "recolour FIELD @0");
    EXPECT_EQ(select("grid", 3), PropertySelection::Property);
    EXPECT_EQ(view.calls[1], "recolour grid @0");

    EXPECT_EQ(select("gone", 7), PropertySelection::Unknown);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(s.view.shownProperty, "grid");
    s.document.grid.loaded = false;
    EXPECT_EQ(select("PORO", 1), PropertySelection::Ignored);
}

TEST_F(PropertyDisplay, ANodeJustAddedByItsLoadIsColouredOnceAndOthersAsUsual)
{
    // The load has shown the last property; selecting its new node only rebuilds the legend.
    s.view.shownProperty = "grid";
    EXPECT_EQ(select("grid", 3), PropertySelection::Property);
    EXPECT_EQ(view.calls, (Calls{"caption grid", "refreshLegend"}));

    EXPECT_EQ(select("PORO", 1), PropertySelection::Property);
    EXPECT_EQ(view.calls[1], "recolour PORO @0");
}

TEST_F(PropertyDisplay, ChoosingANodeEndsTheFilterViewAndTakesTheCutOff)
{
    display(1);
    window.filterView = true;
    s.view.mode = ViewMode::Filter;
    s.view.filter = PropertyFilterSetting::cutAt(0.2f, true);
    // Even the property already shown is coloured again: its colours carried the cut.
    EXPECT_EQ(select("PORO", 1), PropertySelection::Property);
    EXPECT_EQ(view.calls, (Calls{"uncheckFilterView", "caption PORO", "recolour PORO @0", "refreshLegend"}));
    EXPECT_FALSE(s.view.filter.on());
    EXPECT_TRUE(s.view.is(ViewMode::Shell));
    EXPECT_FALSE(s.view.is(ViewMode::Filter));
}

TEST_F(PropertyDisplay, ColourLimitsThatWouldMeetOrCrossTheOtherAreIgnored)
{
    display(1);  // PORO: 0.1 .. 0.3
    EXPECT_FALSE(applyColourLimit(ctx, true, 0.05f));
    EXPECT_FALSE(applyColourLimit(ctx, false, 0.3f));
    EXPECT_FALSE(applyColourLimit(ctx, false, 0.5f));
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(property("PORO").highLimit, 0.3);
    EXPECT_EQ(property("PORO").lowLimit, 0.1);

    EXPECT_TRUE(applyColourLimit(ctx, true, 0.25f));
    EXPECT_EQ(property("PORO").highLimit, 0.25f);
    EXPECT_TRUE(applyColourLimit(ctx, false, 0.15f));
    EXPECT_EQ(property("PORO").lowLimit, 0.15f);
    EXPECT_EQ(view.calls, (Calls{"recolour PORO @0", "refreshLegend", "recolour PORO @0", "refreshLegend"}));
    EXPECT_EQ(property("FIELD").highLimit, 0.5);  // other properties keep theirs

    // A property whose limits are equal: OK with the value shown leaves them as they are.
    display(2);  // FIELD: 0.5 .. 0.5
    EXPECT_FALSE(applyColourLimit(ctx, true, 0.5f));
    EXPECT_FALSE(applyColourLimit(ctx, false, 0.5f));
    EXPECT_EQ(property("FIELD").highLimit, 0.5);
    EXPECT_EQ(property("FIELD").lowLimit, 0.5);

    // Without a shown property (the bare grid) there are no limits to change.
    s.view.shownProperty.clear();
    EXPECT_FALSE(applyColourLimit(ctx, true, 9.0f));
}

TEST_F(PropertyDisplay, LegendColoursRecolourTheShownPropertyAndAreKeptPerKind)
{
    display(1);
    const PropertySet& p = s.document.properties;
    const std::uint64_t before = p.revision;
    changeRampColour(ctx, RampStop::Middle, {0.1f, 0.2f, 0.3f});
    const auto porosity = static_cast<std::size_t>(PropertyKind::Porosity);
    EXPECT_EQ(p.ramps[porosity].middle, (Rgb{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(p.ramps[porosity].low, (Rgb{0.4f, 1.0f, 0.2f}));  // the other stops stay
    EXPECT_EQ(p.ramps[static_cast<std::size_t>(PropertyKind::Permeability)].middle, (Rgb{0, 1, 0}));  // other kinds too
    EXPECT_GT(p.revision, before);
    EXPECT_EQ(view.calls, (Calls{"recolour PORO @0", "refreshLegend"}));

    display(0);
    changeCodeColour(ctx, 1, {1, 0, 0});
    EXPECT_EQ(p.codeColours[static_cast<std::size_t>(PropertyKind::Lithology)][1], (Rgb{1, 0, 0}));
    EXPECT_EQ(view.calls, (Calls{"recolour Facies @0"}));
}

TEST_F(PropertyDisplay, TheFilterTurnsTheFilterViewOnAndRecoloursWithTheCut)
{
    display(1);
    s.view.mode = ViewMode::Layers;
    applyPropertyFilter(ctx, 0.2f, false);
    EXPECT_TRUE(s.view.is(ViewMode::Filter));
    EXPECT_FALSE(s.view.is(ViewMode::Shell));
    EXPECT_FALSE(s.view.is(ViewMode::Layers));
    EXPECT_EQ(s.view.filter.cut, 0.2f);
    EXPECT_FALSE(s.view.filter.below);
    EXPECT_EQ(view.calls, (Calls{"recolour PORO cut 0.200000 @0"}));
    EXPECT_TRUE(traced("cont_prop_cut = 0.2"));
}

// Limits an engineer can trust: percentile limits P5 to P95 leave a few extreme cells out of the ramp (cells without
// a value and inactive cells count in no percentile), the data range comes back with one command, and a filter says
// how many cells it keeps.
TEST_F(PropertyDisplay, PercentileLimitsResetAndTheCellsAFilterKeeps)
{
    std::vector<double> values(100);
    for (std::size_t n = 0; n < values.size(); ++n) values[n] = static_cast<double>(n + 1);  // 1 .. 100
    values[0] = kNoValue;
    values[99] = 1e6;        // one extreme cell
    values.push_back(-1e6);  // inactive
    std::vector<std::uint8_t> active(values.size(), 1);
    active.back() = 0;
    s.document.grid.active = active;
    s.document.properties.add(makeContinuousProperty("PERM", PropertyKind::Permeability, values, active));
    display(4);
    EXPECT_DOUBLE_EQ(property("PERM").max, 1e6);

    ASSERT_TRUE(percentileColourLimits(ctx));
    EXPECT_DOUBLE_EQ(property("PERM").lowLimit, 6);    // the 5th of the 99 values 2 .. 99, 1e6
    EXPECT_DOUBLE_EQ(property("PERM").highLimit, 96);  // the 95th (nearest rank: ceil(94.05))
    EXPECT_EQ(view.calls, (Calls{"recolour PERM @0", "refreshLegend"}));
    ASSERT_FALSE(feedback.log.empty());
    EXPECT_EQ(feedback.log.back().text, "PERM: colour limits at P5 = 6.000 and P95 = 96");
    EXPECT_FALSE(percentileColourLimits(ctx, 95, 5));

    ASSERT_TRUE(resetColourLimits(ctx));
    EXPECT_DOUBLE_EQ(property("PERM").lowLimit, 2);
    EXPECT_DOUBLE_EQ(property("PERM").highLimit, 1e6);

    EXPECT_EQ(applyPropertyFilter(ctx, PropertyFilterSetting::between(10, 19.5)), 10u);
    EXPECT_EQ(feedback.log.back().text, "PERM: 10 of 99 cells kept by the filter");
    EXPECT_EQ(applyPropertyFilter(ctx, PropertyFilterSetting::cutAt(0, true)), 99u);  // a cut at 0 is a cut
    EXPECT_TRUE(s.view.filter.on());
    EXPECT_EQ(keptCellsText("PERM", 1204, 5000, "ru"), "PERM: фильтр оставил 1 204 из 5 000 ячеек");

    std::vector<double> few{3, 1, 2};
    EXPECT_EQ(percentileOf(few, 0), 1);
    EXPECT_EQ(percentileOf(few, 50), 2);
    EXPECT_EQ(percentileOf(few, 100), 3);
    std::vector<double> none;
    EXPECT_FALSE(percentileOf(none, 50));
}

}  // namespace
}  // namespace morvane
