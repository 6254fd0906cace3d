// Dialog templates 102 (score) and 100 (About), their selector lists and the string table.
#include "res/dialogs.h"

#include <array>

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

struct StringEntry {
    int id;
    std::string_view text;
};
constexpr std::array kStrings = {
    StringEntry{IDS_ABOUT_ITEM, VELMARTO_ABOUT_ITEM_TEXT},
};

}  // namespace

const winsys::DialogTemplate& ScoreDialogTemplate() {
    return kScoreDialog;
}
const winsys::DialogTemplate& AboutDialogTemplate() {
    return kAboutDialog;
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
