// Code page 932 through the Windows converters, by way of UTF-16.
#include <windows.h>

#include <stdexcept>

#include "engine/cp932.h"

namespace velmarto {
namespace {

constexpr UINT kShiftJis = 932;

[[noreturn]] void Unconvertible() {
    throw std::runtime_error("text cannot be written in code page 932");
}

}  // namespace

std::string ToCp932(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int inLength = static_cast<int>(utf8.size());
    const int wideLength =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, nullptr, 0);
    if (wideLength == 0) {
        Unconvertible();
    }
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, wide.data(),
                        wideLength);
    // Refuse rather than write '?' for a character Shift-JIS lacks.
    BOOL usedDefault = FALSE;
    const int outLength = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(),
                                              wideLength, nullptr, 0, nullptr, &usedDefault);
    if (outLength == 0 || usedDefault) {
        Unconvertible();
    }
    std::string out(static_cast<std::size_t>(outLength), '\0');
    WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, out.data(),
                        outLength, nullptr, nullptr);
    return out;
}

}  // namespace velmarto
