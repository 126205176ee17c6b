// The legend of the displayed property and what the user does with it: the ramp colour pickers, the limit labels
// that open the colour-limit window, the code bars that take a new colour; the palette window; the property filter
// and colour-limit windows as they are hidden.
#include <charconv>

#include <QAction>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTreeWidget>

#include "platform/trace.h"
#include "scene/legend_layout.h"
#include "ui/color_button.h"
#include "ui/dialogs/colour_limits_dialog.h"
#include "ui/dialogs/palette_dialog.h"
#include "ui/dialogs/property_filter_dialog.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"
#include "ui/property_legend.h"
#include "ui/view_panel.h"

namespace morvane {

namespace {

Rgb unitColour(const QColor& c) { return {c.red() / 255.0f, c.green() / 255.0f, c.blue() / 255.0f}; }

}  // namespace

void MainWindow::refreshLegend()
{
    showLegendOf(legend(), state_.document.properties, state_.view.shownProperty, legendRowWidth());
}

int MainWindow::legendRowWidth() const
{
    // From the legend's left edge to the exaggeration slider at the right of the view, less the box's margins.
    const int right = std::min(viewPanel_->width(), viewPanel_->sliderLeft());
    return std::max(legend_bars::Left + legend_bars::Width, right - legend().x() - 12);
}

void MainWindow::changeRampColourTo(int stop, const QColor& colour)
{
    if (!glView_ || stop < 1 || stop > 3) return;
    const RampStop stops[] = {RampStop::Low, RampStop::Middle, RampStop::High};
    changeRampColour(propertyDisplayContext(), stops[stop - 1], unitColour(colour));
}

void MainWindow::editColourLimit(bool upper)
{
    const Property* shown = state_.document.properties.find(state_.view.shownProperty);
    if (!shown) return;
    colourLimitsDialog_->editLimit(static_cast<float>(upper ? shown->highLimit : shown->lowLimit), upper);
    colourLimitsDialog_->updateLang(state_.view.language);
    colourLimitsDialog_->show();
    colourLimitsDialog_->raise();
    colourLimitsDialog_->activateWindow();
}

void MainWindow::recolourCodeBar(QWidget* bar, int code)
{
    if (!bar || !glView_) return;
    const int r = static_cast<int>(barColours_() % 255);
    const int g = static_cast<int>(barColours_() % 255);
    const int b = static_cast<int>(barColours_() % 255);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, QColor(r, g, b));
    bar->setPalette(palette);
    changeCodeColour(propertyDisplayContext(), code, {r / 255.0f, g / 255.0f, b / 255.0f});
}

void MainWindow::showRampPickers() { legend().showPickers(true); }

void MainWindow::openPaletteDialog()
{
    paletteDialog_->adjustSize();
    QRect frame = paletteDialog_->frameGeometry();
    frame.moveCenter(frameGeometry().center());
    paletteDialog_->move(frame.topLeft());
    paletteDialog_->exec();
}

void MainWindow::applyChosenFilter()
{
    if (!glView_) return;
    if (propertyFilterDialog_->cancelled()) {
        // Closed through its title bar: no filter; the mode button goes back up with the shell view.
        ribbon_.filterView->setChecked(false);
        return;
    }
    applyPropertyFilter(propertyDisplayContext(), propertyFilterDialog_->cutValue(),
                        propertyFilterDialog_->cutsBelow());
}

void MainWindow::applyEditedLimit()
{
    if (!glView_ || colourLimitsDialog_->cancelled()) return;
    applyColourLimit(propertyDisplayContext(), colourLimitsDialog_->editsUpperLimit(), colourLimitsDialog_->value());
}

}  // namespace morvane
