// The small information windows of the About menu: about the program, how to send feedback, how to support it.
// Each reads the interface language from the settings when it is made.
#pragma once

#include <QDialog>

namespace morvane {

class InfoWindow : public QDialog {
    Q_OBJECT
public:
    enum class Kind { About, Feedback, Donate };
    explicit InfoWindow(Kind kind, QWidget* parent = nullptr);
};

}  // namespace morvane
