// The property filter window: the displayed property's colour ramp with a red slider. Dragging the slider chooses the
// cut value (upper limit at the top, lower limit at the bottom), the direction button chooses whether the cells below
// or above it are removed, a shade over the ramp marks the removed side, and OK hides the window, which the main
// window takes as the order to filter. Created once with the main window and reused.
#pragma once

#include <array>
#include <vector>

#include <QDialog>

#include "model/model_state.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace morvane {

class PropertyFilterDialog : public QDialog {
    Q_OBJECT
public:
    // The palette copies (r1_form ...) and limit copies (prop_max_value_form ...) live in `properties`.
    explicit PropertyFilterDialog(Properties& properties, QWidget* parent = nullptr);

    using Palette = std::array<float, 10>;
    // Copies the colour limits, the displayed property's node index, the nine palettes (high r, g, b, middle r, g,
    // b, low r, g, b) and its type code into the window.
    void setDisplayedProperty(const std::vector<double>& upper, const std::vector<double>& lower, int nodeIndex,
                              const Palette& r3, const Palette& g3, const Palette& b3, const Palette& r2,
                              const Palette& g2, const Palette& b2, const Palette& r1, const Palette& g1,
                              const Palette& b1, int typeCode);
    // The two limit labels and the cut text from the copied limits (the cut text the mean of the two).
    void showLimits();
    float cutValue() const { return cut_; }
    bool cutsBelow() const { return cutBelow_; }
    // True when the window was last closed through its title bar instead of OK: nothing is to be applied.
    bool cancelled() const { return cancelled_; }

    // The slider pressed at `y` inside it, then dragged with the mouse at window y `windowY`.
    void pressSlider(int y);
    void dragSliderTo(int windowY);

signals:
    // The window became hidden (OK, or closed through its title bar: see cancelled).
    void windowHidden();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Adds the ramp, the limit labels, the cut text and the slider (first showing).
    void addRampControls();
    // OK: the cut text taken and the window hidden, or the message shown.
    void takeCut();
    void reverseDirection();
    // The shade over the removed side of the ramp, following the slider.
    void placeShade();
    double upperLimit() const;
    double lowerLimit() const;
    void showMessage(const QString& text);

    Properties& p_;
    bool loaded_ = false;
    bool cancelled_ = false;
    float cut_ = 0;
    bool cutBelow_ = true;
    float shadeCoef_ = 0.5f;
    int sliderGrabY_ = 0;
    int nodeIndex_ = 0;
    int typeCode_ = 0;

    QPushButton* okButton_ = nullptr;
    QWidget* removedShade_ = nullptr;
    QPushButton* directionButton_ = nullptr;
    QTimer* shadeTimer_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    QWidget *upperRamp_ = nullptr, *lowerRamp_ = nullptr;
    QLabel *upperLimitLabel_ = nullptr, *lowerLimitLabel_ = nullptr;
    QLineEdit* cutText_ = nullptr;
    QPushButton* slider_ = nullptr;
};

}  // namespace morvane
