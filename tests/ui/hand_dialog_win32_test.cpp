// The hand dialog on the Win32 backend: typed and clicked hands, errors, copy and apply, driven
// by the messages keys and clicks would send.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/cp932.h"
#include "res/hand_palette.h"
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
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_ERROR), "13枚か14枚にしてください（いま3枚）");
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
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_ERROR),
                  "ドラ表示牌: 5mは5枚目です（同じ牌は4枚まで）");
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
            ItemText(hwnd, res::IDC_HAND_DETAIL).starts_with("聴牌 待ち 2種8枚: 5s×4 8s×4\r\n"))
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

// Each tile as drawn must read on its own: its darkest stroke at most this dark (of 255, as Qt's
// qGray weighs red, green and blue), and a red five as saturated a red as the 萬 of the 5m; the
// Linux build's test holds its tiles to the same marks.
constexpr int kDarkEnough = 57;
constexpr int kRedHueReach = 20;  // degrees either side of pure red

struct Ink {
    int darkest = 255;
    double redSaturation = 0;  // of the most saturated red pixel, 0 without one
};

struct Span {
    int left;
    int width;
};

// A control's client area as it draws itself, in rows of blue, green, red and a spare byte.
class Picture {
public:
    explicit Picture(HWND control) {
        RECT client;
        GetClientRect(control, &client);
        m_width = client.right;
        m_height = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = m_width;
        info.bmiHeader.biHeight = -m_height;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        const HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_pixels = static_cast<const std::uint8_t*>(bits);
        m_previous = SelectObject(m_dc, m_bitmap);
        SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc), PRF_CLIENT);
        GdiFlush();
    }
    ~Picture() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The runs of columns where something is drawn over the dialog's face colour: the tiles of
    // a row, which lie apart.
    std::vector<Span> Drawn() const {
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        std::vector<Span> spans;
        bool inside = false;
        for (int x = 0; x < m_width; ++x) {
            bool drawn = false;
            for (int y = 0; y < m_height && !drawn; ++y) {
                const std::uint8_t* p = m_pixels + 4 * (static_cast<long>(y) * m_width + x);
                drawn = RGB(p[2], p[1], p[0]) != face;
            }
            if (drawn && !inside) {
                spans.push_back({x, 0});
            }
            if (drawn) {
                ++spans.back().width;
            }
            inside = drawn;
        }
        return spans;
    }

    Ink InkIn(int left, int top, int width, int height) const {
        Ink ink;
        for (int y = std::max(top, 0); y < std::min(top + height, m_height); ++y) {
            for (int x = std::max(left, 0); x < std::min(left + width, m_width); ++x) {
                const std::uint8_t* p = m_pixels + 4 * (static_cast<long>(y) * m_width + x);
                Add(ink, p[2], p[1], p[0]);
            }
        }
        return ink;
    }

private:
    static void Add(Ink& ink, int red, int green, int blue) {
        ink.darkest = std::min(ink.darkest, (red * 11 + green * 16 + blue * 5) / 32);
        const int high = std::max({red, green, blue});
        const int low = std::min({red, green, blue});
        if (high == red && high > low) {
            // Hue in degrees from red, towards yellow for green above blue, magenta otherwise.
            const double hue = 60.0 * std::abs(green - blue) / (high - low);
            if (hue <= kRedHueReach) {
                ink.redSaturation =
                    std::max(ink.redSaturation, static_cast<double>(high - low) / high);
            }
        }
    }

    int m_width = 0;
    int m_height = 0;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    const std::uint8_t* m_pixels = nullptr;
};

// A palette button's ink, inside its edges, so that no face passes by what surrounds it.
Ink ButtonInk(HWND button) {
    const Picture picture(button);
    const int insetX = picture.Width() / 6;
    const int insetY = picture.Height() / 8;
    return picture.InkIn(insetX, insetY, picture.Width() - 2 * insetX,
                         picture.Height() - 2 * insetY);
}

TEST(Win32HandDialog, EveryTileReadsOnItsOwn) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](HWND hwnd) {
        const auto palette = [&](std::size_t i) {
            return GetDlgItem(hwnd, res::IDC_TILE_FIRST + static_cast<int>(i));
        };
        const double fiveRed = ButtonInk(palette(4)).redSaturation;
        EXPECT_GT(fiveRed, 0.5) << "the 萬 of the 5m is red";
        for (std::size_t i = 0; i < res::kPalette.size(); ++i) {
            const Ink ink = ButtonInk(palette(i));
            EXPECT_LE(ink.darkest, kDarkEnough) << "palette button " << i;
            if (res::kPalette[i].red) {
                EXPECT_GE(ink.redSaturation, fiveRed) << "palette button " << i;
            }
        }
        // Every face once in the hand row, red fives among them.
        const HWND row = GetDlgItem(hwnd, res::IDC_HAND_ROW);
        const HWND box = GetDlgItem(hwnd, res::IDC_HAND_TILES);
        for (const wchar_t* hand : {L"1234506789m1234z", L"1234506789p567z", L"1234506789s5567z"}) {
            SetWindowTextW(box, hand);
            Pump(hwnd);
            const Picture picture(row);
            const std::vector<Span> faces = picture.Drawn();
            ASSERT_EQ(faces.size(), std::wcslen(hand) - 2) << "one face a tile";
            for (std::size_t i = 0; i < faces.size(); ++i) {
                const Ink ink = picture.InkIn(faces[i].left, 0, faces[i].width, picture.Height());
                EXPECT_LE(ink.darkest, kDarkEnough) << "tile " << i;
                // The red five is the sixth tile of each hand.
                if (i == 5) {
                    EXPECT_GE(ink.redSaturation, fiveRed) << "tile " << i;
                }
            }
        }
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

// The items of the menu open now, by command, as its window holds them; empty when none is open.
std::vector<UINT> OpenMenuCommands() {
    std::vector<UINT> commands;
    const HWND window = FindWindowW(L"#32768", nullptr);
    const auto menu =
        window ? reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)) : nullptr;
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        commands.push_back(GetMenuItemID(menu, i));
    }
    return commands;
}

bool Has(const std::vector<UINT>& commands, UINT command) {
    return std::find(commands.begin(), commands.end(), command) != commands.end();
}

// The commands of the menu that `open` opens, which is closed again.
std::vector<UINT> MenuOpenedBy(HWND dialog, const std::function<void()>& open) {
    std::vector<UINT> commands;
    OnNextLoop([&] {
        commands = OpenMenuCommands();
        EndMenu();
    });
    open();
    Pump(dialog);
    return commands;
}

// A right click's message: the point in screen coordinates.
void RightClick(HWND dialog, int id) {
    const HWND control = id ? GetDlgItem(dialog, id) : dialog;
    RECT rect;
    GetWindowRect(control, &rect);
    SendMessageW(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control),
                 MAKELPARAM(rect.left + 2, rect.top + 2));
}

TEST(Win32HandDialog, ATypedBoxHasItsEditMenuAndEveryOtherPlaceTheDialogsMenu) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](HWND hwnd) {
        SetFocus(GetDlgItem(hwnd, res::IDC_HAND_TILES));
        for (const std::vector<UINT>& menu :
             {MenuOpenedBy(hwnd, [&] { PressShiftF10(hwnd); }),
              MenuOpenedBy(hwnd, [&] { RightClick(hwnd, res::IDC_HAND_TILES); })}) {
            EXPECT_TRUE(Has(menu, WM_PASTE)) << "the edit control's own menu";
            EXPECT_FALSE(Has(menu, res::IDM_HAND_COPY));
        }
        SetFocus(GetDlgItem(hwnd, res::IDC_TILE_FIRST));
        for (const std::vector<UINT>& menu :
             {MenuOpenedBy(hwnd, [&] { PressShiftF10(hwnd); }),
              MenuOpenedBy(hwnd, [&] { RightClick(hwnd, res::IDC_HAND_DETAIL); }),
              MenuOpenedBy(hwnd, [&] { RightClick(hwnd, 0); })}) {
            for (UINT command : {res::IDM_HAND_COPY, res::IDM_HAND_APPLY, res::IDM_ABOUT,
                                 static_cast<UINT>(SC_CLOSE)}) {
                EXPECT_TRUE(Has(menu, command)) << command;
            }
            EXPECT_EQ(std::count(menu.begin(), menu.end(), SC_CLOSE), 1) << "one 閉じる";
        }
        // The menu's actions follow the buttons, and act as they do.
        const HMENU system = GetSystemMenu(hwnd, FALSE);
        EXPECT_TRUE(GetMenuState(system, res::IDM_HAND_COPY, MF_BYCOMMAND) & MF_GRAYED);
        Type(hwnd, res::IDC_HAND_TILES, L"234067m234p6799s8s");
        EXPECT_FALSE(GetMenuState(system, res::IDM_HAND_COPY, MF_BYCOMMAND) & MF_GRAYED);
        SendMessageW(hwnd, WM_SYSCOMMAND, res::IDM_HAND_COPY, 0);
        EXPECT_EQ(ClipboardBytes(CF_TEXT), ToCp932(kPinfuReport) + '\0');
        SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump(hwnd);
        EXPECT_FALSE(IsWindowVisible(hwnd)) << "閉じる ended the dialog";
    });
}

POINT CentreOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ExpectCentredOn(HWND window, HWND owner) {
    const POINT a = CentreOf(window);
    const POINT b = CentreOf(owner);
    EXPECT_LE(std::abs(a.x - b.x) + std::abs(a.y - b.y), 4)
        << a.x << "," << a.y << " against " << b.x << "," << b.y;
}

// Whether a label's text fits its width in the label's font.
bool ShowsWhole(HWND label) {
    const std::wstring text = winsys::Widen(Text(label));
    const HDC dc = GetDC(label);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    RECT client;
    GetClientRect(label, &client);
    return size.cx <= client.right;
}

TEST(Win32HandDialog, OpensCentredOnTheScoreWindowWithItsHintWhole) {
    CScoreDialog score;
    TestApp app(score);
    RunModal(score, [](HWND hwnd) {
        // The score window in the middle of the screen, where a dialog centred on it fits.
        RECT window;
        GetWindowRect(hwnd, &window);
        SetWindowPos(hwnd, nullptr,
                     (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        bool seen = false;
        OnNextLoop([&] {
            const HWND hand = GetActiveWindow();
            seen = hand != hwnd;
            ExpectCentredOn(hand, hwnd);
            // The hint shows whole, inside the dialog.
            const HWND hint = GetDlgItem(hand, res::IDC_HAND_ERROR);
            const std::string text = Text(hint);
            EXPECT_TRUE(text.ends_with("字牌は1z〜7z）")) << text;
            EXPECT_TRUE(ShowsWhole(hint));
            RECT label;
            RECT client;
            GetClientRect(hint, &label);
            GetClientRect(hand, &client);
            MapWindowPoints(hint, hand, reinterpret_cast<POINT*>(&label), 2);
            EXPECT_TRUE(label.left >= 0 && label.top >= 0 && label.right <= client.right &&
                        label.bottom <= client.bottom);
            // The About box opens centred on the hand dialog.
            bool aboutSeen = false;
            OnNextLoop([&] {
                const HWND about = GetActiveWindow();
                aboutSeen = about != hand;
                EXPECT_EQ(GetWindow(about, GW_OWNER), hand);
                ExpectCentredOn(about, hand);
                PressKey(about, VK_ESCAPE);
            });
            SendMessageW(hand, WM_SYSCOMMAND, res::IDM_ABOUT, 0);
            EXPECT_TRUE(aboutSeen);
            PressKey(hand, VK_ESCAPE);
        });
        SendMessageW(hwnd, WM_SYSCOMMAND, res::IDM_HAND, 0);
        EXPECT_TRUE(seen);
    });
}

TEST(Win32HandDialog, MessagesNameBothCountsAndWhereAFifthCopyIs) {
    CHandDialog dialog(nullptr);
    RunModal(dialog, [](HWND hwnd) {
        const struct {
            const wchar_t* tiles;
            const wchar_t* kan;
            const wchar_t* dora;
            const char* message;
        } rows[] = {
            {L"12345m", L"", L"", "13枚か14枚にしてください（いま5枚）"},
            {L"123m456p789s111z", L"", L"", "13枚か14枚にしてください（いま12枚）"},
            {L"123m456p789s111z5s", L"", L"", "待ちのボタンで和了牌を加えます"},
            {L"123m456p789s111z55s", L"", L"", ""},
            {L"11111m23p", L"", L"", "1mが5枚あります"},
            {L"1m23p456s11z555m", L"1111m", L"", "明槓 1111m: 1mは5枚目です（同じ牌は4枚まで）"},
            {L"23p456s11z555m", L"1111m", L"1m", "ドラ表示牌: 1mは5枚目です（同じ牌は4枚まで）"},
        };
        for (const auto& row : rows) {
            SetDlgItemTextW(hwnd, res::IDC_KAN, row.kan);
            SetDlgItemTextW(hwnd, res::IDC_DORA, row.dora);
            SetDlgItemTextW(hwnd, res::IDC_HAND_TILES, row.tiles);
            Pump(hwnd);
            EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_ERROR), row.message) << row.message;
            EXPECT_TRUE(ShowsWhole(GetDlgItem(hwnd, res::IDC_HAND_ERROR))) << row.message;
        }
        // 本場 reads full-width digits as the tile box does.
        SetDlgItemTextW(hwnd, res::IDC_HAND_TILES, L"234067m234p6799s8s");
        SetDlgItemTextW(hwnd, res::IDC_KAN, L"");
        SetDlgItemTextW(hwnd, res::IDC_DORA, L"");
        SetDlgItemTextW(hwnd, res::IDC_HONBA, L"３");
        Pump(hwnd);
        EXPECT_NE(ItemText(hwnd, res::IDC_HAND_DETAIL).find("3本場"), std::string::npos);
        SetDlgItemTextW(hwnd, res::IDC_HONBA, L"1000001");
        Pump(hwnd);
        EXPECT_EQ(ItemText(hwnd, res::IDC_HAND_ERROR), "本場は0〜1000000の整数です");
    });
}

}  // namespace
}  // namespace velmarto::ui
