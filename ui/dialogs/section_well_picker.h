// The well picker of the well section mode: a small window that stays on top, listing the wells picked for the
// section in picking order, with the button that builds the section. Created once by the main window and shown
// while the mode is on.
#pragma once

#include <string>

#include <QWidget>

class QPushButton;
class QTreeWidget;

namespace morvane {

class SectionWellPicker : public QWidget {
    Q_OBJECT
public:
    explicit SectionWellPicker(QWidget* parent = nullptr);

    // Whether the build button was used (once set, it stays set).
    bool buildRequested() const { return buildRequested_; }
    // No rows, the list and the window at their smallest height.
    void clearRows();
    // A row with the well's name and its picking number; the list and the window grow by one row.
    void addRow(const QString& well, int number);
    // Title, column names and button in the interface language ("en" or "ru").
    void updateLang(const std::string& lang);

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
    void requestBuild();

    bool buildRequested_ = false;
    QTreeWidget* wellList_ = nullptr;
    QPushButton* buildButton_ = nullptr;
};

}  // namespace morvane
