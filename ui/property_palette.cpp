#include "ui/property_palette.h"

#include <QHeaderView>
#include <QTableWidget>

#include "ui/color_button.h"

namespace morvane {

Propertypalette::Propertypalette(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Propertypalette"));
    setWindowTitle(QStringLiteral("Настройка цветовой палитры свойства"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowContextHelpButtonHint);
    setFixedSize(517, 261);

    dataGridView1 = new QTableWidget(0, 2, this);
    dataGridView1->setObjectName(QStringLiteral("dataGridView1"));
    dataGridView1->setGeometry(0, 0, 517, 261);
    dataGridView1->setHorizontalHeaderLabels({QStringLiteral("Код"), QStringLiteral("Цвет")});
    dataGridView1->horizontalHeaderItem(0)->setData(Qt::UserRole, QStringLiteral("Code"));
    dataGridView1->horizontalHeaderItem(1)->setData(Qt::UserRole, QStringLiteral("Color"));
    dataGridView1->setColumnWidth(0, 125);
    dataGridView1->setColumnWidth(1, 125);
    dataGridView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dataGridView1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    kryptonColorButton1 = new ColorButton({}, this);
    kryptonColorButton1->setObjectName(QStringLiteral("kryptonColorButton1"));
    kryptonColorButton1->setGeometry(303, 21, 128, 25);
}

}  // namespace morvane
