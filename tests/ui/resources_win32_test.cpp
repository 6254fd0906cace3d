// The Windows resources compiled into the program: version block, string 101 and icon 128.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "winsys/win32/dialog_window.h"

namespace {

std::string VersionString(const std::vector<char>& block, const wchar_t* name) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) {
        return "(none)";
    }
    return velmarto::winsys::Narrow(static_cast<const wchar_t*>(value));
}

TEST(Win32Resources, VersionBlockIsJapaneseAndNamesTheProgram) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::vector<char> block(GetFileVersionInfoSizeW(path, nullptr));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()));
    const struct {
        const wchar_t* name;
        const char* value;
    } fields[] = {
        {L"FileDescription", "velmarto計算"}, {L"ProductName", "velmarto計算"},
        {L"FileVersion", "0, 1, 0, 1"},       {L"ProductVersion", "0, 1, 0, 1"},
        {L"InternalName", "velmarto"},        {L"OriginalFilename", "velmarto.EXE"},
    };
    for (const auto& field : fields) {
        EXPECT_EQ(VersionString(block, field.name), field.value);
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 0));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(1, 0));
}

TEST(Win32Resources, AboutItemTextAndIconAreThere) {
    wchar_t text[64] = {};
    ASSERT_GT(LoadStringW(GetModuleHandleW(nullptr), 101, text, 64), 0);
    EXPECT_EQ(velmarto::winsys::Narrow(text), "velmarto のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128)), nullptr);
}

}  // namespace
