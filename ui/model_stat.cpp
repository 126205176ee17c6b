#include "ui/model_stat.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/ui_text.h"

namespace morvane {

namespace {

QLineEdit* readOnlyField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    return field;
}

QLabel* namedLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

ModelStat::ModelStat(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ModelStat"));
    setModal(false);

    groupBox1 = new QGroupBox(this);
    groupBox1->setObjectName(QStringLiteral("groupBox1"));
    auto* geometry = new QFormLayout(groupBox1);
    label1 = namedLabel("label1", groupBox1);
    label2 = namedLabel("label2", groupBox1);
    label3 = namedLabel("label3", groupBox1);
    label4 = namedLabel("label4", groupBox1);
    label9 = namedLabel("label9", groupBox1);
    label10 = namedLabel("label10", groupBox1);
    modelStat_cell_i = readOnlyField("modelStat_cell_i", groupBox1);
    modelStat_cell_j = readOnlyField("modelStat_cell_j", groupBox1);
    modelStat_cell_k = readOnlyField("modelStat_cell_k", groupBox1);
    modelStat_cell_ijk = readOnlyField("modelStat_cell_ijk", groupBox1);
    modelStat_resol = readOnlyField("modelStat_resol", groupBox1);
    geometry->addRow(label1, modelStat_cell_i);
    geometry->addRow(label2, modelStat_cell_j);
    geometry->addRow(label3, modelStat_cell_k);
    geometry->addRow(label4, modelStat_cell_ijk);
    geometry->addRow(label9, readOnlyField("mean_thickness", groupBox1));
    geometry->addRow(label10, modelStat_resol);

    groupBox2 = new QGroupBox(this);
    groupBox2->setObjectName(QStringLiteral("groupBox2"));
    auto* reservoir = new QFormLayout(groupBox2);
    label8 = namedLabel("label8", groupBox2);
    label7 = namedLabel("label7", groupBox2);
    label6 = namedLabel("label6", groupBox2);
    label5 = namedLabel("label5", groupBox2);
    reservoir->addRow(label8, readOnlyField("net_to_gross", groupBox2));
    reservoir->addRow(label7, readOnlyField("vertical_heterogeneity", groupBox2));
    reservoir->addRow(label6, readOnlyField("mean_porosity", groupBox2));
    reservoir->addRow(label5, readOnlyField("mean_permeability", groupBox2));

    kryptonButton1 = new QPushButton(this);
    kryptonButton1->setObjectName(QStringLiteral("kryptonButton1"));
    connect(kryptonButton1, &QPushButton::clicked, this, &QDialog::close);

    auto* groups = new QHBoxLayout;
    groups->addWidget(groupBox1);
    groups->addWidget(groupBox2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(kryptonButton1, 0, Qt::AlignRight);

    updateLang("en");
}

void ModelStat::updateLang(const std::string& lang)
{
    const std::string copy = lang;
    setWindowTitle(localUiText(800, copy));
    groupBox1->setTitle(localUiText(802, copy));
    groupBox2->setTitle(localUiText(804, copy));
    label1->setText(localUiText(806, copy));
    label2->setText(localUiText(808, copy));
    label3->setText(localUiText(810, copy));
    label4->setText(localUiText(812, copy));
    label9->setText(localUiText(814, copy));
    label10->setText(localUiText(816, copy));
    label8->setText(localUiText(818, copy));
    label7->setText(localUiText(820, copy));
    label6->setText(localUiText(822, copy));
    label5->setText(localUiText(824, copy));
    kryptonButton1->setText(localUiText(826, copy));
}

void ModelStat::showModelStat(const ModelStatTexts& texts)
{
    modelStat_cell_i->setText(QString::fromStdString(texts.modelStat_cell_i));
    modelStat_cell_j->setText(QString::fromStdString(texts.modelStat_cell_j));
    modelStat_cell_k->setText(QString::fromStdString(texts.modelStat_cell_k));
    modelStat_cell_ijk->setText(QString::fromStdString(texts.modelStat_cell_ijk));
    modelStat_resol->setText(QString::fromStdString(texts.modelStat_resol));
}

}  // namespace morvane
