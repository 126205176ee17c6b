#include "main_window.h"

namespace morvane {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Morvane 2021.0 x64 beta"));
    setMinimumSize(1698, 824);
}

}  // namespace morvane
