// The colour-limit window: one number, the upper or lower limit of the displayed property's colour ramp, opened by a
// click on a limit of the legend. OK or Enter takes the number (either decimal separator) and hides the window,
// which the main window takes as the order to apply it; text that is no number is refused with the window's own
// message and the value stays. Two buttons set both limits instead: back to the data range, or at the percentiles
// P5 and P95 of the values. Created once with the main window and reused.
#pragma once

#include <string>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace morvane {

class ColourLimitsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ColourLimitsDialog(QWidget* parent = nullptr);

    // The limit to edit: the property it belongs to, its current value (shown by the limit number rule) and
    // whether it is the upper one.
    void editLimit(const std::string& property, float value, bool upper);
    const std::string& propertyName() const { return property_; }
    float value() const { return value_; }
    bool editsUpperLimit() const { return upper_; }
    void updateLang(const std::string& lang);
    // True when the window was last closed through its title bar instead of OK or Enter: nothing is to be applied.
    bool cancelled() const { return cancelled_; }
    // What the window was closed with: the typed limit (OK, Enter), or both limits at once.
    enum class Choice { TypedLimit, DataRange, Percentiles };
    Choice choice() const { return choice_; }

signals:
    void windowHidden();

protected:
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // OK and Enter: the typed number taken and the window hidden, or the message shown.
    void takeValue();

    std::string property_;
    bool upper_ = true;
    float value_ = 0;
    std::string lang_ = "en";
    bool cancelled_ = false;
    Choice choice_ = Choice::TypedLimit;
    QPushButton *dataRangeButton_ = nullptr, *percentileButton_ = nullptr;
    QLineEdit* valueEdit_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QLabel* messageLabel_ = nullptr;
};

}  // namespace morvane
