// The well section: the mode button, the selection window and the controls the section commands drive.
#include <QAction>
#include <QToolButton>

#include "platform/app_settings.h"
#include "ui/gl_view.h"
#include "ui/display_well_section_mode.h"
#include "ui/form1.h"

namespace morvane {

WellSectionContext Form1::wellSectionContext()
{
    return WellSectionContext{state_, *this, *OpenGL, *this, *prompts_, appSettings()};
}

void Form1::wellsectionMainMenu_Click()
{
    applyModeButtons(wellsectionMainMenu, switchWellSection(wellSectionContext(), wellsectionMainMenu->isChecked()));
}

void Form1::displayWellSectionFormHide()
{
    // Only the build button's hide of a section still being picked builds it: leaving the mode hides the window
    // too, after the mode is off.
    if (displayWellSectionForm->isVisible() || !displayWellSectionForm->is_render()) return;
    if (!state_.well_section_mode || state_.diplay_well_section_mode) return;
    RenderWellSection();
}

bool Form1::RenderWellSection() { return morvane::RenderWellSection(wellSectionContext()); }

void Form1::showSelectionWindow()
{
    const QRect frame = frameGeometry();
    displayWellSectionForm->move(frame.x() + frame.width() - 237, frame.y() + 195);
    displayWellSectionForm->clearRows();
    displayWellSectionForm->updateLang(state_.Lang);
    displayWellSectionForm->show();
    activateWindow();  // the focus stays with the main window, where the wells are picked
}

void Form1::hideSelectionWindow() { displayWellSectionForm->hide(); }

void Form1::addSectionRow(const std::string& well, int number)
{
    displayWellSectionForm->addRow(QString::fromStdString(well), number);
}

void Form1::releaseSectionButton() { wellsectionMainMenu->setChecked(false); }

void Form1::enableViewButtons(bool enabled)
{
    twod_Menu->setEnabled(enabled);
    rotate_Menu->setEnabled(enabled);
}

void Form1::applySectionColours(bool sectionShown)
{
    legendTextColour_ = sectionShown ? Qt::black : Qt::white;
    applyBackgroundColor();
}

}  // namespace morvane
