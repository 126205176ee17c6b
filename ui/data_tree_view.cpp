#include "ui/data_tree_view.h"

#include <QPainter>
#include <QPixmap>
#include <QTreeWidget>
#include <QTreeWidgetItem>

namespace morvane {

namespace {

constexpr int kImageIndexRole = Qt::UserRole + 1;

QIcon swatchIcon(const QColor& fill, bool round)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(fill.darker(160), 1));
    painter.setBrush(fill);
    if (round)
        painter.drawEllipse(2, 2, 12, 12);
    else
        painter.drawRect(2, 2, 11, 11);
    return QIcon(pixmap);
}

QIcon gridIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(QColor(40, 90, 160), 1));
    for (int v = 2; v <= 14; v += 4) {
        painter.drawLine(2, v, 14, v);
        painter.drawLine(v, 2, v, 14);
    }
    return QIcon(pixmap);
}

}  // namespace

QList<QIcon> propertyKindIcons()
{
    // Discrete kinds are squares, continuous ones discs, in the colours the kinds are usually drawn in.
    return {swatchIcon(QColor(160, 160, 160), false),  // 0 none
            swatchIcon(QColor(230, 200, 60), false),   // 1 lithology
            swatchIcon(QColor(240, 140, 40), false),   // 2 facies
            swatchIcon(QColor(150, 230, 100), true),   // 3 NTG
            swatchIcon(QColor(90, 200, 90), true),     // 4 porosity
            swatchIcon(QColor(60, 120, 230), true),    // 5 permeability
            swatchIcon(QColor(40, 170, 230), true),    // 6 water saturation
            swatchIcon(QColor(180, 90, 200), false),   // 7 regions
            swatchIcon(QColor(220, 70, 70), false),    // 8 discrete
            swatchIcon(QColor(70, 200, 180), true),    // 9 continuous
            gridIcon()};                               // 10 grid
}

DataTreeView::DataTreeView(QTreeWidget* tree) : tree_(tree) {}

void DataTreeView::useImages(const QList<QIcon>& images)
{
    images_ = images;
    // Nodes made before the list was given get their icons now.
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        const QVariant index = (*it)->data(0, kImageIndexRole);
        if (index.isValid()) (*it)->setIcon(0, icon(index.toInt()));
    }
}

QIcon DataTreeView::icon(int index) const { return index >= 0 && index < images_.size() ? images_[index] : QIcon(); }

void DataTreeView::clearTree() { tree_->clear(); }

void DataTreeView::showGridNode(const std::string& gridName)
{
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    auto* root = new QTreeWidgetItem(tree_, QStringList(QString::fromStdString(gridName)));
    root->setData(0, Qt::UserRole, QString::fromStdString(gridName));
    root->setData(0, kImageIndexRole, 10);
    root->setIcon(0, icon(10));
    tree_->setUpdatesEnabled(true);
}

void DataTreeView::addPropertyNode(const std::string& name, int typeCode)
{
    QTreeWidgetItem* root = tree_->topLevelItem(0);
    if (!root) return;
    auto* node = new QTreeWidgetItem(root, QStringList(QString::fromStdString(name)));
    node->setData(0, Qt::UserRole, QString::fromStdString(name));
    node->setData(0, kImageIndexRole, typeCode);
    node->setIcon(0, icon(typeCode));
    root->setExpanded(true);
    tree_->setCurrentItem(node);
}

void DataTreeView::setPropertyImage(int index, int typeCode)
{
    QTreeWidgetItem* root = tree_->topLevelItem(0);
    QTreeWidgetItem* node = root && index >= 0 && index < root->childCount() ? root->child(index) : nullptr;
    if (!node) return;
    node->setData(0, kImageIndexRole, typeCode);
    node->setIcon(0, icon(typeCode));
}

}  // namespace morvane
