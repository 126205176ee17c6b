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

constexpr std::string_view kBarPrefix = "color_code_";

}  // namespace

void MainWindow::refreshContMorvane(int /*perKindIndex*/, int nodeIndex)
{
    legend().showContinuous(continuousLegend(state_, nodeIndex));
}

void MainWindow::refreshDiscMorvane(int perKindIndex)
{
    legend().showDiscrete(discreteLegend(state_, perKindIndex, legendRowWidth()));
}

int MainWindow::legendRowWidth() const
{
    // From the legend's left edge to the exaggeration slider at the right of the view, less the box's margins.
    const int right = std::min(viewPanel_->width(), viewPanel_->sliderLeft());
    return std::max(legend_bars::Left + legend_bars::Width, right - legend().x() - 12);
}

void MainWindow::rampColourChanged(RampStop stop, const char* picker)
{
    auto* button = legend().findChild<ColorButton*>(QString::fromLatin1(picker));
    if (!button || !glView_) return;
    changeRampColour(propertyDisplayContext(), stop, unitColour(button->selectedColor()));
}

void MainWindow::rgb1_SelectedColorChanged() { rampColourChanged(RampStop::Low, "rgb1"); }
void MainWindow::rgb2_SelectedColorChanged() { rampColourChanged(RampStop::Middle, "rgb2"); }
void MainWindow::rgb3_SelectedColorChanged() { rampColourChanged(RampStop::High, "rgb3"); }

void MainWindow::limitLabelClicked(bool upper)
{
    const std::size_t entry = static_cast<std::size_t>(state_.prop_no_morvane) + 1;
    const auto& limits = upper ? state_.PROP_max_value_color : state_.PROP_min_value_color;
    if (state_.prop_no_morvane < 0 || entry >= limits.size()) return;
    colourLimitsDialog_->editLimit(static_cast<float>(limits[entry]), upper);
    if (upper) trace("prop_no_morvane1 = " + std::to_string(state_.prop_no_morvane));
    colourLimitsDialog_->updateLang(state_.Lang);
    colourLimitsDialog_->show();
    colourLimitsDialog_->raise();
    colourLimitsDialog_->activateWindow();
}

void MainWindow::Color_label_max_Click() { limitLabelClicked(true); }
void MainWindow::Color_label_min_Click() { limitLabelClicked(false); }

void MainWindow::wtf(QWidget* bar)
{
    if (!bar || !glView_) return;
    const std::string name = bar->objectName().toStdString();
    if (name.rfind(kBarPrefix, 0) != 0) return;
    int code = 0;
    const char* digits = name.data() + kBarPrefix.size();
    const auto [end, error] = std::from_chars(digits, name.data() + name.size(), code);
    if (error != std::errc() || end != name.data() + name.size()) return;

    const int r = static_cast<int>(barColours_() % 255);
    const int g = static_cast<int>(barColours_() % 255);
    const int b = static_cast<int>(barColours_() % 255);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, QColor(r, g, b));
    bar->setPalette(palette);
    changeCodeColour(propertyDisplayContext(), code, {r / 255.0f, g / 255.0f, b / 255.0f});
}

void MainWindow::showRampPickers() { legend().showPickers(true); }

void MainWindow::настроитьПалитруToolStripMenuItem_Click()
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
        threedMainMenu->setChecked(false);
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
