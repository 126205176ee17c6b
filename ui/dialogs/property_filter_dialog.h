// The property filter window: the displayed property's colour ramp with a red slider. Dragging the slider chooses the
// cut value (upper limit at the top, lower limit at the bottom), or it is typed (Enter takes it; 0 is a cut like any
// other), the direction button chooses whether the cells below
// or above it are removed, a shade over the ramp marks the removed side, and OK hides the window, which the main
// window takes as the order to filter. Under the ramp a range of values can be typed and kept instead, and a line says
// how many cells the cut or the range keeps. Created once with the main window and reused.
#pragma once

#include <functional>
#include <string>

#include <QDialog>

#include "model/property_set.h"
#include "view/view_state.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace morvane {

class PropertyFilterDialog : public QDialog {
    Q_OBJECT
public:
    explicit PropertyFilterDialog(QWidget* parent = nullptr);

    // The property the window filters, by name, with its colour limits and its kind's ramp (copies: the window shows
    // them as they were when it was opened).
    void setProperty(const std::string& name, double upper, double lower, const ColourRamp& ramp);
    const std::string& propertyName() const { return name_; }
    // The window's title in the interface language ("en" or "ru").
    void setLanguage(const std::string& lang);
    // The two limit labels and the cut text from the copied limits (the cut text the mean of the two).
    void showLimits();
    float cutValue() const { return cut_; }
    bool cutsBelow() const { return cutBelow_; }
    // The filter chosen: the cut (OK, Enter), or the range of values typed under it ("Keep").
    const PropertyFilterSetting& chosenFilter() const { return chosen_; }
    // What the window says of the cells a filter would keep, as the cut or the range changes ("" says nothing), and
    // the language of its texts.
    void setKeptCounter(std::function<std::string(const PropertyFilterSetting&)> counter, const std::string& lang);
    // A property of codes: the first field under the ramp takes the codes to keep ("1, 3") instead of a range.
    void setCodes(bool codes);
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
    // The range typed under the ramp taken and the window hidden, or the message shown.
    void takeRange();
    // The cells the filter on show would keep, said under the ramp.
    void showKept();

    std::string name_;
    double upper_ = 0, lower_ = 0;
    ColourRamp ramp_;
    bool loaded_ = false;
    bool cancelled_ = false;
    float cut_ = 0;
    bool cutBelow_ = true;
    float shadeCoef_ = 0.5f;
    PropertyFilterSetting chosen_;
    std::function<std::string(const PropertyFilterSetting&)> keptCounter_;
    std::string lang_ = "en";
    bool codes_ = false;
    int sliderGrabY_ = 0;

    QPushButton* okButton_ = nullptr;
    QWidget* removedShade_ = nullptr;
    QPushButton* directionButton_ = nullptr;
    QTimer* shadeTimer_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    QWidget *upperRamp_ = nullptr, *lowerRamp_ = nullptr;
    QLabel *upperLimitLabel_ = nullptr, *lowerLimitLabel_ = nullptr;
    QLineEdit* cutText_ = nullptr;
    QPushButton* slider_ = nullptr;
    QLineEdit *rangeLowEdit_ = nullptr, *rangeHighEdit_ = nullptr;
    QPushButton* rangeButton_ = nullptr;
    QLabel* keptLabel_ = nullptr;
};

}  // namespace morvane
