// The data manager: how complete the loaded data is (wells, model, production), and where the user re-types the
// loaded properties, splits the layers into zones, sets the oil-water and gas-oil contacts and edits the cumulative
// production of each well.
//
// The dialog works on its own controls and copies; Apply stores the property types, the zones and the contacts
// (built and uploaded at once), and the main window copies the types and the production back when the dialog
// closes. Closing without Apply changes nothing. A new dialog is built every time it is opened.
//
// The rules (type choices, region lists, zone checks, depth reading, Apply gating, contact building) live in
// commands/data_manager_rules and commands/contacts_command; this class only shows them. Its pages are built in
// data_manager_dialog.cpp (the frame, the completeness rows, Apply), data_manager_model_page.cpp (extents, property
// types, zones), data_manager_contacts.cpp (the two contacts) and data_manager_production_page.cpp.
#pragma once

#include <string>
#include <vector>

#include <QDialog>
#include <QStringList>

#include "commands/contacts_command.h"
#include "commands/data_manager_rules.h"
#include "commands/model_state.h"
#include "core/user_prompts.h"
#include "scene/scene_operations.h"
#include "ui/dialogs/production_table.h"
#include "ui/status_icons.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTreeWidget;

namespace morvane {

class DataManagerDialog : public QDialog {
    Q_OBJECT
public:
    // `state` is the model state the contacts and zones are stored in and the copies are kept in; `view` uploads
    // the contacts (may be null); `prompts` shows the dialog's messages. The other arguments are the caller's
    // values, in order: grid loaded, properties loaded, zones and contacts assigned, the model extents
    // (model_x_max, model_x_min, model_y_max, model_y_min, model_z_max, model_z_min), the property names, the type
    // codes (entry 0 the placeholder grid), the layer count, the well names and their oil, water and gas
    // production.
    DataManagerDialog(ModelState& state, SceneOperations* view, UserPrompts& prompts, bool gridLoaded, bool propLoaded,
                      bool zonesAssigned, bool contactsAssigned, float model_x_max, float model_x_min,
                      float model_y_max, float model_y_min, float model_z_max, float model_z_min,
                      const std::vector<std::string>& propertyNameAll, const std::vector<int>& PROP_type, int ZCORN_K,
                      const std::vector<std::string>& well_name, const std::vector<float>& oilProd,
                      const std::vector<float>& waterProd, const std::vector<float>& gasProd,
                      QWidget* parent = nullptr);

    void updateLang(const std::string& lang);

    // Apply was pressed at least once.
    bool applied() const { return applied_; }
    // Opens on the production page (the Development menu's Load production data).
    void showProductionPage();
    std::vector<int> propertyTypes() const { return chosenTypes_; }
    // The production as the production page leaves it, one value per well (-1 none).
    std::vector<float> oilProduction() const { return state_.oilProdForm; }
    std::vector<float> waterProduction() const { return state_.waterProdForm; }
    std::vector<float> gasProduction() const { return state_.gasProdForm; }
    // The zone rows shown, and whether they pass the zone checks.
    int zoneCount() const { return zoneCount_; }
    bool zonesValid() const { return zonesValid_; }

protected:
    void showEvent(QShowEvent* event) override;
    // Enter in a field confirms that field only: it neither presses a page button nor Apply.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A completeness row: the icon, and the coloured panel behind the label.
    struct StatusRow {
        QLabel* icon = nullptr;
        QFrame* background = nullptr;
        QLabel* label = nullptr;
        QString missingTip;  // shown while the item is missing
    };
    struct ZoneWidgets {
        QLineEdit* name = nullptr;
        QComboBox* start = nullptr;
        QComboBox* end = nullptr;
    };
    struct CodeRow {
        QLineEdit* code = nullptr;
        QLineEdit* depth = nullptr;
    };
    struct ContactControls {
        ContactKind kind = ContactKind::OWC;
        QGroupBox* box = nullptr;
        QCheckBox* check = nullptr;
        QRadioButton* uniform = nullptr;
        QRadioButton* region = nullptr;
        QLineEdit* depth = nullptr;
        QLabel* depthUnit = nullptr;  // "m below datum" beside the depth box (and the region list)
        QComboBox* regionList = nullptr;
        std::vector<CodeRow> rows;
        const char* prefix = "owc";  // of the object names
    };

    // The frame: the page buttons, their summary icons, Apply and Exit, the three pages.
    void buildControls();
    void buildStatusRows();
    StatusRow makeStatusRow(QWidget* page, const char* name, int x, int y);
    void setRowOK(StatusRow& row);
    void setRowMissing(StatusRow& row);
    static void setIcon(QLabel* label, StatusIcon icon);
    void showPage(QPushButton* pageButton);
    // The model's values shown, the first time the dialog is shown.
    void loadModelValues();
    void showModelCompleteness();
    void showWellsCompleteness();

    // The model page: extents, property types, zones and the contacts' group.
    void buildModelPage(const std::vector<std::string>& names, const std::vector<int>& types);
    void fitModelPage();
    void typeChosen(int row, QComboBox* list);
    void fillZones();
    ZoneWidgets addZoneWidgets(int n, int y);
    void addZone();
    void deleteZone();
    std::vector<ZoneRow> zoneRows() const;
    void checkZones();

    // The contacts.
    void buildContactBox(ContactControls& c, const char* boxName, QWidget* parent, int x);
    void contactCheckChanged(ContactControls& c);
    void uniformRadioChanged(ContactControls& c);
    void regionListChanged(ContactControls& c);
    void removeCodeRows(ContactControls& c);
    void addCodeRows(ContactControls& c, const std::vector<CodeRowText>& rows);
    void codeRowChanged(ContactControls& c);
    bool codeRowsReadable(const ContactControls& c) const;
    void fitContactBox(ContactControls& c);
    void showStoredContact(ContactControls& c);
    ContactRequest contactRequest(const ContactControls& c) const;
    // Both contacts rebuilt from the contact controls (a refused one is said, and its controls show the contact
    // kept), then both surfaces uploaded.
    void changeContacts();
    void uploadContacts();

    // The production page.
    void buildProductionPage();
    void fillProductionTable();
    // Apply's production step: the table read into the copies and the production summary icon set.
    void applyProduction();
    // A production file chosen by the user read into the table (not applied), with how it was understood.
    void loadProductionFile();
    void showProductionCompleteness(const ProductionColumnsCheck& check);

    void markChanged();
    void updateApplyButton();
    void apply();

    ModelState& state_;
    SceneOperations* view_;
    UserPrompts& prompts_;

    // What the dialog was given and found.
    bool gridLoaded_ = false, propertiesLoaded_ = false, zonesAssigned_ = false, contactsAssigned_ = false;
    bool padsAssigned_ = false, wellsLoaded_ = false, wellTypesAssigned_ = false, completionsLoaded_ = false;
    float extents_[6] = {};  // maximum X, Y, Z, minimum X, Y, Z
    int layerCount_ = 0;
    int propertyCount_ = 0;
    int zoneCount_ = 0;
    bool zonesValid_ = false;
    bool applied_ = false;
    bool loading_ = true;  // the controls are being filled: their changes are not the user's
    bool shownOnce_ = false;
    bool changed_ = false;
    std::string lang_;
    // The type names of the type lists, by code (0 none).
    QStringList typeNames_;

    std::vector<LoadedProperty> loaded_;
    std::vector<RegionChoice> regions_;
    std::vector<QComboBox*> typeLists_;
    std::vector<int> chosenTypes_;  // the kind code of each property's row, as Apply took them
    std::vector<ZoneWidgets> zones_;
    ContactControls owc_, goc_;
    StatusRow padsRow_, wellsRow_, typeRow_, completionsRow_, gridRow_, propertiesRow_, zonesRow_, contactsRow_;

    QLabel *title_, *subtitle_;
    QPushButton *wellsPageButton_, *modelPageButton_, *productionPageButton_;
    QLabel *wellsSummaryIcon_, *modelSummaryIcon_, *productionSummaryIcon_;
    QPushButton *applyButton_, *exitButton_;
    QWidget *wellsPage_, *productionPage_;
    QScrollArea* modelPageArea_;
    QWidget* modelPage_ = nullptr;  // the model page's content inside its scroll area
    QTreeWidget* wellList_;
    QGroupBox *extentsGroup_, *typesGroup_, *zonesGroup_, *contactsGroup_;
    QLabel* extentValues_[6] = {};
    QPushButton *addZoneButton_, *deleteZoneButton_;
    // The production page's table of wells with their cumulative oil, water and gas, filled from well_name_form,
    // oilProdForm, waterProdForm and gasProdForm; Apply reads it back into those copies.
    QGroupBox *productionGroup_, *injectionGroup_;
    ProductionTable* productionTable_ = nullptr;
    QPushButton* productionFileButton_ = nullptr;
    QPushButton* firstPage_ = nullptr;  // the page shown when the dialog opens (the wells page when null)
    QLabel* productionFileSummary_ = nullptr;
};

}  // namespace morvane
