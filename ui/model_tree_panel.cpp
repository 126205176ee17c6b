#include "ui/model_tree_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/data_tree_view.h"
#include "ui/panel_widgets.h"

namespace morvane {

ModelTreePanel::ModelTreePanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("modelTreePanel"));
    caption_ = panelCaption("modelCaption", this);
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("modelTree"));
    tree_->setHeaderHidden(true);
    gocToggle_ = toggleButton("gocToggle", QStringLiteral("GOC"), this);
    owcToggle_ = toggleButton("owcToggle", QStringLiteral("OWC"), this);
    auto* contactRow = new QHBoxLayout;
    contactRow->addWidget(gocToggle_);
    contactRow->addWidget(owcToggle_);
    contactRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(caption_);
    layout->addWidget(tree_, 1);
    layout->addLayout(contactRow);
    dataTree_ = std::make_unique<DataTreeView>(tree_);

    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current) emit nodeSelected();
    });
    for (const ContactKind kind : {ContactKind::GOC, ContactKind::OWC}) {
        QToolButton* button = toggle(kind);
        connect(button, &QToolButton::clicked, this,
                [this, kind, button] { emit contactToggled(kind, button->isChecked()); });
    }
}

ModelTreePanel::~ModelTreePanel() = default;

DataTree& ModelTreePanel::dataTree() { return *dataTree_; }

void ModelTreePanel::useKindIcons() { dataTree_->useImages(propertyKindIcons()); }

void ModelTreePanel::setPropertyIcon(int index, int typeCode) { dataTree_->setPropertyImage(index, typeCode); }

std::optional<PropertyTreeNode> ModelTreePanel::currentNode() const
{
    QTreeWidgetItem* node = tree_->currentItem();
    if (!node) return std::nullopt;
    const int index = node->parent() ? node->parent()->indexOfChild(node) : tree_->indexOfTopLevelItem(node);
    return PropertyTreeNode{node->text(0).toStdString(), index, node->parent() == nullptr};
}

bool ModelTreePanel::selectProperty(int index)
{
    QTreeWidgetItem* root = tree_->topLevelItem(0);
    if (!root || index < 0 || index >= root->childCount()) return false;
    QTreeWidgetItem* node = root->child(index);
    if (tree_->currentItem() == node)
        emit nodeSelected();  // shown again, with its legend
    else
        tree_->setCurrentItem(node);
    return true;
}

void ModelTreePanel::focusTree() { tree_->setFocus(); }

void ModelTreePanel::showContactToggle(ContactKind kind, bool set)
{
    QToolButton* button = toggle(kind);
    button->setVisible(set);
    if (!set) button->setChecked(false);
}

void ModelTreePanel::checkContactToggle(ContactKind kind) { toggle(kind)->setChecked(true); }

void ModelTreePanel::setTexts(const QString& caption, const QString& gocTip, const QString& owcTip)
{
    caption_->setText(caption);
    gocToggle_->setToolTip(gocTip);
    owcToggle_->setToolTip(owcTip);
}

}  // namespace morvane
