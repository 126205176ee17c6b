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
#include "ui/copengl.h"
#include "ui/data_tree_view.h"
#include "ui/form1.h"

namespace morvane {

GridImportContext Form1::importContext(UserPrompts& prompts)
{
    return GridImportContext{state_, *this, *OpenGL, *this, prompts};
}

// A grid, property or well file that loaded goes to the front of the recent files.

GridImportOutcome Form1::importMainMenu_grid_Click()
{
    NotingFileChoices chosen(*prompts_);
    const GridImportOutcome outcome = importGridWithDialog(importContext(chosen));
    if (outcome == GridImportOutcome::Loaded) rememberRecentFiles(DataFileKind::Grid, chosen.chosen());
    showContactToggles();  // a new grid drops the contacts of the old one
    refreshPickedCell();
    return outcome;
}

GridImportOutcome Form1::importGridFromPath(const std::string& path)
{
    const GridImportOutcome outcome = importGridFile(importContext(*prompts_), path);
    if (outcome == GridImportOutcome::Loaded) rememberRecentFiles(DataFileKind::Grid, {path});
    showContactToggles();
    refreshPickedCell();
    return outcome;
}

PropertyImportContext Form1::propertyImportContext(UserPrompts& prompts)
{
    return PropertyImportContext{state_, *this, *OpenGL, *this, prompts};
}

PropertyImportResult Form1::importMainMenu_prop_Click()
{
    NotingFileChoices chosen(*prompts_);
    const PropertyImportResult result = importPropertiesWithDialog(propertyImportContext(chosen));
    if (result.accepted > 0) rememberRecentFiles(DataFileKind::Property, chosen.chosen());
    refreshPickedCell();
    return result;
}

PropertyImportResult Form1::importPropertiesFromPath(const std::string& path)
{
    const PropertyImportResult result = importPropertyFile(propertyImportContext(*prompts_), path);
    if (result.accepted > 0) rememberRecentFiles(DataFileKind::Property, {path});
    refreshPickedCell();
    return result;
}

void Form1::beginWait()
{
    finished_pic->lower();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Form1::endWait(bool finished)
{
    if (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    if (finished)
        finished_pic->raise();
    else
        finished_pic->lower();
}

void Form1::focusTree() { treeView2->setFocus(); }

void Form1::enableTopView() { twod_Menu->setEnabled(true); }

void Form1::uncheckLayerAndFlatSection()
{
    layersMainMenu->setChecked(false);
    flatsectionMainMenu->setChecked(false);
}

void Form1::useTreeImages() { treeTarget_->useImages(makeImageList1()); }

void Form1::setLegendCaption(const std::string& text) { propLegend->setTitle(QString::fromStdString(text)); }

void Form1::showLegend()
{
    legendMainMenu->setChecked(true);
    propLegend->show();
}

void Form1::treeView2_AfterSelect()
{
    QTreeWidgetItem* node = treeView2->currentItem();
    if (!state_.gridLoaded || !node || !OpenGL) return;
    const auto sayPickedCellAgain = qScopeGuard([this] { refreshPickedCell(); });

    // Choosing a property ends the property filter view and takes the filter off the displayed property.
    if (threedMainMenu->isChecked()) {
        threedMainMenu->setChecked(false);
        uncheckModes();
        state_.cont_prop_cut = 0.0f;
        rebuildPropertyArrays();
    }

    const std::string text = node->text(0).toStdString();
    state_.PROP_name_displaying = text;
    state_.propLoading = false;
    const int nodeIndex = node->parent() ? node->parent()->indexOfChild(node) : treeView2->indexOfTopLevelItem(node);

    if (text == state_.gridfilename_string) {
        // The root node: the whole grid in the colour of undefined values, no legend.
        state_.displayGrid = true;
        qDeleteAll(propLegend->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
        propLegend->setTitle(node->text(0));
        OpenGL->initPROP(1, false, 10);
        OpenGL->bindPropBuffers();
        return;
    }
    state_.displayGrid = false;

    // The node's overall entry holds its type code; a node without one (the lists are out of step) is not drawn.
    const std::size_t entry = static_cast<std::size_t>(nodeIndex) + 1;
    if (nodeIndex < 0 || entry >= state_.PROP_type.size()) {
        trace("no property entry for node " + std::to_string(nodeIndex));
        return;
    }
    const int type = state_.PROP_type[entry];

    // Properties are found by name; with several of the same name the last match stays displayed.
    for (std::size_t i = 0; i < state_.PROP_disc_loading_name.size(); ++i) {
        if (state_.PROP_disc_loading_name[i] != text) continue;
        propLegend->setTitle(node->text(0));
        trace("i = " + std::to_string(i));
        trace("PROP_type = " + std::to_string(type));
        state_.disc_PROP_displaying = true;
        state_.i_morvane = static_cast<int>(i);
        state_.prop_no_morvane = nodeIndex;  // before colouring: the colour limits are read from this entry
        OpenGL->initPROP(static_cast<int>(i) + 1, true, type);
        OpenGL->bindPropBuffers();
        // The discrete legend (refreshDiscMorvane with i) is rebuilt here once the legend exists.
    }
    for (std::size_t i = 0; i < state_.PROP_cont_loading_name.size(); ++i) {
        if (state_.PROP_cont_loading_name[i] != text) continue;
        propLegend->setTitle(node->text(0));
        state_.disc_PROP_displaying = false;
        trace("i = " + std::to_string(i));
        trace("prop_no = " + std::to_string(nodeIndex));
        trace("PROP_type = " + std::to_string(type));
        state_.i_morvane = static_cast<int>(i);
        state_.prop_no_morvane = nodeIndex;  // before colouring: the colour limits are read from this entry
        OpenGL->initPROP(static_cast<int>(i) + 1, false, type);
        OpenGL->bindPropBuffers();
        // The continuous legend (refreshContMorvane with i and the node index) is rebuilt here once it exists.
    }
}

}  // namespace morvane
