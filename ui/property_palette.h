// The palette tuning window `Propertypalette`: a table of codes and their colours with a colour button. The table
// starts empty and the window does nothing more yet; it is opened modally from the Model menu.
#pragma once

#include <QDialog>

class QTableWidget;

namespace morvane {

class ColorButton;

class Propertypalette : public QDialog {
    Q_OBJECT
public:
    explicit Propertypalette(QWidget* parent = nullptr);

    QTableWidget* dataGridView1 = nullptr;
    ColorButton* kryptonColorButton1 = nullptr;
};

}  // namespace morvane
