// The model panel of the main window: the data tree (the grid file and its properties, each with the icon of its
// kind) under its caption, and the gas-oil and oil-water contact toggles under the tree, shown only for a contact
// that is set.
#pragma once

#include <memory>
#include <optional>

#include <QWidget>

#include "commands/contacts_command.h"
#include "commands/property_display.h"

class QLabel;
class QToolButton;
class QTreeWidget;

namespace morvane {

class DataTree;
class DataTreeView;

class ModelTreePanel : public QWidget {
    Q_OBJECT
public:
    explicit ModelTreePanel(QWidget* parent = nullptr);
    ~ModelTreePanel() override;

    // The tree as the builders fill it.
    DataTree& dataTree();
    // From now on the nodes carry the icons of their kinds.
    void useKindIcons();
    // The icon of property node `index` (among the grid's children) for type code `typeCode`.
    void setPropertyIcon(int index, int typeCode);

    // The selected node, if any.
    std::optional<PropertyTreeNode> currentNode() const;
    // Selects the node of property `index`; selected already, it is announced again. False when there is none.
    bool selectProperty(int index);
    void focusTree();

    // A toggle shown for a contact that is set; hidden, it is unchecked too.
    void showContactToggle(ContactKind kind, bool set);
    void checkContactToggle(ContactKind kind);

    void setTexts(const QString& caption, const QString& gocTip, const QString& owcTip);

signals:
    // Another node was selected, or the selected one chosen again.
    void nodeSelected();
    void contactToggled(ContactKind kind, bool on);

private:
    QToolButton* toggle(ContactKind kind) const { return kind == ContactKind::OWC ? owcToggle_ : gocToggle_; }

    QLabel* caption_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QToolButton* gocToggle_ = nullptr;
    QToolButton* owcToggle_ = nullptr;
    std::unique_ptr<DataTreeView> dataTree_;
};

}  // namespace morvane
