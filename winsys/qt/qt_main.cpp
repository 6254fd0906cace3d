// Entry point of a Qt program: the one App instance takes over once Qt is up.
#include <QApplication>

#include "winsys/qt/qt_app.h"

int main(int argc, char** argv) {
    // The program takes no arguments, so Qt gets none of the user's either (-reverse, -style …):
    // only the program name, which it needs for the window class.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    velmarto::winsys::qt::ApplyApplicationLook();
    velmarto::winsys::App* app = velmarto::winsys::App::Instance();
    return app && app->InitInstance() ? application.exec() : 0;
}
