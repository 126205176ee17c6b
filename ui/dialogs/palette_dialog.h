// The palette tuning window: a table of codes and their colours with a colour button. The table starts empty and the
// window does nothing more yet; it is opened modally from the Model menu.
#pragma once

#include <QDialog>

class QTableWidget;

namespace morvane {

class ColorButton;

class PaletteDialog : public QDialog {
    Q_OBJECT
public:
    explicit PaletteDialog(QWidget* parent = nullptr);

private:
    QTableWidget* codeColours_ = nullptr;
    ColorButton* colourButton_ = nullptr;
};

}  // namespace morvane
