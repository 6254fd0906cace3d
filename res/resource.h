// Resource and control ids, shared by the dialogs and every window-system backend.
#pragma once

#include "res/resource_script.h"
#include "winsys/dialog_template.h"

namespace velmarto::res {

inline constexpr int IDD_ABOUT = 100;
inline constexpr int IDS_ABOUT_ITEM = VELMARTO_IDS_ABOUT_ITEM;
inline constexpr int IDD_SCORE = 102;
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

// System-menu command of the About item.
inline constexpr unsigned IDM_ABOUT = 0x0010;

}  // namespace velmarto::res
