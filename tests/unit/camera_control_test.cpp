// Moving the model with the mouse, the wheel, the keys and the exaggeration slider: the formulas over the model
// state, without a window.
#include <cmath>

#include <gtest/gtest.h>

#include "commands/camera_control.h"

namespace morvane {
namespace {

constexpr float kEps = 1e-5f;

// A state as the view leaves it after start: scale (3, 3, 15), turned by 40 degrees.
ModelState startedState()
{
    ModelState s;
    s.view.camera.scale = {3.0f, 3.0f, 15.0f};
    s.view.camera.rotation = {-70.0f, 0.0f, 40.0f};
    s.view.camera.position = {-1.0f, -2.0f, 0.5f};
    return s;
}

TEST(CameraDrag, OnlyExactlyOneButtonDrags)
{
    EXPECT_EQ(dragButton(true, false, false), DragButton::Left);
    EXPECT_EQ(dragButton(false, true, false), DragButton::Right);
    EXPECT_EQ(dragButton(false, false, true), DragButton::Middle);
    EXPECT_EQ(dragButton(true, true, false), DragButton::None);
    EXPECT_EQ(dragButton(true, false, true), DragButton::None);
    EXPECT_EQ(dragButton(false, false, false), DragButton::None);
}

TEST(CameraDrag, LeftDragPansInScreenDirectionsFromWhereItStarted)
{
    ModelState s = startedState();
    s.view.camera.rotation.z = 0.0f;
    CameraFields f;
    f.previousPosition = {100, 100};

    // The first move only starts the drag.
    leftDrag(f, s, {110, 100});
    EXPECT_TRUE(s.view.pivotCursor);
    EXPECT_FALSE(f.firstMouse_left);
    EXPECT_FLOAT_EQ(s.view.camera.position.x, -1.0f);
    EXPECT_FLOAT_EQ(f.obj_lastX, -1.0f);

    // With scale.z = 15 a pixel is sqrt(15) * 0.001 / sqrt(15) = 0.001 model units.
    leftDrag(f, s, {120, 100});
    EXPECT_NEAR(s.view.camera.position.x, -1.0f + 0.01f, kEps);
    EXPECT_NEAR(s.view.camera.position.y, -2.0f, kEps);
    leftDrag(f, s, {120, 80});  // up the screen: the model follows up
    EXPECT_NEAR(s.view.camera.position.y, -2.0f + 0.02f, kEps);

    // The same screen position again changes nothing but the cursor flag.
    s.view.pivotCursor = false;
    const glm::vec3 before = s.view.camera.position;
    leftDrag(f, s, {120, 80});
    EXPECT_TRUE(s.view.pivotCursor);
    EXPECT_EQ(s.view.camera.position, before);

    // A release ends the drag; the next one starts from the new position.
    releaseDrag(f, s, DragButton::Left);
    EXPECT_FALSE(s.view.pivotCursor);
    EXPECT_TRUE(f.firstMouse_left);
    leftDrag(f, s, {300, 300});
    EXPECT_EQ(s.view.camera.position, before);
}

TEST(CameraDrag, LeftDragFollowsTheScreenWhateverTheTurn)
{
    ModelState s = startedState();
    s.view.camera.rotation.z = 90.0f;
    CameraFields f;
    f.previousPosition = {0, 0};
    leftDrag(f, s, {1, 1});
    leftDrag(f, s, {11, 1});  // ten pixels to the right
    EXPECT_NEAR(s.view.camera.position.x, -1.0f, kEps);
    EXPECT_NEAR(s.view.camera.position.y, -2.0f - 0.01f, kEps);
}

TEST(CameraDrag, LeftDragInTheSectionMovesAlongItOnly)
{
    ModelState s = startedState();
    s.view.section.unfolded = true;
    CameraFields f;
    f.previousPosition = {0, 0};
    leftDrag(f, s, {1, 1});
    leftDrag(f, s, {11, 31});
    EXPECT_NEAR(s.view.camera.position.x, -1.0f + 0.01f, kEps);
    EXPECT_FLOAT_EQ(s.view.camera.position.y, -2.0f);
}

TEST(CameraDrag, RightDragTurnsAndAccumulatesOverDrags)
{
    ModelState s = startedState();
    CameraFields f;
    rightDrag(f, s, {500, 0});
    EXPECT_FLOAT_EQ(s.view.camera.rotation.z, 40.0f);
    rightDrag(f, s, {520, 0});  // 20 pixels right: 1 degree clockwise seen from above
    EXPECT_FLOAT_EQ(s.view.camera.rotation.z, 39.0f);
    releaseDrag(f, s, DragButton::Right);
    EXPECT_FALSE(s.view.pivotCursor);

    rightDrag(f, s, {100, 0});
    EXPECT_FLOAT_EQ(s.view.camera.rotation.z, 39.0f);
    rightDrag(f, s, {60, 0});
    EXPECT_FLOAT_EQ(s.view.camera.rotation.z, 41.0f);
    EXPECT_FLOAT_EQ(f.pitch_right, 1.0f);

    s.view.section.unfolded = true;
    rightDrag(f, s, {0, 0});
    EXPECT_FLOAT_EQ(s.view.camera.rotation.z, 41.0f);
    EXPECT_FLOAT_EQ(f.pitch_right, 4.0f);
}

TEST(CameraDrag, MiddleDragZoomsAndStopsShortOfTheLimit)
{
    ModelState s = startedState();
    CameraFields f;
    middleDrag(f, s, {0, 100});
    middleDrag(f, s, {0, 200});  // down 100 pixels: +0.5
    EXPECT_FLOAT_EQ(s.view.camera.scale.x, 3.5f);
    EXPECT_FLOAT_EQ(s.view.camera.scale.y, 3.5f);
    EXPECT_FLOAT_EQ(s.view.camera.scale.z, 15.0f + 0.5f * 5.0f);
    releaseDrag(f, s, DragButton::Middle);
    EXPECT_TRUE(f.firstMouse_middle);

    s.view.camera.scale = {0.3f, 0.3f, 1.5f};
    middleDrag(f, s, {0, 100});
    middleDrag(f, s, {0, 50});  // -0.25 would give 0.05: refused
    EXPECT_FLOAT_EQ(s.view.camera.scale.x, 0.3f);
    middleDrag(f, s, {0, 40});  // further away: still refused
    EXPECT_FLOAT_EQ(s.view.camera.scale.x, 0.3f);
    middleDrag(f, s, {0, 70});  // back to -0.15: 0.15 is taken
    EXPECT_NEAR(s.view.camera.scale.x, 0.15f, kEps);
}

TEST(CameraDrag, MiddleDragKeepsTheSectionHeightInTheTopView)
{
    ModelState s = startedState();
    s.view.section.unfolded = true;
    s.view.animation.turningDown = true;
    CameraFields f;
    middleDrag(f, s, {0, 0});
    middleDrag(f, s, {0, 100});
    EXPECT_FLOAT_EQ(s.view.camera.scale.x, 3.5f);
    EXPECT_FLOAT_EQ(s.view.camera.scale.y, 3.0f);
}

TEST(CameraWheel, StepsThroughLayersWithinTheGridOrShiftsTheModel)
{
    ModelState s = startedState();
    s.document.grid.layers = 3;
    s.view.mode = ViewMode::Layers;
    s.view.layer.shown = 1;
    wheel(s, 120);
    EXPECT_EQ(s.view.layer.shown, 1);
    for (int i = 0; i < 5; ++i) wheel(s, -120);
    EXPECT_EQ(s.view.layer.shown, 3);
    wheel(s, 120);
    EXPECT_EQ(s.view.layer.shown, 2);
    wheel(s, 0);  // a horizontal scroll
    EXPECT_EQ(s.view.layer.shown, 2);
    EXPECT_FLOAT_EQ(s.view.camera.position.z, 0.5f);

    s.view.mode = ViewMode::Shell;
    wheel(s, 120);
    EXPECT_NEAR(s.view.camera.position.z, 0.506f, kEps);
    EXPECT_EQ(s.view.layer.shown, 2);
}

TEST(CameraKeys, ExaggerationChangesOncePerPressAndLayersStayInTheGrid)
{
    ModelState s = startedState();
    CameraFields f;
    const auto traced = keyDown(f, s, CameraKey::W);
    ASSERT_TRUE(traced.has_value());
    EXPECT_EQ(*traced, "6");
    keyDown(f, s, CameraKey::W);  // held: auto-repeat does nothing
    keyDown(f, s, CameraKey::W);
    EXPECT_FLOAT_EQ(s.view.camera.verticalScale, 6.0f);
    EXPECT_FLOAT_EQ(s.view.camera.scale.z, 3.0f * 6.0f);
    EXPECT_NEAR(s.view.camera.position.z, 0.5001f, kEps);
    keyUp(f, CameraKey::W);
    keyDown(f, s, CameraKey::W);
    EXPECT_FLOAT_EQ(s.view.camera.verticalScale, 7.0f);

    keyDown(f, s, CameraKey::S);
    keyDown(f, s, CameraKey::S);
    EXPECT_FLOAT_EQ(s.view.camera.verticalScale, 6.0f);
    EXPECT_FLOAT_EQ(s.view.camera.scale.z, 18.0f);
    s.view.camera.verticalScale = 1.0f;
    keyUp(f, CameraKey::S);
    keyDown(f, s, CameraKey::S);
    EXPECT_FLOAT_EQ(s.view.camera.verticalScale, 1.0f);

    keyDown(f, s, CameraKey::Z);
    EXPECT_NEAR(s.view.camera.position.x, -0.9f, kEps);
    keyDown(f, s, CameraKey::X);
    keyDown(f, s, CameraKey::X);
    EXPECT_NEAR(s.view.camera.position.x, -1.1f, kEps);

    s.document.grid.layers = 2;
    s.view.layer.shown = 1;
    keyDown(f, s, CameraKey::O);
    keyDown(f, s, CameraKey::O);
    EXPECT_EQ(s.view.layer.shown, 2);
    keyDown(f, s, CameraKey::L);
    keyDown(f, s, CameraKey::L);
    EXPECT_EQ(s.view.layer.shown, 1);
}

TEST(CameraKeys, LatinLettersOrTheKeysPlaceUnderAnotherLayout)
{
    // Latin layouts: the letter, wherever the layout puts it (AZERTY's A sits where W is on a US keyboard).
    EXPECT_EQ(cameraKeyOf('W', 25), CameraKey::W);
    EXPECT_EQ(cameraKeyOf('L'), CameraKey::L);
    EXPECT_EQ(cameraKeyOf('A', 25), std::nullopt);
    // The Russian layout: the key's place, by its X11 code or by the Russian letter there.
    EXPECT_EQ(cameraKeyOf(U'Ц', 25), CameraKey::W);
    EXPECT_EQ(cameraKeyOf(U'Ц'), CameraKey::W);
    const std::pair<char32_t, CameraKey> russian[] = {
        {U'Ы', CameraKey::S}, {U'Я', CameraKey::Z}, {U'Ч', CameraKey::X}, {U'Щ', CameraKey::O}, {U'Д', CameraKey::L}};
    for (const auto& [letter, camera] : russian) EXPECT_EQ(cameraKeyOf(static_cast<int>(letter)), camera);
    // Another non-Latin layout (Greek ς on the W key): the place alone.
    EXPECT_EQ(cameraKeyOf(0x03C2, 25), CameraKey::W);
    EXPECT_EQ(cameraKeyOf(0x03C2), std::nullopt);
}

TEST(CameraSlider, SetsTheExaggerationInsideItsTrack)
{
    ModelState s = startedState();
    s.view.production.discs = true;
    CameraFields f;
    f.vertScalebarClickY = 10;

    EXPECT_EQ(sliderDrag(f, s, 310), std::optional<int>(300));
    EXPECT_FALSE(s.view.production.discs);
    EXPECT_NEAR(s.view.camera.verticalScale, ((9.0f / 207.0f * 2 - 1) * 4) + 5, kEps);
    EXPECT_NEAR(s.view.camera.verticalScale, 1.348f, 1e-3f);
    EXPECT_FLOAT_EQ(s.view.camera.scale.z, s.view.camera.scale.x * s.view.camera.verticalScale);
    EXPECT_TRUE(f.key_W_pressed);

    // The top end moves the slider but 9.08 is refused.
    const float before = s.view.camera.verticalScale;
    EXPECT_EQ(sliderDrag(f, s, 110), std::optional<int>(100));
    EXPECT_FLOAT_EQ(s.view.camera.verticalScale, before);
    // Outside the track nothing moves.
    EXPECT_EQ(sliderDrag(f, s, 109), std::nullopt);
    EXPECT_EQ(sliderDrag(f, s, 311), std::nullopt);
    EXPECT_FLOAT_EQ(s.view.camera.verticalScale, before);
}

TEST(CameraHover, LabelsUnderThePointerLowestIndexFirst)
{
    ModelState s;
    s.well_coord_vertex_show.resize(4);
    s.view.frame.wellLabelX = {100, 120, 500, -5};
    s.view.frame.wellLabelY = {200, 210, 200, 200};
    // Both first labels cover (130, 190); the third is elsewhere; the fourth lies outside the panel.
    EXPECT_EQ(wellsUnderPointer(s, {130, 190}, 800, 600), (std::vector<int>{0, 1}));
    EXPECT_EQ(wellsUnderPointer(s, {100, 190}, 800, 600), std::vector<int>{});  // edges are outside
    EXPECT_EQ(wellsUnderPointer(s, {10, 190}, 800, 600), std::vector<int>{});
    EXPECT_EQ(wellsUnderPointer(s, {510, 190}, 400, 600), std::vector<int>{});  // label beyond the panel
    s.view.frame.wellLabelX.resize(2);  // positions not drawn yet for every well: never read beyond them
    EXPECT_EQ(wellsUnderPointer(s, {130, 190}, 800, 600), (std::vector<int>{0, 1}));
}

TEST(CameraStatusBar, ShowsThePivotInFileUnits)
{
    ModelState s;
    s.view.camera.position = {-1.5f, -6414.604f, 2.0f};
    s.view.layer.shown = 7;
    const CameraStatus status = cameraStatus(s);
    EXPECT_EQ(status.k, "K = 7");
    EXPECT_EQ(status.x, "X: 1500");
    EXPECT_EQ(status.y, "Y: 6414604");
    EXPECT_EQ(status.z, "Z: -2000");

    s.view.camera.position = {0.0f, 0.0f, 0.0f};  // negated, a zero would read "-0"
    EXPECT_EQ(cameraStatus(s).x, "X: 0");
    EXPECT_EQ(cameraStatus(s).z, "Z: 0");
}

}  // namespace
}  // namespace morvane
