// The well selection window of the section mode: a small window that stays on top, listing the wells picked for the
// section in picking order, with the button that builds the section. Created once by the main window and shown
// while the mode is on.
#pragma once

#include <string>

#include <QWidget>

class QPushButton;
class QTreeWidget;

namespace morvane {

class Display_well_section_mode : public QWidget {
    Q_OBJECT
public:
    explicit Display_well_section_mode(QWidget* parent = nullptr);

    // Whether the build button was used (once set, it stays set).
    bool is_render() const { return render_; }
    // No rows, the list and the window at their smallest height.
    void clearRows();
    // A row with the well's name and its picking number; the list and the window grow by one row.
    void addRow(const QString& well, int number);
    // Title, column names and button in the interface language ("en" or "ru").
    void updateLang(const std::string& lang);

    QTreeWidget* listView1 = nullptr;
    QPushButton* kryptonButton1 = nullptr;

    static constexpr int RowHeight = 22;

signals:
    // The window was shown or hidden (by the program, the build button or its close box).
    void visibilityChanged(bool visible);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The build button: with at least one row, the section is to be built and the window hides.
    void kryptonButton1_Click();

    bool render_ = false;
};

}  // namespace morvane
