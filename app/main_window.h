// The main window. For now a bare frame with the product title; the viewer's controls come next.
#pragma once

#include <QMainWindow>

namespace morvane {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace morvane
