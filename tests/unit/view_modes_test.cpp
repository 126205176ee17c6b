// The view-mode switches over the model state: the mode group, the layer kept between layer views, the property
// cut taken off with one recolour of the displayed property, the 2D top view and the turns into and out of it.
#include <gtest/gtest.h>

#include "commands/frame_schedule.h"
#include "commands/view_modes.h"
#include "tests/support/recorded_scene.h"
#include "tests/support/scene_feedback_recorder.h"

namespace morvane {
namespace {

class ViewModeSwitches : public ::testing::Test {
protected:
    // A grid of seven layers with one porosity property on show, as the tree selection leaves it.
    void SetUp() override
    {
        s.document.grid.loaded = true;
        s.document.grid.layers = 7;
        s.document.properties.add(makeContinuousProperty("PORO", PropertyKind::Porosity, {0.1}));
        s.view.shownProperty = "PORO";
        view.shown = &s.view.shownProperty;
        view.filter = &s.view.filter;
    }
    std::vector<std::string> recolours() const { return view.calls; }

    ModelState s;
    test::FeedbackRecorder feedback;
    test::RecordedSceneOperations view{feedback};
    const std::vector<std::string> oneRecolour{"recolour PORO @0"};
};

TEST_F(ViewModeSwitches, LayerViewStartsInTheMiddleAndComesBackToTheLayerLeft)
{
    EXPECT_EQ(switchLayerView(s, &view, false), ModeButtons::OnlyThisOne);
    EXPECT_TRUE(s.view.is(ViewMode::Layers));
    EXPECT_FALSE(s.view.is(ViewMode::Shell));
    EXPECT_EQ(s.view.layer.shown, 3);  // 7 / 2
    EXPECT_EQ(s.view.display.modelOpacity, 1.0f);

    s.view.layer.shown = 6;
    s.view.filter = PropertyFilterSetting::cutAt(0.25f, true);
    EXPECT_EQ(switchLayerView(s, &view, true), ModeButtons::ThisOneOff);
    EXPECT_FALSE(s.view.is(ViewMode::Layers));
    EXPECT_TRUE(s.view.is(ViewMode::Shell));
    EXPECT_EQ(s.view.layer.saved, 6);
    EXPECT_FALSE(s.view.filter.on());
    EXPECT_EQ(recolours(), oneRecolour);

    s.view.layer.shown = 1;
    s.view.layer.oneAtATime = false;
    switchLayerView(s, &view, false);
    EXPECT_EQ(s.view.layer.shown, 6);
    EXPECT_EQ(s.view.display.modelOpacity, 0.5f);  // eight layers, half transparent

    ModelState single;
    single.document.grid.layers = 1;
    switchLayerView(single, nullptr, false);
    EXPECT_EQ(single.view.layer.shown, 1);
}

TEST_F(ViewModeSwitches, FlatSectionNeedsAGridAndReplacesTheOtherModes)
{
    ModelState empty;
    EXPECT_EQ(switchFlatSection(empty, &view, false), ModeButtons::Unchanged);
    EXPECT_TRUE(empty.view.is(ViewMode::Shell));
    EXPECT_FALSE(empty.view.is(ViewMode::FlatSection));

    switchLayerView(s, &view, false);
    s.view.layer.shown = 2;
    s.view.filter = PropertyFilterSetting::cutAt(
        0.25f, true);  // the layer view keeps a cut; the flat section takes it off, with one recolour
    EXPECT_EQ(switchFlatSection(s, &view, false), ModeButtons::OnlyThisOne);
    EXPECT_TRUE(s.view.is(ViewMode::FlatSection));
    EXPECT_FALSE(s.view.is(ViewMode::Layers));
    EXPECT_FALSE(s.view.is(ViewMode::Shell));
    EXPECT_EQ(s.view.layer.saved, 2);
    EXPECT_FALSE(s.view.filter.on());
    EXPECT_EQ(recolours(), oneRecolour);

    s.view.display.modelOpacity = 0.5f;
    EXPECT_EQ(switchFlatSection(s, &view, true), ModeButtons::ThisOneOff);
    EXPECT_FALSE(s.view.is(ViewMode::FlatSection));
    EXPECT_TRUE(s.view.is(ViewMode::Shell));
    EXPECT_EQ(s.view.display.modelOpacity, 1.0f);
    EXPECT_EQ(recolours(), oneRecolour);  // no cut, no recolour
}

TEST_F(ViewModeSwitches, FilterViewNeedsALoadedPropertyOnDisplayInThe3DView)
{
    EXPECT_EQ(switchFilterView(s, &view, false, true), ModeButtons::Unchanged);  // top view
    s.view.shownProperty.clear();
    EXPECT_EQ(switchFilterView(s, &view, false, false), ModeButtons::Unchanged);  // the bare grid on display
    s.view.shownProperty = "PORO";
    s.document.properties.clear();
    EXPECT_EQ(switchFilterView(s, &view, false, false), ModeButtons::Unchanged);  // no property loaded
    EXPECT_TRUE(view.calls.empty());

    s.document.properties.add(makeContinuousProperty("PORO", PropertyKind::Porosity, {0.1}));
    switchLayerView(s, &view, false);
    EXPECT_EQ(switchFilterView(s, &view, false, false), ModeButtons::OnlyThisOne);
    EXPECT_TRUE(s.view.is(ViewMode::Shell));  // the filter dialog sets the filter view itself once it is closed
    EXPECT_FALSE(s.view.is(ViewMode::Layers));
    EXPECT_TRUE(view.calls.empty());

    // Off, the displayed property is recoloured without a cut even when none was set.
    s.view.mode = ViewMode::Filter;
    EXPECT_EQ(switchFilterView(s, &view, true, false), ModeButtons::ThisOneOff);
    EXPECT_FALSE(s.view.is(ViewMode::Filter));
    EXPECT_TRUE(s.view.is(ViewMode::Shell));
    EXPECT_EQ(recolours(), oneRecolour);
}

TEST_F(ViewModeSwitches, RecolourNeedsAGridAndAView)
{
    rebuildDisplayedProperty(s, &view);
    EXPECT_EQ(recolours(), oneRecolour);

    view.calls.clear();
    rebuildDisplayedProperty(s, nullptr);
    s.document.grid.loaded = false;
    rebuildDisplayedProperty(s, &view);
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(ViewModeSwitches, TopViewLeavesEveryModeAndTurnsDownInTenFrames)
{
    switchLayerView(s, &view, false);
    s.view.filter = PropertyFilterSetting::cutAt(0.25f, true);
    s.view.camera.position.z = 0.25f;
    switchTopView(s, &view, true);
    EXPECT_TRUE(s.view.is(ViewMode::Shell));
    EXPECT_FALSE(s.view.is(ViewMode::Layers));
    EXPECT_FALSE(s.view.filter.on());
    EXPECT_EQ(recolours(), oneRecolour);
    EXPECT_EQ(s.view.animation.savedZ, 0.25f);

    advanceViewAnimations(s);
    EXPECT_FLOAT_EQ(s.view.camera.rotation.x, 70.0f * 0.25f / 25.0f - 70.0f);  // eased: step 0.5 squared
    for (int frame = 1; frame < 9; ++frame) advanceViewAnimations(s);
    EXPECT_TRUE(s.view.animation.turningDown);
    advanceViewAnimations(s);
    EXPECT_FALSE(s.view.animation.turningDown);
    EXPECT_EQ(s.view.camera.rotation.x, 0.0f);
    EXPECT_EQ(s.view.camera.scale, ModelState().view.camera.scale);  // the perspective top view keeps the scale

    // Back up, and down again before the return ends: the turn down starts over from the beginning.
    switchTopView(s, &view, false);
    for (int frame = 0; frame < 4; ++frame) advanceViewAnimations(s);
    EXPECT_TRUE(s.view.animation.turningUp);
    switchTopView(s, &view, true);
    EXPECT_EQ(s.view.animation.step, 0.0f);
    EXPECT_FALSE(s.view.animation.turningUp);
    for (int frame = 0; frame < 10; ++frame) advanceViewAnimations(s);
    EXPECT_EQ(s.view.camera.rotation.x, 0.0f);
    switchTopView(s, &view, false);
    for (int frame = 0; frame < 10; ++frame) advanceViewAnimations(s);
    EXPECT_FALSE(s.view.animation.turningUp);
    EXPECT_EQ(s.view.camera.rotation.x, -70.0f);

    s.view.animation.spinning = true;
    const float z = s.view.camera.rotation.z;
    advanceViewAnimations(s);
    EXPECT_FLOAT_EQ(s.view.camera.rotation.z, z + 0.1f);
}

TEST_F(ViewModeSwitches, OrthographicTopViewRescalesOnceAndUndoesItOnlyWhenReached)
{
    s.view.display.orthographicTopView = true;
    s.view.frame.ratio = 2.0f;
    s.view.camera.scale = {3, 3, 15};
    s.view.camera.position.z = 0.25f;
    switchTopView(s, nullptr, true);
    for (int frame = 0; frame < 10; ++frame) advanceViewAnimations(s);
    EXPECT_EQ(s.view.camera.scale, glm::vec3(1.5f, 1.5f, 7.5f));
    EXPECT_EQ(s.view.camera.position.z, -1.0f);

    switchTopView(s, nullptr, false);
    advanceViewAnimations(s);
    EXPECT_EQ(s.view.camera.scale, glm::vec3(3, 3, 15));
    EXPECT_EQ(s.view.camera.position.z, 0.25f);
    for (int frame = 1; frame < 10; ++frame) advanceViewAnimations(s);
    EXPECT_EQ(s.view.camera.scale, glm::vec3(3, 3, 15));

    // Turned back before the top view was reached: nothing was rescaled, so nothing is undone.
    switchTopView(s, nullptr, true);
    for (int frame = 0; frame < 3; ++frame) advanceViewAnimations(s);
    switchTopView(s, nullptr, false);
    for (int frame = 0; frame < 10; ++frame) advanceViewAnimations(s);
    EXPECT_EQ(s.view.camera.scale, glm::vec3(3, 3, 15));
    EXPECT_EQ(s.view.camera.rotation.x, -70.0f);

    // The window resized while the top view is shown: the way back undoes the division it made, not another one.
    switchTopView(s, nullptr, true);
    for (int frame = 0; frame < 10; ++frame) advanceViewAnimations(s);
    s.view.frame.ratio = 1.25f;
    switchTopView(s, nullptr, false);
    for (int frame = 0; frame < 10; ++frame) advanceViewAnimations(s);
    EXPECT_EQ(s.view.camera.scale, glm::vec3(3, 3, 15));
}

TEST_F(ViewModeSwitches, TopViewEndsTheLayerViewAndFlatSectionAsTheirOwnSwitchesDo)
{
    s.view.layer.oneAtATime = false;
    switchLayerView(s, &view, false);
    s.view.layer.shown = 5;
    switchTopView(s, &view, true);
    EXPECT_EQ(s.view.display.modelOpacity, 1.0f) << "the shell drawn half transparent";
    EXPECT_EQ(s.view.layer.saved, 5);

    switchTopView(s, &view, false);
    switchFlatSection(s, &view, false);
    switchTopView(s, &view, true);
    EXPECT_FALSE(s.view.is(ViewMode::FlatSection));
}

// The window's frame timer: a tick draws when the schedule says so, then steps the animations. Runs until the timer
// would stop (at most `limit` ticks) and returns rotation.x of every frame drawn.
std::vector<float> framesUntilIdle(FrameSchedule& frames, ModelState& s, int limit = 100)
{
    std::vector<float> drawn;
    for (int tick = 0; tick < limit; ++tick) {
        if (frames.beginTick(s)) drawn.push_back(s.view.camera.rotation.x);
        advanceViewAnimations(s);
        if (!frames.endTick(s)) break;
    }
    return drawn;
}

TEST_F(ViewModeSwitches, FramesAreDrawnOnlyForAChangeOrWhileATurnRuns)
{
    FrameSchedule frames;
    EXPECT_TRUE(framesUntilIdle(frames, s).empty()) << "nothing changed: no frame, the timer stops";
    frames.request();
    frames.request();
    EXPECT_EQ(framesUntilIdle(frames, s).size(), 1u) << "any number of changes between two ticks: one frame";

    // The turn down to the top view: its ten steps are drawn as before, and the frame after the last step shows the
    // top view reached; then the timer stops.
    switchTopView(s, nullptr, true);
    const std::vector<float> turn = framesUntilIdle(frames, s);
    ASSERT_EQ(turn.size(), 11u);
    EXPECT_EQ(turn.front(), -70.0f);
    EXPECT_EQ(turn.back(), 0.0f);
    EXPECT_FALSE(frames.pending(s));

    // The continuous turn keeps the timer going, one step per frame; switched off, one last frame shows where it
    // stopped.
    s.view.animation.spinning = true;
    const float z = s.view.camera.rotation.z;
    EXPECT_EQ(framesUntilIdle(frames, s, 50).size(), 50u);
    EXPECT_NEAR(s.view.camera.rotation.z, z + 5.0f, 1e-4f);
    s.view.animation.spinning = false;
    EXPECT_EQ(framesUntilIdle(frames, s).size(), 1u);
}

}  // namespace
}  // namespace morvane
