// The general settings dialog: grid lines, 2D projection, background, layer transparency, bubble sizes, start in
// full screen and the author label. It keeps its own copies of what it edits; Apply writes them to the user
// settings and the main window picks them up when the dialog closes.
#pragma once

#include <string>

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

class Settings : public QDialog {
    Q_OBJECT
public:
    // `store` is the settings store the dialog reads and writes (the user's own unless a test gives another).
    explicit Settings(QWidget* parent = nullptr);
    Settings(AppSettings& store, QWidget* parent);

    void updateLang(const std::string& lang);

    // Fills the controls from the store; runs each time the dialog opens.
    void Settings_Load();

    int color_r() const { return bg_color_r; }
    int color_g() const { return bg_color_g; }
    int color_b() const { return bg_color_b; }
    float bubble_size() const { return bubbleSizeCoef; }
    float bubble_text_size() const { return bubbleTextSizeCoef; }
    bool grid_lines() const { return grid_lines_enabled; }
    bool twoD() const { return twoD_ortho; }

    void done(int result) override;

signals:
    // Emitted whenever the dialog closes (Exit, the window's close button, Escape).
    void formClosing();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void showSection(QPushButton* button);
    void markChanged();
    void apply_btn_Click();

    AppSettings& store_;

    int bg_color_r = 51, bg_color_g = 76, bg_color_b = 76;
    float bubbleSizeCoef = 1.0f;
    float bubbleTextSizeCoef = 0.3f;
    bool grid_lines_enabled = true;
    bool twoD_ortho = false;
    bool oneLayer = true;
    bool loading_ = false;

    QPushButton *Main_btn, *Visual_btn, *Oform_btn, *Rights_btn, *apply_btn, *exit_btn;
    QWidget *panel1, *panel2, *panel3, *panel4;
    QGroupBox *grid_group, *thwoD_group, *threeD_group, *layer_group, *wells_group, *intersect_group, *circle_group,
        *compose_group, *visual_group, *rights_groups, *groupBox7, *groupBox11, *groupBox14, *groupBox6;
    QCheckBox *checkBox_grid_lines, *checkBox8, *checkBox5, *checkBox7, *checkBox9, *checkBox6;
    ColorButton *kryptonColorButton3, *backgroundColorButton, *kryptonColorButton2;
    QRadioButton *ortho_radio, *perspec_radio, *oneLayer_radio, *tenLayer_radio;
    QRadioButton *radioButton7, *radioButton8, *radioButton5, *radioButton6, *radioButton1, *radioButton2;
    QLabel *label1, *label2, *label3, *label4, *label5, *label6, *label7, *label8;
    QLineEdit *bubbleSize_textBox, *bubbleTextSize_textBox, *textBox1;
    QLineEdit *labelShift_textBox, *shiftX_textBox, *shiftY_textBox;
};

}  // namespace morvane
