// The Win32 backend of Dialog: a modal dialog from an in-memory template, driven by messages.
#include <windows.h>
// After windows.h, which these build on.
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "winsys/dialog_layout.h"
#include "winsys/tile_faces.h"
#include "winsys/tile_grid.h"
#include "winsys/win32/dialog_window.h"
#include "winsys/win32/template_builder.h"

namespace velmarto::winsys {
namespace {

// A tile button is its face, as high as the button, framed over its edge in the highlight colour
// while focused; it moves down while pressed and fades while disabled.
constexpr int kFocusFrameWidth = 2;
constexpr int kPressedShift = 1;
constexpr BYTE kDisabledOpacity = 102;

// Both coordinates of WM_CONTEXTMENU when the menu was asked for from the keyboard.
constexpr int kFromKeyboard = -1;
// The subclass of every control that takes the keyboard, beside the edit boxes' own.
constexpr UINT_PTR kKeysSubclass = 0x4B455953;

// What a closed drop-down list draws around its text besides its button and edges: the
// combo box's own border and the gap before its button on each side, and the inset of its text.
constexpr int kComboTextMargins = 12;

// The keys that move by rows in a grid of tile buttons.
struct GridStep {
    WPARAM key;
    GridKey gridKey;
};
constexpr GridStep kGridSteps[] = {{VK_UP, GridKey::Up},
                                   {VK_DOWN, GridKey::Down},
                                   {VK_HOME, GridKey::Home},
                                   {VK_END, GridKey::End}};

const GridStep* GridStepOf(WPARAM key) {
    for (const GridStep& step : kGridSteps) {
        if (step.key == key) {
            return &step;
        }
    }
    return nullptr;
}

bool ShiftDown() {
    return GetKeyState(VK_SHIFT) < 0;
}

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
            return widest + GetSystemMetrics(SM_CXVSCROLL) + edges + kComboTextMargins;
        }
        case ControlKind::AutoRadio:
        case ControlKind::CheckBox:
            return GetSystemMetrics(SM_CXMENUCHECK) + TextWidth(dc, control.text);
        case ControlKind::PushButton:
        case ControlKind::DefPushButton:
            return TextWidth(dc, control.text) + edges;
        case ControlKind::StaticText:
            return TextWidth(dc, control.text);
        case ControlKind::Edit:
        case ControlKind::StaticIcon:
        case ControlKind::TileButton:
        case ControlKind::TileRow:
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

// The tile character of a button's text, a surrogate pair; 0 for none.
char32_t TileGlyph(const std::wstring& text) {
    if (text.size() != 2) {
        return 0;
    }
    return 0x10000 + ((static_cast<char32_t>(text[0]) - 0xD800) << 10) +
           (static_cast<char32_t>(text[1]) - 0xDC00);
}

}  // namespace

const ControlTemplate* FindControl(const DialogTemplate& dialog, int id) {
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

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
    CentreOnOwner();
    SubclassEdits();
    SubclassKeys();
    AddToolTips();
    return m_owner.OnInitDialog() ? TRUE : FALSE;
}

// Clicks, Enter and Esc are commands; an edit box's new text and a list's new selection are
// changes. Everything else a control reports is the dialog manager's business.
void DialogWindow::Notify(int id, WORD code) {
    const ControlTemplate* control = FindControl(m_owner.Template(), id);
    const ControlKind kind = control ? control->kind : ControlKind::PushButton;
    // A read-only box changes only when the dialog sets it, and the dialog knows when it does.
    const bool readOnly = control && (control->style & kReadOnly);
    if (kind == ControlKind::Edit && code == EN_CHANGE && !readOnly) {
        m_owner.OnChange(id);
    } else if (kind == ControlKind::DropDownList && code == CBN_SELCHANGE) {
        m_owner.OnChange(id);
    } else if (kind != ControlKind::Edit && kind != ControlKind::DropDownList &&
               code == BN_CLICKED) {
        m_owner.Command(FocusedTileFor(id));
    }
}

// Enter sends the default button's command, or IDOK where there is none; on a tile button it
// presses that button, as Space does.
int DialogWindow::FocusedTileFor(int id) const {
    if (id != kIdOk || FindControl(m_owner.Template(), kIdOk)) {
        return id;
    }
    const HWND focus = GetFocus();
    const int focused = focus && GetParent(focus) == m_hwnd ? GetDlgCtrlID(focus) : 0;
    const ControlTemplate* control = FindControl(m_owner.Template(), focused);
    return control && control->kind == ControlKind::TileButton ? focused : id;
}

// Every control that takes the keyboard opens the window menu with Shift+F10 and the Menu key,
// the lists and edit boxes too, which would keep the keys or show their own menu; tile buttons
// also move by rows.
void DialogWindow::SubclassKeys() {
    for (const ControlTemplate& control : m_owner.Template().controls) {
        if (control.kind != ControlKind::StaticText && control.kind != ControlKind::StaticIcon &&
            control.kind != ControlKind::TileRow) {
            SetWindowSubclass(Control(control.id), KeysProc, kKeysSubclass,
                              reinterpret_cast<DWORD_PTR>(this));
        }
    }
}

LRESULT CALLBACK DialogWindow::KeysProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR window) {
    auto* self = reinterpret_cast<DialogWindow*>(window);
    const ControlTemplate* entry = FindControl(self->m_owner.Template(), GetDlgCtrlID(control));
    const bool tile = entry && entry->kind == ControlKind::TileButton;
    // A box the user types in keeps the edit control's own menu.
    const bool typed = entry && entry->kind == ControlKind::Edit && !(entry->style & kReadOnly);
    switch (message) {
        case WM_CONTEXTMENU:
            if (typed) {
                break;
            }
            SendMessageW(self->m_hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), lParam);
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (wParam == VK_F10 && ShiftDown()) {
                // Both coordinates -1, as Windows itself sends it for the menu key.
                SendMessageW(typed ? control : self->m_hwnd, WM_CONTEXTMENU,
                             reinterpret_cast<WPARAM>(control), static_cast<LPARAM>(kFromKeyboard));
                return 0;
            }
            if (const GridStep* step = GridStepOf(wParam); tile && step && message == WM_KEYDOWN) {
                self->MoveInGrid(*entry, step->gridKey);
                return 0;
            }
            break;
        case WM_GETDLGCODE:
            // Up and Down would go through the group like Left and Right; in a grid they are ours.
            if (const auto* msg = reinterpret_cast<const MSG*>(lParam);
                tile && msg && msg->message == WM_KEYDOWN && GridStepOf(msg->wParam)) {
                return DefSubclassProc(control, message, wParam, lParam) | DLGC_WANTALLKEYS;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(control, KeysProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

void DialogWindow::MoveInGrid(const ControlTemplate& from, GridKey key) {
    const std::span<const ControlTemplate> controls = m_owner.Template().controls;
    const auto index = static_cast<std::size_t>(&from - controls.data());
    if (const auto target = GridTarget(m_owner.Template(), index, key)) {
        SendMessageW(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(controls[*target].id)),
                     TRUE);
    }
}

// A tooltip for each control that has one: a palette tile's notation and name. The tooltip
// window belongs to the dialog and goes with it.
void DialogWindow::AddToolTips() {
    HWND tips = nullptr;
    for (const ControlTemplate& control : m_owner.Template().controls) {
        if (control.toolTip.empty()) {
            continue;
        }
        if (!tips) {
            tips =
                CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd,
                                nullptr, ResourceModule(), nullptr);
        }
        std::wstring text = Widen(control.toolTip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_hwnd;
        tool.uId = reinterpret_cast<UINT_PTR>(Control(control.id));
        tool.lpszText = text.data();
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// Typed edit boxes tell the dialog of Backspace at their end before they act on it.
void DialogWindow::SubclassEdits() {
    for (const ControlTemplate& control : m_owner.Template().controls) {
        if (control.kind == ControlKind::Edit && !(control.style & (kReadOnly | kMultiLine))) {
            SetWindowSubclass(Control(control.id), EditProc, static_cast<UINT_PTR>(control.id),
                              reinterpret_cast<DWORD_PTR>(this));
        }
    }
}

LRESULT CALLBACK DialogWindow::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR window) {
    if (message == WM_CHAR && wParam == VK_BACK) {
        DWORD start = 0, end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        const auto length = static_cast<DWORD>(GetWindowTextLengthW(edit));
        auto* self = reinterpret_cast<DialogWindow*>(window);
        if (start == end && end == length && self->m_owner.OnEditBackspace(static_cast<int>(id))) {
            return 0;
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, EditProc, id);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

void DialogWindow::DrawItem(const DRAWITEMSTRUCT& item) {
    const ControlTemplate* control = FindControl(m_owner.Template(), static_cast<int>(item.CtlID));
    if (!control) {
        return;
    }
    if (control->kind == ControlKind::TileButton) {
        DrawTileButton(item, *control);
    } else if (control->kind == ControlKind::TileRow) {
        DrawTileRow(item);
    }
}

void DialogWindow::DrawTileButton(const DRAWITEMSTRUCT& item, const ControlTemplate& control) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    // The palette's faces are fixed; the waits' change with the hand.
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(item.hwndItem, text.data(), static_cast<int>(text.size()))));
    const RECT& rect = item.rcItem;
    FacePlace place = CentreFace(TileFaceName(TileGlyph(text), control.style & kRed), rect.left,
                                 rect.top, rect.right - rect.left, rect.bottom - rect.top);
    RECT frame = {place.x, place.y, place.x + place.width, place.y + place.height};
    if (item.itemState & ODS_SELECTED) {
        place.y += kPressedShift;
    }
    m_tileFaces.Draw(item.hDC, place, (item.itemState & ODS_DISABLED) ? kDisabledOpacity : 255);
    if (item.itemState & ODS_FOCUS) {
        for (int ring = 0; ring < kFocusFrameWidth; ++ring) {
            FrameRect(item.hDC, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
            InflateRect(&frame, -1, -1);
        }
    }
}

void DialogWindow::DrawTileRow(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const RECT& rect = item.rcItem;
    for (FacePlace place : LayOutTileRow(m_tileRows[static_cast<int>(item.CtlID)],
                                         rect.right - rect.left, rect.bottom - rect.top)) {
        place.x += rect.left;
        place.y += rect.top;
        m_tileFaces.Draw(item.hDC, place);
    }
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

// A dialog with an owner opens centred on it, kept on the owner's screen; Windows leaves a
// template's dialog at its template position, the screen's corner.
void DialogWindow::CentreOnOwner() {
    const HWND owner = GetWindow(m_hwnd, GW_OWNER);
    if (!owner) {
        return;
    }
    RECT outer;
    RECT self;
    GetWindowRect(owner, &outer);
    GetWindowRect(m_hwnd, &self);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const LONG width = self.right - self.left;
    const LONG height = self.bottom - self.top;
    const LONG x = (outer.left + outer.right - width) / 2;
    const LONG y = (outer.top + outer.bottom - height) / 2;
    SetWindowPos(m_hwnd, nullptr, std::clamp(x, work.left, std::max(work.left, work.right - width)),
                 std::clamp(y, work.top, std::max(work.top, work.bottom - height)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR DialogWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            Notify(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
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
    }
    const HMENU menu = GetSystemMenu(m_hwnd, FALSE);
    if (fromKeyboard) {
        // The menu's own loop reads these first: Down to our first item, past the window's own
        // (disabled ones included), so that it is highlighted and Enter chooses it.
        for (int step = 0; step < StepsToOwnItem(menu); ++step) {
            PostMessageW(m_hwnd, WM_KEYDOWN, VK_DOWN, 0);
        }
    }
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hwnd, nullptr));
    if (command != 0) {
        SendMessageW(m_hwnd, WM_SYSCOMMAND, command, 0);
    }
}

// How many presses of Down, from a menu with nothing highlighted, reach the first of our items
// that can be chosen: one per item up to it, separators skipped as the menu skips them.
int DialogWindow::StepsToOwnItem(HMENU menu) const {
    int steps = 0;
    bool own = false;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            continue;
        }
        ++steps;
        own = own || (m_firstOwnCommand && GetMenuItemID(menu, i) == m_firstOwnCommand);
        if (own && !(state & (MF_GRAYED | MF_DISABLED))) {
            return steps;
        }
    }
    return 1;
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

void Dialog::ShowControl(int id, bool show) {
    ShowWindow(m_window->Control(id), show ? SW_SHOWNA : SW_HIDE);
}

void Dialog::SetDlgItemText(int id, std::string_view text) {
    std::wstring wide = Widen(text);
    const ControlTemplate* control = FindControl(m_template, id);
    if (control && (control->style & kMultiLine)) {
        // An edit box of several lines breaks them at "\r\n".
        for (std::size_t at = wide.find(L'\n'); at != std::wstring::npos;
             at = wide.find(L'\n', at + 2)) {
            wide.insert(at, 1, L'\r');
        }
    }
    SetDlgItemTextW(m_window->Handle(), id, wide.c_str());
    // Typed text goes on at its end.
    if (control && control->kind == ControlKind::Edit && !(control->style & kReadOnly)) {
        SendDlgItemMessageW(m_window->Handle(), id, EM_SETSEL, wide.size(),
                            static_cast<LPARAM>(wide.size()));
    }
}

std::string Dialog::GetDlgItemText(int id) const {
    const HWND control = m_window->Control(id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    std::erase(text, L'\r');
    return Narrow(text);
}

void Dialog::SetTileRow(int id, std::span<const TileFace> tiles) {
    m_window->m_tileRows[id].assign(tiles.begin(), tiles.end());
    InvalidateRect(m_window->Control(id), nullptr, TRUE);
}

bool Dialog::AppendSystemMenuItem(unsigned command, std::string_view text, bool separator) {
    const HMENU menu = GetSystemMenu(m_window->Handle(), FALSE);
    if (!menu) {
        return false;
    }
    // The system's own items (Close) are there already.
    if (GetMenuState(menu, command, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
        return true;
    }
    if (separator) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    AppendMenuW(menu, MF_STRING, command, Widen(text).c_str());
    if (!m_window->m_firstOwnCommand) {
        m_window->m_firstOwnCommand = command;
    }
    return true;
}

void Dialog::EnableSystemMenuItem(unsigned command, bool enable) {
    EnableMenuItem(GetSystemMenu(m_window->Handle(), FALSE), command,
                   MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void Dialog::SetIcon(Icon icon) {
    m_window->m_icon = LoadIconW(ResourceModule(), MAKEINTRESOURCEW(icon.resourceId));
    SendMessageW(m_window->Handle(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(m_window->m_icon));
}

}  // namespace velmarto::winsys
