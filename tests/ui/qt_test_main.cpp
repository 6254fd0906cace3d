// Widget tests run inside one QApplication with the program's own font, offscreen unless a
// display is asked for.
#include <gtest/gtest.h>

#include <QApplication>

#include "winsys/qt/qt_app.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    velmarto::winsys::qt::ApplyApplicationLook();
    return RUN_ALL_TESTS();
}
