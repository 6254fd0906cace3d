// The score dialog on the Win32 backend, in one process, driven by window messages inside its
// modal loop, as the dialog manager and a user's keys would drive it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/cp932.h"
#include "res/resource.h"
#include "tests/ui/win32_test_support.h"
#include "ui/score_dialog.h"
#include "winsys/win32/dialog_window.h"

namespace velmarto::ui {
namespace {

namespace res = velmarto::res;
using namespace test;

constexpr const char* kDefaultReport = "点数＝1500点　子の支払い 500点オール";

std::string ResultText(HWND dialog) {
    return Text(GetDlgItem(dialog, res::IDC_RESULT));
}

bool CopyEnabled(HWND dialog) {
    return IsWindowEnabled(GetDlgItem(dialog, res::IDC_COPY));
}

int TextWidth(HWND dialog, const std::wstring& text) {
    const HDC dc = GetDC(dialog);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(dialog, dc);
    return size.cx;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

int ClientWidth(HWND window) {
    RECT rect;
    GetClientRect(window, &rect);
    return rect.right;
}

// Every label, button and list item of `dialog` is shown whole in the dialog font: a list's
// items fit its item area, a radio button's text fits beside its circle.
void ExpectEveryTextFits(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        const std::wstring kind = className;
        const std::string name = winsys::Narrow(WindowText(child));
        if (kind == L"ComboBox") {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            GetComboBoxInfo(child, &info);
            const auto count = SendMessageW(child, CB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < count; ++i) {
                wchar_t item[64] = {};
                SendMessageW(child, CB_GETLBTEXT, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(item));
                EXPECT_LE(TextWidth(dialog, item), info.rcItem.right - info.rcItem.left)
                    << winsys::Narrow(item);
            }
        } else if (kind == L"Button" || kind == L"Static") {
            const bool radio =
                (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
            const int beside = kind == L"Button" && radio ? GetSystemMetrics(SM_CXMENUCHECK) : 0;
            EXPECT_LE(TextWidth(dialog, WindowText(child)) + beside, ClientWidth(child)) << name;
        }
    }
}

// Opens the About box as its menu item does, runs `steps` on it, and closes it with Esc.
void WithAboutBox(HWND hwnd, std::function<void(HWND)> steps) {
    bool aboutSeen = false;
    OnNextLoop([&] {
        const HWND about = GetActiveWindow();
        aboutSeen = about != hwnd;
        steps(about);
        PressKey(about, VK_ESCAPE);
    });
    SendMessageW(hwnd, WM_SYSCOMMAND, res::IDM_ABOUT, 0);
    EXPECT_TRUE(aboutSeen);
}

TEST(Win32ScoreDialog, EveryTextFitsItsControl) {
    CScoreDialog dialog;
    TestApp app(dialog);
    RunModal(dialog, [](HWND hwnd) {
        ExpectEveryTextFits(hwnd);
        WithAboutBox(hwnd, [](HWND about) {
            ExpectEveryTextFits(about);
            // The notice fits the template as drawn: nothing in the About box had to be widened.
            RECT units = {0, 0, 169, 29};
            MapDialogRect(about, &units);
            EXPECT_EQ(ClientWidth(about), units.right);
        });
    });
}

TEST(Win32ScoreDialog, ShiftF10OpensTheWindowMenuFromEveryControlAtOurItem) {
    CScoreDialog dialog;
    TestApp app(dialog);
    RunModal(dialog, [](HWND hwnd) {
        for (int id : {res::IDC_HAN_TENS, res::IDC_FU, res::IDC_DEALER, res::IDC_RESULT}) {
            SetFocus(GetDlgItem(hwnd, id));
            bool opened = false;
            bool highlighted = false;
            // Runs inside the menu's own loop, once the keys it was handed are read.
            OnNextLoop([&] {
                opened = FindWindowW(L"#32768", nullptr) != nullptr;
                highlighted =
                    (GetMenuState(GetSystemMenu(hwnd, FALSE), res::IDM_HAND, MF_BYCOMMAND) &
                     MF_HILITE) != 0;
                EndMenu();
            });
            PressShiftF10(hwnd);
            EXPECT_TRUE(opened) << id;
            EXPECT_TRUE(highlighted) << id << ": the hand item, ready for Enter";
        }
    });
}

TEST(Win32ScoreDialog, OpensOnTheDefaults) {
    CScoreDialog dialog;
    RunModal(dialog, [](HWND hwnd) {
        EXPECT_EQ(Text(hwnd), "velmarto計算 Ver0.1");
        EXPECT_EQ(SendDlgItemMessageW(hwnd, res::IDC_HAN_TENS, CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(SendDlgItemMessageW(hwnd, res::IDC_HAN_UNITS, CB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(SendDlgItemMessageW(hwnd, res::IDC_FU, CB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(SendDlgItemMessageW(hwnd, res::IDC_FU, CB_GETCOUNT, 0, 0), 19);
        EXPECT_EQ(SendDlgItemMessageW(hwnd, res::IDC_HAN_TENS, CB_GETCOUNT, 0, 0), 12);
        EXPECT_EQ(IsDlgButtonChecked(hwnd, res::IDC_DEALER), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(hwnd, res::IDC_NONDEALER), BST_UNCHECKED);
        EXPECT_EQ(ResultText(hwnd), "ここに点数が表示されます");
        EXPECT_FALSE(CopyEnabled(hwnd));
        EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, res::IDC_HAN_TENS));
        EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), 0) << "icon 128 is set";
        const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
        EXPECT_TRUE(style & WS_MINIMIZEBOX);
        EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
        EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    });
}

TEST(Win32ScoreDialog, SystemMenuEndsWithTheAboutItem) {
    CScoreDialog dialog;
    RunModal(dialog, [](HWND hwnd) {
        const HMENU menu = GetSystemMenu(hwnd, FALSE);
        ASSERT_NE(menu, nullptr);
        const int count = GetMenuItemCount(menu);
        ASSERT_GE(count, 3);
        EXPECT_TRUE(GetMenuState(menu, count - 3, MF_BYPOSITION) & MF_SEPARATOR);
        EXPECT_EQ(GetMenuItemID(menu, count - 2), res::IDM_HAND);
        EXPECT_EQ(GetMenuItemID(menu, count - 1), res::IDM_ABOUT);
        wchar_t text[64] = {};
        GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
        EXPECT_EQ(winsys::Narrow(text), "velmarto のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    });
}

TEST(Win32ScoreDialog, SelectionsGiveTheirReports) {
    const struct {
        const char* name;
        int tens, units, fuIndex;
        bool dealer;
        const char* report;
    } cases[] = {
        {"defaults", 0, 1, 1, true, kDefaultReport},
        {"non-dealer 1 han", 0, 1, 1, false, "点数＝1000点　親の支払い 500点／子の支払い 300点"},
        {"dealer 4 han", 0, 4, 1, true, "点数＝1万1600点　子の支払い 3900点オール"},
        {"han 0", 0, 0, 5, true, "役無しチョンボ！ 子への支払い オール4000点"},
        {"largest non-dealer", 11, 9, 18, false,
         "点数＝2126澗7647溝9325穣5865杼3966垓4609京1296兆4485億5132万1600点"
         "　親の支払い 1063澗3823溝9662穣7932杼6983垓2304京5648兆2242億7566万0800点"
         "／子の支払い 531澗6911溝9831穣3966杼3491垓6152京2824兆1121億3783万0400点"},
    };
    CScoreDialog dialog;
    RunModal(dialog, [&](HWND hwnd) {
        for (const auto& c : cases) {
            Select(hwnd, res::IDC_HAN_TENS, c.tens);
            Select(hwnd, res::IDC_HAN_UNITS, c.units);
            Select(hwnd, res::IDC_FU, c.fuIndex);
            Click(hwnd, c.dealer ? res::IDC_DEALER : res::IDC_NONDEALER);
            Click(hwnd, IDOK);
            EXPECT_EQ(ResultText(hwnd), c.report) << c.name;
            EXPECT_EQ(dialog.Result(), c.report) << c.name;
            EXPECT_TRUE(CopyEnabled(hwnd)) << c.name;
        }
    });
}

TEST(Win32ScoreDialog, EnterCalculatesUnlessTheCopyButtonHasTheFocus) {
    CScoreDialog dialog;
    RunModal(dialog, [](HWND hwnd) {
        PressKey(hwnd, VK_RETURN);
        EXPECT_EQ(ResultText(hwnd), kDefaultReport);
        EXPECT_TRUE(IsWindowVisible(hwnd)) << "Enter leaves the dialog open";
        Select(hwnd, res::IDC_FU, 18);
        // Moving the focus as Tab does also makes the button the default one.
        SendMessageW(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd, res::IDC_COPY)),
                     TRUE);
        PressKey(hwnd, VK_RETURN);
        EXPECT_EQ(ResultText(hwnd), kDefaultReport) << "Enter pressed the copy button";
        EXPECT_EQ(ClipboardBytes(CF_TEXT), ToCp932(kDefaultReport) + '\0');
    });
}

TEST(Win32ScoreDialog, CopyPutsShiftJisTaggedJapaneseOnTheClipboard) {
    CScoreDialog dialog;
    RunModal(dialog, [](HWND hwnd) {
        Click(hwnd, IDOK);
        Click(hwnd, res::IDC_COPY);
        Click(hwnd, res::IDC_COPY);  // twice: the same text again
        EXPECT_EQ(ClipboardBytes(CF_TEXT), ToCp932(kDefaultReport) + '\0');
        const std::string locale = ClipboardBytes(CF_LOCALE);
        ASSERT_GE(locale.size(), sizeof(LCID));
        EXPECT_EQ(*reinterpret_cast<const LCID*>(locale.data()), 0x0411u);
        // Programs that ask for Unicode get the right text whatever the ANSI code page.
        const std::string unicode = ClipboardBytes(CF_UNICODETEXT);
        EXPECT_EQ(winsys::Narrow(reinterpret_cast<const wchar_t*>(unicode.data())), kDefaultReport);
        Select(hwnd, res::IDC_HAN_UNITS, 0);
        Click(hwnd, IDOK);
        Click(hwnd, res::IDC_COPY);
        EXPECT_EQ(ClipboardBytes(CF_TEXT),
                  ToCp932("役無しチョンボ！ 子への支払い オール4000点") + '\0');
    });
}

TEST(Win32ScoreDialog, AboutBoxOpensOnCommand16AndLeavesTheStateAlone) {
    CScoreDialog dialog;
    TestApp app(dialog);
    RunModal(dialog, [](HWND hwnd) {
        Select(hwnd, res::IDC_FU, 4);
        Click(hwnd, IDOK);
        const std::string report = ResultText(hwnd);
        WithAboutBox(hwnd, [hwnd](HWND about) {
            EXPECT_EQ(Text(about), "velmartoのﾊﾞｰｼﾞｮﾝ情報");
            EXPECT_EQ(GetWindow(about, GW_OWNER), hwnd);
            EXPECT_FALSE(IsWindowEnabled(hwnd)) << "the score dialog waits";
        });
        EXPECT_TRUE(IsWindowEnabled(hwnd));
        EXPECT_EQ(ResultText(hwnd), report);
        EXPECT_EQ(SendDlgItemMessageW(hwnd, res::IDC_FU, CB_GETCURSEL, 0, 0), 4);
    });
}

TEST(Win32ScoreDialog, EscCloses) {
    CScoreDialog dialog;
    const int result = RunModal(dialog, [](HWND hwnd) {
        Click(hwnd, IDOK);
        PressKey(hwnd, VK_ESCAPE);
        EXPECT_FALSE(IsWindowVisible(hwnd));
    });
    EXPECT_EQ(result, IDCANCEL);
}

}  // namespace
}  // namespace velmarto::ui
