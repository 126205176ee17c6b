// The grid import command on the main window: its controls as the command's GridImportWindow.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>

#include "copengl.h"
#include "data_tree_view.h"
#include "form1.h"

namespace morvane {

GridImportContext Form1::importContext()
{
    return GridImportContext{state_, *this, *OpenGL, *this, *prompts_};
}

GridImportOutcome Form1::importMainMenu_grid_Click() { return importGridWithDialog(importContext()); }

GridImportOutcome Form1::importGridFromPath(const std::string& path) { return importGridFile(importContext(), path); }

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

}  // namespace morvane
