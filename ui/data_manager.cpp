#include "ui/data_manager.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
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
constexpr TextPair kNoContactsTip{"No fluid contacts made: use the form below",
                                  "Флюидальные контакты не заданы, используйте форму ниже"};

constexpr QPoint kPagePos{226, 17};
constexpr QSize kPageSize{1024, 720};
const QColor kMissingBackground(211, 211, 211);
const QColor kUnreadableRow(255, 179, 179);

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

QFont rowFont()
{
    QFont font(QStringLiteral("Microsoft Sans Serif"));
    font.setPointSizeF(9.75);
    return font;
}

// The contact trace lines go to the trace channel; the dialog reports nothing else through it.
class TraceOnly final : public Feedback {
public:
    void setStatus(const std::string&) override {}
    void setProgress(int) override {}
    int progress() const override { return 0; }
    void appendLog(const std::string&, LogColour) override {}
    void trace(const std::string& line) override { morvane::trace(line); }
};

void fillLayers(QComboBox* list, int from, int to)
{
    list->clear();
    for (int k = from; k <= to; ++k) list->addItem(QString::number(k));
}

int chosenLayer(const QComboBox* list)
{
    if (!list || list->currentIndex() < 0) return 0;
    bool ok = false;
    const int layer = list->currentText().toInt(&ok);
    return ok ? layer : 0;
}

}  // namespace

Data_manager::Data_manager(ModelState& state, SceneOperations* view, UserPrompts& prompts, bool gridLoaded,
                           bool propLoaded, bool zonesAssigned, bool contactsAssigned, float model_x_max,
                           float model_x_min, float model_y_max, float model_y_min, float model_z_max,
                           float model_z_min, const std::vector<std::string>& propertyNameAll,
                           const std::vector<int>& PROP_type, int ZCORN_K, const std::vector<std::string>& well_name,
                           const std::vector<float>& oilProd, const std::vector<float>& waterProd,
                           const std::vector<float>& gasProd, QWidget* parent)
    : QDialog(parent),
      gridLoaded_form(gridLoaded),
      propLoaded_form(propLoaded),
      zonesAssigned_form(zonesAssigned),
      contactsAssigned_form(contactsAssigned),
      max_x_form(model_x_max * kCoordScale),
      min_x_form(model_x_min * kCoordScale),
      max_y_form(model_y_max * kCoordScale),
      min_y_form(model_y_min * kCoordScale),
      max_z_form(model_z_max * kCoordScale),
      min_z_form(model_z_min * kCoordScale),
      zcorn_k_form(ZCORN_K),
      count(static_cast<int>(propertyNameAll.size())),
      state_(state),
      view_(view),
      prompts_(prompts)
{
    setObjectName(QStringLiteral("DataManager"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(true);

    state_.well_name_form = well_name;
    state_.oilProdForm = oilProd;
    state_.waterProdForm = waterProd;
    state_.gasProdForm = gasProd;
    state_.PROP_types.clear();
    trace(trace_text::line("propNames = ", propertyNameAll.size()));
    trace(trace_text::line("PROP_type = ", PROP_type.size()));

    // The kind names follow the user's stored language, Russian unless it is English.
    const QStringList names = propertyTypeNames(appSettings().ReadAppSettings("Lang") == "en");
    for (auto [field, code] : {std::pair{&propListLith, 1},
                               {&propListFacies, 2},
                               {&propListNTG, 3},
                               {&propListPoro, 4},
                               {&propListPerm, 5},
                               {&propListSw, 6},
                               {&propListRegions, 7},
                               {&propListDisc, 8},
                               {&propListCont, 9}})
        *field = names[code - 1];

    loaded_ = loadedProperties(state_);
    regions_ = regionChoices(loaded_);
    buildControls();
    buildModelPage(propertyNameAll, PROP_type);
    updateLang("en");
}

void Data_manager::buildControls()
{
    setFixedSize(kPagePos.x() + kPageSize.width() + 14, kPagePos.y() + kPageSize.height() + 14);

    label1 = named(new QLabel(this), QStringLiteral("label1"));
    QFont heading = label1->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.6);
    heading.setBold(true);
    label1->setFont(heading);
    label1->setGeometry(20, 17, 190, 30);
    label2 = named(new QLabel(this), QStringLiteral("label2"));
    label2->setGeometry(20, 47, 190, 22);

    auto pageButton = [this](const char* name, int row) {
        auto* b = named(new QPushButton(this), QString::fromLatin1(name));
        b->setCheckable(true);
        b->setStyleSheet(QString::fromLatin1(kPageButtonStyle));
        b->setGeometry(20, 90 + 60 * row, 160, 48);
        // Pressing a page button shows its page; pressing the shown one keeps it shown.
        connect(b, &QPushButton::pressed, this, [this, b] { checkBox_MouseDown(b); });
        connect(b, &QPushButton::clicked, this, [b] { b->setChecked(true); });
        return b;
    };
    checkBox1 = pageButton("checkBox1", 0);
    checkBox2 = pageButton("checkBox2", 1);
    checkBox3 = pageButton("checkBox3", 2);
    auto summaryIcon = [this](const char* name, int row) {
        auto* icon = named(new QLabel(this), QString::fromLatin1(name));
        icon->setGeometry(188, 90 + 60 * row + 14, 20, 20);
        setIcon(icon, StatusIcon::Error);
        return icon;
    };
    panel15 = summaryIcon("panel15", 0);
    panel16 = summaryIcon("panel16", 1);
    panel17 = summaryIcon("panel17", 2);

    applyButton = named(new QPushButton(this), QStringLiteral("applyButton"));
    applyButton->setGeometry(20, height() - 118, 160, 44);
    applyButton->setEnabled(false);
    connect(applyButton, &QPushButton::clicked, this, &Data_manager::applyButton_Click);
    kryptonButton1 = named(new QPushButton(this), QStringLiteral("kryptonButton1"));
    kryptonButton1->setGeometry(20, height() - 64, 160, 44);
    connect(kryptonButton1, &QPushButton::clicked, this, &QDialog::close);

    panel1 = named(new QWidget(this), QStringLiteral("panel1"));
    panel1->setGeometry(QRect(kPagePos, kPageSize));
    panel2 = named(new QScrollArea(this), QStringLiteral("panel2"));
    panel2->setGeometry(QRect(kPagePos, kPageSize));
    panel2->setFrameShape(QFrame::NoFrame);
    modelPage_ = named(new QWidget, QStringLiteral("modelPage"));
    panel3 = named(new QWidget(this), QStringLiteral("panel3"));
    panel3->setGeometry(QRect(kPagePos, kPageSize));

    buildStatusRows();

    wells_treeView = named(new QTreeWidget(panel1), QStringLiteral("wells_treeView"));
    wells_treeView->setHeaderHidden(true);
    wells_treeView->setGeometry(10, 50, 400, 600);

    groupBox12 = named(new QGroupBox(panel3), QStringLiteral("groupBox12"));
    groupBox12->setGeometry(10, 10, 600, 450);
    kryptonDataGridView1 = new ProductionTable(groupBox12);
    kryptonDataGridView1->setGeometry(10, 25, 580, 60);
    connect(kryptonDataGridView1, &ProductionTable::edited, this, &Data_manager::productionEdited);
    connect(kryptonDataGridView1, &ProductionTable::pasteRefused, this, [this](const QString& line) {
        trace(line.toStdString());
        if (view_) view_->AppendRichText(line.toStdString(), log_colour::Red, true);
    });
    groupBox10 = named(new QGroupBox(panel3), QStringLiteral("groupBox10"));
    groupBox10->setGeometry(10, 470, 600, 160);
}

Data_manager::StatusRow Data_manager::makeStatusRow(QWidget* page, const char* backgroundName, const char* iconName,
                                                    const char* labelName, int x, int y)
{
    StatusRow row;
    row.icon = named(new QLabel(page), QString::fromLatin1(iconName));
    row.icon->setGeometry(x, y + 4, 16, 16);
    row.background = named(new QFrame(page), QString::fromLatin1(backgroundName));
    row.background->setGeometry(x + 22, y, 150, 24);
    row.background->setAutoFillBackground(true);
    row.label = named(new QLabel(row.background), QString::fromLatin1(labelName));
    row.label->setGeometry(6, 2, 140, 20);
    setRowMissing(row);
    return row;
}

void Data_manager::buildStatusRows()
{
    // Wells page: pads, wells, type, completions. Model page: grid, properties, zones, contacts.
    padsRow_ = makeStatusRow(panel1, "panel24", "panel28", "label10", 10, 10);
    wellsRow_ = makeStatusRow(panel1, "panel23", "panel27", "label9", 195, 10);
    typeRow_ = makeStatusRow(panel1, "panel25", "panel29", "label8", 380, 10);
    completionsRow_ = makeStatusRow(panel1, "panel26", "panel30", "label7", 565, 10);

    gridRow_ = makeStatusRow(modelPage_, "panel8", "panel4", "label3", 10, 10);
    propertiesRow_ = makeStatusRow(modelPage_, "panel9", "panel5", "label4", 195, 10);
    zonesRow_ = makeStatusRow(modelPage_, "panel10", "panel6", "label5", 380, 10);
    contactsRow_ = makeStatusRow(modelPage_, "panel11", "panel7", "label6", 565, 10);
    const std::string lang = appSettings().ReadAppSettings("Lang") == "en" ? "en" : "ru";
    gridRow_.missingTip = QString::fromStdString(kNoGridTip.in(lang));
    propertiesRow_.missingTip = QString::fromStdString(kNoPropertiesTip.in(lang));
    zonesRow_.missingTip = QString::fromStdString(kNoZonesTip.in(lang));
    contactsRow_.missingTip = QString::fromStdString(kNoContactsTip.in(lang));
    for (StatusRow* row : {&gridRow_, &propertiesRow_, &zonesRow_, &contactsRow_}) setRowMissing(*row);
    label10 = padsRow_.label;
    label9 = wellsRow_.label;
    label8 = typeRow_.label;
    label7 = completionsRow_.label;
    label3 = gridRow_.label;
    label4 = propertiesRow_.label;
    label5 = zonesRow_.label;
    label6 = contactsRow_.label;
}

void Data_manager::buildModelPage(const std::vector<std::string>& names, const std::vector<int>& types)
{
    // Grid extents.
    groupBox6 = named(new QGroupBox(modelPage_), QStringLiteral("groupBox6"));
    groupBox6->setGeometry(10, 50, 300, 130);
    auto* extents = new QGridLayout(groupBox6);
    const char* captions[6] = {"Maximum X", "Maximum Y", "Maximum Z", "Minimum X", "Minimum Y", "Minimum Z"};
    for (int n = 0; n < 6; ++n) {
        extents->addWidget(new QLabel(QString::fromLatin1(captions[n]), groupBox6), n % 3, (n / 3) * 2);
        extentValues_[n] =
            named(new QLabel(QStringLiteral("-"), groupBox6), QStringLiteral("extent") + QString::number(n));
        extents->addWidget(extentValues_[n], n % 3, (n / 3) * 2 + 1);
    }

    // Property types: one row per property, its name and its type list.
    groupBox5 = named(new QGroupBox(modelPage_), QStringLiteral("groupBox5"));
    const QStringList kinds{QString(),    propListLith, propListFacies,  propListNTG,  propListPoro,
                            propListPerm, propListSw,   propListRegions, propListDisc, propListCont};
    int right = 520;
    for (int i = 0; i < count; ++i) {
        const int y = 45 + 30 * i;
        auto* label = new QLabel(QString::fromStdString(names[static_cast<std::size_t>(i)]), groupBox5);
        label->setFont(rowFont());
        label->move(25, y);
        label->adjustSize();
        auto* list = named(new QComboBox(groupBox5), QStringLiteral("prop") + QString::number(i));
        list->addItems(kinds);
        const std::size_t entry = static_cast<std::size_t>(i) + 1;
        const int code = entry < types.size() ? types[entry] : 0;
        list->setCurrentIndex(code >= 0 && code < TYPE_CODE_COUNT ? code : 0);
        // Long property names push the lists to the right instead of covering them.
        list->setGeometry(std::max(185, label->x() + label->width() + 10), y, 200, 25);
        right = std::max(right, list->x() + list->width() + 15);
        connect(list, &QComboBox::currentIndexChanged, this, [this, list] { propList_SelectedIndexChanged(list); });
        typeLists_.push_back(list);
    }
    groupBox5->setGeometry(10, 475, right, std::max(90, 45 + 30 * count + 10));

    // Zones.
    zonesBox = named(new QGroupBox(modelPage_), QStringLiteral("zonesBox"));
    zonesBox->setGeometry(10, 190, 520, 45 + 30 * MAX_ZONES + 50);
    addNewZone = named(new QPushButton(zonesBox), QStringLiteral("addNewZone"));
    addNewZone->setGeometry(7, 32, 150, 25);
    addNewZone->setEnabled(false);
    connect(addNewZone, &QPushButton::clicked, this, &Data_manager::button1_Click);
    deleteBtn = named(new QPushButton(QStringLiteral("✕"), zonesBox), QStringLiteral("deleteBtn"));
    deleteBtn->setGeometry(125, 45, 32, 25);
    deleteBtn->hide();
    connect(deleteBtn, &QPushButton::clicked, this, &Data_manager::deleteBtn_Click);

    // Contacts.
    groupBox2 = named(new QGroupBox(modelPage_), QStringLiteral("groupBox2"));
    groupBox2->move(540, 50);
    owc_.kind = ContactKind::OWC;
    owc_.rowPrefix = "owc";
    goc_.kind = ContactKind::GOC;
    goc_.rowPrefix = "goc";
    buildContactBox(owc_, "OWC_Box", groupBox2, 10);
    buildContactBox(goc_, "GOC_Box", groupBox2, 235);
    checkBox_OWC = owc_.check;
    uniformOWC_radio = owc_.uniform;
    regionOWC_radio = owc_.region;
    OWC_textBox = owc_.depth;
    OWC_region_list = owc_.regionList;
    OWC_Box = owc_.box;
    checkBox_GOC = goc_.check;
    uniformGOC_radio = goc_.uniform;
    regionGOC_radio = goc_.region;
    GOC_textBox = goc_.depth;
    GOC_region_list = goc_.regionList;
    GOC_Box = goc_.box;

    panel2->setWidget(modelPage_);
    fitModelPage();
}

void Data_manager::buildContactBox(ContactControls& c, const char* boxName, QWidget* parent, int x)
{
    const QString prefix = c.kind == ContactKind::OWC ? QStringLiteral("OWC") : QStringLiteral("GOC");
    c.box = named(new QGroupBox(parent), QString::fromLatin1(boxName));
    c.box->move(x, 25);
    c.check = named(new QCheckBox(c.box), QStringLiteral("checkBox_") + prefix);
    c.check->setGeometry(10, 20, 200, 22);
    c.uniform = named(new QRadioButton(c.box), QStringLiteral("uniform") + prefix + QStringLiteral("_radio"));
    c.uniform->setGeometry(10, 45, 95, 22);
    c.uniform->setChecked(true);
    c.uniform->setEnabled(false);
    c.region = named(new QRadioButton(c.box), QStringLiteral("region") + prefix + QStringLiteral("_radio"));
    c.region->setGeometry(100, 45, 115, 22);
    c.region->setEnabled(false);
    c.depth = named(new QLineEdit(QStringLiteral("0"), c.box), prefix + QStringLiteral("_textBox"));
    c.depth->setGeometry(10, 70, 200, 23);
    c.depth->setEnabled(false);
    c.regionList = named(new QComboBox(c.box), prefix + QStringLiteral("_region_list"));
    c.regionList->setGeometry(10, 70, 200, 23);
    for (const RegionChoice& region : regions_) c.regionList->addItem(QString::fromStdString(region.name));
    c.regionList->setCurrentIndex(-1);
    c.regionList->hide();
    fitContactBox(c);

    connect(c.check, &QCheckBox::toggled, this, [this, &c] { contactCheckChanged(c); });
    connect(c.uniform, &QRadioButton::toggled, this, [this, &c] { uniformRadioChanged(c); });
    connect(c.regionList, &QComboBox::currentIndexChanged, this, [this, &c] { regionListChanged(c); });
    connect(c.depth, &QLineEdit::textEdited, this, [this] { markChanged(); });
}

void Data_manager::fitContactBox(ContactControls& c)
{
    const int rows = static_cast<int>(c.rows.size());
    c.box->resize(220, std::max(110, 100 + 28 * rows + 10));
    const int tallest = std::max(owc_.box ? owc_.box->height() : 0, goc_.box ? goc_.box->height() : 0);
    groupBox2->resize(465, 25 + tallest + 10);
    fitModelPage();
}

void Data_manager::fitModelPage()
{
    if (!modelPage_) return;
    modelPage_->resize(modelPage_->childrenRect().bottomRight().x() + 8,
                       modelPage_->childrenRect().bottomRight().y() + 8);
}

void Data_manager::updateLang(const std::string& lang)
{
    Lang = lang;
    auto text = [this](int base) { return localUiText(base, Lang); };
    setWindowTitle(text(700));
    label1->setText(text(702));
    label2->setText(text(704));
    checkBox1->setText(text(706));
    checkBox2->setText(text(708));
    checkBox3->setText(text(710));
    applyButton->setText(text(712));
    kryptonButton1->setText(text(714));
    label10->setText(text(716));
    label9->setText(text(718));
    label8->setText(text(720));
    label7->setText(text(722));
    label3->setText(text(724));
    label4->setText(text(726));
    label5->setText(text(728));
    label6->setText(text(730));
    groupBox6->setTitle(text(732));
    zonesBox->setTitle(text(734));
    groupBox5->setTitle(text(736));
    groupBox2->setTitle(text(738));
    addNewZone->setText(text(740));
    checkBox_GOC->setText(text(742));
    checkBox_OWC->setText(text(744));
    uniformGOC_radio->setText(text(746));
    uniformOWC_radio->setText(text(746));
    regionGOC_radio->setText(text(748));
    regionOWC_radio->setText(text(748));
    groupBox12->setTitle(text(750));
    groupBox10->setTitle(text(752));
    productionHeaders = {text(754), text(756), text(758), text(760)};
    kryptonDataGridView1->setHeaders(productionHeaders);
    const std::pair<StatusRow*, TextPair> tips[] = {{&gridRow_, kNoGridTip},
                                                    {&propertiesRow_, kNoPropertiesTip},
                                                    {&zonesRow_, kNoZonesTip},
                                                    {&contactsRow_, kNoContactsTip}};
    for (const auto& [row, tip] : tips) {
        const bool shown = !row->icon->toolTip().isEmpty();  // only a missing row carries its tip
        row->missingTip = QString::fromStdString(tip.in(Lang));
        if (shown)
            for (QWidget* w : {static_cast<QWidget*>(row->icon), static_cast<QWidget*>(row->background),
                               static_cast<QWidget*>(row->label)})
                w->setToolTip(row->missingTip);
    }
}

void Data_manager::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!loaded_once_) {
        loaded_once_ = true;
        Datamanager_Load();
    }
}

void Data_manager::Datamanager_Load()
{
    just_loaded = true;
    showPage(checkBox1);

    if (state_.ZONE_count > 0) {
        fillZones();
        zonesAssigned_form = true;
    }
    if (state_.wellLoaded) {
        wellsLoaded_form = true;
        for (const std::string& name : state_.well_name)
            wells_treeView->addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromStdString(name)}));
        setRowOK(wellsRow_);
    }
    showStoredContact(owc_);
    showStoredContact(goc_);
    if (state_.OWC_set || state_.GOC_set) contactsAssigned_form = true;

    if (gridLoaded_form) {
        setRowOK(gridRow_);
        const float values[6] = {max_x_form, max_y_form, max_z_form, min_x_form, min_y_form, min_z_form};
        for (int n = 0; n < 6; ++n) extentValues_[n]->setText(QString::number(double(values[n])));
    }
    if (propLoaded_form) {
        setRowOK(propertiesRow_);
        addNewZone->setEnabled(true);
    }
    if (zonesAssigned_form) setRowOK(zonesRow_);
    if (contactsAssigned_form) setRowOK(contactsRow_);

    checkWellAssigned();
    checkModelAssigned();
    trace(trace_text::line("well_name_form.size() = ", state_.well_name_form.size()));
    fillProductionTable();
    changed_ = false;
    updateApplyButton();
    just_loaded = false;
}

void Data_manager::setIcon(QLabel* label, StatusIcon icon)
{
    label->setPixmap(statusIcon(icon, 16));
    label->setProperty("statusIcon", static_cast<int>(icon));
}

void Data_manager::setRowOK(StatusRow& row)
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

void Data_manager::setRowMissing(StatusRow& row)
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

void Data_manager::checkModelAssigned()
{
    if (gridLoaded_form) trace("gridLoaded_form");
    if (propLoaded_form) trace("propLoaded_form");
    if (zonesAssigned_form) trace("zonesAssigned_form");
    if (contactsAssigned_form)
        setRowOK(contactsRow_);
    else
        setRowMissing(contactsRow_);
    const int present =
        int(gridLoaded_form) + int(propLoaded_form) + int(zonesAssigned_form) + int(contactsAssigned_form);
    if (present == 4)
        setIcon(panel16, StatusIcon::OK);
    else if (present > 0)
        setIcon(panel16, StatusIcon::Attention);
}

void Data_manager::checkWellAssigned()
{
    const int present =
        int(padsAssigned_form) + int(wellsLoaded_form) + int(wellTypeAssigned_form) + int(completionsLoaded_form);
    if (present == 4)
        setIcon(panel15, StatusIcon::OK);
    else if (present > 0)
        setIcon(panel15, StatusIcon::Attention);
}

void Data_manager::checkBox_MouseDown(QAbstractButton* pageButton) { showPage(static_cast<QPushButton*>(pageButton)); }

void Data_manager::showPage(QPushButton* pageButton)
{
    const std::pair<QPushButton*, QWidget*> pages[3] = {{checkBox1, panel1}, {checkBox2, panel2}, {checkBox3, panel3}};
    for (const auto& [button, page] : pages) {
        button->setChecked(button == pageButton);
        page->setVisible(button == pageButton);
    }
}

void Data_manager::propList_SelectedIndexChanged(QComboBox* list)
{
    const int row = list->objectName().mid(4).toInt();
    if (row < 0 || static_cast<std::size_t>(row) >= loaded_.size()) return;
    const LoadedProperty& property = loaded_[static_cast<std::size_t>(row)];
    const int chosen = list->currentIndex();
    const int kept = acceptedTypeChoice(property.discrete, property.typeCode, chosen);
    if (kept != chosen) {
        const QSignalBlocker block(list);
        list->setCurrentIndex(kept >= 0 && kept < TYPE_CODE_COUNT ? kept : 0);
    }
    markChanged();
}

// ---- Zones ----

Data_manager::ZoneWidgets Data_manager::addZoneWidgets(int n, int y)
{
    ZoneWidgets z;
    z.name = named(new QLineEdit(zonesBox), QStringLiteral("textbox") + QString::number(n));
    z.name->setGeometry(165, y, 120, 25);
    z.start = named(new QComboBox(zonesBox), QStringLiteral("start") + QString::number(n));
    z.start->setGeometry(295, y, 100, 25);
    z.end = named(new QComboBox(zonesBox), QStringLiteral("end") + QString::number(n));
    z.end->setGeometry(400, y, 100, 25);
    for (QWidget* w : {static_cast<QWidget*>(z.name), static_cast<QWidget*>(z.start), static_cast<QWidget*>(z.end)})
        w->show();
    connect(z.name, &QLineEdit::textChanged, this, &Data_manager::checkAllComboBoxes);
    connect(z.start, &QComboBox::currentIndexChanged, this, &Data_manager::checkAllComboBoxes);
    connect(z.end, &QComboBox::currentIndexChanged, this, &Data_manager::checkAllComboBoxes);
    return z;
}

void Data_manager::fillZones()
{
    const int stored = std::clamp(state_.ZONE_count, 0, MAX_ZONES);
    for (int n = 1; n <= stored; ++n) {
        const int y = 45 + 30 * (n - 1);
        ZoneWidgets z = addZoneWidgets(n, y);
        z.name->setText(QString::fromStdString(state_.ZONE_names[static_cast<std::size_t>(n - 1)]));
        fillLayers(z.start, 1, zcorn_k_form);
        fillLayers(z.end, 1, zcorn_k_form);
        addNewZone->move(7, y + 32);
        deleteBtn->move(125, y);
        deleteBtn->show();
        zones_.push_back(z);
    }
    zones_count = stored;
    for (int n = 1; n <= stored; ++n) {
        ZoneWidgets& z = zones_[static_cast<std::size_t>(n - 1)];
        z.start->setCurrentIndex(state_.ZONE_start[static_cast<std::size_t>(n - 1)] - 1);
        if (n == 1) z.start->setEnabled(false);
        if (n < stored) {
            z.end->setCurrentIndex(state_.ZONE_start[static_cast<std::size_t>(n)] - 2);
        } else {
            z.end->setCurrentIndex(z.end->count() - 1);
            z.end->setEnabled(false);
        }
    }
    checkAllComboBoxes();
}

void Data_manager::button1_Click()
{
    if (zones_count >= MAX_ZONES) return;
    const int n = zones_count + 1;
    addNewZone->move(7, 30 * (n - 1) + 77);
    deleteBtn->move(125, 30 * (n - 1) + 45);
    deleteBtn->show();
    const QSignalBlocker blockChecks(this);
    ZoneWidgets z = addZoneWidgets(n, 45 + 30 * (n - 1));
    {
        const QSignalBlocker a(z.name), b(z.start), c(z.end);
        z.name->setText(QStringLiteral("Zone ") + QString::number(n));
        if (n == 1) {
            fillLayers(z.start, 1, 1);
            z.start->setCurrentIndex(0);
            z.start->setEnabled(false);
        } else {
            fillLayers(z.start, 1, zcorn_k_form);
            z.start->setCurrentIndex(-1);
        }
        fillLayers(z.end, zcorn_k_form, zcorn_k_form);
        z.end->setCurrentIndex(0);
        z.end->setEnabled(false);
    }
    if (!zones_.empty()) {
        QComboBox* previousEnd = zones_.back().end;
        const QSignalBlocker block(previousEnd);
        fillLayers(previousEnd, 1, zcorn_k_form - 1);
        previousEnd->setCurrentIndex(-1);
        previousEnd->setEnabled(true);
    }
    zones_.push_back(z);
    zones_count = n;
    checkAllComboBoxes();
}

void Data_manager::deleteBtn_Click()
{
    if (zones_.empty()) return;
    const int n = zones_count;
    addNewZone->move(7, 30 * n + 17);
    deleteBtn->move(125, 30 * n - 15);
    const ZoneWidgets last = zones_.back();
    zones_.pop_back();
    delete last.name;
    delete last.start;
    delete last.end;
    zones_count = static_cast<int>(zones_.size());
    if (zones_.empty()) {
        addNewZone->move(7, 32);
        deleteBtn->hide();
    } else {
        // The zone that is now the last one ends at the bottom layer again.
        QComboBox* end = zones_.back().end;
        const QSignalBlocker block(end);
        fillLayers(end, zcorn_k_form, zcorn_k_form);
        end->setCurrentIndex(0);
        end->setEnabled(false);
    }
    checkAllComboBoxes();
}

std::vector<ZoneRow> Data_manager::zoneRows() const
{
    std::vector<ZoneRow> rows;
    for (const ZoneWidgets& z : zones_)
        rows.push_back({z.name->text().toStdString(), chosenLayer(z.start), chosenLayer(z.end)});
    return rows;
}

void Data_manager::checkAllComboBoxes()
{
    const std::vector<ZoneRow> rows = zoneRows();
    // Fewer than two zones are never stored.
    zones_ok = zonesPass(rows);
    if (rows.size() >= 2) trace(trace_text::line("zones_ok = ", zoneCheckFailures(rows)));
    if (just_loaded)
        updateApplyButton();
    else
        markChanged();
}

// ---- Contacts ----

void Data_manager::contactCheckChanged(ContactControls& c)
{
    const bool on = c.check->isChecked();
    const bool uniform = c.uniform->isChecked();
    c.uniform->setEnabled(on);
    c.region->setEnabled(on);
    c.depth->setEnabled(on && uniform);
    c.depth->setVisible(uniform);
    c.regionList->setVisible(on && !uniform);
    for (const CodeRow& row : c.rows) row.depth->setEnabled(on);
    if (!just_loaded) markChanged();
}

void Data_manager::uniformRadioChanged(ContactControls& c)
{
    if (c.uniform->isChecked()) {
        c.depth->setEnabled(c.check->isChecked());
        c.depth->show();
        c.regionList->hide();
        removeCodeRows(c);
    } else {
        c.depth->setEnabled(false);
        c.depth->hide();
        {
            const QSignalBlocker block(c.regionList);
            c.regionList->setCurrentIndex(-1);
        }
        removeCodeRows(c);
        c.regionList->show();
    }
    if (!just_loaded) markChanged();
}

void Data_manager::regionListChanged(ContactControls& c)
{
    if (just_loaded) return;
    removeCodeRows(c);
    const int selected = c.regionList->currentIndex();
    if (selected >= 0 && static_cast<std::size_t>(selected) < regions_.size()) {
        std::vector<CodeRowText> rows;
        for (const int code : regionCodes(state_, regions_[static_cast<std::size_t>(selected)].perKindIndex))
            rows.push_back({std::to_string(code), {}});
        addCodeRows(c, rows);
    }
    markChanged();
}

void Data_manager::removeCodeRows(ContactControls& c)
{
    for (const CodeRow& row : c.rows) {
        delete row.code;
        delete row.depth;
    }
    c.rows.clear();
    fitContactBox(c);
}

void Data_manager::addCodeRows(ContactControls& c, const std::vector<CodeRowText>& rows)
{
    for (const CodeRowText& text : rows) {
        const int n = static_cast<int>(c.rows.size()) + 1;
        const int y = 100 + 28 * (n - 1);
        CodeRow row;
        row.code = named(new QLineEdit(QString::fromStdString(text.code), c.box),
                         QString::fromLatin1(c.rowPrefix) + QStringLiteral("_code") + QString::number(n));
        row.code->setGeometry(10, y, 60, 23);
        row.code->setEnabled(false);
        row.depth = named(new QLineEdit(QString::fromStdString(text.depth), c.box),
                          QString::fromLatin1(c.rowPrefix) + QStringLiteral("_value_code") + QString::number(n));
        row.depth->setGeometry(75, y, 120, 23);
        row.depth->setEnabled(c.check->isChecked());
        for (QLineEdit* box : {row.code, row.depth}) {
            box->setFont(rowFont());
            box->show();
        }
        connect(row.depth, &QLineEdit::textChanged, this, [this, &c] { codeRowChanged(c); });
        c.rows.push_back(row);
    }
    fitContactBox(c);
}

void Data_manager::codeRowChanged(ContactControls& c)
{
    for (const CodeRow& row : c.rows) {
        const bool readable = readDepth(row.depth->text().toStdString()).has_value();
        QPalette palette = row.depth->palette();
        palette.setColor(QPalette::Base, readable ? QColor(Qt::white) : kUnreadableRow);
        palette.setColor(QPalette::Text, Qt::black);
        row.depth->setPalette(palette);
    }
    if (!just_loaded) markChanged();
}

bool Data_manager::codeRowsReadable(const ContactControls& c) const
{
    if (!c.check->isChecked() || c.uniform->isChecked()) return true;
    return std::all_of(c.rows.begin(), c.rows.end(),
                       [](const CodeRow& row) { return readDepth(row.depth->text().toStdString()).has_value(); });
}

void Data_manager::showStoredContact(ContactControls& c)
{
    const bool wasLoading = just_loaded;
    just_loaded = true;
    const ContactRequest stored = storedContactControls(state_, c.kind, regions_);
    c.check->setChecked(stored.checked);
    (stored.uniform ? c.uniform : c.region)->setChecked(true);
    c.depth->setText(QString::fromStdString(stored.depthText));
    removeCodeRows(c);
    if (!stored.uniform) {
        const QSignalBlocker block(c.regionList);
        c.regionList->setCurrentIndex(stored.regionSelected);
    }
    addCodeRows(c, stored.rows);
    contactCheckChanged(c);
    just_loaded = wasLoading;
}

ContactRequest Data_manager::contactRequest(const ContactControls& c) const
{
    ContactRequest r;
    r.checked = c.check->isChecked();
    r.uniform = c.uniform->isChecked();
    r.depthText = c.depth->text().toStdString();
    r.regionSelected = c.regionList->currentIndex();
    for (const CodeRow& row : c.rows)
        r.rows.push_back({row.code->text().toStdString(), row.depth->text().toStdString()});
    return r;
}

void Data_manager::changeContacts()
{
    const ContactRequest owc = contactRequest(owc_);
    const ContactRequest goc = contactRequest(goc_);
    TraceOnly traceOnly;
    const ContactsOutcome outcome = morvane::changeContacts(state_, nullptr, owc, goc, regions_, traceOnly);
    for (const auto& [controls, request, result] :
         {std::tuple{&owc_, &owc, outcome.owc}, std::tuple{&goc_, &goc, outcome.goc}}) {
        if (const auto message = contactRefusal(controls->kind, result, *request, Lang)) {
            prompts_.information(message->text, message->caption);
            showStoredContact(*controls);
        }
    }
    contactsAssigned_form = state_.OWC_set || state_.GOC_set;
}

void Data_manager::bindContacts()
{
    if (view_) view_->bindContacts();
}

// ---- Apply ----

void Data_manager::markChanged()
{
    changed_ = true;
    updateApplyButton();
}

void Data_manager::updateApplyButton()
{
    const std::vector<ZoneRow> rows = zoneRows();
    ApplyGate gate;
    gate.changed = changed_;
    gate.codeRowsReadable = codeRowsReadable(owc_) && codeRowsReadable(goc_);
    gate.zoneCount = static_cast<int>(rows.size());
    gate.zoneFailures = zoneCheckFailures(rows);
    applyButton->setEnabled(applyEnabled(gate));
}

void Data_manager::applyButton_Click()
{
    // 1. Property types, one code per property row.
    state_.PROP_types.clear();
    for (const QComboBox* list : typeLists_) state_.PROP_types.push_back(std::max(list->currentIndex(), 0));
    OK_data_manager = true;

    // 2. Zones.
    if (zones_ok) {
        setRowOK(zonesRow_);
        storeZones(zoneRows(), state_);
        zonesAssigned_form = true;
    } else {
        zonesAssigned_form = false;
    }

    // 3. Contacts.
    changeContacts();
    bindContacts();
    checkModelAssigned();
    checkWellAssigned();

    // 4. Production.
    applyProduction();
    changed_ = false;
    updateApplyButton();
}

// ---- Production ----

void Data_manager::fillProductionTable()
{
    kryptonDataGridView1->fill(state_.well_name_form, state_.oilProdForm, state_.waterProdForm, state_.gasProdForm,
                               groupBox12->height() - kryptonDataGridView1->y() - 10);
    // The production summary shows what is stored from the start, as the wells and model summaries do.
    showProductionCompleteness(checkProductionColumns(kryptonDataGridView1->volumeTexts()));
}

void Data_manager::showProductionCompleteness(const ProductionColumnsCheck& check)
{
    switch (productionCompleteness(check)) {
    case ProductionCompleteness::Complete:
        setIcon(panel17, StatusIcon::OK);
        break;
    case ProductionCompleteness::Partial:
        setIcon(panel17, StatusIcon::Attention);
        break;
    case ProductionCompleteness::Missing:
        setIcon(panel17, StatusIcon::Error);
        break;
    }
}

void Data_manager::applyProduction()
{
    // The volumes are read into the copies here, so what is changed after the last Apply is not kept.
    const std::vector<std::array<std::string, 3>> cells = kryptonDataGridView1->volumeTexts();
    for (auto [column, copy] :
         {std::pair{0, &state_.oilProdForm}, {1, &state_.waterProdForm}, {2, &state_.gasProdForm}}) {
        copy->resize(state_.well_name_form.size(), -1.0f);
        for (std::size_t i = 0; i < copy->size(); ++i)
            (*copy)[i] = i < cells.size() ? productionCellValue(cells[i][static_cast<std::size_t>(column)]) : -1.0f;
    }
    const ProductionColumnsCheck check = checkProductionColumns(cells);
    for (const std::string& line : check.trace) trace(line);
    showProductionCompleteness(check);
}

}  // namespace morvane
