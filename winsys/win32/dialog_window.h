// The Win32 window behind a winsys::Dialog.
#pragma once

#include <windows.h>
// windows.h maps this name to SetDlgItemTextW, which would rename Dialog's member.
#undef SetDlgItemText

#include "winsys/dialog.h"
#include "winsys/dialog_layout.h"

namespace velmarto::winsys {

class DialogWindow {
public:
    explicit DialogWindow(Dialog& owner) : m_owner(owner) {}

    HWND Handle() const { return m_hwnd; }
    HWND Control(int id) const { return GetDlgItem(m_hwnd, id); }

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class Dialog;

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL InitDialog(HWND hwnd);
    void FitControlsToText();
    void Relayout(const Layout& layout, int grown);
    void PaintMinimized();
    void ShowSystemMenu(LPARAM where);

    Dialog& m_owner;
    HWND m_hwnd = nullptr;
    HICON m_icon = nullptr;
    // Set by Dialog::Default: the dialog manager handles the current message after all.
    bool m_default = false;
};

// The module holding the resources: the icon, the strings and the version.
HINSTANCE ResourceModule();

// UTF-8 to UTF-16 and back, at the boundary with the wide-character API.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace velmarto::winsys
