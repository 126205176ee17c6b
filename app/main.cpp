#include <QApplication>

#include "main_window.h"
#include "model_state.h"

int main(int argc, char* argv[])
{
    morvane::modelState();  // initial values are in place before the window exists
    QApplication app(argc, argv);
    morvane::MainWindow window;
    window.show();
    return app.exec();
}
