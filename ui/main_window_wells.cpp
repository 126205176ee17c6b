// Wells on the main window: the import command with the well tree as its window, and the well display settings
// (line and label colours, the line width and label size menus, the cut toggle, wells above the model).
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>

#include "platform/app_settings.h"
#include "scene/well_geometry.h"
#include "ui/color_button.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"
#include "ui/status_strip.h"
#include "ui/view_panel.h"
#include "ui/wells_panel.h"

namespace morvane {

WellImportContext MainWindow::wellImportContext(UserPrompts& prompts)
{
    return WellImportContext{state_, *this, glView_->scene(), *this, prompts};
}

WellImportResult MainWindow::importWells()
{
    const WellImportResult result = importWellsWithDialog(wellImportContext(*prompts_));
    rememberRecentFiles(DataFileKind::Well, result.loadedFiles);
    return result;
}

WellImportResult MainWindow::importWellsFromPaths(const std::vector<std::string>& paths, bool askColumns)
{
    PreselectedWellColumns preselected(*prompts_);
    const WellImportResult result =
        importWellFiles(wellImportContext(askColumns ? *prompts_ : static_cast<UserPrompts&>(preselected)), paths);
    rememberRecentFiles(DataFileKind::Well, result.loadedFiles);
    return result;
}

void MainWindow::setWaitCursor(bool on)
{
    if (on == wellWaitCursor_) return;
    wellWaitCursor_ = on;
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void MainWindow::showFinished(bool front) { statusStrip_->showFinished(front); }

void MainWindow::focusWellTree() { wellsPanel_->focusList(); }

void MainWindow::addWellNode(const std::string& name) { wellsPanel_->addWell(name); }

void MainWindow::setWellLineWidth(int n) { state_.view.wells.lineWidth = n; }

void MainWindow::setWellLabelSize(int n) { state_.view.wells.labelSize = wellLabelSizeForEntry(n); }

void MainWindow::setWellLabelColour(const QColor& c)
{
    // Labels are drawn every frame in this colour; nothing to rebuild.
    state_.view.wells.labelColour = {c.red() / 255.0f, c.green() / 255.0f, c.blue() / 255.0f};
}

void MainWindow::setWellLineColour(const QColor& c)
{
    state_.view.wells.lineColour = {c.red() / 255.0f, c.green() / 255.0f, c.blue() / 255.0f};
    if (!glView_) return;
    glView_->scene().colourWellLines();
    glView_->scene().uploadWells();
}

void MainWindow::toggleCutWells()
{
    trace("well_coord.size() = " + std::to_string(state_.document.wells.items.size()));
    state_.view.wells.cut = ribbon_.cutWellsButton->isChecked();
}

void MainWindow::toggleWellsOnTop()
{
    state_.view.language = appSettings().ReadAppSettings(settings_key::Lang);
    const bool ru = state_.view.language == "ru";
    state_.view.wells.labelsOnTop = !state_.view.wells.labelsOnTop;
    if (state_.view.wells.labelsOnTop)
        menus_.wellsOnTop->setText(ru ? QStringLiteral("Не отображать скважины поверх модели")
                                      : QStringLiteral("Don't show wells above model"));
    else
        menus_.wellsOnTop->setText(ru ? QStringLiteral("Отображать скважины поверх модели")
                                      : QStringLiteral("Show wells above model"));
}

}  // namespace morvane
