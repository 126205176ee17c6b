// The model statistics window: cell counts along I, J and K, the number of cells and the cell size of the loaded
// grid (filled by the grid builder through the view), and room for the reservoir averages.
#pragma once

#include <string>

#include <QDialog>

#include "core/view_targets.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace morvane {

class ModelStat : public QDialog, public ModelStatFields {
    Q_OBJECT
public:
    explicit ModelStat(QWidget* parent = nullptr);

    void updateLang(const std::string& lang);
    void showModelStat(const ModelStatTexts& texts) override;

    QLineEdit* modelStat_cell_i = nullptr;
    QLineEdit* modelStat_cell_j = nullptr;
    QLineEdit* modelStat_cell_k = nullptr;
    QLineEdit* modelStat_cell_ijk = nullptr;
    QLineEdit* modelStat_resol = nullptr;

private:
    QGroupBox *groupBox1, *groupBox2;
    QLabel *label1, *label2, *label3, *label4, *label5, *label6, *label7, *label8, *label9, *label10;
    QPushButton* kryptonButton1;
};

}  // namespace morvane
