// Entry point of a Qt program: the one App instance takes over once Qt is up.
#include <QApplication>

#include "winsys/qt/qt_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    velmarto::winsys::qt::ApplyApplicationLook();
    velmarto::winsys::App* app = velmarto::winsys::App::Instance();
    return app && app->InitInstance() ? application.exec() : 0;
}
