// The colour-limit window `PropColorLimits`: one number, the upper or lower limit of the displayed property's colour
// ramp, opened by a click on a limit of the legend. OK or Enter takes the number (either decimal separator) and
// hides the window, which the main window takes as the order to apply it; text that is no number is refused with
// the window's own message and the value stays. Created once with the main window and reused.
#pragma once

#include <string>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace morvane {

class PropColorLimits : public QDialog {
    Q_OBJECT
public:
    explicit PropColorLimits(QWidget* parent = nullptr);

    // The limit to edit: its current value (shown by the limit number rule) and whether it is the upper one.
    void in_value(float value, bool isMax);
    float get_value() const { return valueForm; }
    float get_is_max() const { return is_max ? 1.0f : 0.0f; }
    void updateLang(const std::string& lang);
    // True when the window was last closed through its title bar instead of OK or Enter: nothing is to be applied.
    bool cancelled() const { return cancelled_; }

    void kryptonButton1_Click();
    void textBox1_KeyPress(int keyChar);

    bool is_max = true;
    float valueForm = 0;

    QLineEdit* textBox1 = nullptr;
    QPushButton* kryptonButton1 = nullptr;
    QLabel* messageLabel = nullptr;

signals:
    void formHidden();

protected:
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::string lang_ = "en";
    bool cancelled_ = false;
};

}  // namespace morvane
