// The model statistics window: cell counts along I, J and K, the number of cells and the cell size of the loaded
// grid (filled by the grid builder through the view), and room for the reservoir averages.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

#include "core/view_targets.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace morvane {

class StatisticsDialog : public QDialog, public ModelStatFields {
    Q_OBJECT
public:
    explicit StatisticsDialog(QWidget* parent = nullptr);

    void updateLang(const std::string& lang);
    void showModelStat(const ModelStatTexts& texts) override;

private:
    // A read-only value with its caption, the caption's text number in the localisation table.
    struct Row {
        QLabel* caption = nullptr;
        QLineEdit* value = nullptr;
        int text = 0;
    };
    Row addRow(QGroupBox* group, const char* captionName, const char* valueName, int text);

    QGroupBox *geometryGroup_, *reservoirGroup_;
    QLineEdit *cellsI_, *cellsJ_, *cellsK_, *cellsTotal_, *cellSize_;
    std::vector<Row> rows_;
    QPushButton* closeButton_;
};

}  // namespace morvane
