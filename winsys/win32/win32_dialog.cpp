// The Win32 backend of Dialog: a modal dialog from an in-memory template, driven by messages.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "winsys/dialog_layout.h"
#include "winsys/win32/dialog_window.h"
#include "winsys/win32/template_builder.h"

namespace velmarto::winsys {
namespace {

// Both coordinates of WM_CONTEXTMENU when the menu was asked for from the keyboard.
constexpr int kFromKeyboard = -1;

// Width of `text` in the font selected into `dc`.
int TextWidth(HDC dc, std::string_view text) {
    const std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

// The narrowest a control can be and still show its whole text: the text and what the control
// draws beside it (a list's button and frame, a radio button's circle, a push button's edges).
int MinimumWidth(HDC dc, const ControlTemplate& control) {
    const int edges = 2 * GetSystemMetrics(SM_CXEDGE);
    switch (control.kind) {
        case ControlKind::DropDownList: {
            int widest = 0;
            for (std::string_view item : control.items) {
                widest = std::max(widest, TextWidth(dc, item));
            }
            return widest + GetSystemMetrics(SM_CXVSCROLL) + edges;
        }
        case ControlKind::AutoRadio:
            return GetSystemMetrics(SM_CXMENUCHECK) + TextWidth(dc, control.text);
        case ControlKind::PushButton:
        case ControlKind::DefPushButton:
            return TextWidth(dc, control.text) + edges;
        case ControlKind::StaticText:
            return TextWidth(dc, control.text);
        case ControlKind::Edit:
        case ControlKind::StaticIcon:
            break;
    }
    return 0;
}

// A control's rectangle in its dialog's client coordinates.
RECT ClientRectOf(HWND control, HWND dialog) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

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
    FitControlsToText();
    return m_owner.OnInitDialog() ? TRUE : FALSE;
}

// Where the dialog font is wider than the template was drawn for (another font standing in for
// the dialog font, say), a control too narrow for its text is widened and its row moves along,
// as the Qt backend does. Where everything fits, nothing moves.
void DialogWindow::FitControlsToText() {
    const DialogTemplate& dialog = m_owner.Template();
    RECT units = {0, 0, 4, 8};
    MapDialogRect(m_hwnd, &units);
    const HDC dc = GetDC(m_hwnd);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(m_hwnd, WM_GETFONT, 0, 0)));
    std::vector<MinimumSize> minimum;
    for (const ControlTemplate& control : dialog.controls) {
        minimum.push_back({MinimumWidth(dc, control), 0});
    }
    SelectObject(dc, previous);
    ReleaseDC(m_hwnd, dc);

    const BaseUnits base{units.right, units.bottom};
    const Layout fitted = LayOutDialog(dialog, base, minimum);
    const Layout original = LayOutDialog(dialog, base, {});
    const auto moved = [](const PixelRect& a, const PixelRect& b) {
        return a.x != b.x || a.width != b.width;
    };
    if (!std::equal(fitted.controls.begin(), fitted.controls.end(), original.controls.begin(),
                    std::not_fn(moved))) {
        Relayout(fitted, fitted.width - original.width);
    }
}

// The controls are the dialog's children in template order.
void DialogWindow::Relayout(const Layout& layout, int grown) {
    HWND child = GetWindow(m_hwnd, GW_CHILD);
    for (const PixelRect& placed : layout.controls) {
        const RECT now = ClientRectOf(child, m_hwnd);
        SetWindowPos(child, nullptr, placed.x, now.top, placed.width, now.bottom - now.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    RECT window;
    GetWindowRect(m_hwnd, &window);
    SetWindowPos(m_hwnd, nullptr, 0, 0, window.right - window.left + grown,
                 window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
        case WM_CONTEXTMENU:
            ShowSystemMenu(lParam);
            return TRUE;
        default:
            return FALSE;
    }
}

// Right-click, Shift+F10 and the Menu key open the system menu at the pointer or below the focused
// control, as the window menu of the title bar would, which a window manager may keep for itself.
void DialogWindow::ShowSystemMenu(LPARAM where) {
    POINT at = {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    const bool fromKeyboard = at.x == kFromKeyboard && at.y == kFromKeyboard;
    if (fromKeyboard) {
        const HWND focus = GetFocus() ? GetFocus() : m_hwnd;
        RECT rect;
        GetWindowRect(focus, &rect);
        at = {rect.left, rect.bottom};
        // The menu's own loop reads this first, so the first item is highlighted and Enter
        // chooses it, as in a menu opened with Alt+Space.
        PostMessageW(m_hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    const HMENU menu = GetSystemMenu(m_hwnd, FALSE);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hwnd, nullptr));
    if (command != 0) {
        SendMessageW(m_hwnd, WM_SYSCOMMAND, command, 0);
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
