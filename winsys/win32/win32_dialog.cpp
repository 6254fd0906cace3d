// The Win32 backend of Dialog: a modal dialog from an in-memory template, driven by messages.
#include <windows.h>

#include "winsys/win32/dialog_window.h"
#include "winsys/win32/template_builder.h"

namespace velmarto::winsys {
namespace {}  // namespace

HINSTANCE ResourceModule() {
    return GetModuleHandleW(nullptr);
}

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

INT_PTR CALLBACK DialogWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return reinterpret_cast<DialogWindow*>(lParam)->InitDialog(hwnd);
    }
    auto* window = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return window ? window->Handle(message, wParam, lParam) : FALSE;
}

BOOL DialogWindow::InitDialog(HWND hwnd) {
    m_hwnd = hwnd;
    // The lists are filled before the dialog's own initialisation, as a dialog-init resource is.
    for (const ControlTemplate& control : m_owner.Template().controls) {
        for (std::string_view item : control.items) {
            SendDlgItemMessageW(hwnd, control.id, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(Widen(item).c_str()));
        }
    }
    return m_owner.OnInitDialog() ? TRUE : FALSE;
}

INT_PTR DialogWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // Clicks, Enter and Esc; the lists' and the edit box's notifications are not commands.
            if (HIWORD(wParam) == BN_CLICKED) {
                m_owner.Command(LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        case WM_SYSCOMMAND:
            m_default = false;
            m_owner.OnSysCommand(static_cast<unsigned>(wParam), static_cast<long>(lParam));
            return m_default ? FALSE : TRUE;
        case WM_PAINT:
            if (IsIconic(m_hwnd) && m_icon) {
                PaintMinimized();
                return TRUE;
            }
            return FALSE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(m_icon);
        default:
            return FALSE;
    }
}

// A minimized dialog draws its icon in the middle of its client area.
void DialogWindow::PaintMinimized() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hwnd, &paint);
    SendMessageW(m_hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int width = GetSystemMetrics(SM_CXICON);
    const int height = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(m_hwnd, &client);
    DrawIcon(dc, (client.right - client.left - width + 1) / 2,
             (client.bottom - client.top - height + 1) / 2, m_icon);
    EndPaint(m_hwnd, &paint);
}

Dialog::Dialog(const DialogTemplate& dialogTemplate, Dialog* parent)
    : m_template(dialogTemplate), m_parent(parent) {}

Dialog::~Dialog() = default;

int Dialog::DoModal() {
    Dialog* owner = Owner();
    const HWND ownerWindow = owner && owner->Window() ? owner->Window()->Handle() : nullptr;
    const std::vector<WORD> dialogTemplate = BuildDialogTemplate(m_template);
    m_window = std::make_unique<DialogWindow>(*this);
    const INT_PTR result = DialogBoxIndirectParamW(
        ResourceModule(), reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), ownerWindow,
        DialogWindow::DialogProc, reinterpret_cast<LPARAM>(m_window.get()));
    m_window.reset();
    return static_cast<int>(result);
}

void Dialog::EndDialog(int result) {
    if (m_window && m_window->m_hwnd) {
        ::EndDialog(m_window->m_hwnd, result);
    }
}

void Dialog::Default() {
    if (m_window) {
        m_window->m_default = true;
    }
}

int Dialog::GetCurSel(int id) const {
    return static_cast<int>(SendDlgItemMessageW(m_window->Handle(), id, CB_GETCURSEL, 0, 0));
}

void Dialog::SetCurSel(int id, int index) {
    SendDlgItemMessageW(m_window->Handle(), id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Dialog::GetCheck(int id) const {
    return static_cast<int>(SendDlgItemMessageW(m_window->Handle(), id, BM_GETCHECK, 0, 0));
}

void Dialog::SetCheck(int id, int check) {
    SendDlgItemMessageW(m_window->Handle(), id, BM_SETCHECK, static_cast<WPARAM>(check), 0);
}

void Dialog::EnableControl(int id, bool enable) {
    EnableWindow(m_window->Control(id), enable ? TRUE : FALSE);
}

void Dialog::SetDlgItemText(int id, std::string_view text) {
    SetDlgItemTextW(m_window->Handle(), id, Widen(text).c_str());
}

bool Dialog::AppendSystemMenuItem(unsigned command, std::string_view text) {
    const HMENU menu = GetSystemMenu(m_window->Handle(), FALSE);
    if (!menu) {
        return false;
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, command, Widen(text).c_str());
    return true;
}

void Dialog::SetIcon(Icon icon) {
    m_window->m_icon = LoadIconW(ResourceModule(), MAKEINTRESOURCEW(icon.resourceId));
    SendMessageW(m_window->Handle(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(m_window->m_icon));
}

}  // namespace velmarto::winsys
