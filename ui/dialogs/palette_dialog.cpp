#include "ui/dialogs/palette_dialog.h"

#include <QHeaderView>
#include <QTableWidget>

#include "ui/color_button.h"

namespace morvane {

PaletteDialog::PaletteDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("paletteDialog"));
    setWindowTitle(QStringLiteral("Настройка цветовой палитры свойства"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowContextHelpButtonHint);
    setFixedSize(517, 261);

    codeColours_ = new QTableWidget(0, 2, this);
    codeColours_->setObjectName(QStringLiteral("codeColours"));
    codeColours_->setGeometry(0, 0, 517, 261);
    codeColours_->setHorizontalHeaderLabels({QStringLiteral("Код"), QStringLiteral("Цвет")});
    codeColours_->horizontalHeaderItem(0)->setData(Qt::UserRole, QStringLiteral("Code"));
    codeColours_->horizontalHeaderItem(1)->setData(Qt::UserRole, QStringLiteral("Color"));
    codeColours_->setColumnWidth(0, 125);
    codeColours_->setColumnWidth(1, 125);
    codeColours_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    codeColours_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    colourButton_ = new ColorButton({}, this);
    colourButton_->setObjectName(QStringLiteral("colourButton"));
    colourButton_->setGeometry(303, 21, 128, 25);
}

}  // namespace morvane
