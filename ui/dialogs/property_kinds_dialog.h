// The property kinds dialog, asked when properties are imported: one row per property of the file, its name and a
// drop-down list of the six property kinds. OK collects the chosen type codes (nothing chosen 0, lithology 1 ...
// water saturation 6) into the list it was given and marks the dialog confirmed; closing it any other way leaves it
// unconfirmed.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QComboBox;
class QGroupBox;
class QPushButton;

namespace morvane {

class PropertyKindsDialog : public QDialog {
    Q_OBJECT
public:
    // `types` is the list the chosen codes are appended to (the program-wide PROP_types).
    PropertyKindsDialog(const std::vector<std::string>& names, std::vector<int>& types, QWidget* parent = nullptr);

    void updateLang(const std::string& lang);
    bool confirmed() const { return confirmed_; }
    std::vector<int> chosenKinds() const { return types_; }
    void clearChosenKinds() { types_.clear(); }
    int propertyCount() const { return count_; }

    // The drop-down list of property i ("kindList" + i), or null.
    QComboBox* kindList(int i) const;

private:
    // OK: one code per property appended, the dialog confirmed and closed.
    void collectKinds();

    int count_ = 0;
    std::string lang_;
    bool confirmed_ = false;
    std::vector<int>& types_;
    QGroupBox* kindsGroup_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace morvane
