// The data manager: how complete the loaded data is (wells, model, production), and where the user re-types the
// loaded properties, splits the layers into zones, sets the oil-water and gas-oil contacts and edits the cumulative
// production of each well.
//
// The dialog works on its own controls and copies; Apply stores the property types, the zones and the contacts
// (built and uploaded at once), and the main window copies the types and the production back when the dialog
// closes. Closing without Apply changes nothing. A new dialog is built every time it is opened.
//
// The rules (type choices, region lists, zone checks, depth reading, Apply gating, contact building) live in
// commands/data_manager_rules and commands/contacts_command; this class only shows them.
#pragma once

#include <string>
#include <vector>

#include <QDialog>
#include <QStringList>

#include "commands/contacts_command.h"
#include "commands/data_manager_rules.h"
#include "model/model_state.h"
#include "core/user_prompts.h"
#include "scene/scene_operations.h"
#include "ui/production_table.h"
#include "ui/status_icons.h"

class QAbstractButton;
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

class Data_manager : public QDialog {
    Q_OBJECT
public:
    // `state` is the model state the contacts and zones are stored in and the copies are kept in; `view` uploads
    // the contacts (may be null); `prompts` shows the dialog's messages. The other arguments are the caller's
    // values, in order: grid loaded, properties loaded, zones and contacts assigned, the model extents
    // (model_x_max, model_x_min, model_y_max, model_y_min, model_z_max, model_z_min), the property names, the type
    // codes (entry 0 the placeholder grid), the layer count, the well names and their oil, water and gas
    // production.
    Data_manager(ModelState& state, SceneOperations* view, UserPrompts& prompts, bool gridLoaded, bool propLoaded,
                 bool zonesAssigned, bool contactsAssigned, float model_x_max, float model_x_min, float model_y_max,
                 float model_y_min, float model_z_max, float model_z_min,
                 const std::vector<std::string>& propertyNameAll, const std::vector<int>& PROP_type, int ZCORN_K,
                 const std::vector<std::string>& well_name, const std::vector<float>& oilProd,
                 const std::vector<float>& waterProd, const std::vector<float>& gasProd, QWidget* parent = nullptr);

    void updateLang(const std::string& lang);

    bool OK_manager() const { return OK_data_manager; }
    void OK_manager_false() { OK_data_manager = false; }
    std::vector<int> get_prop_types() const { return state_.PROP_types; }
    // The production as the production page leaves it, one value per well (-1 none).
    std::vector<float> get_oilProd() const { return state_.oilProdForm; }
    std::vector<float> get_waterProd() const { return state_.waterProdForm; }
    std::vector<float> get_gasProd() const { return state_.gasProdForm; }

    // Handlers, under their given names.
    void Datamanager_Load();
    void checkBox_MouseDown(QAbstractButton* pageButton);
    void propList_SelectedIndexChanged(QComboBox* list);
    void button1_Click();    // a new zone
    void deleteBtn_Click();  // the last zone removed
    void checkAllComboBoxes();
    void applyButton_Click();
    void checkModelAssigned();
    void checkWellAssigned();
    // Both contacts rebuilt from the contact controls (a refused one is said, and its controls show the contact
    // kept), then both surfaces uploaded.
    void changeContacts();
    void bindContacts();
    void checkBox_OWC_CheckedChanged() { contactCheckChanged(owc_); }
    void checkBox_GOC_CheckedChanged() { contactCheckChanged(goc_); }
    void uniformOWC_radio_CheckedChanged() { uniformRadioChanged(owc_); }
    void uniformGOC_radio_CheckedChanged() { uniformRadioChanged(goc_); }
    void OWC_region_list_SelectedIndexChanged() { regionListChanged(owc_); }
    void GOC_region_list_SelectedIndexChanged() { regionListChanged(goc_); }

    // A production cell was edited or pasted into.
    void productionEdited() { markChanged(); }

    // What the dialog was given and found.
    bool gridLoaded_form = false, propLoaded_form = false, zonesAssigned_form = false, contactsAssigned_form = false;
    bool padsAssigned_form = false, wellsLoaded_form = false, wellTypeAssigned_form = false,
         completionsLoaded_form = false;
    float max_x_form = 0, min_x_form = 0, max_y_form = 0, min_y_form = 0, max_z_form = 0, min_z_form = 0;
    int zcorn_k_form = 0;
    int count = 0;        // property rows
    int zones_count = 0;  // zone rows shown
    bool zones_ok = false;
    bool OK_data_manager = false;
    bool just_loaded = true;
    std::string Lang;
    QString propListLith, propListFacies, propListNTG, propListPoro, propListPerm, propListSw, propListRegions,
        propListDisc, propListCont;

    // The production table's four column captions in the dialog's language.
    QStringList productionHeaders;

    // Controls, under their object names.
    QLabel *label1, *label2;
    QPushButton *checkBox1, *checkBox2, *checkBox3;  // the page buttons: wells, model, production
    QLabel *panel15, *panel16, *panel17;             // the summary icons of the three pages
    QPushButton *applyButton, *kryptonButton1;
    QWidget *panel1, *panel3;
    QScrollArea* panel2;
    QTreeWidget* wells_treeView;
    QGroupBox *groupBox6, *groupBox5, *zonesBox, *groupBox2, *OWC_Box, *GOC_Box, *groupBox12, *groupBox10;
    QLabel *label3, *label4, *label5, *label6, *label7, *label8, *label9, *label10;
    QPushButton *addNewZone, *deleteBtn;
    QCheckBox *checkBox_OWC, *checkBox_GOC;
    QRadioButton *uniformOWC_radio, *regionOWC_radio, *uniformGOC_radio, *regionGOC_radio;
    QLineEdit *OWC_textBox, *GOC_textBox;
    QComboBox *OWC_region_list, *GOC_region_list;
    // The production page's table of wells with their cumulative oil, water and gas, filled from well_name_form,
    // oilProdForm, waterProdForm and gasProdForm; Apply reads it back into those copies.
    ProductionTable* kryptonDataGridView1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

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
        QComboBox* regionList = nullptr;
        std::vector<CodeRow> rows;
        const char* rowPrefix = "owc";
    };

    void buildControls();
    void buildStatusRows();
    void buildModelPage(const std::vector<std::string>& names, const std::vector<int>& types);
    void buildContactBox(ContactControls& c, const char* boxName, QWidget* parent, int x);
    StatusRow makeStatusRow(QWidget* page, const char* backgroundName, const char* iconName, const char* labelName,
                            int x, int y);
    void fitModelPage();

    void setRowOK(StatusRow& row);
    void setRowMissing(StatusRow& row);
    static void setIcon(QLabel* label, StatusIcon icon);
    void showPage(QPushButton* pageButton);

    void fillZones();
    ZoneWidgets addZoneWidgets(int n, int y);
    std::vector<ZoneRow> zoneRows() const;

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

    void markChanged();
    void updateApplyButton();

    void fillProductionTable();
    // Apply's production step: the table read into the copies and the production summary icon set.
    void applyProduction();
    void showProductionCompleteness(const ProductionColumnsCheck& check);

    ModelState& state_;
    SceneOperations* view_;
    UserPrompts& prompts_;
    std::vector<LoadedProperty> loaded_;
    std::vector<RegionChoice> regions_;
    std::vector<QComboBox*> typeLists_;
    std::vector<ZoneWidgets> zones_;
    ContactControls owc_, goc_;
    StatusRow padsRow_, wellsRow_, typeRow_, completionsRow_, gridRow_, propertiesRow_, zonesRow_, contactsRow_;
    QWidget* modelPage_ = nullptr;  // the model page's content inside panel2
    QLabel* extentValues_[6] = {};
    bool changed_ = false;
    bool loaded_once_ = false;
};

}  // namespace morvane
