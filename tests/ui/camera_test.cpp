// Moving the model through the main window's host panel and key preview: drags, wheel, keys and the rotation.
#include <cmath>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest/QTest>

#include "commands/camera_control.h"
#include "tests/support/temp_folder.h"
#include "tests/support/ui_harness.h"
#include "ui/main_window.h"

namespace morvane {
namespace {

constexpr float kEps = 1e-5f;

// Through the window: events on the host panel and keys previewed by the window.

void sendMouse(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(target->mapFromGlobal(global)), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

class CameraWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::resetProgramState();
        form = std::make_unique<MainWindow>(testing::state());
        panel = form->findChild<QWidget*>("viewPanel");
        s = &testing::state();
        s->view.camera.scale = {3.0f, 3.0f, 15.0f};
        s->view.camera.rotation.z = 0.0f;
    }

    std::unique_ptr<MainWindow> form;
    QWidget* panel = nullptr;
    ModelState* s = nullptr;
};

TEST_F(CameraWindowTest, PanelDragsMoveAndTurnTheModel)
{
    const glm::vec3 start = s->view.camera.position;
    sendMouse(panel, QEvent::MouseMove, {300, 300}, Qt::NoButton, Qt::LeftButton);
    sendMouse(panel, QEvent::MouseMove, {320, 300}, Qt::NoButton, Qt::LeftButton);
    EXPECT_NEAR(s->view.camera.position.x, start.x + 0.02f, kEps);
    EXPECT_TRUE(s->view.pivotCursor);
    sendMouse(panel, QEvent::MouseButtonRelease, {320, 300}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(s->view.pivotCursor);
    EXPECT_TRUE(form->firstMouse_left);

    // Two buttons at once do nothing.
    const glm::vec3 before = s->view.camera.position;
    sendMouse(panel, QEvent::MouseMove, {400, 400}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(s->view.camera.position, before);

    sendMouse(panel, QEvent::MouseMove, {400, 300}, Qt::NoButton, Qt::RightButton);
    sendMouse(panel, QEvent::MouseMove, {440, 300}, Qt::NoButton, Qt::RightButton);
    EXPECT_FLOAT_EQ(s->view.camera.rotation.z, 38.0f);
    sendMouse(panel, QEvent::MouseButtonRelease, {440, 300}, Qt::RightButton, Qt::NoButton);
    EXPECT_TRUE(form->firstMouse_right);
}

TEST_F(CameraWindowTest, PanelWheelStepsLayersInLayerView)
{
    s->document.grid.layers = 4;
    s->view.mode = ViewMode::Layers;
    s->view.layer.shown = 2;
    for (int i = 0; i < 5; ++i) {
        QWheelEvent down(QPointF(50, 50), QPointF(panel->mapToGlobal(QPoint(50, 50))), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(panel, &down);
    }
    EXPECT_EQ(s->view.layer.shown, 4);
    // A horizontal scroll (tilt wheel, touchpad) has no vertical delta and changes nothing (from a middle layer,
    // where a step either way would show).
    s->view.layer.shown = 2;
    QWheelEvent sideways(QPointF(50, 50), QPointF(panel->mapToGlobal(QPoint(50, 50))), QPoint(), QPoint(120, 0),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(panel, &sideways);
    EXPECT_EQ(s->view.layer.shown, 2);
}

TEST_F(CameraWindowTest, WindowSeesKeysBeforeItsControls)
{
    // Keys arrive at whichever control has the focus; the window acts on each press once.
    QWidget* focus = form->findChild<QWidget*>("modelTree");
    QTest::keyClick(focus, Qt::Key_W);
    EXPECT_FLOAT_EQ(s->view.camera.verticalScale, 6.0f);
    EXPECT_FLOAT_EQ(s->view.camera.scale.z, 18.0f);
    QTest::keyPress(form.get(), Qt::Key_W);
    QTest::keyPress(form.get(), Qt::Key_W, Qt::NoModifier, -1);
    QTest::keyRelease(form.get(), Qt::Key_W);
    EXPECT_FLOAT_EQ(s->view.camera.verticalScale, 7.0f);
    QTest::keyClick(form.get(), Qt::Key_S);
    EXPECT_FLOAT_EQ(s->view.camera.verticalScale, 6.0f);
    QTest::keyClick(form->findChild<QWidget*>("eventsLog"), Qt::Key_Z);
    EXPECT_NEAR(s->view.camera.position.x, initial::position.x + 0.1f, 1e-3f);

    // Under the Russian layout the W key arrives as Ц, with the key's own X11 code; Ctrl+W is no camera key.
    const auto russianKey = [&](QEvent::Type type, int key, quint32 x11, const QString& text, Qt::KeyboardModifiers m) {
        QKeyEvent event(type, key, m, x11, 0, 0, text);
        QApplication::sendEvent(focus, &event);
    };
    russianKey(QEvent::KeyPress, 0x0426, 25, QStringLiteral("ц"), Qt::NoModifier);
    russianKey(QEvent::KeyRelease, 0x0426, 25, QStringLiteral("ц"), Qt::NoModifier);
    EXPECT_FLOAT_EQ(s->view.camera.verticalScale, 7.0f);
    QTest::keyClick(focus, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(s->view.camera.verticalScale, 7.0f);
    form->onFrameTimer();
    EXPECT_EQ(form->findChild<QLabel*>("exaggerationLabel")->text(), QStringLiteral("×7.0"))
        << "shown beside the slider";
}

TEST_F(CameraWindowTest, RotationToggleTurnsTheModelEveryFrame)
{
    auto* rotate = form->findChild<QToolButton*>("rotateButton");
    rotate->click();
    EXPECT_TRUE(rotate->isChecked());
    EXPECT_TRUE(s->view.animation.spinning);
    rotate->click();
    EXPECT_FALSE(s->view.animation.spinning);
}

// Ctrl+click and a double-click on the view pick the cell there: the status bar names it and the view marks it.
TEST_F(CameraWindowTest, CtrlClickOrDoubleClickSaysWhichCellIsThere)
{
    testing::TempFolder folder;
    gen::GridOptions o;
    o.name = "PICK";
    o.nx = 5;
    o.ny = 4;
    o.nz = 5;
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_EQ(form->importGridFromPath(gen::writeGrid(o, folder.path()).front().string()), GridImportOutcome::Loaded);
    form->onFrameTimer();
    // Where the top centre of cell (row i, column j) of layer k lies on the panel in the last frame.
    const auto pixelOf = [&](int k, int i, int j) {
        const Vertices& layer = s->document.grid.layerVertices.at(static_cast<std::size_t>(k));
        glm::vec3 centre(0.0f);
        for (int c = 0; c < 4; ++c) {
            const std::size_t v = static_cast<std::size_t>((i * s->document.grid.columns + j) * 4 + c) * 6;
            centre += glm::vec3(layer[v], layer[v + 1], layer[v + 2]) / 4.0f;
        }
        const glm::vec4 clip =
            s->view.frame.projection * s->view.frame.view * s->view.frame.model * glm::vec4(centre, 1.0f);
        return QPoint(static_cast<int>((clip.x / clip.w + 1) / 2 * panel->width()),
                      static_cast<int>((1 - clip.y / clip.w) / 2 * panel->height()));
    };
    const auto click = [&](QEvent::Type type, QPoint at, Qt::KeyboardModifiers modifiers) {
        QMouseEvent event(type, QPointF(at), QPointF(panel->mapToGlobal(at)), Qt::LeftButton, Qt::LeftButton,
                          modifiers);
        QApplication::sendEvent(panel, &event);
    };

    click(QEvent::MouseButtonPress, pixelOf(0, 2, 3), Qt::ControlModifier);
    EXPECT_EQ(form->findChild<QLabel*>("pickedCellLabel")->text().toStdString(),
              std::string("Cell I = 4, J = 3, K = 1"));
    EXPECT_EQ(s->picked_cell_lines.size(), 24u * 6);
    click(QEvent::MouseButtonRelease, pixelOf(0, 2, 3), Qt::ControlModifier);
    click(QEvent::MouseButtonPress, pixelOf(0, 1, 1), Qt::NoModifier);  // a plain click picks nothing
    EXPECT_EQ(form->findChild<QLabel*>("pickedCellLabel")->text().toStdString(),
              std::string("Cell I = 4, J = 3, K = 1"));

    form->findChild<QAction*>("layerViewCommand")->trigger();  // the middle layer, 2 of 5
    form->onFrameTimer();
    click(QEvent::MouseButtonDblClick, pixelOf(1, 0, 4), Qt::NoModifier);
    EXPECT_EQ(form->findChild<QLabel*>("pickedCellLabel")->text().toStdString(),
              std::string("Cell I = 5, J = 1, K = 2"));
    click(QEvent::MouseButtonDblClick, QPoint(3, 3), Qt::NoModifier);
    EXPECT_EQ(form->findChild<QLabel*>("pickedCellLabel")->text().toStdString(),
              std::string("No cell under the pointer"));
    EXPECT_TRUE(s->picked_cell_lines.empty());

    // The status is said again in the other language; a new grid takes the mark and the status away.
    click(QEvent::MouseButtonDblClick, pixelOf(1, 0, 4), Qt::NoModifier);
    form->findChild<QAction*>("russianItem")->trigger();
    EXPECT_EQ(form->findChild<QLabel*>("pickedCellLabel")->text().toStdString(),
              std::string("Ячейка I = 5, J = 1, K = 2"));
    ASSERT_EQ(form->importGridFromPath(gen::writeGrid(o, folder.path()).front().string()), GridImportOutcome::Loaded);
    EXPECT_TRUE(form->findChild<QLabel*>("pickedCellLabel")->text().isEmpty());
    EXPECT_TRUE(s->picked_cell_lines.empty());
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) { return morvane::testing::runUiTests(argc, argv); }
