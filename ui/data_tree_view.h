// The model tree as the view's DataTree: a root node for the grid file and a child per property, each with the icon
// of its type code from the kind icons.
#pragma once

#include <QIcon>
#include <QList>

#include "core/view_targets.h"

class QTreeWidget;

namespace morvane {

// Icons by type code: 0 none, 1 lithology ... 9 continuous, 10 the grid.
QList<QIcon> propertyKindIcons();

class DataTreeView final : public DataTree {
public:
    explicit DataTreeView(QTreeWidget* tree);

    // Until this is called the nodes carry no icons (the include-layout import never calls it).
    void useImages(const QList<QIcon>& images);

    void clearTree() override;
    void showGridNode(const std::string& gridName) override;
    void addPropertyNode(const std::string& name, int typeCode) override;
    // The image (and selected image) of property node `index` (among the root's children): the icon of `typeCode`.
    void setPropertyImage(int index, int typeCode);

private:
    QIcon icon(int index) const;

    QTreeWidget* tree_;
    QList<QIcon> images_;
};

}  // namespace morvane
