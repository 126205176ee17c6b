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
    const auto hidden = state_.view.legendHiddenCodes.find(state_.view.shownProperty);
    showLegendOf(legend(), state_.document.properties, state_.view.shownProperty, legendRowWidth(),
                 hidden == state_.view.legendHiddenCodes.end() ? std::set<int>{} : hidden->second);
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
    colourLimitsDialog_->editLimit(shown->name, static_cast<float>(upper ? shown->highLimit : shown->lowLimit), upper);
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
    // The bar shows the colour only once the cells wear it too.
    if (!changeCodeColour(propertyDisplayContext(), code, {r / 255.0f, g / 255.0f, b / 255.0f})) return;
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, QColor(r, g, b));
    bar->setPalette(palette);
}

void MainWindow::showRampPickers() { legend().showPickers(true); }

void MainWindow::fillPaletteDialog()
{
    std::vector<PaletteRow> rows;
    const PropertySet& properties = state_.document.properties;
    const Property* shown = properties.find(state_.view.shownProperty);
    if (shown && shown->discrete) {
        const auto hidden = state_.view.legendHiddenCodes.find(shown->name);
        for (const int code : shown->distinctCodes) {
            const Rgb255 c = toRgb255(properties.colourOfCode(shown->kind, code, kOutsideTableColour));
            const auto name = shown->codeNames.find(code);
            rows.push_back({code, QColor(c.r, c.g, c.b),
                            name == shown->codeNames.end() ? QString() : QString::fromStdString(name->second),
                            hidden == state_.view.legendHiddenCodes.end() || !hidden->second.count(code)});
        }
    }
    paletteDialog_->showCodes(rows);
}

void MainWindow::connectPaletteDialog()
{
    // The window edits the property on show when it was opened; it is modal, so that stays the shown one.
    connect(paletteDialog_, &PaletteDialog::codeNamed, this, [this](int code, const QString& name) {
        if (glView_) nameCode(propertyDisplayContext(), state_.view.shownProperty, code, name.toStdString());
    });
    connect(paletteDialog_, &PaletteDialog::codeShownInLegend, this, [this](int code, bool shown) {
        if (glView_) showCodeInLegend(propertyDisplayContext(), state_.view.shownProperty, code, shown);
    });
    connect(paletteDialog_, &PaletteDialog::codeColourPicked, this, [this](int code, const QColor& colour) {
        if (glView_ && changeCodeColour(propertyDisplayContext(), code, unitColour(colour))) refreshLegend();
    });
}

void MainWindow::openPaletteDialog()
{
    paletteDialog_->setLanguage(state_.view.language);
    fillPaletteDialog();
    paletteDialog_->adjustSize();
    QRect frame = paletteDialog_->frameGeometry();
    frame.moveCenter(frameGeometry().center());
    paletteDialog_->move(frame.topLeft());
    paletteDialog_->exec();
}

void MainWindow::closeWindowsOfOtherProperties(const std::string& shown)
{
    // A filter or limit typed for one property means nothing for another: the window closes, applying nothing.
    if (propertyFilterDialog_->isVisible() && propertyFilterDialog_->propertyName() != shown)
        propertyFilterDialog_->close();
    if (colourLimitsDialog_->isVisible() && colourLimitsDialog_->propertyName() != shown) colourLimitsDialog_->close();
}

void MainWindow::applyChosenFilter()
{
    if (!glView_) return;
    // The filter view ended or another property came on show while the window was open: nothing to filter.
    const bool stale =
        !ribbon_.filterView->isChecked() || propertyFilterDialog_->propertyName() != state_.view.shownProperty;
    if (propertyFilterDialog_->cancelled() || stale) {
        // Closed through its title bar: no filter; the mode button goes back up with the shell view.
        ribbon_.filterView->setChecked(false);
        return;
    }
    applyPropertyFilter(propertyDisplayContext(), propertyFilterDialog_->chosenFilter());
}

void MainWindow::applyEditedLimit()
{
    if (!glView_ || colourLimitsDialog_->cancelled()) return;
    if (colourLimitsDialog_->propertyName() != state_.view.shownProperty) return;
    switch (colourLimitsDialog_->choice()) {
    case ColourLimitsDialog::Choice::TypedLimit:
        applyColourLimit(propertyDisplayContext(), colourLimitsDialog_->editsUpperLimit(),
                         colourLimitsDialog_->value());
        break;
    case ColourLimitsDialog::Choice::DataRange:
        resetColourLimits(propertyDisplayContext());
        break;
    case ColourLimitsDialog::Choice::Percentiles:
        percentileColourLimits(propertyDisplayContext());
        break;
    }
}

}  // namespace morvane
