#include "ui/dialogs/statistics_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/ui_text.h"

namespace morvane {

StatisticsDialog::StatisticsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("statisticsDialog"));
    setModal(false);

    geometryGroup_ = new QGroupBox(this);
    geometryGroup_->setObjectName(QStringLiteral("geometryGroup"));
    new QFormLayout(geometryGroup_);
    cellsI_ = addRow(geometryGroup_, "cellsICaption", "cellsI", 806).value;
    cellsJ_ = addRow(geometryGroup_, "cellsJCaption", "cellsJ", 808).value;
    cellsK_ = addRow(geometryGroup_, "cellsKCaption", "cellsK", 810).value;
    cellsTotal_ = addRow(geometryGroup_, "cellsTotalCaption", "cellsTotal", 812).value;
    addRow(geometryGroup_, "meanThicknessCaption", "meanThickness", 814);
    cellSize_ = addRow(geometryGroup_, "cellSizeCaption", "cellSize", 816).value;

    reservoirGroup_ = new QGroupBox(this);
    reservoirGroup_->setObjectName(QStringLiteral("reservoirGroup"));
    new QFormLayout(reservoirGroup_);
    addRow(reservoirGroup_, "netToGrossCaption", "netToGross", 818);
    addRow(reservoirGroup_, "verticalHeterogeneityCaption", "verticalHeterogeneity", 820);
    addRow(reservoirGroup_, "meanPorosityCaption", "meanPorosity", 822);
    addRow(reservoirGroup_, "meanPermeabilityCaption", "meanPermeability", 824);

    closeButton_ = new QPushButton(this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::close);

    auto* groups = new QHBoxLayout;
    groups->addWidget(geometryGroup_);
    groups->addWidget(reservoirGroup_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(closeButton_, 0, Qt::AlignRight);

    updateLang("en");
}

StatisticsDialog::Row StatisticsDialog::addRow(QGroupBox* group, const char* captionName, const char* valueName,
                                               int text)
{
    Row row;
    row.caption = new QLabel(group);
    row.caption->setObjectName(QString::fromLatin1(captionName));
    row.value = new QLineEdit(group);
    row.value->setObjectName(QString::fromLatin1(valueName));
    row.value->setReadOnly(true);
    row.text = text;
    static_cast<QFormLayout*>(group->layout())->addRow(row.caption, row.value);
    rows_.push_back(row);
    return row;
}

void StatisticsDialog::updateLang(const std::string& lang)
{
    const std::string copy = lang;
    setWindowTitle(localUiText(800, copy));
    geometryGroup_->setTitle(localUiText(802, copy));
    reservoirGroup_->setTitle(localUiText(804, copy));
    for (const Row& row : rows_) row.caption->setText(localUiText(row.text, copy));
    closeButton_->setText(localUiText(826, copy));
}

void StatisticsDialog::showModelStat(const ModelStatTexts& texts)
{
    cellsI_->setText(QString::fromStdString(texts.modelStat_cell_i));
    cellsJ_->setText(QString::fromStdString(texts.modelStat_cell_j));
    cellsK_->setText(QString::fromStdString(texts.modelStat_cell_k));
    cellsTotal_->setText(QString::fromStdString(texts.modelStat_cell_ijk));
    cellSize_->setText(QString::fromStdString(texts.modelStat_resol));
}

}  // namespace morvane
