#include "ui/dialogs/data_manager_dialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QTreeWidget>

#include "core/trace_text.h"
#include "platform/app_settings.h"
#include "platform/trace.h"
#include "ui/ui_text.h"

namespace morvane {

namespace {

// What a red row of the model page lacks and where to get it.
constexpr TextPair kNoGridTip{"No grid loaded: import one through Import -> Grid",
                              "Грид не загружен, загрузите через Импорт -> Грид"};
constexpr TextPair kNoPropertiesTip{"No properties loaded: import them through Import -> Properties",
                                    "Свойста не загружены, загрузите через Импорт -> Свойства"};
constexpr TextPair kNoZonesTip{"No zones made: use the form below", "Зоны не заданы, используйте форму ниже"};
constexpr TextPair kLoadProductionFile{"Load from file...", "Загрузить из файла..."};

// Beside every contact depth box: the one convention of depths, the command line's too.
constexpr TextPair kDepthUnit{"m below datum", "м ниже уровня отсчёта"};
constexpr TextPair kDepthTip{
    "Depth in metres below datum, positive down (2010 or 2010,5); an empty code row: no "
    "contact for that code",
    "Глубина в метрах ниже уровня отсчёта, вниз положительно (2010 или 2010,5); пустая строка "
    "кода: для этого кода контакта нет"};
constexpr TextPair kNoContactsTip{"No fluid contacts made: use the form below",
                                  "Флюидальные контакты не заданы, используйте форму ниже"};

constexpr QPoint kPagePos{226, 17};
constexpr QSize kPageSize{1024, 720};
const QColor kMissingBackground(211, 211, 211);

// Checked page buttons are dark with white text; the others light with black text.
const char* const kPageButtonStyle =
    "QPushButton { background: rgb(236,236,236); color: black; }"
    "QPushButton:checked { background: rgb(58,96,140); color: white; }";

template <typename W>
W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

}  // namespace

DataManagerDialog::DataManagerDialog(ModelState& state, SceneOperations* view, UserPrompts& prompts, bool gridLoaded,
                                     bool propLoaded, bool zonesAssigned, bool contactsAssigned, float model_x_max,
                                     float model_x_min, float model_y_max, float model_y_min, float model_z_max,
                                     float model_z_min, const std::vector<std::string>& propertyNameAll,
                                     const std::vector<int>& PROP_type, int ZCORN_K,
                                     const std::vector<std::string>& well_name, const std::vector<float>& oilProd,
                                     const std::vector<float>& waterProd, const std::vector<float>& gasProd,
                                     QWidget* parent)
    : QDialog(parent),
      state_(state),
      view_(view),
      prompts_(prompts),
      gridLoaded_(gridLoaded),
      propertiesLoaded_(propLoaded),
      zonesAssigned_(zonesAssigned),
      contactsAssigned_(contactsAssigned),
      extents_{model_x_max * kCoordScale, model_y_max * kCoordScale, model_z_max * kCoordScale,
               model_x_min * kCoordScale, model_y_min * kCoordScale, model_z_min * kCoordScale},
      layerCount_(ZCORN_K),
      propertyCount_(static_cast<int>(propertyNameAll.size()))
{
    setObjectName(QStringLiteral("dataManagerDialog"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(true);

    state_.well_name_form = well_name;
    state_.oilProdForm = oilProd;
    state_.waterProdForm = waterProd;
    state_.gasProdForm = gasProd;
    trace(trace_text::line("propNames = ", propertyNameAll.size()));
    trace(trace_text::line("PROP_type = ", PROP_type.size()));

    // The kind names follow the user's stored language, Russian unless it is English.
    typeNames_ = QStringList{QString()} + propertyTypeNames(appSettings().ReadAppSettings("Lang") == "en");

    loaded_ = loadedProperties(state_.document.properties);
    regions_ = regionChoices(loaded_);
    buildControls();
    buildModelPage(propertyNameAll, PROP_type);
    updateLang("en");
}

void DataManagerDialog::buildControls()
{
    setFixedSize(kPagePos.x() + kPageSize.width() + 14, kPagePos.y() + kPageSize.height() + 14);

    title_ = named(new QLabel(this), QStringLiteral("title"));
    QFont heading = title_->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.6);
    heading.setBold(true);
    title_->setFont(heading);
    title_->setGeometry(20, 17, 190, 30);
    subtitle_ = named(new QLabel(this), QStringLiteral("subtitle"));
    subtitle_->setGeometry(20, 47, 190, 22);

    auto pageButton = [this](const char* name, int row) {
        auto* b = named(new QPushButton(this), QString::fromLatin1(name));
        b->setCheckable(true);
        b->setStyleSheet(QString::fromLatin1(kPageButtonStyle));
        b->setGeometry(20, 90 + 60 * row, 160, 48);
        // Pressing a page button shows its page; pressing the shown one keeps it shown.
        connect(b, &QPushButton::pressed, this, [this, b] { showPage(b); });
        connect(b, &QPushButton::clicked, this, [b] { b->setChecked(true); });
        return b;
    };
    wellsPageButton_ = pageButton("wellsPageButton", 0);
    modelPageButton_ = pageButton("modelPageButton", 1);
    productionPageButton_ = pageButton("productionPageButton", 2);
    auto summaryIcon = [this](const char* name, int row) {
        auto* icon = named(new QLabel(this), QString::fromLatin1(name));
        icon->setGeometry(188, 90 + 60 * row + 14, 20, 20);
        setIcon(icon, StatusIcon::Error);
        return icon;
    };
    wellsSummaryIcon_ = summaryIcon("wellsSummaryIcon", 0);
    modelSummaryIcon_ = summaryIcon("modelSummaryIcon", 1);
    productionSummaryIcon_ = summaryIcon("productionSummaryIcon", 2);

    applyButton_ = named(new QPushButton(this), QStringLiteral("applyButton"));
    applyButton_->setGeometry(20, height() - 118, 160, 44);
    applyButton_->setEnabled(false);
    connect(applyButton_, &QPushButton::clicked, this, &DataManagerDialog::apply);
    exitButton_ = named(new QPushButton(this), QStringLiteral("exitButton"));
    exitButton_->setGeometry(20, height() - 64, 160, 44);
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::close);

    wellsPage_ = named(new QWidget(this), QStringLiteral("wellsPage"));
    wellsPage_->setGeometry(QRect(kPagePos, kPageSize));
    modelPageArea_ = named(new QScrollArea(this), QStringLiteral("modelPageArea"));
    modelPageArea_->setGeometry(QRect(kPagePos, kPageSize));
    modelPageArea_->setFrameShape(QFrame::NoFrame);
    modelPage_ = named(new QWidget, QStringLiteral("modelPage"));
    productionPage_ = named(new QWidget(this), QStringLiteral("productionPage"));
    productionPage_->setGeometry(QRect(kPagePos, kPageSize));

    buildStatusRows();

    wellList_ = named(new QTreeWidget(wellsPage_), QStringLiteral("wellList"));
    wellList_->setHeaderHidden(true);
    wellList_->setGeometry(10, 50, 400, 600);

    buildProductionPage();
}

DataManagerDialog::StatusRow DataManagerDialog::makeStatusRow(QWidget* page, const char* name, int x, int y)
{
    const QString base = QString::fromLatin1(name);
    StatusRow row;
    row.icon = named(new QLabel(page), base + QStringLiteral("Icon"));
    row.icon->setGeometry(x, y + 4, 16, 16);
    row.background = named(new QFrame(page), base + QStringLiteral("Row"));
    row.background->setGeometry(x + 22, y, 150, 24);
    row.background->setAutoFillBackground(true);
    row.label = named(new QLabel(row.background), base + QStringLiteral("Label"));
    row.label->setGeometry(6, 2, 140, 20);
    setRowMissing(row);
    return row;
}

void DataManagerDialog::buildStatusRows()
{
    // Wells page: pads, wells, type, completions. Model page: grid, properties, zones, contacts.
    padsRow_ = makeStatusRow(wellsPage_, "pads", 10, 10);
    wellsRow_ = makeStatusRow(wellsPage_, "wells", 195, 10);
    typeRow_ = makeStatusRow(wellsPage_, "wellType", 380, 10);
    completionsRow_ = makeStatusRow(wellsPage_, "completions", 565, 10);

    gridRow_ = makeStatusRow(modelPage_, "grid", 10, 10);
    propertiesRow_ = makeStatusRow(modelPage_, "properties", 195, 10);
    zonesRow_ = makeStatusRow(modelPage_, "zones", 380, 10);
    contactsRow_ = makeStatusRow(modelPage_, "contacts", 565, 10);
    const std::string lang = appSettings().ReadAppSettings("Lang") == "en" ? "en" : "ru";
    gridRow_.missingTip = QString::fromStdString(kNoGridTip.in(lang));
    propertiesRow_.missingTip = QString::fromStdString(kNoPropertiesTip.in(lang));
    zonesRow_.missingTip = QString::fromStdString(kNoZonesTip.in(lang));
    contactsRow_.missingTip = QString::fromStdString(kNoContactsTip.in(lang));
    for (StatusRow* row : {&gridRow_, &propertiesRow_, &zonesRow_, &contactsRow_}) setRowMissing(*row);
}

void DataManagerDialog::updateLang(const std::string& lang)
{
    lang_ = lang;
    auto text = [this](int base) { return localUiText(base, lang_); };
    setWindowTitle(text(700));
    title_->setText(text(702));
    subtitle_->setText(text(704));
    wellsPageButton_->setText(text(706));
    modelPageButton_->setText(text(708));
    productionPageButton_->setText(text(710));
    applyButton_->setText(text(712));
    exitButton_->setText(text(714));
    padsRow_.label->setText(text(716));
    wellsRow_.label->setText(text(718));
    typeRow_.label->setText(text(720));
    completionsRow_.label->setText(text(722));
    gridRow_.label->setText(text(724));
    propertiesRow_.label->setText(text(726));
    zonesRow_.label->setText(text(728));
    contactsRow_.label->setText(text(730));
    extentsGroup_->setTitle(text(732));
    zonesGroup_->setTitle(text(734));
    typesGroup_->setTitle(text(736));
    contactsGroup_->setTitle(text(738));
    addZoneButton_->setText(text(740));
    goc_.check->setText(text(742));
    owc_.check->setText(text(744));
    goc_.uniform->setText(text(746));
    owc_.uniform->setText(text(746));
    goc_.region->setText(text(748));
    owc_.region->setText(text(748));
    for (ContactControls* c : {&owc_, &goc_}) {
        c->depthUnit->setText(QString::fromStdString(kDepthUnit.in(lang_)));
        c->depth->setToolTip(QString::fromStdString(kDepthTip.in(lang_)));
        for (const CodeRow& row : c->rows) row.depth->setToolTip(c->depth->toolTip());
    }
    productionGroup_->setTitle(text(750));
    productionFileButton_->setText(QString::fromStdString(kLoadProductionFile.in(lang_)));
    injectionGroup_->setTitle(text(752));
    productionTable_->setHeaders({text(754), text(756), text(758), text(760)});
    const std::pair<StatusRow*, TextPair> tips[] = {{&gridRow_, kNoGridTip},
                                                    {&propertiesRow_, kNoPropertiesTip},
                                                    {&zonesRow_, kNoZonesTip},
                                                    {&contactsRow_, kNoContactsTip}};
    for (const auto& [row, tip] : tips) {
        const bool shown = !row->icon->toolTip().isEmpty();  // only a missing row carries its tip
        row->missingTip = QString::fromStdString(tip.in(lang_));
        if (shown)
            for (QWidget* w : {static_cast<QWidget*>(row->icon), static_cast<QWidget*>(row->background),
                               static_cast<QWidget*>(row->label)})
                w->setToolTip(row->missingTip);
    }
}

void DataManagerDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        loadModelValues();
    }
}

void DataManagerDialog::loadModelValues()
{
    loading_ = true;
    showPage(firstPage_ ? firstPage_ : wellsPageButton_);

    if (!state_.document.zones.items.empty()) {
        fillZones();
        zonesAssigned_ = true;
    }
    if (!state_.document.wells.empty()) {
        wellsLoaded_ = true;
        for (const Well& well : state_.document.wells.items)
            wellList_->addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromStdString(well.name)}));
        setRowOK(wellsRow_);
    }
    showStoredContact(owc_);
    showStoredContact(goc_);
    if (state_.document.contacts.owc.set || state_.document.contacts.goc.set) contactsAssigned_ = true;

    if (gridLoaded_) {
        setRowOK(gridRow_);
        for (int n = 0; n < 6; ++n) extentValues_[n]->setText(QString::number(double(extents_[n])));
    }
    if (propertiesLoaded_) {
        setRowOK(propertiesRow_);
        addZoneButton_->setEnabled(true);
    }
    if (zonesAssigned_) setRowOK(zonesRow_);
    if (contactsAssigned_) setRowOK(contactsRow_);

    showWellsCompleteness();
    showModelCompleteness();
    trace(trace_text::line("well_name_form.size() = ", state_.well_name_form.size()));
    fillProductionTable();
    changed_ = false;
    updateApplyButton();
    loading_ = false;
}

void DataManagerDialog::setIcon(QLabel* label, StatusIcon icon)
{
    label->setPixmap(statusIcon(icon, 16));
    label->setProperty("statusIcon", static_cast<int>(icon));
}

void DataManagerDialog::setRowOK(StatusRow& row)
{
    QPalette palette = row.background->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    row.background->setPalette(palette);
    row.label->setPalette(palette);
    setIcon(row.icon, StatusIcon::OK);
    for (QWidget* w :
         {static_cast<QWidget*>(row.icon), static_cast<QWidget*>(row.background), static_cast<QWidget*>(row.label)})
        w->setToolTip(QString());
}

void DataManagerDialog::setRowMissing(StatusRow& row)
{
    QPalette palette = row.background->palette();
    palette.setColor(QPalette::Window, kMissingBackground);
    palette.setColor(QPalette::WindowText, Qt::black);
    row.background->setPalette(palette);
    row.label->setPalette(palette);
    setIcon(row.icon, StatusIcon::Error);
    for (QWidget* w :
         {static_cast<QWidget*>(row.icon), static_cast<QWidget*>(row.background), static_cast<QWidget*>(row.label)})
        w->setToolTip(row.missingTip);
}

void DataManagerDialog::showModelCompleteness()
{
    if (gridLoaded_) trace("gridLoaded_form");
    if (propertiesLoaded_) trace("propLoaded_form");
    if (zonesAssigned_) trace("zonesAssigned_form");
    if (contactsAssigned_)
        setRowOK(contactsRow_);
    else
        setRowMissing(contactsRow_);
    const int present = int(gridLoaded_) + int(propertiesLoaded_) + int(zonesAssigned_) + int(contactsAssigned_);
    if (present == 4)
        setIcon(modelSummaryIcon_, StatusIcon::OK);
    else if (present > 0)
        setIcon(modelSummaryIcon_, StatusIcon::Attention);
}

void DataManagerDialog::showWellsCompleteness()
{
    const int present = int(padsAssigned_) + int(wellsLoaded_) + int(wellTypesAssigned_) + int(completionsLoaded_);
    if (present == 4)
        setIcon(wellsSummaryIcon_, StatusIcon::OK);
    else if (present > 0)
        setIcon(wellsSummaryIcon_, StatusIcon::Attention);
}

void DataManagerDialog::keyPressEvent(QKeyEvent* event)
{
    // A dialog presses its default button on Enter, and the first page button would be taken for it.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DataManagerDialog::showPage(QPushButton* pageButton)
{
    const std::pair<QPushButton*, QWidget*> pages[3] = {
        {wellsPageButton_, wellsPage_}, {modelPageButton_, modelPageArea_}, {productionPageButton_, productionPage_}};
    for (const auto& [button, page] : pages) {
        button->setChecked(button == pageButton);
        page->setVisible(button == pageButton);
    }
}

// ---- Apply ----

void DataManagerDialog::markChanged()
{
    changed_ = true;
    updateApplyButton();
}

void DataManagerDialog::updateApplyButton()
{
    const std::vector<ZoneRow> rows = zoneRows();
    ApplyGate gate;
    gate.changed = changed_;
    gate.codeRowsReadable = codeRowsReadable(owc_) && codeRowsReadable(goc_);
    gate.zoneCount = static_cast<int>(rows.size());
    gate.zoneFailures = zoneCheckFailures(rows);
    applyButton_->setEnabled(applyEnabled(gate));
}

void DataManagerDialog::apply()
{
    // 1. Property types, one code per property row.
    chosenTypes_.clear();
    for (const QComboBox* list : typeLists_) chosenTypes_.push_back(std::max(list->currentIndex(), 0));
    applied_ = true;

    // 2. Zones.
    if (zonesValid_) {
        setRowOK(zonesRow_);
        storeZones(zoneRows(), state_.document.zones);
        zonesAssigned_ = true;
    } else {
        zonesAssigned_ = false;
    }

    // 3. Contacts.
    changeContacts();
    uploadContacts();
    showModelCompleteness();
    showWellsCompleteness();

    // 4. Production.
    applyProduction();
    changed_ = false;
    updateApplyButton();
}

}  // namespace morvane
