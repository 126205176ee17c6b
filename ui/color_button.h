// A button that shows a colour swatch and lets the user pick another colour.
#pragma once

#include <QColor>
#include <QPushButton>

namespace morvane {

class ColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit ColorButton(const QString& text = {}, QWidget* parent = nullptr);

    QColor selectedColor() const { return color_; }
    // Changing the colour (by the user or by code) emits selectedColorChanged.
    void setSelectedColor(const QColor& color);

signals:
    void selectedColorChanged(const QColor& color);

private:
    void pickColor();
    void updateSwatch();

    QColor color_{Qt::black};
};

}  // namespace morvane
