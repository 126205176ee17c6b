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

class LoadingWell : public QDialog {
    Q_OBJECT
public:
    LoadingWell(const std::string& wellName, const std::vector<std::string>& columns, bool severalFiles,
                QWidget* parent = nullptr);

    void updateLang(const std::string& lang);

    // The column indices "OK for all" recorded (0 otherwise).
    int well_column_x() const { return columnX_; }
    int well_column_y() const { return columnY_; }
    int well_column_z() const { return columnZ_; }
    int well_column_md() const { return columnMd_; }
    bool OK_for_all() const { return okForAll_; }
    // True when the dialog was closed without either button.
    bool well_dispose() const { return dispose_; }
    // The lists' selections and the way the dialog was left.
    WellColumnAnswer answer() const;

    void LoadingWell_Load();
    void kryptonButton1_Click();
    void kryptonButton2_Click();

    QGroupBox* groupBox1 = nullptr;
    QLabel *label1, *label2, *label3, *label4, *label5, *label6;
    QComboBox *kryptonComboBox1, *kryptonComboBox2, *kryptonComboBox3, *kryptonComboBox4;
    QPushButton *kryptonButton1, *kryptonButton2;

public slots:
    // The close box and Escape: the import is abandoned.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool allSelected() const;

    std::string wellName_;
    bool loaded_ = false;
    bool answered_ = false;
    bool okForAll_ = false;
    bool okForAllPressed_ = false;
    bool dispose_ = false;
    int columnX_ = 0, columnY_ = 0, columnZ_ = 0, columnMd_ = 0;
};

}  // namespace morvane
