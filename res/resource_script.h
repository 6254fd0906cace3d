/* Values shared by the C++ code and the Windows resource script, which reads only macros. */
#pragma once

#define VELMARTO_IDS_ABOUT_ITEM 101
#define VELMARTO_IDS_HAND_ITEM 102
#define VELMARTO_IDI_APP 128
#define VELMARTO_ABOUT_ITEM_TEXT "velmarto のﾊﾞｰｼﾞｮﾝ情報(&A)..."
#define VELMARTO_HAND_ITEM_TEXT "手牌から計算(&H)..."
#define VELMARTO_NOTICE_TEXT "(C) 2026 velmarto"
