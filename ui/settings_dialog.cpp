#include "ui/settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/decimal_text.h"
#include "platform/app_settings.h"
#include "ui/color_button.h"
#include "ui/ui_text.h"

namespace morvane {

namespace {

constexpr int kDialogWidth = 1323;
constexpr int kDialogHeight = 930;
constexpr QPoint kPanelPos{226, 36};

// Checked section buttons are green with white text; the others pale yellow with dark grey text.
const char* const kSectionStyle =
    "QPushButton { background: rgb(251,255,186); color: rgb(64,64,64); }"
    "QPushButton:checked { background: rgb(106,132,59); color: white; }"
    "QPushButton:pressed { background: rgb(106,132,59); color: white; }";

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QGroupBox* group(const char* name, QWidget* parent) { return named(new QGroupBox(parent), name); }

}  // namespace

Settings::Settings(QWidget* parent) : Settings(appSettings(), parent) {}

Settings::Settings(AppSettings& store, QWidget* parent) : QDialog(parent), store_(store)
{
    setObjectName(QStringLiteral("Settings"));
    buildControls();
    updateLang("en");
}

void Settings::buildControls()
{
    setFixedSize(kDialogWidth, kDialogHeight);

    // Section buttons down the left side.
    auto sectionButton = [this](const char* name, int row) {
        auto* b = named(new QPushButton(this), name);
        b->setCheckable(true);
        b->setStyleSheet(QString::fromLatin1(kSectionStyle));
        b->setGeometry(20, kPanelPos.y() + row * 64, 190, 54);
        // Pressing a section button shows its page; pressing the shown one keeps it shown.
        connect(b, &QPushButton::pressed, this, [this, b] { showSection(b); });
        connect(b, &QPushButton::clicked, this, [b] { b->setChecked(true); });
        return b;
    };
    Main_btn = sectionButton("Main_btn", 0);
    Visual_btn = sectionButton("Visual_btn", 1);
    Oform_btn = sectionButton("Oform_btn", 2);
    Rights_btn = sectionButton("Rights_btn", 3);

    const QSize panelSize(kDialogWidth - kPanelPos.x() - 20, kDialogHeight - kPanelPos.y() - 100);
    auto page = [this, panelSize](const char* name) {
        auto* p = named(new QWidget(this), name);
        p->setGeometry(QRect(kPanelPos, panelSize));
        return p;
    };
    panel1 = page("panel1");
    panel2 = page("panel2");
    panel3 = page("panel3");
    panel4 = page("panel4");

    // Main: grid lines, 2D view, 3D view background, layer mode.
    grid_group = group("grid_group", panel1);
    checkBox_grid_lines = named(new QCheckBox(grid_group), "checkBox_grid_lines");
    kryptonColorButton3 = named(new ColorButton({}, grid_group), "kryptonColorButton3");
    kryptonColorButton3->setSelectedColor(Qt::white);
    auto* gridLayout = new QHBoxLayout(grid_group);
    gridLayout->addWidget(checkBox_grid_lines);
    gridLayout->addWidget(kryptonColorButton3);

    thwoD_group = group("thwoD_group", panel1);
    ortho_radio = named(new QRadioButton(thwoD_group), "ortho_radio");
    perspec_radio = named(new QRadioButton(thwoD_group), "perspec_radio");
    checkBox8 = named(new QCheckBox(thwoD_group), "checkBox8");
    auto* twoDLayout = new QVBoxLayout(thwoD_group);
    twoDLayout->addWidget(ortho_radio);
    twoDLayout->addWidget(perspec_radio);
    twoDLayout->addWidget(checkBox8);

    threeD_group = group("threeD_group", panel1);
    label1 = named(new QLabel(threeD_group), "label1");
    backgroundColorButton = named(new ColorButton({}, threeD_group), "backgroundColorButton");
    auto* threeDLayout = new QHBoxLayout(threeD_group);
    threeDLayout->addWidget(label1);
    threeDLayout->addWidget(backgroundColorButton);

    layer_group = group("layer_group", panel1);
    oneLayer_radio = named(new QRadioButton(layer_group), "oneLayer_radio");
    tenLayer_radio = named(new QRadioButton(layer_group), "tenLayer_radio");
    auto* layerLayout = new QVBoxLayout(layer_group);
    layerLayout->addWidget(oneLayer_radio);
    layerLayout->addWidget(tenLayer_radio);

    auto* mainLayout = new QGridLayout(panel1);
    mainLayout->addWidget(grid_group, 0, 0);
    mainLayout->addWidget(thwoD_group, 0, 1);
    mainLayout->addWidget(threeD_group, 1, 0);
    mainLayout->addWidget(layer_group, 1, 1);
    mainLayout->setRowStretch(2, 1);

    // Visual: wells, section, bubble diagrams.
    visual_group = group("visual_group", panel2);
    wells_group = group("wells_group", visual_group);
    checkBox7 = named(new QCheckBox(wells_group), "checkBox7");
    label3 = named(new QLabel(wells_group), "label3");
    radioButton7 = named(new QRadioButton(wells_group), "radioButton7");
    radioButton8 = named(new QRadioButton(wells_group), "radioButton8");
    radioButton5 = named(new QRadioButton(wells_group), "radioButton5");
    radioButton6 = named(new QRadioButton(wells_group), "radioButton6");
    radioButton7->setChecked(true);
    label4 = named(new QLabel(wells_group), "label4");
    labelShift_textBox = named(new QLineEdit(wells_group), "labelShift_textBox");
    auto* wellsLayout = new QVBoxLayout(wells_group);
    wellsLayout->addWidget(checkBox7);
    wellsLayout->addWidget(label3);
    for (QWidget* w : {static_cast<QWidget*>(radioButton7), static_cast<QWidget*>(radioButton8),
                       static_cast<QWidget*>(radioButton5), static_cast<QWidget*>(radioButton6)})
        wellsLayout->addWidget(w);
    auto* shiftRow = new QHBoxLayout;
    shiftRow->addWidget(label4);
    shiftRow->addWidget(labelShift_textBox);
    wellsLayout->addLayout(shiftRow);

    intersect_group = group("intersect_group", visual_group);
    label2 = named(new QLabel(intersect_group), "label2");
    checkBox5 = named(new QCheckBox(intersect_group), "checkBox5");
    kryptonColorButton2 = named(new ColorButton({}, intersect_group), "kryptonColorButton2");
    auto* intersectLayout = new QVBoxLayout(intersect_group);
    intersectLayout->addWidget(label2);
    intersectLayout->addWidget(checkBox5);
    intersectLayout->addWidget(kryptonColorButton2);

    circle_group = group("circle_group", visual_group);
    label7 = named(new QLabel(circle_group), "label7");
    label8 = named(new QLabel(circle_group), "label8");
    bubbleSize_textBox = named(new QLineEdit(circle_group), "bubbleSize_textBox");
    bubbleTextSize_textBox = named(new QLineEdit(circle_group), "bubbleTextSize_textBox");
    auto* circleLayout = new QFormLayout(circle_group);
    circleLayout->addRow(label7, bubbleSize_textBox);
    circleLayout->addRow(label8, bubbleTextSize_textBox);

    auto* visualLayout = new QGridLayout(visual_group);
    visualLayout->addWidget(wells_group, 0, 0, 2, 1);
    visualLayout->addWidget(intersect_group, 0, 1);
    visualLayout->addWidget(circle_group, 1, 1);
    auto* page2Layout = new QVBoxLayout(panel2);
    page2Layout->addWidget(visual_group);
    page2Layout->addStretch(1);

    // Composition: date format, coordinates, start-up, author label.
    compose_group = group("compose_group", panel3);
    groupBox7 = group("groupBox7", compose_group);
    radioButton1 = named(new QRadioButton(groupBox7), "radioButton1");
    radioButton2 = named(new QRadioButton(groupBox7), "radioButton2");
    radioButton1->setChecked(true);
    auto* dateLayout = new QVBoxLayout(groupBox7);
    dateLayout->addWidget(radioButton1);
    dateLayout->addWidget(radioButton2);

    groupBox11 = group("groupBox11", compose_group);
    label5 = named(new QLabel(groupBox11), "label5");
    label6 = named(new QLabel(groupBox11), "label6");
    shiftX_textBox = named(new QLineEdit(groupBox11), "shiftX_textBox");
    shiftY_textBox = named(new QLineEdit(groupBox11), "shiftY_textBox");
    auto* coordLayout = new QFormLayout(groupBox11);
    coordLayout->addRow(label5, shiftX_textBox);
    coordLayout->addRow(label6, shiftY_textBox);

    groupBox14 = group("groupBox14", compose_group);
    checkBox9 = named(new QCheckBox(groupBox14), "checkBox9");
    auto* runLayout = new QVBoxLayout(groupBox14);
    runLayout->addWidget(checkBox9);

    groupBox6 = group("groupBox6", compose_group);
    textBox1 = named(new QLineEdit(groupBox6), "textBox1");
    checkBox6 = named(new QCheckBox(groupBox6), "checkBox6");
    checkBox6->setChecked(true);
    auto* authorLayout = new QVBoxLayout(groupBox6);
    authorLayout->addWidget(textBox1);
    authorLayout->addWidget(checkBox6);

    auto* composeLayout = new QGridLayout(compose_group);
    composeLayout->addWidget(groupBox7, 0, 0);
    composeLayout->addWidget(groupBox11, 0, 1);
    composeLayout->addWidget(groupBox14, 1, 0);
    composeLayout->addWidget(groupBox6, 1, 1);
    auto* page3Layout = new QVBoxLayout(panel3);
    page3Layout->addWidget(compose_group);
    page3Layout->addStretch(1);

    // Access: nothing to set yet.
    rights_groups = group("rights_groups", panel4);
    auto* page4Layout = new QVBoxLayout(panel4);
    page4Layout->addWidget(rights_groups);
    page4Layout->addStretch(1);

    apply_btn = named(new QPushButton(this), "apply_btn");
    exit_btn = named(new QPushButton(this), "exit_btn");
    apply_btn->setGeometry(kDialogWidth - 2 * 150 - 40, kDialogHeight - 70, 150, 44);
    exit_btn->setGeometry(kDialogWidth - 150 - 20, kDialogHeight - 70, 150, 44);
    connect(apply_btn, &QPushButton::clicked, this, &Settings::apply_btn_Click);
    connect(exit_btn, &QPushButton::clicked, this, &QDialog::close);

    // Only the controls whose values are stored make Apply available.
    connect(checkBox_grid_lines, &QCheckBox::toggled, this, [this](bool on) {
        grid_lines_enabled = on;
        markChanged();
    });
    connect(ortho_radio, &QRadioButton::toggled, this, [this](bool on) {
        twoD_ortho = on;
        markChanged();
    });
    connect(oneLayer_radio, &QRadioButton::toggled, this, [this](bool on) {
        oneLayer = on;
        markChanged();
    });
    connect(backgroundColorButton, &ColorButton::selectedColorChanged, this, [this](const QColor& c) {
        bg_color_r = c.red();
        bg_color_g = c.green();
        bg_color_b = c.blue();
        markChanged();
    });
    for (QLineEdit* box : {bubbleSize_textBox, bubbleTextSize_textBox, textBox1})
        connect(box, &QLineEdit::textChanged, this, &Settings::markChanged);
    connect(checkBox9, &QCheckBox::toggled, this, &Settings::markChanged);

    backgroundColorButton->setSelectedColor(QColor(bg_color_r, bg_color_g, bg_color_b));
}

void Settings::updateLang(const std::string& lang)
{
    const std::string l = lang;  // the dialog keeps its own copy
    setWindowTitle(localUiText(600, l));
    const std::pair<QWidget*, int> texts[] = {{Main_btn, 602},
                                              {Visual_btn, 604},
                                              {Oform_btn, 606},
                                              {Rights_btn, 608},
                                              {apply_btn, 610},
                                              {exit_btn, 612},
                                              {checkBox_grid_lines, 634},
                                              {kryptonColorButton3, 636},
                                              {ortho_radio, 638},
                                              {perspec_radio, 640},
                                              {checkBox8, 642},
                                              {label1, 644},
                                              {backgroundColorButton, 646},
                                              {oneLayer_radio, 648},
                                              {tenLayer_radio, 650},
                                              {label2, 652},
                                              {checkBox5, 654},
                                              {kryptonColorButton2, 656},
                                              {checkBox7, 658},
                                              {label3, 660},
                                              {radioButton7, 662},
                                              {radioButton8, 664},
                                              {radioButton5, 666},
                                              {radioButton6, 668},
                                              {label4, 670},
                                              {label7, 672},
                                              {label8, 674},
                                              {radioButton1, 676},
                                              {radioButton2, 678},
                                              {label5, 680},
                                              {label6, 682},
                                              {checkBox9, 692},
                                              {checkBox6, 694}};
    for (const auto& [widget, base] : texts) widget->setProperty("text", localUiText(base, l));
    const std::pair<QGroupBox*, int> groups[] = {
        {grid_group, 614},      {thwoD_group, 616},  {threeD_group, 618},  {layer_group, 620},  {wells_group, 622},
        {intersect_group, 624}, {circle_group, 626}, {compose_group, 628}, {visual_group, 630}, {rights_groups, 632},
        {groupBox7, 684},       {groupBox11, 686},   {groupBox14, 688},    {groupBox6, 690}};
    for (const auto& [box, base] : groups) box->setTitle(localUiText(base, l));
}

void Settings::showEvent(QShowEvent* event)
{
    Settings_Load();
    QDialog::showEvent(event);
}

void Settings::Settings_Load()
{
    loading_ = true;
    setFixedSize(kDialogWidth, kDialogHeight);
    for (QWidget* p : {panel1, panel2, panel3, panel4}) p->move(kPanelPos);
    showSection(Main_btn);

    checkBox_grid_lines->setChecked(store_.readFlag(settings_key::grid_lines_enable));
    const bool ortho = store_.readFlag(settings_key::twod_ortho);
    ortho_radio->setChecked(ortho);
    perspec_radio->setChecked(!ortho);
    const auto bg = readBackgroundColor(store_, {bg_color_r, bg_color_g, bg_color_b});
    backgroundColorButton->setSelectedColor(QColor(bg[0], bg[1], bg[2]));
    const bool one = store_.readFlag(settings_key::oneLayer);
    oneLayer_radio->setChecked(one);
    tenLayer_radio->setChecked(!one);

    const BubbleFactors bubbles = loadBubbleFactors(store_, {bubbleSizeCoef, bubbleTextSizeCoef});
    bubbleSizeCoef = bubbles.size;
    bubbleTextSizeCoef = bubbles.text_size;
    bubbleSize_textBox->setText(QString::fromStdString(store_.ReadAppSettings(settings_key::bubbleSize)));
    bubbleTextSize_textBox->setText(QString::fromStdString(store_.ReadAppSettings(settings_key::bubbleTextSize)));

    checkBox9->setChecked(store_.readFlag(settings_key::fullscreen));
    textBox1->setText(QString::fromStdString(store_.ReadAppSettings(settings_key::copy)));
    loading_ = false;
    apply_btn->setEnabled(false);
}

void Settings::showSection(QPushButton* button)
{
    const std::pair<QPushButton*, QWidget*> sections[] = {
        {Main_btn, panel1}, {Visual_btn, panel2}, {Oform_btn, panel3}, {Rights_btn, panel4}};
    for (const auto& [b, panel] : sections) {
        b->setChecked(b == button);
        panel->setVisible(b == button);
    }
}

void Settings::markChanged()
{
    if (!loading_) apply_btn->setEnabled(true);
}

void Settings::apply_btn_Click()
{
    apply_btn->setEnabled(false);
    store_.UpdateAppSettings(settings_key::grid_lines_enable, boolText(checkBox_grid_lines->isChecked()));
    store_.UpdateAppSettings(settings_key::twod_ortho, boolText(ortho_radio->isChecked()));
    const QColor bg = backgroundColorButton->selectedColor();
    store_.UpdateAppSettings(settings_key::BackgroundColorR, std::to_string(bg.red()));
    store_.UpdateAppSettings(settings_key::BackgroundColorG, std::to_string(bg.green()));
    store_.UpdateAppSettings(settings_key::BackgroundColorB, std::to_string(bg.blue()));
    store_.UpdateAppSettings(settings_key::oneLayer, boolText(oneLayer_radio->isChecked()));

    // A bubble factor that does not parse is neither stored nor taken.
    const std::string size = decimalCommaText(bubbleSize_textBox->text().toStdString());
    if (const auto v = parseDecimalText(size)) {
        bubbleSizeCoef = static_cast<float>(*v);
        store_.UpdateAppSettings(settings_key::bubbleSize, size);
    }
    const std::string textSize = decimalCommaText(bubbleTextSize_textBox->text().toStdString());
    if (const auto v = parseDecimalText(textSize)) {
        bubbleTextSizeCoef = static_cast<float>(*v);
        store_.UpdateAppSettings(settings_key::bubbleTextSize, textSize);
    }

    store_.UpdateAppSettings(settings_key::fullscreen, boolText(checkBox9->isChecked()));
    store_.UpdateAppSettings(settings_key::copy, textBox1->text().toStdString());
}

void Settings::done(int result)
{
    emit formClosing();
    QDialog::done(result);
}

}  // namespace morvane
