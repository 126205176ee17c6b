// The property filter window `PropFilter`: the displayed property's colour ramp with a red slider. Dragging the slider
// chooses the cut value (upper limit at the top, lower limit at the bottom), the direction button chooses whether
// the cells below or above it are removed, a shade over the ramp marks the removed side, and OK hides the window,
// which the main window takes as the order to filter. Created once with the main window and reused.
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

class PropFilter : public QDialog {
    Q_OBJECT
public:
    // The palette copies (r1_form ...) and limit copies (prop_max_value_form ...) live in `properties`.
    explicit PropFilter(Properties& properties, QWidget* parent = nullptr);

    using Palette = std::array<float, 10>;
    // Copies the colour limits, the displayed property's node index, the nine palettes (high r, g, b, middle r, g,
    // b, low r, g, b) and its type code into the window.
    void setVariables(const std::vector<double>& upper, const std::vector<double>& lower, int nodeIndex,
                      const Palette& r3, const Palette& g3, const Palette& b3, const Palette& r2, const Palette& g2,
                      const Palette& b2, const Palette& r1, const Palette& g1, const Palette& b1, int typeCode);
    // The two limit labels and the cut text from the copied limits (the cut text the mean of the two).
    void updateMargins();
    float get_cont_prop_cut() const { return cont_prop_cut_form; }
    bool get_reverse_cut() const { return reverse_cut_form; }
    // True when the window was last closed through its title bar instead of OK: nothing is to be applied.
    bool cancelled() const { return cancelled_; }

    void kryptonButton1_Click();
    void reverse_cut_Click();
    void timer1_Tick();
    // The slider pressed at `y` inside it, dragged with the mouse at window y `windowY`.
    void polzunok_MouseDown(int y);
    void polzunok_MouseMove(int windowY);

    float cont_prop_cut_form = 0;
    bool reverse_cut_form = true;
    float coef = 0.5f;
    int polzunokClickY = 0;
    int prop_no_morvane_form = 0;
    int prop_type_displaying_form = 0;

signals:
    // The window became hidden (OK, or closed through its title bar: see cancelled).
    void formHidden();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Adds the ramp, the limit labels, the cut text and the slider (first showing).
    void PropFilter_Load();
    double upperLimit() const;
    double lowerLimit() const;
    void showMessage(const QString& text);

    Properties& p_;
    bool loaded_ = false;
    bool cancelled_ = false;

public:
    QPushButton* kryptonButton1 = nullptr;
    QWidget* cut_palitra = nullptr;
    QPushButton* reverse_cut = nullptr;
    QTimer* timer1 = nullptr;
    QLabel* messageLabel = nullptr;
    QWidget *palitra3 = nullptr, *palitra2 = nullptr;
    QLabel *Color_label_max = nullptr, *Color_label_min = nullptr;
    QLineEdit* Color_label_cut = nullptr;
    QPushButton* polzunok = nullptr;
};

}  // namespace morvane
