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
    void refreshDiscMorvane(int i) override { calls.push_back("refreshDisc " + std::to_string(i)); }
    void refreshContMorvane(int i, int node) override
    {
        calls.push_back("refreshCont " + std::to_string(i) + " " + std::to_string(node));
    }
    bool filterViewChecked() const override { return filterView; }
    void uncheckFilterView() override
    {
        filterView = false;
        calls.push_back("uncheckFilterView");
    }
    std::vector<std::string>& calls;
    bool filterView = false;
};

// A loaded grid "FIELD" with the placeholder and, in load order: Facies (discrete, lithology), PORO (continuous,
// porosity limits 0.1..0.3), FIELD and grid (continuous properties that carry the grid's and the placeholder's name).
class PropertyDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.document.grid.loaded = true;
        s.propLoaded = true;
        s.document.grid.name = "FIELD";
        s.PROP_cont_loading = {{-999.99}, {0.2}, {0.5}, {0.7}};
        s.PROP_cont_loading_name = {"grid", "PORO", "FIELD", "grid"};
        s.PROP_disc_loading = {{1}};
        s.PROP_disc_loading_name = {"Facies"};
        s.propertyNameAll = {"Facies", "PORO", "FIELD", "grid"};
        s.PROP_type = {10, 1, 4, 9, 9};
        s.PROP_max_value_color = {-999.99, 3, 0.3, 0.5, 0.7};
        s.PROP_min_value_color = {-999.99, 0, 0.1, 0.5, 0.7};
    }

    PropertySelection select(const std::string& text, int index, bool root = false)
    {
        view.calls.clear();
        feedback.traces.clear();
        return selectPropertyNode(ctx, {text, index, root});
    }

    void display(int node)
    {
        ASSERT_EQ(select(s.propertyNameAll.at(static_cast<std::size_t>(node)), node), PropertySelection::Property);
        view.calls.clear();
    }

    bool traced(const std::string& line) const
    {
        return std::find(feedback.traces.begin(), feedback.traces.end(), line) != feedback.traces.end();
    }

    ModelState s;
    test::FeedbackRecorder feedback;
    test::RecordedSceneOperations view{feedback};
    RecordedWindow window{view.calls};
    PropertyDisplayContext ctx{s, feedback, view, window};
};

using Calls = std::vector<std::string>;

TEST_F(PropertyDisplay, EachNodeShowsItsOwnPropertyWithItsIndexTypeAndLegend)
{
    EXPECT_EQ(select("Facies", 0), PropertySelection::Property);
    EXPECT_EQ(view.calls, (Calls{"caption Facies", "initPROP 1 disc 1 @0", "bindPropBuffers @0", "refreshDisc 0"}));
    EXPECT_TRUE(s.disc_PROP_displaying);
    EXPECT_EQ(s.i_morvane, 0);
    EXPECT_EQ(s.prop_no_morvane, 0);
    EXPECT_EQ(feedback.traces, (Calls{"i = 0", "PROP_type = 1"}));

    EXPECT_EQ(select("PORO", 1), PropertySelection::Property);
    EXPECT_EQ(view.calls, (Calls{"caption PORO", "initPROP 2 cont 4 @0", "bindPropBuffers @0", "refreshCont 1 1"}));
    EXPECT_FALSE(s.disc_PROP_displaying);
    EXPECT_EQ(s.PROP_name_displaying, "PORO");
    EXPECT_FALSE(s.displayGrid);
    EXPECT_EQ(feedback.traces, (Calls{"i = 1", "prop_no = 1", "PROP_type = 4"}));

    // The root is known by its place, not its text: it shows the grid, and the properties that carry the grid's
    // or the placeholder's name are properties like any other.
    EXPECT_EQ(select("FIELD", 0, true), PropertySelection::Grid);
    EXPECT_EQ(view.calls, (Calls{"clearLegend", "caption FIELD", "initPROP 1 cont 10 @0", "bindPropBuffers @0"}));
    EXPECT_TRUE(s.displayGrid);
    EXPECT_EQ(select("FIELD", 2), PropertySelection::Property);
    EXPECT_EQ(view.calls[1], "initPROP 3 cont 9 @0");
    EXPECT_EQ(select("grid", 3), PropertySelection::Property);
    EXPECT_EQ(view.calls[1], "initPROP 4 cont 9 @0");
    EXPECT_EQ(s.prop_no_morvane, 3);

    EXPECT_EQ(select("gone", 7), PropertySelection::Unknown);
    EXPECT_TRUE(view.calls.empty());
    s.document.grid.loaded = false;
    EXPECT_EQ(select("PORO", 1), PropertySelection::Ignored);
}

TEST_F(PropertyDisplay, ANodeJustAddedByItsLoadIsColouredOnceAndOthersAsUsual)
{
    // The load has coloured and uploaded the last property; selecting its new node only makes it the displayed one.
    s.propLoading = true;
    EXPECT_EQ(select("grid", 3), PropertySelection::Property);
    EXPECT_EQ(view.calls, (Calls{"caption grid", "refreshCont 3 3"}));
    EXPECT_FALSE(s.propLoading);
    EXPECT_EQ(s.i_morvane, 3);

    // Without a tree (a run without windows) the flag stays up after the load; other nodes are still coloured.
    s.propLoading = true;
    EXPECT_EQ(select("PORO", 1), PropertySelection::Property);
    EXPECT_EQ(view.calls[1], "initPROP 2 cont 4 @0");
}

TEST_F(PropertyDisplay, ChoosingANodeEndsTheFilterViewAndTakesTheCutOff)
{
    display(1);
    window.filterView = true;
    s.threeD_mode = true;
    s.edge_mode = false;
    s.cont_prop_cut = 0.2f;
    s.propLoading = true;  // even a node added by a load is coloured again: the load's colours carried the cut
    EXPECT_EQ(select("grid", 3), PropertySelection::Property);
    EXPECT_EQ(view.calls, (Calls{"uncheckFilterView", "initPROP 2 cont 4 @0", "bindPropBuffers @0", "caption grid",
                                 "initPROP 4 cont 9 @0", "bindPropBuffers @0", "refreshCont 3 3"}));
    EXPECT_EQ(s.cont_prop_cut, 0.0f);
    EXPECT_TRUE(s.edge_mode);
    EXPECT_FALSE(s.threeD_mode);
}

TEST_F(PropertyDisplay, ColourLimitsThatWouldMeetOrCrossTheOtherAreIgnored)
{
    display(1);  // PORO: 0.1 .. 0.3
    EXPECT_FALSE(applyColourLimit(ctx, true, 0.05f));
    EXPECT_FALSE(applyColourLimit(ctx, false, 0.3f));
    EXPECT_FALSE(applyColourLimit(ctx, false, 0.5f));
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(s.PROP_max_value_color[2], 0.3);
    EXPECT_EQ(s.PROP_min_value_color[2], 0.1);

    feedback.traces.clear();
    EXPECT_TRUE(applyColourLimit(ctx, true, 0.25f));
    EXPECT_EQ(s.PROP_max_value_color[2], 0.25f);
    EXPECT_EQ(feedback.traces, (Calls{"i_morvane = 1", "i_ch = 11", "prop_no_ch = 11"}));
    EXPECT_TRUE(applyColourLimit(ctx, false, 0.15f));
    EXPECT_EQ(s.PROP_min_value_color[2], 0.15f);
    EXPECT_EQ(view.calls, (Calls{"initPROP 2 cont 4 @0", "bindPropBuffers @0", "refreshCont 1 1",
                                 "initPROP 2 cont 4 @0", "bindPropBuffers @0", "refreshCont 1 1"}));
    EXPECT_EQ(s.PROP_max_value_color[1], 3);  // other properties keep theirs

    // A property whose limits are equal: OK with the value shown leaves them as they are.
    display(2);  // FIELD: 0.5 .. 0.5
    EXPECT_FALSE(applyColourLimit(ctx, true, 0.5f));
    EXPECT_FALSE(applyColourLimit(ctx, false, 0.5f));
    EXPECT_EQ(s.PROP_max_value_color[3], 0.5);
    EXPECT_EQ(s.PROP_min_value_color[3], 0.5);
}

TEST_F(PropertyDisplay, LegendColoursRecolourTheDisplayedProperty)
{
    display(1);
    s.PROP_type_displaying = 4;
    changeRampColour(ctx, RampStop::Middle, {0.1f, 0.2f, 0.3f});
    EXPECT_EQ((Rgb{s.r2[4], s.g2[4], s.b2[4]}), (Rgb{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ((Rgb{s.r1[4], s.g1[4], s.b1[4]}), (Rgb{0.4f, 1.0f, 0.2f}));  // the other stops stay
    EXPECT_EQ(s.r2[5], 0.0f);                                              // and so do other types
    EXPECT_EQ(view.calls, (Calls{"initPROP 2 cont 4 @0", "bindPropBuffers @0", "refreshCont 1 1"}));

    // A code's new colour is written in place by change_color: no second full recolour.
    display(0);
    s.PROP_type_displaying = 1;
    changeCodeColour(ctx, 1, {1, 0, 0});
    EXPECT_EQ(view.calls, (Calls{"change_color @0", "bindPropBuffers @0"}));
}

TEST_F(PropertyDisplay, TheFilterTurnsTheFilterViewOnAndRecoloursWithTheCut)
{
    display(1);
    s.layers_mode = true;
    applyPropertyFilter(ctx, 0.2f, false);
    EXPECT_TRUE(s.threeD_mode);
    EXPECT_FALSE(s.edge_mode);
    EXPECT_FALSE(s.layers_mode);
    EXPECT_EQ(s.cont_prop_cut, 0.2f);
    EXPECT_FALSE(s.cut_below);
    EXPECT_EQ(view.calls, (Calls{"initPROP 2 cont 4 @0", "bindPropBuffers @0"}));
    EXPECT_TRUE(traced("cont_prop_cut = 0.2"));
}

}  // namespace
}  // namespace morvane
