// The frame timer and what the mouse, the wheel, the keys and the exaggeration slider do to the view.
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include "commands/cell_pick.h"
#include "commands/production_command.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"
#include "ui/property_legend.h"
#include "ui/status_strip.h"
#include "ui/view_panel.h"

namespace morvane {

namespace {

// The X11 key code of a key event, where the platform's native scan codes are X11 key codes.
std::uint32_t x11KeyCode(const QKeyEvent& key)
{
    const QString platform = QGuiApplication::platformName();
    const bool x11Codes = platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
    return x11Codes ? key.nativeScanCode() : 0;
}

ScreenPoint screenPoint(QPoint p) { return ScreenPoint{p.x(), p.y()}; }

}  // namespace

void MainWindow::requestFrame()
{
    frames_.request();
    updateFrameTimer();
}

void MainWindow::onFrameTimer()
{
    if (frames_.beginTick(state_) && glView_) {
        glView_->scene().renderFrame();
        glView_->presentFrame();
    }
    advanceViewAnimations(state_);  // the next frame shows the next step of a turn
    updateHover();                  // the labels may have moved

    const CameraStatus status = cameraStatus(state_);
    statusStrip_->showCamera(status);
    showExaggeration();
    if (!frames_.endTick(state_) && frameTimer_) frameTimer_->stop();
}

void MainWindow::updateHover()
{
    if (state_.view.section.unfolded) return;
    const QPoint p = viewPanel_->mapFromGlobal(QCursor::pos());
    state_.view.hoveredWells = wellsUnderPointer(state_, screenPoint(p), viewPanel_->width(), viewPanel_->height());
    viewPanel_->setCursor(state_.view.hoveredWells.empty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

// The frame timer runs only while the window can be seen and a frame is asked for or the view animates, so an idle
// program does not spin.
void MainWindow::updateFrameTimer()
{
    if (!frameTimer_) return;
    const bool run = isVisible() && !isMinimized() && frames_.pending(state_);
    if (run && !frameTimer_->isActive()) frameTimer_->start();
    if (!run && frameTimer_->isActive()) frameTimer_->stop();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    layOutView();
    requestFrame();
}

void MainWindow::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    updateFrameTimer();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) requestFrame();
}

void MainWindow::connectViewPanel()
{
    connect(viewPanel_, &ViewPanel::pointerMoved, this, &MainWindow::dragInView);
    connect(viewPanel_, &ViewPanel::pressed, this,
            [this](Qt::MouseButton button, QPoint pos, Qt::KeyboardModifiers modifiers) {
        if (button == Qt::LeftButton && (modifiers & Qt::ControlModifier)) pickCellAt(pos);
        pressInView(button);
    });
    connect(viewPanel_, &ViewPanel::doubleClicked, this, [this](Qt::MouseButton button, QPoint pos) {
        if (button == Qt::LeftButton) pickCellAt(pos);
    });
    connect(viewPanel_, &ViewPanel::released, this, &MainWindow::releaseInView);
    connect(viewPanel_, &ViewPanel::wheelTurned, this, &MainWindow::turnWheelInView);
    connect(viewPanel_, &ViewPanel::entered, this, &MainWindow::hideRampPickers);
    connect(viewPanel_, &ViewPanel::resized, this, &MainWindow::layOutView);
    connect(viewPanel_, &ViewPanel::sliderPressed, this, &MainWindow::grabExaggerationSlider);
    connect(viewPanel_, &ViewPanel::sliderMoved, this, &MainWindow::dragExaggerationSlider);
    connect(viewPanel_, &ViewPanel::sliderReleased, this, &MainWindow::releaseExaggerationSlider);
}

void MainWindow::dragInView(Qt::MouseButtons buttons, QPoint screenPos)
{
    const ScreenPoint c = screenPoint(screenPos);
    switch (dragButton(buttons & Qt::LeftButton, buttons & Qt::RightButton, buttons & Qt::MiddleButton)) {
    case DragButton::Left:
        leftDrag(*this, state_, c);
        break;
    case DragButton::Right:
        rightDrag(*this, state_, c);
        break;
    case DragButton::Middle:
        middleDrag(*this, state_, c);
        break;
    case DragButton::None:
        updateHover();  // a move without a button changes nothing but the pointer
        return;
    }
    requestFrame();
}

void MainWindow::releaseInView(Qt::MouseButton button)
{
    const DragButton released = button == Qt::LeftButton     ? DragButton::Left
                                : button == Qt::RightButton  ? DragButton::Right
                                : button == Qt::MiddleButton ? DragButton::Middle
                                                             : DragButton::None;
    releaseDrag(*this, state_, released);
}

void MainWindow::turnWheelInView(int delta) { wheel(state_, delta); }

// A press does not move the camera; in the well section mode, the left button adds the hovered well.
void MainWindow::pressInView(Qt::MouseButton button) { addSectionWell(wellSectionContext(), button == Qt::LeftButton); }

void MainWindow::pickCellAt(QPoint panelPos)
{
    // The unfolded well section has no cells of the grid; its clicks choose wells.
    if (!glView_ || state_.view.is(ViewMode::WellSection)) return;
    const CellPick pick = pickCell(state_, glView_->pickCell(panelPos));
    pickedCell_ = pick.address;
    glView_->scene().uploadPickedCell();
    statusStrip_->setPickedCell(QString::fromStdString(pick.status));
}

void MainWindow::refreshPickedCell()
{
    if (pickedCell_ && state_.picked_cell_lines.empty()) {
        pickedCell_.reset();
        statusStrip_->clearPickedCell();
        return;
    }
    if (!statusStrip_->pickedCell().isEmpty())
        statusStrip_->setPickedCell(QString::fromStdString(pickedCellStatus(state_, pickedCell_)));
}

void MainWindow::hideRampPickers() { legend().showPickers(false); }

void MainWindow::onKeyDown(int key, std::uint32_t x11KeyCode)
{
    // F fits the view; under a Russian layout the same key arrives as А (X11 key code 41).
    const bool latinLetter = key >= Qt::Key_A && key <= Qt::Key_Z;
    if (key == Qt::Key_F || (!latinLetter && (x11KeyCode == 41 || key == 0x0410))) {
        runCommand("fitView");
        return;
    }
    const auto k = cameraKeyOf(key, x11KeyCode);
    if (!k) return;
    const float exaggeration = state_.view.camera.verticalScale;
    if (const auto line = keyDown(*this, state_, *k)) trace(*line);
    // The discs are built for one exaggeration: a new one rebuilds them, as the slider's release does.
    if (state_.view.camera.verticalScale != exaggeration && glView_)
        vertScaleReleased(state_, glView_->scene(), *this, ribbon_.production->isChecked());
}

void MainWindow::onKeyUp(int key, std::uint32_t x11KeyCode)
{
    if (const auto k = cameraKeyOf(key, x11KeyCode)) keyUp(*this, *k);
}

void MainWindow::grabExaggerationSlider(int y) { vertScalebarClickY = y; }

void MainWindow::dragExaggerationSlider(Qt::MouseButtons buttons)
{
    if (!(buttons & Qt::LeftButton)) return;
    const QPoint p = viewPanel_->mapFromGlobal(QCursor::pos());
    if (const auto top = sliderDrag(*this, state_, p.y())) viewPanel_->placeSlider(*top);
    requestFrame();
}

void MainWindow::releaseExaggerationSlider()
{
    if (glView_) vertScaleReleased(state_, glView_->scene(), *this, ribbon_.production->isChecked());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();

    // A key, a click or the wheel anywhere in the program may change what the view shows (also through a menu,
    // a dialog or a shortcut): the next tick draws. Plain pointer moves do not.
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        requestFrame();
        break;
    default:
        break;
    }

    // Keys: the window sees them before its controls, which still get them afterwards.
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        // An ignored key event travels up to the parents; act on it once.
        const bool again = event == lastKeyEvent_ && key->timestamp() == lastKeyTimestamp_ && type == lastKeyType_ &&
                           key->key() == lastKey_;
        if (widget && widget->window() == this && !again) {
            lastKeyEvent_ = event;
            lastKeyTimestamp_ = key->timestamp();
            lastKeyType_ = type;
            lastKey_ = key->key();
            // A press with Ctrl, Alt or Meta held is a shortcut, not a camera key; a release always ends a press.
            const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
            if (type == QEvent::KeyPress && !shortcut)
                onKeyDown(key->key(), x11KeyCode(*key));
            else if (type == QEvent::KeyRelease && !key->isAutoRepeat())
                onKeyUp(key->key(), x11KeyCode(*key));
        }
        return false;
    }

    if ((type == QEvent::Resize || type == QEvent::Move) &&
        watched == ribbon_.commandRow->widgetForAction(ribbon_.copyPicture)) {
        placeViewButtons();
    } else if (watched == static_cast<QObject*>(ribbon_.rotateButton) && type == QEvent::ToolTip) {
        showRotateTip();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace morvane
