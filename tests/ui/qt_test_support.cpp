// Shared helpers of the Qt dialog tests.
#include "tests/ui/qt_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace velmarto::ui::test {

int RunModal(winsys::Dialog& dialog, std::function<void(winsys::DialogWindow&)> steps) {
    QTimer::singleShot(0, [&] {
        winsys::DialogWindow& window = *dialog.Window();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        steps(window);
        if (window.isVisible()) {
            QTest::keyClick(&window, Qt::Key_Escape);
        }
    });
    return dialog.DoModal();
}

void OnNextModal(std::function<void(QWidget&)> steps) {
    QTimer::singleShot(0, [steps] {
        QWidget* top = QApplication::activePopupWidget();
        if (!top) {
            top = QApplication::activeModalWidget();
        }
        ASSERT_NE(top, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
        steps(*top);
    });
}

}  // namespace velmarto::ui::test
