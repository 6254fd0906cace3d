// Resource and control ids, shared by the dialogs and every window-system backend.
#pragma once

#include "winsys/dialog_template.h"

namespace velmarto::res {

inline constexpr int IDD_ABOUT = 100;
inline constexpr int IDS_ABOUT_ITEM = 101;
inline constexpr int IDD_SCORE = 102;
inline constexpr int IDI_APP = 128;

inline constexpr int IDOK = winsys::kIdOk;
inline constexpr int IDCANCEL = winsys::kIdCancel;
inline constexpr int IDC_STATIC = -1;
inline constexpr int IDC_HAN_TENS = 1001;
inline constexpr int IDC_HAN_UNITS = 1002;
inline constexpr int IDC_FU = 1003;
inline constexpr int IDC_COPY = 1004;
inline constexpr int IDC_RESULT = 1005;
inline constexpr int IDC_DEALER = 1006;
inline constexpr int IDC_NONDEALER = 1007;

// System-menu command of the About item.
inline constexpr unsigned IDM_ABOUT = 0x0010;

}  // namespace velmarto::res
