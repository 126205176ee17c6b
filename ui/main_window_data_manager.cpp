// The data manager on the main window: opening it with the model's values, and taking back what was applied (the
// property types, the contact toggles and the production); the contacts given on the command line.
#include <algorithm>

#include <QToolButton>
#include <QTreeWidget>

#include "commands/contacts_command.h"
#include "commands/production_command.h"
#include "ui/dialogs/data_manager_dialog.h"
#include "ui/gl_view.h"
#include "ui/main_window.h"
#include "ui/model_tree_panel.h"
#include "ui/view_panel.h"

namespace morvane {

void MainWindow::openDataManager(bool productionPage)
{
    ModelState& s = state_;
    PropertySet& properties = s.document.properties;
    std::vector<std::string> names, wellNames;
    std::vector<int> kinds;
    // The production table lists the wells in load order, each with its volumes.
    std::vector<float> oil, water, gas;
    for (const Well& well : s.document.wells.items) {
        wellNames.push_back(well.name);
        const WellVolumes v = s.document.production.of(well.name);
        oil.push_back(v.oil);
        water.push_back(v.water);
        gas.push_back(v.gas);
    }
    for (const Property& p : properties.items) {
        names.push_back(p.name);
        kinds.push_back(static_cast<int>(p.kind));
    }
    DataManagerDialog manager(s, sceneOperations(), *prompts_, s.document.grid.loaded, !properties.items.empty(), false,
                              false, s.document.grid.extent.xMax, s.document.grid.extent.xMin,
                              s.document.grid.extent.yMax, s.document.grid.extent.yMin, s.document.grid.extent.zMax,
                              s.document.grid.extent.zMin, names, kinds, s.document.grid.layers, wellNames, oil, water,
                              gas, this);
    manager.updateLang(s.view.language);
    if (productionPage) manager.showProductionPage();
    manager.exec();
    if (!manager.applied()) return;

    // Property kinds: the document's and the icons of the property nodes.
    const std::vector<int> types = manager.propertyTypes();
    modelTree_->setUpdatesEnabled(false);
    for (std::size_t i = 0; i < types.size() && i < properties.items.size(); ++i) {
        properties.items[i].kind = propertyKindOf(types[i]);
        modelTree_->setPropertyIcon(static_cast<int>(i), types[i]);
    }
    ++properties.revision;
    modelTree_->setUpdatesEnabled(true);

    showContactToggles();

    // Production: the volumes of each well listed.
    const std::vector<float>&oilBack = manager.oilProduction(), &waterBack = manager.waterProduction(),
          &gasBack = manager.gasProduction();
    for (std::size_t i = 0; i < wellNames.size() && i < oilBack.size() && i < waterBack.size() && i < gasBack.size();
         ++i)
        s.document.production.byWell[wellNames[i]] = WellVolumes{oilBack[i], waterBack[i], gasBack[i]};
    ++s.document.production.revision;
    // Discs on show take the new volumes at once.
    if (ribbon_.production->isChecked() && glView_) rebuildCircleDiagrams(s, glView_->scene(), *this);
}

void MainWindow::showContactToggles()
{
    const Contacts& contacts = state_.document.contacts;
    for (const auto& [kind, set, display] :
         {std::tuple{ContactKind::OWC, contacts.owc.set, &state_.view.contacts.owc},
          std::tuple{ContactKind::GOC, contacts.goc.set, &state_.view.contacts.goc}}) {
        modelTree_->showContactToggle(kind, set);
        // A contact no longer set is not drawn either.
        if (!set) *display = false;
    }
}

void MainWindow::showUniformContacts(std::optional<double> owcDepth, std::optional<double> gocDepth)
{
    for (const auto& [kind, depth] : {std::pair{ContactKind::OWC, owcDepth}, std::pair{ContactKind::GOC, gocDepth}}) {
        if (!depth) continue;
        if (!glView_ || !showUniformContact(state_, glView_->scene(), kind, *depth, *this)) {
            appendLog(std::string("The ") + contactName(kind) + " needs a loaded grid", log_colour::Red);
            continue;
        }
        modelTree_->checkContactToggle(kind);
    }
    showContactToggles();
}

}  // namespace morvane
