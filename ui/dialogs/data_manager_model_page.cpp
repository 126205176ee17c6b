// The data manager's model page: the grid extents, the property types and the zones (the contacts are in
// data_manager_contacts.cpp).
#include <algorithm>

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

#include "core/trace_text.h"
#include "platform/trace.h"
#include "ui/dialogs/data_manager_dialog.h"

namespace morvane {

namespace {

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

void DataManagerDialog::buildModelPage(const std::vector<std::string>& names, const std::vector<int>& types)
{
    // Grid extents.
    extentsGroup_ = named(new QGroupBox(modelPage_), QStringLiteral("extentsGroup"));
    extentsGroup_->setGeometry(10, 50, 300, 130);
    auto* extents = new QGridLayout(extentsGroup_);
    const char* captions[6] = {"Maximum X", "Maximum Y", "Maximum Z", "Minimum X", "Minimum Y", "Minimum Z"};
    const char* valueNames[6] = {"maxX", "maxY", "maxZ", "minX", "minY", "minZ"};
    for (int n = 0; n < 6; ++n) {
        extents->addWidget(new QLabel(QString::fromLatin1(captions[n]), extentsGroup_), n % 3, (n / 3) * 2);
        extentValues_[n] = named(new QLabel(QStringLiteral("-"), extentsGroup_), QString::fromLatin1(valueNames[n]));
        extents->addWidget(extentValues_[n], n % 3, (n / 3) * 2 + 1);
    }

    // Property types: one row per property, its name and its type list.
    typesGroup_ = named(new QGroupBox(modelPage_), QStringLiteral("typesGroup"));
    int right = 520;
    for (int i = 0; i < propertyCount_; ++i) {
        const int y = 45 + 30 * i;
        auto* label = new QLabel(QString::fromStdString(names[static_cast<std::size_t>(i)]), typesGroup_);
        label->setFont(rowFont());
        label->move(25, y);
        label->adjustSize();
        auto* list = named(new QComboBox(typesGroup_), QStringLiteral("typeList") + QString::number(i));
        list->addItems(typeNames_);
        const std::size_t entry = static_cast<std::size_t>(i);
        const int code = entry < types.size() ? types[entry] : 0;
        list->setCurrentIndex(code >= 0 && code < TYPE_CODE_COUNT ? code : 0);
        // Long property names push the lists to the right instead of covering them.
        list->setGeometry(std::max(185, label->x() + label->width() + 10), y, 200, 25);
        right = std::max(right, list->x() + list->width() + 15);
        connect(list, &QComboBox::currentIndexChanged, this, [this, i, list] { typeChosen(i, list); });
        typeLists_.push_back(list);
    }
    typesGroup_->setGeometry(10, 475, right, std::max(90, 45 + 30 * propertyCount_ + 10));

    // Zones.
    zonesGroup_ = named(new QGroupBox(modelPage_), QStringLiteral("zonesGroup"));
    zonesGroup_->setGeometry(10, 190, 520, 45 + 30 * MAX_ZONES + 50);
    addZoneButton_ = named(new QPushButton(zonesGroup_), QStringLiteral("addZoneButton"));
    addZoneButton_->setGeometry(7, 32, 150, 25);
    addZoneButton_->setEnabled(false);
    connect(addZoneButton_, &QPushButton::clicked, this, &DataManagerDialog::addZone);
    deleteZoneButton_ = named(new QPushButton(QStringLiteral("✕"), zonesGroup_), QStringLiteral("deleteZoneButton"));
    deleteZoneButton_->setGeometry(125, 45, 32, 25);
    deleteZoneButton_->hide();
    connect(deleteZoneButton_, &QPushButton::clicked, this, &DataManagerDialog::deleteZone);

    // Contacts.
    contactsGroup_ = named(new QGroupBox(modelPage_), QStringLiteral("contactsGroup"));
    contactsGroup_->move(540, 50);
    owc_.kind = ContactKind::OWC;
    owc_.prefix = "owc";
    goc_.kind = ContactKind::GOC;
    goc_.prefix = "goc";
    buildContactBox(owc_, "owcGroup", contactsGroup_, 10);
    buildContactBox(goc_, "gocGroup", contactsGroup_, 235);

    modelPageArea_->setWidget(modelPage_);
    fitModelPage();
}

void DataManagerDialog::fitModelPage()
{
    if (!modelPage_) return;
    modelPage_->resize(modelPage_->childrenRect().bottomRight().x() + 8,
                       modelPage_->childrenRect().bottomRight().y() + 8);
}

void DataManagerDialog::typeChosen(int row, QComboBox* list)
{
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

DataManagerDialog::ZoneWidgets DataManagerDialog::addZoneWidgets(int n, int y)
{
    ZoneWidgets z;
    z.name = named(new QLineEdit(zonesGroup_), QStringLiteral("zoneName") + QString::number(n));
    z.name->setGeometry(165, y, 120, 25);
    z.start = named(new QComboBox(zonesGroup_), QStringLiteral("zoneStart") + QString::number(n));
    z.start->setGeometry(295, y, 100, 25);
    z.end = named(new QComboBox(zonesGroup_), QStringLiteral("zoneEnd") + QString::number(n));
    z.end->setGeometry(400, y, 100, 25);
    for (QWidget* w : {static_cast<QWidget*>(z.name), static_cast<QWidget*>(z.start), static_cast<QWidget*>(z.end)})
        w->show();
    connect(z.name, &QLineEdit::textChanged, this, &DataManagerDialog::checkZones);
    connect(z.start, &QComboBox::currentIndexChanged, this, &DataManagerDialog::checkZones);
    connect(z.end, &QComboBox::currentIndexChanged, this, &DataManagerDialog::checkZones);
    return z;
}

void DataManagerDialog::fillZones()
{
    const std::vector<Zone>& zones = state_.document.zones.items;
    const int stored = std::clamp(static_cast<int>(zones.size()), 0, MAX_ZONES);
    for (int n = 1; n <= stored; ++n) {
        const int y = 45 + 30 * (n - 1);
        ZoneWidgets z = addZoneWidgets(n, y);
        z.name->setText(QString::fromStdString(zones[static_cast<std::size_t>(n - 1)].name));
        fillLayers(z.start, 1, layerCount_);
        fillLayers(z.end, 1, layerCount_);
        addZoneButton_->move(7, y + 32);
        deleteZoneButton_->move(125, y);
        deleteZoneButton_->show();
        zones_.push_back(z);
    }
    zoneCount_ = stored;
    for (int n = 1; n <= stored; ++n) {
        ZoneWidgets& z = zones_[static_cast<std::size_t>(n - 1)];
        z.start->setCurrentIndex(zones[static_cast<std::size_t>(n - 1)].firstLayer - 1);
        if (n == 1) z.start->setEnabled(false);
        if (n < stored) {
            z.end->setCurrentIndex(zones[static_cast<std::size_t>(n)].firstLayer - 2);
        } else {
            z.end->setCurrentIndex(z.end->count() - 1);
            z.end->setEnabled(false);
        }
    }
    checkZones();
}

void DataManagerDialog::addZone()
{
    if (zoneCount_ >= MAX_ZONES) return;
    const int n = zoneCount_ + 1;
    addZoneButton_->move(7, 30 * (n - 1) + 77);
    deleteZoneButton_->move(125, 30 * (n - 1) + 45);
    deleteZoneButton_->show();
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
            fillLayers(z.start, 1, layerCount_);
            z.start->setCurrentIndex(-1);
        }
        fillLayers(z.end, layerCount_, layerCount_);
        z.end->setCurrentIndex(0);
        z.end->setEnabled(false);
    }
    if (!zones_.empty()) {
        QComboBox* previousEnd = zones_.back().end;
        const QSignalBlocker block(previousEnd);
        fillLayers(previousEnd, 1, layerCount_ - 1);
        previousEnd->setCurrentIndex(-1);
        previousEnd->setEnabled(true);
    }
    zones_.push_back(z);
    zoneCount_ = n;
    checkZones();
}

void DataManagerDialog::deleteZone()
{
    if (zones_.empty()) return;
    const int n = zoneCount_;
    addZoneButton_->move(7, 30 * n + 17);
    deleteZoneButton_->move(125, 30 * n - 15);
    const ZoneWidgets last = zones_.back();
    zones_.pop_back();
    delete last.name;
    delete last.start;
    delete last.end;
    zoneCount_ = static_cast<int>(zones_.size());
    if (zones_.empty()) {
        addZoneButton_->move(7, 32);
        deleteZoneButton_->hide();
    } else {
        // The zone that is now the last one ends at the bottom layer again.
        QComboBox* end = zones_.back().end;
        const QSignalBlocker block(end);
        fillLayers(end, layerCount_, layerCount_);
        end->setCurrentIndex(0);
        end->setEnabled(false);
    }
    checkZones();
}

std::vector<ZoneRow> DataManagerDialog::zoneRows() const
{
    std::vector<ZoneRow> rows;
    for (const ZoneWidgets& z : zones_)
        rows.push_back({z.name->text().toStdString(), chosenLayer(z.start), chosenLayer(z.end)});
    return rows;
}

void DataManagerDialog::checkZones()
{
    const std::vector<ZoneRow> rows = zoneRows();
    // Fewer than two zones are never stored.
    zonesValid_ = zonesPass(rows);
    if (rows.size() >= 2) trace(trace_text::line("zones_ok = ", zoneCheckFailures(rows)));
    if (loading_)
        updateApplyButton();
    else
        markChanged();
}

}  // namespace morvane
