// The hand dialog on the Win32 backend: typed and clicked hands, errors, copy and apply, driven
// by the messages keys and clicks would send.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "engine/cp932.h"
#include "res/resource.h"
#include "tests/ui/win32_test_support.h"
#include "ui/hand_dialog.h"
#include "ui/score_dialog.h"
#include "winsys/win32/dialog_window.h"

namespace velmarto::ui {
namespace {

using namespace test;

constexpr const char* kPinfuTiles = "234067m234p6799s8s";
constexpr const char* kPinfuReport = "点数＝2900点　子の支払い 1000点オール";

std::string ItemText(HWND dialog, int id) {
    return Text(GetDlgItem(dialog, id));
}

// Characters as the keyboard sends them to the focused box.
void Type(HWND dialog, int id, const std::wstring& text) {
    const HWND edit = GetDlgItem(dialog, id);
    SetFocus(edit);
    for (wchar_t c : text) {
        PostMessageW(edit, WM_CHAR, c, 0);
    }
    Pump(dialog);
}

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id));
}

TEST(Win32HandDialog, ATypedHandIsCountedAndCopied) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](HWND hwnd) {
        EXPECT_EQ(Text(hwnd), "手牌から計算");
        EXPECT_FALSE(Enabled(hwnd, res::IDC_HAND_COPY));
        Type(hwnd, res::IDC_HAND_TILES, L"234067m234p6799s8s");
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_REPORT), kPinfuReport);
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_DETAIL),
                  "平和 1飜\r\n赤ドラ 1飜\r\n計 2飜 30符（副底 20、門前ロン 10）\r\n\r\n"
                  "点数＝2900点\r\n子の支払い 1000点オール");
        EXPECT_TRUE(Enabled(hwnd, res::IDC_HAND_APPLY));
        Click(hwnd, res::IDC_HAND_COPY);
        EXPECT_EQ(ClipboardBytes(CF_TEXT), ToCp932(kPinfuReport) + '\0');
        Click(hwnd, res::IDC_TSUMO);
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_REPORT), "点数＝3900点　子の支払い 1300点オール");
    });
}

TEST(Win32HandDialog, APaletteClickAddsItsTileAndBackspaceTakesOne) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](HWND hwnd) {
        Click(hwnd, res::IDC_TILE_FIRST + 1);
        Click(hwnd, res::IDC_TILE_FIRST + 9);
        Click(hwnd, res::IDC_TILE_FIRST + 36);
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_TILES), "2m0m7z");
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_ERROR), "14枚ではありません（3枚）");
        Type(hwnd, res::IDC_HAND_TILES, L"\b");
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_TILES), "20m") << "one tile less";
        Type(hwnd, res::IDC_HAND_TILES, L"5");
        Type(hwnd, res::IDC_HAND_TILES, L"\b");
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_TILES), "20m") << "half-written: one character less";
    });
}

TEST(Win32HandDialog, BadInputSaysWhyAndShowsNoFigure) {
    CHandDialog dialog(nullptr);
    const int result = RunModal(dialog, [](HWND hwnd) {
        Type(hwnd, res::IDC_HAND_TILES, L"234067m234p6799s8s");
        SetDlgItemTextW(hwnd, res::IDC_DORA, L"5m5m5m5m");
        Pump(hwnd);
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_ERROR), "5mが5枚あります");
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_REPORT), "");
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_DETAIL), "");
        EXPECT_FALSE(Enabled(hwnd, res::IDC_HAND_COPY));
        EXPECT_FALSE(Enabled(hwnd, res::IDC_HAND_APPLY));
        PressKey(hwnd, VK_RETURN);
    });
    EXPECT_EQ(result, IDCANCEL) << "Enter in a box closed nothing; Esc closed the dialog";
}

TEST(Win32HandDialog, EnterAddsOnlyAFocusedTileAndSpaceToo) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](HWND hwnd) {
        Type(hwnd, res::IDC_HAND_TILES, L"234067m234p6799s8s");
        for (int id : {res::IDC_HAND_TILES, res::IDC_CHI, res::IDC_HONBA, res::IDC_DORA,
                       res::IDC_TSUMO, res::IDC_SEAT_WIND, res::IDC_HAND_DETAIL}) {
            SetFocus(GetDlgItem(hwnd, id));
            PressKey(hwnd, VK_RETURN);
            EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_TILES), kPinfuTiles) << id;
            EXPECT_TRUE(IsWindow(hwnd)) << id;
        }
        SetDlgItemTextW(hwnd, res::IDC_HAND_TILES, L"");
        SetFocus(GetDlgItem(hwnd, res::IDC_TILE_FIRST + 2));
        PressKey(hwnd, VK_RETURN);
        PressKey(hwnd, VK_SPACE);
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_TILES), "3m3m");
    });
}

TEST(Win32HandDialog, UpDownHomeAndEndMoveByPaletteRows) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](HWND hwnd) {
        SetFocus(GetDlgItem(hwnd, res::IDC_TILE_FIRST));
        // Rows: 1m-9m 0m, 1p-9p 0p, 1s-9s 0s, 1z-7z; each key from where the last one left.
        const std::pair<WPARAM, int> steps[] = {
            {VK_UP, 0},    {VK_DOWN, 10}, {VK_END, 19}, {VK_DOWN, 29},  {VK_DOWN, 36},
            {VK_DOWN, 36}, {VK_HOME, 30}, {VK_UP, 20},  {VK_RIGHT, 21}, {VK_UP, 11},
        };
        for (const auto& [key, tile] : steps) {
            PressKey(hwnd, key);
            EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, res::IDC_TILE_FIRST + tile))
                << "key " << key << " should reach palette tile " << tile;
        }
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_TILES), "") << "moving adds nothing";
    });
}

TEST(Win32HandDialog, CopyGivesTheReportAndTheSettlementLine) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](HWND hwnd) {
        Type(hwnd, res::IDC_HAND_TILES, L"234067m234p6799s8s");
        Type(hwnd, res::IDC_HONBA, L"2");
        Type(hwnd, res::IDC_STICKS, L"1");
        Click(hwnd, res::IDC_HAND_COPY);
        EXPECT_EQ(
            ClipboardBytes(CF_TEXT),
            ToCp932(std::string(kPinfuReport) +
                    "\r\n2本場・供託1本込み　放銃者の支払い 3500点　和了者の受け取り 4500点") +
                '\0');
    });
}

TEST(Win32HandDialog, ApplyTakesAHandWithoutYaku) {
    CHandDialog dialog(nullptr);
    const int result = RunModal(dialog, [](HWND hwnd) {
        Type(hwnd, res::IDC_HAND_TILES, L"１２３Ｍ ４５６ｐ 789s23455s");
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_ERROR), "") << "full-width and spaced notation";
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_REPORT),
                  "役無しチョンボ！ 子への支払い オール4000点");
        Click(hwnd, res::IDC_HAND_APPLY);
    });
    EXPECT_EQ(result, CHandDialog::kApplied);
    ASSERT_TRUE(dialog.ToApply());
    EXPECT_EQ(dialog.ToApply()->han, 0);
}

bool Shown(HWND dialog, int id) {
    return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

TEST(Win32HandDialog, ThirteenTilesListTheWaitsAndEnterAddsOne) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](HWND hwnd) {
        EXPECT_FALSE(Shown(hwnd, res::IDC_WAIT_FIRST));
        Type(hwnd, res::IDC_HAND_TILES, L"234067m234p6799s");
        EXPECT_TRUE(
            ItemText(hwnd, res::IDC_HAND_DETAIL).starts_with("聴牌\r\n待ち 2種8枚: 5s×4 8s×4\r\n"))
            << ItemText(hwnd, res::IDC_HAND_DETAIL);
        EXPECT_TRUE(Shown(hwnd, res::IDC_WAIT_FIRST + 1));
        EXPECT_FALSE(Shown(hwnd, res::IDC_WAIT_FIRST + 2));
        SetFocus(GetDlgItem(hwnd, res::IDC_WAIT_FIRST + 1));
        PressKey(hwnd, VK_RETURN);
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_TILES), kPinfuTiles);
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_REPORT), kPinfuReport);
        EXPECT_FALSE(Shown(hwnd, res::IDC_WAIT_FIRST));
    });
}

// The darkest pixel of a tile row as the dialog draws it: the tiles must read as well as on
// Linux, where the darkest is 57 of 255.
constexpr int kDarkEnough = 57;  // the darkest pixel of a tile in the Linux screenshots

int DarkestPixel(HWND row) {
    RECT client;
    GetClientRect(row, &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageW(row, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    int darkest = 255;
    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    for (long i = 0; i < static_cast<long>(client.right) * client.bottom; ++i) {
        const std::uint8_t* p = pixels + 4 * i;
        darkest = std::min(darkest, (p[0] + p[1] + p[2]) / 3);
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return darkest;
}

TEST(Win32HandDialog, TilesAreDrawnDark) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](HWND hwnd) {
        Type(hwnd, res::IDC_HAND_TILES, L"234067m234p6799s8s");
        const HWND row = GetDlgItem(hwnd, res::IDC_HAND_ROW);
        EXPECT_LE(DarkestPixel(row), kDarkEnough);
    });
}

TEST(Win32HandDialog, ApplySetsTheScoreWindowsSelectors) {
    CScoreDialog score;
    TestApp app(score);
    RunModal(score, [](HWND hwnd) {
        const HMENU menu = GetSystemMenu(hwnd, FALSE);
        const int count = GetMenuItemCount(menu);
        EXPECT_EQ(GetMenuItemID(menu, count - 2), res::IDM_HAND);
        EXPECT_EQ(GetMenuItemID(menu, count - 1), res::IDM_ABOUT);
        OnNextLoop([hwnd] {
            const HWND hand = GetActiveWindow();
            ASSERT_NE(hand, hwnd);
            Type(hand, res::IDC_HAND_TILES, L"123m456p789s11122z");
            Click(hand, res::IDC_TSUMO);
            Click(hand, res::IDC_HAND_APPLY);
        });
        SendMessageW(hwnd, WM_SYSCOMMAND, res::IDM_HAND, 0);
        // 場風 自風 門前清自摸和: 3 han, 40 fu, for the dealer.
        EXPECT_EQ(SendDlgItemMessageW(hwnd, res::IDC_HAN_UNITS, CB_GETCURSEL, 0, 0), 3);
        EXPECT_EQ(SendDlgItemMessageW(hwnd, res::IDC_FU, CB_GETCURSEL, 0, 0), 2);
        EXPECT_EQ(Text(GetDlgItem(hwnd, res::IDC_RESULT)), "点数＝7700点　子の支払い 2600点オール");
    });
}

}  // namespace
}  // namespace velmarto::ui
