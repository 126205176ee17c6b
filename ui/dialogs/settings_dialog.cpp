#include "ui/dialogs/settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/decimal_text.h"
#include "core/localisation.h"
#include "model/undefined_values.h"
#include "platform/app_settings.h"
#include "ui/color_button.h"
#include "ui/ui_text.h"

namespace morvane {

namespace {
// Said when Apply could not write the settings file; "{}" takes the file.
constexpr TextPair kUndefinedGroup{"Values without data", "Значения без данных"};
constexpr TextPair kUndefinedCaption{"Numbers the next property import reads as no value:",
                                     "Числа, которые следующая загрузка свойств читает как отсутствие значения:"};
constexpr TextPair kUndefinedNotANumber{"\"{}\" is not a number: the values without data were not saved.",
                                        "\"{}\" — не число: значения без данных не сохранены."};
constexpr TextPair kSettingsNotSaved{"The settings could not be saved to {}. The file keeps the settings saved before.",
                                     "Не удалось сохранить настройки в файл {}. В файле остались прежние настройки."};
}  // namespace

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

SettingsDialog::SettingsDialog(QWidget* parent) : SettingsDialog(appSettings(), parent) {}

SettingsDialog::SettingsDialog(AppSettings& store, QWidget* parent) : QDialog(parent), store_(store)
{
    setObjectName(QStringLiteral("settingsDialog"));
    setFixedSize(kDialogWidth, kDialogHeight);
    buildSectionButtons();
    buildMainPage();
    buildVisualPage();
    buildCompositionPage();
    buildAccessPage();
    buildButtons();
    updateLang("en");
}

void SettingsDialog::buildSectionButtons()
{
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
    mainSectionButton_ = sectionButton("mainSectionButton", 0);
    visualSectionButton_ = sectionButton("visualSectionButton", 1);
    compositionSectionButton_ = sectionButton("compositionSectionButton", 2);
    accessSectionButton_ = sectionButton("accessSectionButton", 3);

    const QSize panelSize(kDialogWidth - kPanelPos.x() - 20, kDialogHeight - kPanelPos.y() - 100);
    auto page = [this, panelSize](const char* name) {
        auto* p = named(new QWidget(this), name);
        p->setGeometry(QRect(kPanelPos, panelSize));
        return p;
    };
    mainPage_ = page("mainPage");
    visualPage_ = page("visualPage");
    compositionPage_ = page("compositionPage");
    accessPage_ = page("accessPage");
}

void SettingsDialog::buildMainPage()
{
    gridGroup_ = group("gridGroup", mainPage_);
    gridLinesCheck_ = named(new QCheckBox(gridGroup_), "gridLinesCheck");
    gridLineColourButton_ = named(new ColorButton({}, gridGroup_), "gridLineColourButton");
    gridLineColourButton_->setSelectedColor(Qt::white);
    auto* gridLayout = new QHBoxLayout(gridGroup_);
    gridLayout->addWidget(gridLinesCheck_);
    gridLayout->addWidget(gridLineColourButton_);

    twoDGroup_ = group("twoDGroup", mainPage_);
    orthographicRadio_ = named(new QRadioButton(twoDGroup_), "orthographicRadio");
    perspectiveRadio_ = named(new QRadioButton(twoDGroup_), "perspectiveRadio");
    turnNorthCheck_ = named(new QCheckBox(twoDGroup_), "turnNorthCheck");
    auto* twoDLayout = new QVBoxLayout(twoDGroup_);
    twoDLayout->addWidget(orthographicRadio_);
    twoDLayout->addWidget(perspectiveRadio_);
    twoDLayout->addWidget(turnNorthCheck_);

    threeDGroup_ = group("threeDGroup", mainPage_);
    backgroundCaption_ = named(new QLabel(threeDGroup_), "backgroundCaption");
    backgroundColourButton_ = named(new ColorButton({}, threeDGroup_), "backgroundColourButton");
    auto* threeDLayout = new QHBoxLayout(threeDGroup_);
    threeDLayout->addWidget(backgroundCaption_);
    threeDLayout->addWidget(backgroundColourButton_);

    layerGroup_ = group("layerGroup", mainPage_);
    oneLayerRadio_ = named(new QRadioButton(layerGroup_), "oneLayerRadio");
    transparentLayersRadio_ = named(new QRadioButton(layerGroup_), "transparentLayersRadio");
    auto* layerLayout = new QVBoxLayout(layerGroup_);
    layerLayout->addWidget(oneLayerRadio_);
    layerLayout->addWidget(transparentLayersRadio_);

    auto* mainLayout = new QGridLayout(mainPage_);
    mainLayout->addWidget(gridGroup_, 0, 0);
    mainLayout->addWidget(twoDGroup_, 0, 1);
    mainLayout->addWidget(threeDGroup_, 1, 0);
    mainLayout->addWidget(layerGroup_, 1, 1);
    mainLayout->setRowStretch(2, 1);
}

void SettingsDialog::buildVisualPage()
{
    visualGroup_ = group("visualGroup", visualPage_);
    wellsGroup_ = group("wellsGroup", visualGroup_);
    cutWellsCheck_ = named(new QCheckBox(wellsGroup_), "cutWellsCheck");
    labelPlaceCaption_ = named(new QLabel(wellsGroup_), "labelPlaceCaption");
    labelAtBottomHoleRadio_ = named(new QRadioButton(wellsGroup_), "labelAtBottomHoleRadio");
    labelAtWellTopRadio_ = named(new QRadioButton(wellsGroup_), "labelAtWellTopRadio");
    labelAtModelTopRadio_ = named(new QRadioButton(wellsGroup_), "labelAtModelTopRadio");
    labelAtModelBottomRadio_ = named(new QRadioButton(wellsGroup_), "labelAtModelBottomRadio");
    labelAtBottomHoleRadio_->setChecked(true);
    labelShiftCaption_ = named(new QLabel(wellsGroup_), "labelShiftCaption");
    labelShiftEdit_ = named(new QLineEdit(wellsGroup_), "labelShiftEdit");
    auto* wellsLayout = new QVBoxLayout(wellsGroup_);
    wellsLayout->addWidget(cutWellsCheck_);
    wellsLayout->addWidget(labelPlaceCaption_);
    for (QWidget* w : {labelAtBottomHoleRadio_, labelAtWellTopRadio_, labelAtModelTopRadio_, labelAtModelBottomRadio_})
        wellsLayout->addWidget(w);
    auto* shiftRow = new QHBoxLayout;
    shiftRow->addWidget(labelShiftCaption_);
    shiftRow->addWidget(labelShiftEdit_);
    wellsLayout->addLayout(shiftRow);

    sectionGroup_ = group("sectionGroup", visualGroup_);
    sectionBackgroundCaption_ = named(new QLabel(sectionGroup_), "sectionBackgroundCaption");
    sectionLikeViewCheck_ = named(new QCheckBox(sectionGroup_), "sectionLikeViewCheck");
    sectionBackgroundButton_ = named(new ColorButton({}, sectionGroup_), "sectionBackgroundButton");
    auto* sectionLayout = new QVBoxLayout(sectionGroup_);
    sectionLayout->addWidget(sectionBackgroundCaption_);
    sectionLayout->addWidget(sectionLikeViewCheck_);
    sectionLayout->addWidget(sectionBackgroundButton_);

    bubblesGroup_ = group("bubblesGroup", visualGroup_);
    bubbleSizeCaption_ = named(new QLabel(bubblesGroup_), "bubbleSizeCaption");
    bubbleTextSizeCaption_ = named(new QLabel(bubblesGroup_), "bubbleTextSizeCaption");
    bubbleSizeEdit_ = named(new QLineEdit(bubblesGroup_), "bubbleSizeEdit");
    bubbleTextSizeEdit_ = named(new QLineEdit(bubblesGroup_), "bubbleTextSizeEdit");
    auto* bubblesLayout = new QFormLayout(bubblesGroup_);
    bubblesLayout->addRow(bubbleSizeCaption_, bubbleSizeEdit_);
    bubblesLayout->addRow(bubbleTextSizeCaption_, bubbleTextSizeEdit_);

    auto* visualLayout = new QGridLayout(visualGroup_);
    visualLayout->addWidget(wellsGroup_, 0, 0, 2, 1);
    visualLayout->addWidget(sectionGroup_, 0, 1);
    visualLayout->addWidget(bubblesGroup_, 1, 1);
    auto* pageLayout = new QVBoxLayout(visualPage_);
    pageLayout->addWidget(visualGroup_);
    pageLayout->addStretch(1);
}

void SettingsDialog::buildCompositionPage()
{
    compositionGroup_ = group("compositionGroup", compositionPage_);
    dateFormatGroup_ = group("dateFormatGroup", compositionGroup_);
    monthYearDigitsRadio_ = named(new QRadioButton(dateFormatGroup_), "monthYearDigitsRadio");
    monthYearWordsRadio_ = named(new QRadioButton(dateFormatGroup_), "monthYearWordsRadio");
    monthYearDigitsRadio_->setChecked(true);
    auto* dateLayout = new QVBoxLayout(dateFormatGroup_);
    dateLayout->addWidget(monthYearDigitsRadio_);
    dateLayout->addWidget(monthYearWordsRadio_);

    coordinatesGroup_ = group("coordinatesGroup", compositionGroup_);
    shiftXCaption_ = named(new QLabel(coordinatesGroup_), "shiftXCaption");
    shiftYCaption_ = named(new QLabel(coordinatesGroup_), "shiftYCaption");
    shiftXEdit_ = named(new QLineEdit(coordinatesGroup_), "shiftXEdit");
    shiftYEdit_ = named(new QLineEdit(coordinatesGroup_), "shiftYEdit");
    auto* coordLayout = new QFormLayout(coordinatesGroup_);
    coordLayout->addRow(shiftXCaption_, shiftXEdit_);
    coordLayout->addRow(shiftYCaption_, shiftYEdit_);

    startupGroup_ = group("startupGroup", compositionGroup_);
    fullScreenCheck_ = named(new QCheckBox(startupGroup_), "fullScreenCheck");
    auto* runLayout = new QVBoxLayout(startupGroup_);
    runLayout->addWidget(fullScreenCheck_);

    authorGroup_ = group("authorGroup", compositionGroup_);
    authorLabelEdit_ = named(new QLineEdit(authorGroup_), "authorLabelEdit");
    showAuthorLabelCheck_ = named(new QCheckBox(authorGroup_), "showAuthorLabelCheck");
    showAuthorLabelCheck_->setChecked(true);
    auto* authorLayout = new QVBoxLayout(authorGroup_);
    authorLayout->addWidget(authorLabelEdit_);
    authorLayout->addWidget(showAuthorLabelCheck_);

    undefinedGroup_ = group("undefinedGroup", compositionGroup_);
    undefinedCaption_ = named(new QLabel(undefinedGroup_), "undefinedCaption");
    undefinedValuesEdit_ = named(new QLineEdit(undefinedGroup_), "undefinedValuesEdit");
    auto* undefinedLayout = new QVBoxLayout(undefinedGroup_);
    undefinedLayout->addWidget(undefinedCaption_);
    undefinedLayout->addWidget(undefinedValuesEdit_);

    auto* compositionLayout = new QGridLayout(compositionGroup_);
    compositionLayout->addWidget(dateFormatGroup_, 0, 0);
    compositionLayout->addWidget(coordinatesGroup_, 0, 1);
    compositionLayout->addWidget(startupGroup_, 1, 0);
    compositionLayout->addWidget(authorGroup_, 1, 1);
    compositionLayout->addWidget(undefinedGroup_, 2, 0, 1, 2);
    auto* pageLayout = new QVBoxLayout(compositionPage_);
    pageLayout->addWidget(compositionGroup_);
    pageLayout->addStretch(1);
}

void SettingsDialog::buildAccessPage()
{
    accessGroup_ = group("accessGroup", accessPage_);
    auto* pageLayout = new QVBoxLayout(accessPage_);
    pageLayout->addWidget(accessGroup_);
    pageLayout->addStretch(1);
}

void SettingsDialog::buildButtons()
{
    applyButton_ = named(new QPushButton(this), "applyButton");
    exitButton_ = named(new QPushButton(this), "exitButton");
    applyButton_->setGeometry(kDialogWidth - 2 * 150 - 40, kDialogHeight - 70, 150, 44);
    exitButton_->setGeometry(kDialogWidth - 150 - 20, kDialogHeight - 70, 150, 44);
    connect(applyButton_, &QPushButton::clicked, this, &SettingsDialog::apply);
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::close);

    // Only the controls whose values are stored make Apply available.
    connect(gridLinesCheck_, &QCheckBox::toggled, this, [this](bool on) {
        gridLines_ = on;
        markChanged();
    });
    connect(orthographicRadio_, &QRadioButton::toggled, this, [this](bool on) {
        orthographic_ = on;
        markChanged();
    });
    connect(oneLayerRadio_, &QRadioButton::toggled, this, [this](bool on) {
        oneLayer_ = on;
        markChanged();
    });
    connect(backgroundColourButton_, &ColorButton::selectedColorChanged, this, [this](const QColor& c) {
        background_[0] = c.red();
        background_[1] = c.green();
        background_[2] = c.blue();
        markChanged();
    });
    for (QLineEdit* box : {bubbleSizeEdit_, bubbleTextSizeEdit_, authorLabelEdit_, undefinedValuesEdit_})
        connect(box, &QLineEdit::textChanged, this, &SettingsDialog::markChanged);
    connect(fullScreenCheck_, &QCheckBox::toggled, this, &SettingsDialog::markChanged);

    backgroundColourButton_->setSelectedColor(background());
}

void SettingsDialog::updateLang(const std::string& lang)
{
    const std::string l = lang;  // the dialog keeps its own copy
    lang_ = lang;
    setWindowTitle(localUiText(600, l));
    const std::pair<QWidget*, int> texts[] = {{mainSectionButton_, 602},
                                              {visualSectionButton_, 604},
                                              {compositionSectionButton_, 606},
                                              {accessSectionButton_, 608},
                                              {applyButton_, 610},
                                              {exitButton_, 612},
                                              {gridLinesCheck_, 634},
                                              {gridLineColourButton_, 636},
                                              {orthographicRadio_, 638},
                                              {perspectiveRadio_, 640},
                                              {turnNorthCheck_, 642},
                                              {backgroundCaption_, 644},
                                              {backgroundColourButton_, 646},
                                              {oneLayerRadio_, 648},
                                              {transparentLayersRadio_, 650},
                                              {sectionBackgroundCaption_, 652},
                                              {sectionLikeViewCheck_, 654},
                                              {sectionBackgroundButton_, 656},
                                              {cutWellsCheck_, 658},
                                              {labelPlaceCaption_, 660},
                                              {labelAtBottomHoleRadio_, 662},
                                              {labelAtWellTopRadio_, 664},
                                              {labelAtModelTopRadio_, 666},
                                              {labelAtModelBottomRadio_, 668},
                                              {labelShiftCaption_, 670},
                                              {bubbleSizeCaption_, 672},
                                              {bubbleTextSizeCaption_, 674},
                                              {monthYearDigitsRadio_, 676},
                                              {monthYearWordsRadio_, 678},
                                              {shiftXCaption_, 680},
                                              {shiftYCaption_, 682},
                                              {fullScreenCheck_, 692},
                                              {showAuthorLabelCheck_, 694}};
    for (const auto& [widget, base] : texts) widget->setProperty("text", localUiText(base, l));
    const std::pair<QGroupBox*, int> groups[] = {
        {gridGroup_, 614},    {twoDGroup_, 616},    {threeDGroup_, 618},     {layerGroup_, 620},
        {wellsGroup_, 622},   {sectionGroup_, 624}, {bubblesGroup_, 626},    {compositionGroup_, 628},
        {visualGroup_, 630},  {accessGroup_, 632},  {dateFormatGroup_, 684}, {coordinatesGroup_, 686},
        {startupGroup_, 688}, {authorGroup_, 690}};
    for (const auto& [box, base] : groups) box->setTitle(localUiText(base, l));
    undefinedGroup_->setTitle(QString::fromStdString(kUndefinedGroup.in(l)));
    undefinedCaption_->setText(QString::fromStdString(kUndefinedCaption.in(l)));
}

void SettingsDialog::showEvent(QShowEvent* event)
{
    loadStoredValues();
    QDialog::showEvent(event);
}

void SettingsDialog::loadStoredValues()
{
    loading_ = true;
    setFixedSize(kDialogWidth, kDialogHeight);
    for (QWidget* p : {mainPage_, visualPage_, compositionPage_, accessPage_}) p->move(kPanelPos);
    showSection(mainSectionButton_);

    gridLinesCheck_->setChecked(store_.readFlag(settings_key::grid_lines_enable));
    const bool ortho = store_.readFlag(settings_key::twod_ortho);
    orthographicRadio_->setChecked(ortho);
    perspectiveRadio_->setChecked(!ortho);
    const auto bg = readBackgroundColor(store_, {background_[0], background_[1], background_[2]});
    backgroundColourButton_->setSelectedColor(QColor(bg[0], bg[1], bg[2]));
    const bool one = store_.readFlag(settings_key::oneLayer);
    oneLayerRadio_->setChecked(one);
    transparentLayersRadio_->setChecked(!one);

    const BubbleFactors bubbles = loadBubbleFactors(store_, {bubbleSize_, bubbleTextSize_});
    bubbleSize_ = bubbles.size;
    bubbleTextSize_ = bubbles.text_size;
    bubbleSizeEdit_->setText(QString::fromStdString(store_.ReadAppSettings(settings_key::bubbleSize)));
    bubbleTextSizeEdit_->setText(QString::fromStdString(store_.ReadAppSettings(settings_key::bubbleTextSize)));

    fullScreenCheck_->setChecked(store_.readFlag(settings_key::fullscreen));
    authorLabelEdit_->setText(QString::fromStdString(store_.ReadAppSettings(settings_key::copy)));
    undefinedValuesEdit_->setText(QString::fromStdString(store_.ReadAppSettings(settings_key::undefinedValues)));
    loading_ = false;
    applyButton_->setEnabled(false);
}

void SettingsDialog::showSection(QPushButton* button)
{
    const std::pair<QPushButton*, QWidget*> sections[] = {{mainSectionButton_, mainPage_},
                                                          {visualSectionButton_, visualPage_},
                                                          {compositionSectionButton_, compositionPage_},
                                                          {accessSectionButton_, accessPage_}};
    for (const auto& [b, page] : sections) {
        b->setChecked(b == button);
        page->setVisible(b == button);
    }
}

void SettingsDialog::markChanged()
{
    if (!loading_) applyButton_->setEnabled(true);
}

void SettingsDialog::apply()
{
    applyButton_->setEnabled(false);
    bool saved = true;
    auto store = [&](const std::string& key, const std::string& value) {
        saved = store_.UpdateAppSettings(key, value) && saved;
    };
    store(settings_key::grid_lines_enable, boolText(gridLinesCheck_->isChecked()));
    store(settings_key::twod_ortho, boolText(orthographicRadio_->isChecked()));
    const QColor bg = backgroundColourButton_->selectedColor();
    store(settings_key::BackgroundColorR, std::to_string(bg.red()));
    store(settings_key::BackgroundColorG, std::to_string(bg.green()));
    store(settings_key::BackgroundColorB, std::to_string(bg.blue()));
    store(settings_key::oneLayer, boolText(oneLayerRadio_->isChecked()));

    // A bubble factor that does not parse is neither stored nor taken.
    const std::string size = decimalCommaText(bubbleSizeEdit_->text().toStdString());
    if (const auto v = parseDecimalText(size)) {
        bubbleSize_ = static_cast<float>(*v);
        store(settings_key::bubbleSize, size);
    }
    const std::string textSize = decimalCommaText(bubbleTextSizeEdit_->text().toStdString());
    if (const auto v = parseDecimalText(textSize)) {
        bubbleTextSize_ = static_cast<float>(*v);
        store(settings_key::bubbleTextSize, textSize);
    }

    store(settings_key::fullscreen, boolText(fullScreenCheck_->isChecked()));
    store(settings_key::copy, authorLabelEdit_->text().toStdString());
    // A list with a word that is no number is not stored: the user is told which word, and the list stays as it was.
    const MarkerListParse markers = parseMarkerList(undefinedValuesEdit_->text().toStdString());
    if (markers.badWord.empty()) {
        store(settings_key::undefinedValues, markerListText(markers.markers));
    } else {
        applyButton_->setEnabled(true);
        QMessageBox::warning(this, windowTitle(),
                             QString::fromStdString(fillText(kUndefinedNotANumber.in(lang_), {markers.badWord})));
    }

    if (!saved) {
        // Nothing is lost silently: the file keeps what it held, and Apply stays on to try again.
        applyButton_->setEnabled(true);
        QMessageBox::warning(
            this, windowTitle(),
            QString::fromStdString(fillText(kSettingsNotSaved.in(lang_), {store_.filePath().toStdString()})));
    }
}

void SettingsDialog::done(int result)
{
    emit closing();
    QDialog::done(result);
}

}  // namespace morvane
