// The well section: the mode button, the selection window and the controls the section commands drive.
#include <QAction>
#include <QToolButton>

#include "platform/app_settings.h"
#include "ui/dialogs/section_well_picker.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"
#include "ui/view_panel.h"

namespace morvane {

WellSectionContext MainWindow::wellSectionContext()
{
    return WellSectionContext{state_, *this, glView_->scene(), *this, *prompts_, appSettings()};
}

void MainWindow::toggleWellSection()
{
    applyModeButtons(ribbon_.wellSection, switchWellSection(wellSectionContext(), ribbon_.wellSection->isChecked()));
}

void MainWindow::buildSectionWhenPicked()
{
    // Only the build button's hide of a section still being picked builds it: leaving the mode hides the window
    // too, after the mode is off.
    if (sectionWellPicker_->isVisible() || !sectionWellPicker_->buildRequested()) return;
    if (!state_.view.is(ViewMode::WellSection) || state_.view.section.unfolded) return;
    buildWellSection();
}

bool MainWindow::buildWellSection() { return RenderWellSection(wellSectionContext()); }

void MainWindow::showSelectionWindow()
{
    const QRect frame = frameGeometry();
    sectionWellPicker_->move(frame.x() + frame.width() - 237, frame.y() + 195);
    sectionWellPicker_->clearRows();
    sectionWellPicker_->updateLang(state_.view.language);
    sectionWellPicker_->show();
    activateWindow();  // the focus stays with the main window, where the wells are picked
}

void MainWindow::hideSelectionWindow() { sectionWellPicker_->hide(); }

void MainWindow::addSectionRow(const std::string& well, int number)
{
    sectionWellPicker_->addRow(QString::fromStdString(well), number);
}

void MainWindow::releaseSectionButton() { ribbon_.wellSection->setChecked(false); }

void MainWindow::enableViewButtons(bool enabled)
{
    ribbon_.topViewButton->setEnabled(enabled);
    ribbon_.rotateButton->setEnabled(enabled);
}

void MainWindow::applySectionColours(bool sectionShown)
{
    legendTextColour_ = sectionShown ? Qt::black : Qt::white;
    applyBackgroundColor();
}

}  // namespace morvane
