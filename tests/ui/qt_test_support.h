// What the Qt dialog tests share: running a dialog's modal loop with steps inside it.
#pragma once

#include <QWidget>
#include <functional>

#include "winsys/dialog.h"
#include "winsys/qt/dialog_window.h"

namespace velmarto::ui::test {

// Runs `steps` once the dialog is up, then closes it with Esc unless the steps did; returns
// what DoModal returned.
int RunModal(winsys::Dialog& dialog, std::function<void(winsys::DialogWindow&)> steps);

// Runs `steps` on the next modal window or popup that opens.
void OnNextModal(std::function<void(QWidget&)> steps);

// The application object as the program has it, with `main` as its main window.
struct TestApp : winsys::App {
    explicit TestApp(winsys::Dialog& main) { m_pMainWnd = &main; }
    bool InitInstance() override { return false; }
};

}  // namespace velmarto::ui::test
