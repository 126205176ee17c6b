// The data manager on the main window: opening it with the model's values, and taking back what was applied (the
// property types, the contact toggles and the production); the contacts given on the command line.
#include <algorithm>

#include <QToolButton>
#include <QTreeWidget>

#include "commands/contacts_command.h"
#include "ui/data_tree_view.h"
#include "ui/dialogs/data_manager_dialog.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"

namespace morvane {

namespace {

void copyBack(const std::vector<float>& from, std::vector<float>& to)
{
    std::copy_n(from.begin(), std::min(from.size(), to.size()), to.begin());
}

}  // namespace

void MainWindow::dataManagerMainMenu_Click()
{
    ModelState& s = state_;
    DataManagerDialog manager(s, OpenGL, *prompts_, s.document.grid.loaded, s.propLoaded && s.PROP_type.size() > 1,
                              false, false, s.document.grid.extent.xMax, s.document.grid.extent.xMin,
                              s.document.grid.extent.yMax, s.document.grid.extent.yMin, s.document.grid.extent.zMax,
                              s.document.grid.extent.zMin, s.propertyNameAll, s.PROP_type, s.document.grid.layers,
                              s.well_name, s.oilProd, s.waterProd, s.gasProd, this);
    manager.updateLang(s.Lang);
    manager.exec();
    if (!manager.applied()) return;

    // Property types: the model state and the icons of the property nodes.
    const std::vector<int> types = manager.propertyTypes();
    treeView2->setUpdatesEnabled(false);
    for (std::size_t i = 0; i < types.size() && i + 1 < s.PROP_type.size(); ++i) {
        s.PROP_type[i + 1] = types[i];
        treeTarget_->setPropertyImage(static_cast<int>(i), types[i]);
    }
    treeView2->setUpdatesEnabled(true);

    showContactToggles();

    // Production: one value per well, as far as both lists go.
    copyBack(manager.oilProduction(), s.oilProd);
    copyBack(manager.waterProduction(), s.waterProd);
    copyBack(manager.gasProduction(), s.gasProd);
}

void MainWindow::загрузитьДанныеПоДобычеToolStripMenuItem_Click() { dataManagerMainMenu_Click(); }

void MainWindow::showContactToggles()
{
    for (const auto& [button, set, display] : {std::tuple{owc_Check, state_.OWC_set, &state_.displayOWC},
                                               std::tuple{goc_Check, state_.GOC_set, &state_.displayGOC}}) {
        button->setVisible(set);
        // A contact no longer set is not drawn either.
        if (!set) {
            button->setChecked(false);
            *display = false;
        }
    }
}

void MainWindow::showUniformContacts(std::optional<double> owcDepth, std::optional<double> gocDepth)
{
    for (const auto& [kind, depth, button] :
         {std::tuple{ContactKind::OWC, owcDepth, owc_Check}, std::tuple{ContactKind::GOC, gocDepth, goc_Check}}) {
        if (!depth) continue;
        if (!OpenGL || !showUniformContact(state_, *OpenGL, kind, *depth, *this)) {
            appendLog(std::string("The ") + contactName(kind) + " needs a loaded grid", log_colour::Red);
            continue;
        }
        button->setChecked(true);
    }
    showContactToggles();
}

}  // namespace morvane
