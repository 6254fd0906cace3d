// Clipboard text for Windows programs: CF_TEXT in code page 932, tagged with the Japanese locale
// so that programs on a Windows of another language read it right too.
#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "engine/cp932.h"
#include "winsys/dialog.h"

namespace velmarto::winsys {
namespace {

constexpr LCID kJapanese = 0x0411;

// A movable block holding `size` bytes copied from `data`, or null.
HGLOBAL CopyToGlobal(const void* data, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) {
        return nullptr;
    }
    void* bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(bytes, data, size);
    GlobalUnlock(block);
    return block;
}

// Hands a block to the clipboard, or frees it when the clipboard refuses it.
bool Give(UINT format, HGLOBAL block) {
    if (SetClipboardData(format, block)) {
        return true;
    }
    GlobalFree(block);
    return false;
}

}  // namespace

bool SetClipboardText(std::string_view text) {
    // Windows text breaks its lines with CR LF.
    std::string lines;
    for (char c : text) {
        if (c == '\n') {
            lines += '\r';
        }
        lines += c;
    }
    std::string shiftJis;
    try {
        shiftJis = ToCp932(lines);
    } catch (const std::runtime_error&) {
        return false;
    }
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    // Both blocks exist before the clipboard is emptied, so a failed allocation changes nothing.
    HGLOBAL textBlock = CopyToGlobal(shiftJis.c_str(), shiftJis.size() + 1);
    HGLOBAL localeBlock = CopyToGlobal(&kJapanese, sizeof kJapanese);
    bool done = false;
    if (textBlock && localeBlock) {
        EmptyClipboard();
        done = Give(CF_TEXT, textBlock);
        Give(CF_LOCALE, localeBlock);
    } else {
        if (textBlock) {
            GlobalFree(textBlock);
        }
        if (localeBlock) {
            GlobalFree(localeBlock);
        }
    }
    CloseClipboard();
    return done;
}

}  // namespace velmarto::winsys
