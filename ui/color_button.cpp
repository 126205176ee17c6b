#include "ui/color_button.h"

#include <QColorDialog>
#include <QPixmap>

namespace morvane {

ColorButton::ColorButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    connect(this, &QPushButton::clicked, this, &ColorButton::pickColor);
    updateSwatch();
}

void ColorButton::setSelectedColor(const QColor& color)
{
    if (!color.isValid()) return;
    const bool changed = color != color_;
    color_ = color;
    updateSwatch();
    if (changed) emit selectedColorChanged(color_);
}

void ColorButton::pickColor()
{
    // The chooser belongs to the button's window, not to the button: a button inside a styled panel (the legend's
    // white labels, its pickers painted in the ramp colours) would hand that styling down to the chooser.
    const QColor chosen = QColorDialog::getColor(color_, window());
    if (chosen.isValid()) setSelectedColor(chosen);
}

void ColorButton::updateSwatch()
{
    QPixmap swatch(16, 16);
    swatch.fill(color_);
    setIcon(QIcon(swatch));
}

}  // namespace morvane
