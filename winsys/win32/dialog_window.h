// The Win32 window behind a winsys::Dialog.
#pragma once

#include <windows.h>
// windows.h maps these names to their W forms, which would rename Dialog's members.
#undef SetDlgItemText
#undef GetDlgItemText

#include <map>
#include <vector>

#include "winsys/dialog.h"
#include "winsys/dialog_layout.h"
#include "winsys/tile_grid.h"
#include "winsys/win32/tile_bitmaps.h"

namespace velmarto::winsys {

class DialogWindow {
public:
    explicit DialogWindow(Dialog& owner) : m_owner(owner) {}
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    HWND Handle() const { return m_hwnd; }
    HWND Control(int id) const { return GetDlgItem(m_hwnd, id); }

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class Dialog;

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL InitDialog(HWND hwnd);
    void FitControlsToText();
    void CentreOnOwner();
    void Relayout(const Layout& layout, int grown);
    void PaintMinimized();
    void ShowSystemMenu(LPARAM where);
    void Notify(int id, WORD code);
    void SubclassEdits();
    void SubclassKeys();
    static LRESULT CALLBACK KeysProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR window);
    void MoveInGrid(const ControlTemplate& from, GridKey key);
    int FocusedTileFor(int id) const;
    void AddToolTips();
    int StepsToOwnItem(HMENU menu) const;
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR window);
    void DrawItem(const DRAWITEMSTRUCT& item);
    void DrawTileButton(const DRAWITEMSTRUCT& item, const ControlTemplate& control);
    void DrawTileRow(const DRAWITEMSTRUCT& item);

    Dialog& m_owner;
    HWND m_hwnd = nullptr;
    HICON m_icon = nullptr;
    // Set by Dialog::Default: the dialog manager handles the current message after all.
    bool m_default = false;
    std::map<int, std::vector<TileFace>> m_tileRows;  // by control id
    TileBitmaps m_tileFaces;
    UINT m_firstOwnCommand = 0;  // of the items the dialog added to the system menu
};

// The template entry of a control, or null.
const ControlTemplate* FindControl(const DialogTemplate& dialog, int id);

// The module holding the resources: the icon, the strings and the version.
HINSTANCE ResourceModule();

// UTF-8 to UTF-16 and back, at the boundary with the wide-character API.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace velmarto::winsys
