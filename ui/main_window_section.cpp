// The well section: the mode button, the selection window and the controls the section commands drive.
#include <QAction>
#include <QToolButton>

#include "platform/app_settings.h"
#include "ui/display_well_section_mode.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"

namespace morvane {

WellSectionContext MainWindow::wellSectionContext()
{
    return WellSectionContext{state_, *this, *OpenGL, *this, *prompts_, appSettings()};
}

void MainWindow::wellsectionMainMenu_Click()
{
    applyModeButtons(wellsectionMainMenu, switchWellSection(wellSectionContext(), wellsectionMainMenu->isChecked()));
}

void MainWindow::displayWellSectionFormHide()
{
    // Only the build button's hide of a section still being picked builds it: leaving the mode hides the window
    // too, after the mode is off.
    if (displayWellSectionForm->isVisible() || !displayWellSectionForm->is_render()) return;
    if (!state_.well_section_mode || state_.diplay_well_section_mode) return;
    RenderWellSection();
}

bool MainWindow::RenderWellSection() { return morvane::RenderWellSection(wellSectionContext()); }

void MainWindow::showSelectionWindow()
{
    const QRect frame = frameGeometry();
    displayWellSectionForm->move(frame.x() + frame.width() - 237, frame.y() + 195);
    displayWellSectionForm->clearRows();
    displayWellSectionForm->updateLang(state_.Lang);
    displayWellSectionForm->show();
    activateWindow();  // the focus stays with the main window, where the wells are picked
}

void MainWindow::hideSelectionWindow() { displayWellSectionForm->hide(); }

void MainWindow::addSectionRow(const std::string& well, int number)
{
    displayWellSectionForm->addRow(QString::fromStdString(well), number);
}

void MainWindow::releaseSectionButton() { wellsectionMainMenu->setChecked(false); }

void MainWindow::enableViewButtons(bool enabled)
{
    twod_Menu->setEnabled(enabled);
    rotate_Menu->setEnabled(enabled);
}

void MainWindow::applySectionColours(bool sectionShown)
{
    legendTextColour_ = sectionShown ? Qt::black : Qt::white;
    applyBackgroundColor();
}

}  // namespace morvane
