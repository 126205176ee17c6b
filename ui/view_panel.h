// The view panel of the main window: the panel the GL view covers, and the overlays drawn above the view: the
// property legend, the vertical exaggeration slider with its value, the north arrow and the axes. The mouse over the
// panel (the view lets it through) and over the slider is passed on as signals; the main window moves the camera.
#pragma once

#include <array>

#include <QWidget>

class QLabel;

namespace morvane {

class ExaggerationSlider;
class PropertyLegend;

class ViewPanel : public QWidget {
    Q_OBJECT
public:
    explicit ViewPanel(QWidget* parent = nullptr);

    PropertyLegend& legend() const { return *legend_; }

    // The panel's colour, and the legend's box and text colours.
    void setBackground(const std::array<int, 3>& rgb, const QColor& legendText);
    // The exaggeration shown beside the slider ("×2.5").
    void showExaggeration(float exaggeration);
    // The slider at the panel's right edge, `top` from the panel's top.
    void placeSlider(int top);
    int sliderLeft() const;
    int sliderTop() const;
    void setSliderTip(const QString& tip);
    // The slider, the north arrow and the axes placed for the panel's size.
    void placeOverlays();

signals:
    // The pointer over the panel: moved with `buttons` held (at `globalPos`), pressed at `pos`, double-clicked,
    // released, the wheel turned; entered; the panel resized.
    void pointerMoved(Qt::MouseButtons buttons, QPoint globalPos);
    void pressed(Qt::MouseButton button, QPoint pos, Qt::KeyboardModifiers modifiers);
    void doubleClicked(Qt::MouseButton button, QPoint pos);
    void released(Qt::MouseButton button);
    void wheelTurned(int delta);
    void entered();
    void resized();
    // The exaggeration slider: pressed at `y` inside it, moved with `buttons` held, released.
    void sliderPressed(int y);
    void sliderMoved(Qt::MouseButtons buttons);
    void sliderReleased();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    PropertyLegend* legend_ = nullptr;
    ExaggerationSlider* slider_ = nullptr;
    QLabel* exaggerationLabel_ = nullptr;
    QLabel* northArrow_ = nullptr;
    QLabel* axes_ = nullptr;
};

}  // namespace morvane
