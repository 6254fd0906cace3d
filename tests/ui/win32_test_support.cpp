// Shared helpers of the Win32 dialog tests.
#include "tests/ui/win32_test_support.h"

#include <memory>

#include "winsys/win32/dialog_window.h"

namespace velmarto::ui::test {
namespace {

std::function<void()>* g_pendingSteps = nullptr;

}  // namespace

void OnNextLoop(std::function<void()> steps) {
    g_pendingSteps = new std::function<void()>(std::move(steps));
    SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        std::unique_ptr<std::function<void()>> steps(g_pendingSteps);
        g_pendingSteps = nullptr;
        (*steps)();
    });
}

void Pump(HWND dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void PressKey(HWND dialog, WPARAM key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 0);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0);
    Pump(dialog);
}

void PressShiftF10(HWND dialog) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(GetFocus(), WM_SYSKEYDOWN, VK_F10, 0);
    Pump(dialog);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

void Click(HWND dialog, int id) {
    SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
    Pump(dialog);
}

void Select(HWND dialog, int id, int index) {
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string Text(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return winsys::Narrow(buffer);
}

int RunModal(winsys::Dialog& dialog, std::function<void(HWND)> steps) {
    OnNextLoop([&] {
        const HWND hwnd = dialog.Window()->Handle();
        steps(hwnd);
        if (IsWindow(hwnd)) {
            PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
        }
    });
    return dialog.DoModal();
}

std::string ClipboardBytes(UINT format) {
    std::string bytes;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(format)) {
            const auto* start = static_cast<const char*>(GlobalLock(data));
            bytes.assign(start, GlobalSize(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return bytes;
}

}  // namespace velmarto::ui::test
