// Resource and control ids, shared by the dialogs and every window-system backend.
#pragma once

#include "res/resource_script.h"
#include "winsys/dialog_template.h"

namespace velmarto::res {

inline constexpr int IDD_ABOUT = 100;
inline constexpr int IDS_ABOUT_ITEM = VELMARTO_IDS_ABOUT_ITEM;
inline constexpr int IDD_SCORE = 102;
inline constexpr int IDD_HAND = 103;
inline constexpr int IDS_HAND_ITEM = VELMARTO_IDS_HAND_ITEM;
inline constexpr int IDI_APP = VELMARTO_IDI_APP;

// windows.h defines these two as macros of the same values.
#ifndef IDOK
inline constexpr int IDOK = winsys::kIdOk;
inline constexpr int IDCANCEL = winsys::kIdCancel;
#endif
inline constexpr int IDC_STATIC = -1;
inline constexpr int IDC_HAN_TENS = 1001;
inline constexpr int IDC_HAN_UNITS = 1002;
inline constexpr int IDC_FU = 1003;
inline constexpr int IDC_COPY = 1004;
inline constexpr int IDC_RESULT = 1005;
inline constexpr int IDC_DEALER = 1006;
inline constexpr int IDC_NONDEALER = 1007;

// The hand dialog. Its palette buttons are IDC_TILE_FIRST + 0 ... + 36: 1m-9m, 0m, 1p-9p, 0p,
// 1s-9s, 0s, 1z-7z.
inline constexpr int IDC_HAND_TILES = 1100;
inline constexpr int IDC_HAND_ERROR = 1101;
inline constexpr int IDC_HAND_ROW = 1102;
inline constexpr int IDC_CHI = 1103;
inline constexpr int IDC_PON = 1104;
inline constexpr int IDC_KAN = 1105;
inline constexpr int IDC_ANKAN = 1106;
inline constexpr int IDC_MELD_ROW = 1107;
inline constexpr int IDC_TSUMO = 1110;
inline constexpr int IDC_RIICHI = 1111;
inline constexpr int IDC_DOUBLE_RIICHI = 1112;
inline constexpr int IDC_IPPATSU = 1113;
inline constexpr int IDC_RINSHAN = 1114;
inline constexpr int IDC_CHANKAN = 1115;
inline constexpr int IDC_LAST_TILE = 1116;
inline constexpr int IDC_FIRST_DRAW = 1117;
inline constexpr int IDC_ROUND_WIND = 1120;
inline constexpr int IDC_SEAT_WIND = 1121;
inline constexpr int IDC_HONBA = 1122;
inline constexpr int IDC_STICKS = 1123;
inline constexpr int IDC_DORA = 1124;
inline constexpr int IDC_URA = 1125;
inline constexpr int IDC_HAND_DETAIL = 1130;
inline constexpr int IDC_HAND_REPORT = 1131;
inline constexpr int IDC_HAND_COPY = 1132;
inline constexpr int IDC_HAND_APPLY = 1133;
inline constexpr int IDC_HAND_APPLY_NOTE = 1134;
inline constexpr int IDC_TILE_FIRST = 1200;
inline constexpr int kPaletteTiles = 37;
// The waits of a 13-tile hand, or the discards of a 14-tile one, as buttons under the result:
// IDC_WAIT_FIRST + 0 ... + 13.
inline constexpr int IDC_WAIT_FIRST = 1300;
inline constexpr int kWaitButtons = 14;

// System-menu commands of the About item and the hand item, and of the hand dialog's actions.
inline constexpr unsigned IDM_ABOUT = 0x0010;
inline constexpr unsigned IDM_HAND = 0x0020;
inline constexpr unsigned IDM_HAND_COPY = 0x0030;
inline constexpr unsigned IDM_HAND_APPLY = 0x0040;

}  // namespace velmarto::res
