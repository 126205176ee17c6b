// The well column dialog: the well's name and four drop-down lists (measured depth, X, Y, Z) holding the column
// names of its header. It opens with the columns named exactly MD, X, Y and Z selected. "ОК" confirms this file;
// "OK for all" (offered only when several files were chosen) confirms this file and, when all four lists have a
// selection, the same columns for the later files of the selection. Closing it any other way abandons the import.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

#include "core/user_prompts.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace morvane {

class WellColumnsDialog : public QDialog {
    Q_OBJECT
public:
    WellColumnsDialog(const std::string& wellName, const std::vector<std::string>& columns, bool severalFiles,
                      QWidget* parent = nullptr);

    void updateLang(const std::string& lang);

    // The column indices "OK for all" recorded (0 otherwise).
    int recordedX() const { return columnX_; }
    int recordedY() const { return columnY_; }
    int recordedZ() const { return columnZ_; }
    int recordedMd() const { return columnMd_; }
    bool okForAll() const { return okForAll_; }
    // True when the dialog was closed without either button.
    bool abandoned() const { return abandoned_; }
    // The lists' selections and the way the dialog was left.
    WellColumnAnswer answer() const;

public slots:
    // The close box and Escape: the import is abandoned.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The columns named exactly MD, X, Y, Z selected, and the well's name shown (first showing).
    void preselectColumns();
    void confirm();
    void confirmForAll();
    bool allSelected() const;

    std::string wellName_;
    bool loaded_ = false;
    bool answered_ = false;
    bool okForAll_ = false;
    bool okForAllPressed_ = false;
    bool abandoned_ = false;
    int columnX_ = 0, columnY_ = 0, columnZ_ = 0, columnMd_ = 0;

    QGroupBox* columnsGroup_ = nullptr;
    QLabel *wellNameCaption_, *wellNameLabel_, *mdCaption_, *xCaption_, *yCaption_, *zCaption_;
    QComboBox *mdColumn_, *xColumn_, *yColumn_, *zColumn_;
    QPushButton *okButton_, *okForAllButton_;
};

}  // namespace morvane
