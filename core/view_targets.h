// What the view writes into the main window besides the events log: the model statistics fields and the data
// tree. Pure interfaces, so the scene code needs no widget header and tests can record what was shown.
#pragma once

#include <string>

namespace morvane {

// The five text fields of the model statistics window, filled after every grid build.
struct ModelStatTexts {
    std::string modelStat_cell_i;    // cell rows
    std::string modelStat_cell_j;    // cells per row
    std::string modelStat_cell_k;    // layers
    std::string modelStat_cell_ijk;  // regular cells times layers, digits grouped by three ("1 234 567")
    std::string modelStat_resol;     // cell size, "50 x 50"
};

class ModelStatFields {
public:
    virtual ~ModelStatFields() = default;
    virtual void showModelStat(const ModelStatTexts& texts) = 0;
};

// The data tree: one root node for the grid file, one child per loaded property.
class DataTree {
public:
    virtual ~DataTree() = default;
    // Removes every node (a grid was rejected).
    virtual void clearTree() = 0;
    // Replaces every node by the grid's root node, key and text `gridName`, image 10.
    virtual void showGridNode(const std::string& gridName) = 0;
    // Adds a child of the root node with key and text `name`, image index `typeCode`, and selects it.
    virtual void addPropertyNode(const std::string& name, int typeCode) = 0;
};

}  // namespace morvane
