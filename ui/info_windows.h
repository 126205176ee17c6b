// The small information windows of the About menu: about the program, how to send feedback, how to support it.
// Each reads the interface language from the settings whenever it opens.
#pragma once

#include <QDialog>

class QLabel;

namespace morvane {

class InfoWindow : public QDialog {
    Q_OBJECT
public:
    enum class Kind { About, Feedback, Donate };
    explicit InfoWindow(Kind kind, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyLanguage();

    Kind kind_;
    QLabel* text_ = nullptr;
};

}  // namespace morvane
