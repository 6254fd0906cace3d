// Dialog templates 102 (score), 100 (About) and 103 (hand), their lists and the string table.
#include "res/dialogs.h"

#include <array>

#include "res/hand_palette.h"
#include "res/resource.h"

namespace velmarto::res {
namespace {

using namespace std::string_view_literals;
using winsys::ControlKind;
using winsys::ControlTemplate;

constexpr std::string_view kFontName = "ＭＳ Ｐゴシック";
constexpr int kPointSize = 9;

// The selection index, not the text, carries the value: the engine decodes the indexes.
constexpr std::array kHanTensItems = {"  0"sv, "  1"sv, "  2"sv, "  3"sv, "  4"sv, "  5"sv,
                                      "  6"sv, "  7"sv, "  8"sv, "  9"sv, " 10"sv, " 11"sv};
constexpr std::array kHanUnitsItems = {"0"sv, "1"sv, "2"sv, "3"sv, "4"sv,
                                       "5"sv, "6"sv, "7"sv, "8"sv, "9"sv};
constexpr std::array kFuItems = {" 25"sv, " 30"sv, " 40"sv, " 50"sv, " 60"sv, " 70"sv, " 80"sv,
                                 " 90"sv, "100"sv, "110"sv, "120"sv, "130"sv, "140"sv, "150"sv,
                                 "160"sv, "170"sv, "180"sv, "190"sv, "200"sv};

constexpr unsigned kList = winsys::kTabStop | winsys::kVScroll;

constexpr std::array kScoreControls = {
    ControlTemplate{IDC_HAN_TENS,
                    ControlKind::DropDownList,
                    {49, 6, 26, 70},
                    "",
                    kList,
                    kHanTensItems,
                    "飜（十の位）"},
    ControlTemplate{IDC_HAN_UNITS,
                    ControlKind::DropDownList,
                    {77, 6, 21, 70},
                    "",
                    kList,
                    kHanUnitsItems,
                    "飜（一の位）"},
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {102, 10, 13, 12}, "飜", winsys::kGroup},
    ControlTemplate{IDC_FU, ControlKind::DropDownList, {6, 6, 24, 70}, "", kList, kFuItems, "符"},
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {33, 10, 13, 11}, "符", winsys::kGroup},
    ControlTemplate{IDC_DEALER,
                    ControlKind::AutoRadio,
                    {117, 7, 18, 10},
                    "親",
                    winsys::kGroup | winsys::kTabStop},
    ControlTemplate{
        IDC_NONDEALER, ControlKind::AutoRadio, {140, 7, 18, 10}, "子", winsys::kTabStop},
    ControlTemplate{IDOK, ControlKind::DefPushButton, {162, 6, 55, 14}, "計算！", winsys::kTabStop},
    ControlTemplate{IDC_COPY,
                    ControlKind::PushButton,
                    {222, 6, 93, 14},
                    "結果をクリップボードにCOPY",
                    winsys::kTabStop | winsys::kDisabled},
    ControlTemplate{IDC_RESULT,
                    ControlKind::Edit,
                    {6, 26, 309, 13},
                    "",
                    winsys::kBorder | winsys::kTabStop | winsys::kReadOnly | winsys::kAutoHScroll,
                    {},
                    "点数"},
};

constexpr winsys::DialogTemplate kScoreDialog = {
    IDD_SCORE,
    "velmarto計算 Ver0.1",
    323,
    49,
    kFontName,
    kPointSize,
    winsys::kMinimizeBox | winsys::kAppWindow | winsys::kVisible,
    kScoreControls};

constexpr std::array kAboutControls = {
    ControlTemplate{IDC_STATIC, ControlKind::StaticIcon, {4, 4, 20, 21}, "", 0, {}, {}, IDI_APP},
    ControlTemplate{IDC_STATIC,
                    ControlKind::StaticText,
                    {29, 3, 83, 8},
                    "velmarto計算 Version 0.1",
                    winsys::kNoPrefix | winsys::kGroup},
    ControlTemplate{
        IDC_STATIC, ControlKind::StaticText, {29, 16, 83, 8}, VELMARTO_NOTICE_TEXT, winsys::kGroup},
    ControlTemplate{IDOK,
                    ControlKind::DefPushButton,
                    {114, 6, 50, 14},
                    "OK",
                    winsys::kGroup | winsys::kTabStop},
};

constexpr winsys::DialogTemplate kAboutDialog = {
    IDD_ABOUT, "velmartoのﾊﾞｰｼﾞｮﾝ情報", 169, 29, kFontName, kPointSize, 0, kAboutControls};

// The hand dialog: input on the left, the count on the right.
constexpr std::array kWindItems = {"東"sv, "南"sv, "西"sv, "北"sv};

constexpr unsigned kInput = winsys::kBorder | winsys::kTabStop | winsys::kAutoHScroll;
constexpr unsigned kCheck = winsys::kTabStop;

constexpr std::array kHandControlsBeforePalette = {
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {6, 8, 22, 8}, "手牌", 0},
    ControlTemplate{IDC_HAND_TILES, ControlKind::Edit, {30, 6, 206, 12}, "", kInput, {}, "手牌"},
    ControlTemplate{
        IDC_HAND_ERROR, ControlKind::StaticText, {30, 20, 206, 8}, "", winsys::kNoPrefix},
    ControlTemplate{IDC_HAND_ROW, ControlKind::TileRow, {6, 30, 230, 22}, "", 0},
};

// Palette buttons: four rows of up to ten, from the top left.
constexpr int kPaletteLeft = 6;
constexpr int kPaletteTop = 56;
constexpr int kTileWidth = 20;
constexpr int kTileHeight = 18;
constexpr int kTileColumnStep = 22;
constexpr int kTileRowStep = 19;

using TileName = std::array<char, 2>;  // "5m", "0p"

constexpr auto kPaletteGlyphs = [] {
    std::array<Utf8Glyph, kPalette.size()> glyphs{};
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        glyphs[i] = TileUtf8(hand::TileCodePoint(kPalette[i].index));
    }
    return glyphs;
}();

constexpr auto kPaletteNames = [] {
    std::array<TileName, kPalette.size()> names{};
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        const hand::Tile tile = kPalette[i];
        names[i] = {static_cast<char>('0' + (tile.red ? 0 : hand::NumberOf(tile.index))),
                    "mpsz"[hand::SuitOf(tile.index)]};
    }
    return names;
}();

// A palette tile's tooltip: its notation and its name, "5z 白", "0m 赤五萬".
struct ToolTipText {
    std::array<char, 16> chars{};
    std::size_t size = 0;
    constexpr void Append(std::string_view text) {
        for (char c : text) {
            chars[size++] = c;
        }
    }
};
constexpr std::array kNumeralNames = {"一"sv, "二"sv, "三"sv, "四"sv, "五"sv,
                                      "六"sv, "七"sv, "八"sv, "九"sv};
constexpr std::array kSuitNames = {"萬"sv, "筒"sv, "索"sv};
constexpr std::array kHonourNames = {"東"sv, "南"sv, "西"sv, "北"sv, "白"sv, "發"sv, "中"sv};

constexpr auto kPaletteToolTips = [] {
    std::array<ToolTipText, kPalette.size()> tips{};
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        const hand::Tile tile = kPalette[i];
        ToolTipText& tip = tips[i];
        tip.Append({kPaletteNames[i].data(), kPaletteNames[i].size()});
        tip.Append(" ");
        if (hand::IsHonour(tile.index)) {
            tip.Append(kHonourNames[static_cast<std::size_t>(tile.index - hand::kFirstHonour)]);
            continue;
        }
        tip.Append(tile.red ? "赤" : "");
        tip.Append(kNumeralNames[static_cast<std::size_t>(hand::NumberOf(tile.index) - 1)]);
        tip.Append(kSuitNames[static_cast<std::size_t>(hand::SuitOf(tile.index))]);
    }
    return tips;
}();

constexpr std::array kHandControlsAfterPalette = {
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {6, 138, 20, 8}, "チー", winsys::kGroup},
    ControlTemplate{IDC_CHI, ControlKind::Edit, {28, 136, 92, 12}, "", kInput, {}, "チー"},
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {124, 138, 20, 8}, "ポン", 0},
    ControlTemplate{IDC_PON, ControlKind::Edit, {146, 136, 90, 12}, "", kInput, {}, "ポン"},
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {6, 153, 20, 8}, "明槓", 0},
    ControlTemplate{IDC_KAN, ControlKind::Edit, {28, 151, 92, 12}, "", kInput, {}, "明槓"},
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {124, 153, 20, 8}, "暗槓", 0},
    ControlTemplate{IDC_ANKAN, ControlKind::Edit, {146, 151, 90, 12}, "", kInput, {}, "暗槓"},
    ControlTemplate{IDC_MELD_ROW, ControlKind::TileRow, {6, 166, 230, 22}, "", 0},
    ControlTemplate{
        IDC_TSUMO, ControlKind::CheckBox, {6, 192, 54, 10}, "ツモ", kCheck | winsys::kGroup},
    ControlTemplate{IDC_RIICHI, ControlKind::CheckBox, {62, 192, 54, 10}, "立直", kCheck},
    ControlTemplate{
        IDC_DOUBLE_RIICHI, ControlKind::CheckBox, {118, 192, 58, 10}, "ダブル立直", kCheck},
    ControlTemplate{IDC_IPPATSU, ControlKind::CheckBox, {178, 192, 58, 10}, "一発", kCheck},
    ControlTemplate{IDC_RINSHAN, ControlKind::CheckBox, {6, 204, 54, 10}, "嶺上開花", kCheck},
    ControlTemplate{IDC_CHANKAN, ControlKind::CheckBox, {62, 204, 54, 10}, "槍槓", kCheck},
    ControlTemplate{IDC_LAST_TILE, ControlKind::CheckBox, {118, 204, 58, 10}, "海底/河底", kCheck},
    ControlTemplate{IDC_FIRST_DRAW, ControlKind::CheckBox, {178, 204, 58, 10}, "天和/地和", kCheck},
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {6, 222, 20, 8}, "場風", winsys::kGroup},
    ControlTemplate{IDC_ROUND_WIND,
                    ControlKind::DropDownList,
                    {28, 220, 28, 60},
                    "",
                    kList,
                    kWindItems,
                    "場風"},
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {62, 222, 20, 8}, "自風", 0},
    ControlTemplate{
        IDC_SEAT_WIND, ControlKind::DropDownList, {84, 220, 28, 60}, "", kList, kWindItems, "自風"},
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {120, 222, 20, 8}, "本場", 0},
    ControlTemplate{IDC_HONBA, ControlKind::Edit, {142, 220, 24, 12}, "", kInput, {}, "本場"},
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {172, 222, 20, 8}, "供託", 0},
    ControlTemplate{IDC_STICKS, ControlKind::Edit, {194, 220, 24, 12}, "", kInput, {}, "供託"},
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {6, 238, 44, 8}, "ドラ表示牌", 0},
    ControlTemplate{IDC_DORA, ControlKind::Edit, {52, 236, 64, 12}, "", kInput, {}, "ドラ表示牌"},
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {120, 238, 50, 8}, "裏ドラ表示牌", 0},
    ControlTemplate{IDC_URA, ControlKind::Edit, {172, 236, 64, 12}, "", kInput, {}, "裏ドラ表示牌"},
    ControlTemplate{IDC_STATIC, ControlKind::StaticText, {244, 8, 40, 8}, "結果", winsys::kGroup},
    ControlTemplate{IDC_HAND_DETAIL,
                    ControlKind::Edit,
                    {244, 20, 210, 130},
                    "",
                    winsys::kBorder | winsys::kTabStop | winsys::kReadOnly | winsys::kMultiLine |
                        winsys::kVScroll,
                    {},
                    "役と符"},
    ControlTemplate{IDC_HAND_REPORT,
                    ControlKind::Edit,
                    {244, 180, 210, 13},
                    "",
                    winsys::kBorder | winsys::kTabStop | winsys::kReadOnly | winsys::kAutoHScroll |
                        winsys::kGroup,
                    {},
                    "点数"},
    ControlTemplate{IDC_HAND_COPY,
                    ControlKind::PushButton,
                    {244, 204, 104, 14},
                    "結果をクリップボードにCOPY",
                    winsys::kTabStop | winsys::kDisabled},
    ControlTemplate{IDC_HAND_APPLY,
                    ControlKind::PushButton,
                    {352, 204, 102, 14},
                    "点数画面に反映",
                    winsys::kTabStop | winsys::kDisabled},
    ControlTemplate{
        IDC_HAND_APPLY_NOTE, ControlKind::StaticText, {244, 222, 136, 8}, "", winsys::kNoPrefix},
    ControlTemplate{
        IDCANCEL, ControlKind::PushButton, {384, 234, 70, 14}, "閉じる", winsys::kTabStop},
};

// The wait buttons: one row under the result, shown as many as the hand has waits or discards.
constexpr int kWaitsLeft = 244;
constexpr int kWaitsTop = 153;
constexpr int kWaitWidth = 14;
constexpr int kWaitStep = 15;

constexpr auto kHandControls = [] {
    std::array<ControlTemplate, kHandControlsBeforePalette.size() + kPalette.size() +
                                    kHandControlsAfterPalette.size() + kWaitButtons>
        all{};
    std::size_t at = 0;
    for (const ControlTemplate& control : kHandControlsBeforePalette) {
        all[at++] = control;
    }
    // One group that Tab enters at its first tile; the arrow keys move on from there.
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        const hand::Tile tile = kPalette[i];
        const int row = hand::SuitOf(tile.index);
        const int column = static_cast<int>(i) - row * kPaletteSuitButtons;
        const unsigned style = (i == 0 ? winsys::kGroup | winsys::kTabStop : 0) |
                               (tile.red ? unsigned{winsys::kRed} : 0u);
        all[at++] = ControlTemplate{IDC_TILE_FIRST + static_cast<int>(i),
                                    ControlKind::TileButton,
                                    {kPaletteLeft + column * kTileColumnStep,
                                     kPaletteTop + row * kTileRowStep, kTileWidth, kTileHeight},
                                    {kPaletteGlyphs[i].data(), kPaletteGlyphs[i].size()},
                                    style,
                                    {},
                                    {kPaletteNames[i].data(), kPaletteNames[i].size()},
                                    0,
                                    {kPaletteToolTips[i].chars.data(), kPaletteToolTips[i].size}};
    }
    for (const ControlTemplate& control : kHandControlsAfterPalette) {
        all[at++] = control;
        if (control.id != IDC_HAND_DETAIL) {
            continue;
        }
        for (int i = 0; i < kWaitButtons; ++i) {
            all[at++] =
                ControlTemplate{IDC_WAIT_FIRST + i,
                                ControlKind::TileButton,
                                {kWaitsLeft + i * kWaitStep, kWaitsTop, kWaitWidth, kTileHeight},
                                "",
                                i == 0 ? winsys::kGroup | winsys::kTabStop : 0u};
        }
    }
    return all;
}();

constexpr winsys::DialogTemplate kHandDialog = {IDD_HAND,  "手牌から計算", 460, 254,
                                                kFontName, kPointSize,     0,   kHandControls};

struct StringEntry {
    int id;
    std::string_view text;
};
constexpr std::array kStrings = {
    StringEntry{IDS_ABOUT_ITEM, VELMARTO_ABOUT_ITEM_TEXT},
    StringEntry{IDS_HAND_ITEM, VELMARTO_HAND_ITEM_TEXT},
};

}  // namespace

const winsys::DialogTemplate& ScoreDialogTemplate() {
    return kScoreDialog;
}
const winsys::DialogTemplate& AboutDialogTemplate() {
    return kAboutDialog;
}
const winsys::DialogTemplate& HandDialogTemplate() {
    return kHandDialog;
}

std::string_view LoadString(int id) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return {};
}

}  // namespace velmarto::res
