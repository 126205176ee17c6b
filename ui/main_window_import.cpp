// The grid and property import commands on the main window (its controls as the commands' windows), and the
// selection of a node in the property tree, which chooses the displayed property.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScopeGuard>
#include <QToolButton>
#include <QTreeWidget>

#include "commands/recent_files.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"
#include "ui/model_tree_panel.h"
#include "ui/property_legend.h"
#include "ui/status_strip.h"
#include "ui/view_panel.h"

namespace morvane {

GridImportContext MainWindow::importContext(UserPrompts& prompts)
{
    return GridImportContext{state_, *this, glView_->scene(), *this, prompts, this};
}

// A grid, property or well file that loaded goes to the front of the recent files.

GridImportOutcome MainWindow::importGrid()
{
    NotingFileChoices chosen(*prompts_);
    const GridImportOutcome outcome = importGridWithDialog(importContext(chosen));
    if (outcome == GridImportOutcome::Loaded) rememberRecentFiles(DataFileKind::Grid, chosen.chosen());
    showContactToggles();  // a new grid drops the contacts of the old one
    refreshPickedCell();
    return outcome;
}

GridImportOutcome MainWindow::importGridFromPath(const std::string& path)
{
    const GridImportOutcome outcome = importGridFile(importContext(*prompts_), path);
    if (outcome == GridImportOutcome::Loaded) rememberRecentFiles(DataFileKind::Grid, {path});
    showContactToggles();
    refreshPickedCell();
    return outcome;
}

PropertyImportContext MainWindow::propertyImportContext(UserPrompts& prompts)
{
    return PropertyImportContext{state_, *this, glView_->scene(), *this, prompts};
}

PropertyImportResult MainWindow::importProperties()
{
    NotingFileChoices chosen(*prompts_);
    const PropertyImportResult result = importPropertiesWithDialog(propertyImportContext(chosen));
    if (result.accepted > 0) rememberRecentFiles(DataFileKind::Property, chosen.chosen());
    refreshPickedCell();
    return result;
}

PropertyImportResult MainWindow::importPropertiesFromPath(const std::string& path, PropertyTypes types)
{
    const PropertyImportResult result = importPropertyFile(propertyImportContext(*prompts_), path, types);
    if (result.accepted > 0) rememberRecentFiles(DataFileKind::Property, {path});
    refreshPickedCell();
    return result;
}

void MainWindow::beginWait()
{
    statusStrip_->showFinished(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::keepResponsive() { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

void MainWindow::endWait(bool finished)
{
    if (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    statusStrip_->showFinished(finished);
}

void MainWindow::focusTree() { modelTree_->focusTree(); }

void MainWindow::enableTopView() { ribbon_.topViewButton->setEnabled(true); }

void MainWindow::uncheckModeButtons()
{
    ribbon_.layerView->setChecked(false);
    ribbon_.flatSection->setChecked(false);
    ribbon_.filterView->setChecked(false);
    ribbon_.wellSection->setChecked(false);
    hideSelectionWindow();
}

void MainWindow::useTreeImages() { modelTree_->useKindIcons(); }

void MainWindow::setLegendCaption(const std::string& text) { legend().setTitle(QString::fromStdString(text)); }

void MainWindow::clearLegend() { legend().clearContent(); }

bool MainWindow::filterViewChecked() const { return ribbon_.filterView->isChecked(); }

void MainWindow::uncheckFilterView() { ribbon_.filterView->setChecked(false); }

void MainWindow::showLegend()
{
    ribbon_.legend->setChecked(true);
    legend().show();
}

void MainWindow::selectModelTreeNode()
{
    const std::optional<PropertyTreeNode> node = modelTree_->currentNode();
    if (!node || !glView_) return;
    const auto sayPickedCellAgain = qScopeGuard([this] { refreshPickedCell(); });
    closeWindowsOfOtherProperties(node->root ? std::string() : node->text);
    selectPropertyNode(propertyDisplayContext(), *node);
}

PropertyDisplayContext MainWindow::propertyDisplayContext()
{
    return PropertyDisplayContext{state_, *this, glView_->scene(), *this};
}

bool MainWindow::showProperty(const std::string& name)
{
    const std::optional<int> index = propertyNodeIndex(state_.document.properties, name);
    return index && modelTree_->selectProperty(*index);
}

void MainWindow::addPropertyNode(const std::string& name, int kindCode)
{
    modelTree_->dataTree().addPropertyNode(name, kindCode);
}

}  // namespace morvane
