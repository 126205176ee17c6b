// The events log panel of the main window: what the program did, line by line in the line's colour, under its
// caption. It is the window's log channel; the newest line is kept in sight.
#pragma once

#include <string>

#include <QWidget>

#include "core/feedback.h"

class QLabel;
class QTextEdit;

namespace morvane {

class EventsLogPanel : public QWidget {
    Q_OBJECT
public:
    explicit EventsLogPanel(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    // Appends coloured text, on a new line when the log already holds text.
    void append(const std::string& text, LogColour colour);

private:
    void scrollToEnd();

    QLabel* caption_ = nullptr;
    QTextEdit* log_ = nullptr;
};

}  // namespace morvane
