// What the Win32 dialog tests share: running a dialog's modal loop with steps inside it, and
// keys, clicks and texts the way the dialog manager sees them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "winsys/dialog.h"

namespace velmarto::ui::test {

// Runs `steps` from a timer once the next modal loop is running.
void OnNextLoop(std::function<void()> steps);
// Delivers what is queued, the way the modal loop does, dialog keys included.
void Pump(HWND dialog);
void PressKey(HWND dialog, WPARAM key);
// Shift+F10 as the keyboard sends it: the key with Shift held in the thread's key state.
void PressShiftF10(HWND dialog);
void Click(HWND dialog, int id);
void Select(HWND dialog, int id, int index);
std::string Text(HWND window);
// Runs the dialog modally; `steps` get its window, and Esc closes it afterwards if still open.
int RunModal(winsys::Dialog& dialog, std::function<void(HWND)> steps);
// The clipboard's bytes in `format`, terminator included.
std::string ClipboardBytes(UINT format);

// The application object as the program has it, with `main` as its main window.
struct TestApp : winsys::App {
    explicit TestApp(winsys::Dialog& main) { m_pMainWnd = &main; }
    bool InitInstance() override { return false; }
};

}  // namespace velmarto::ui::test
