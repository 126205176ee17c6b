// The general settings dialog: grid lines, 2D projection, background, layer transparency, bubble sizes, start in
// full screen, the author label and the values a property import reads as no value. It keeps its own copies of what it edits; Apply writes them to the user
// settings and the main window picks them up when the dialog closes.
#pragma once

#include <string>

#include <QColor>
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace morvane {

class AppSettings;
class ColorButton;

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    // `store` is the settings store the dialog reads and writes (the user's own unless a test gives another).
    explicit SettingsDialog(QWidget* parent = nullptr);
    SettingsDialog(AppSettings& store, QWidget* parent);

    void updateLang(const std::string& lang);

    // Fills the controls from the store; runs each time the dialog opens.
    void loadStoredValues();

    QColor background() const { return QColor(background_[0], background_[1], background_[2]); }
    float bubbleSize() const { return bubbleSize_; }
    float bubbleTextSize() const { return bubbleTextSize_; }
    bool gridLines() const { return gridLines_; }
    bool orthographicTopView() const { return orthographic_; }

    void done(int result) override;

signals:
    // Emitted whenever the dialog closes (Exit, the window's close button, Escape).
    void closing();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildSectionButtons();
    void buildMainPage();
    void buildVisualPage();
    void buildCompositionPage();
    void buildAccessPage();
    void buildButtons();
    void showSection(QPushButton* button);
    void markChanged();
    void apply();

    AppSettings& store_;
    std::string lang_ = "en";  // the language of the message when the settings cannot be saved

    int background_[3] = {51, 76, 76};
    float bubbleSize_ = 1.0f;
    float bubbleTextSize_ = 0.3f;
    bool gridLines_ = true;
    bool orthographic_ = false;
    bool oneLayer_ = true;
    bool loading_ = false;

    // Section buttons down the left side, the page each shows, and the dialog's buttons.
    QPushButton *mainSectionButton_, *visualSectionButton_, *compositionSectionButton_, *accessSectionButton_;
    QWidget *mainPage_, *visualPage_, *compositionPage_, *accessPage_;
    QPushButton *applyButton_, *exitButton_;
    // Main: grid lines, the 2D view, the 3D view's background, the layer view.
    QGroupBox *gridGroup_, *twoDGroup_, *threeDGroup_, *layerGroup_;
    QCheckBox *gridLinesCheck_, *turnNorthCheck_;
    ColorButton *gridLineColourButton_, *backgroundColourButton_;
    QRadioButton *orthographicRadio_, *perspectiveRadio_, *oneLayerRadio_, *transparentLayersRadio_;
    QLabel* backgroundCaption_;
    // Visual: wells, the well section, the bubble diagrams.
    QGroupBox *visualGroup_, *wellsGroup_, *sectionGroup_, *bubblesGroup_;
    QCheckBox *cutWellsCheck_, *sectionLikeViewCheck_;
    QLabel *labelPlaceCaption_, *labelShiftCaption_, *sectionBackgroundCaption_, *bubbleSizeCaption_,
        *bubbleTextSizeCaption_;
    QRadioButton *labelAtBottomHoleRadio_, *labelAtWellTopRadio_, *labelAtModelTopRadio_, *labelAtModelBottomRadio_;
    QLineEdit *labelShiftEdit_, *bubbleSizeEdit_, *bubbleTextSizeEdit_;
    ColorButton* sectionBackgroundButton_;
    // Composition: the date format, the coordinate shift, the start-up, the author label.
    QGroupBox *compositionGroup_, *dateFormatGroup_, *coordinatesGroup_, *startupGroup_, *authorGroup_;
    QRadioButton *monthYearDigitsRadio_, *monthYearWordsRadio_;
    QLabel *shiftXCaption_, *shiftYCaption_;
    QLineEdit *shiftXEdit_, *shiftYEdit_, *authorLabelEdit_;
    QCheckBox *fullScreenCheck_, *showAuthorLabelCheck_;
    // The values without data: a line of numbers the next property import reads as no value.
    QGroupBox* undefinedGroup_;
    QLabel* undefinedCaption_;
    QLineEdit* undefinedValuesEdit_;
    // Access: nothing to set yet.
    QGroupBox* accessGroup_;
};

}  // namespace morvane
