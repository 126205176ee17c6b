// The property loading dialog: one row per property of the file, its name and a drop-down list of the six property
// kinds. OK collects the chosen type codes (nothing chosen 0, lithology 1 ... water saturation 6) into the list it
// was given and marks the dialog confirmed; closing it any other way leaves it unconfirmed.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QComboBox;
class QGroupBox;
class QPushButton;

namespace morvane {

class LoadingProp : public QDialog {
    Q_OBJECT
public:
    // `types` is the list the chosen codes are appended to (the program-wide PROP_types).
    LoadingProp(const std::vector<std::string>& names, std::vector<int>& types, QWidget* parent = nullptr);

    void updateLang(const std::string& lang);
    bool OK_loading() const { return OK_loading_props; }
    std::vector<int> get_prop_types() const { return PROP_types; }
    void clear_types() { PROP_types.clear(); }
    std::string ReadAppSettings(const std::string& key) const;

    // The drop-down list of property i ("prop" + i), or null.
    QComboBox* typeList(int i) const;

    int count = 0;
    QString propListLith, propListFacies, propListNTG, propListPoro, propListPerm, propListSw;
    std::string Lang;
    bool OK_loading_props = false;

    void kryptonButton1_Click();

private:
    std::vector<int>& PROP_types;
    QGroupBox* groupBox1 = nullptr;
    QPushButton* kryptonButton1 = nullptr;
};

}  // namespace morvane
