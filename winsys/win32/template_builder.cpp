// DLGTEMPLATEEX layout: a header, strings or ordinals as WORD runs, and each control item starting
// on a DWORD boundary.
#include "winsys/win32/template_builder.h"

#include <array>

#include "winsys/win32/dialog_window.h"

namespace velmarto::winsys {
namespace {

// Predefined window classes by atom.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kComboBoxClass = 0x0085;
constexpr WORD kOrdinal = 0xFFFF;

struct KindStyle {
    ControlKind kind;
    WORD windowClass;
    DWORD style;
};
constexpr std::array kKindStyles = {
    KindStyle{ControlKind::DropDownList, kComboBoxClass, CBS_DROPDOWNLIST},
    KindStyle{ControlKind::AutoRadio, kButtonClass, BS_AUTORADIOBUTTON},
    KindStyle{ControlKind::DefPushButton, kButtonClass, BS_DEFPUSHBUTTON},
    KindStyle{ControlKind::PushButton, kButtonClass, BS_PUSHBUTTON},
    KindStyle{ControlKind::Edit, kEditClass, ES_LEFT},
    KindStyle{ControlKind::StaticText, kStaticClass, SS_LEFT},
    KindStyle{ControlKind::StaticIcon, kStaticClass, SS_ICON},
    KindStyle{ControlKind::CheckBox, kButtonClass, BS_AUTOCHECKBOX},
    KindStyle{ControlKind::TileButton, kButtonClass, BS_OWNERDRAW},
    KindStyle{ControlKind::TileRow, kStaticClass, SS_OWNERDRAW},
};

struct FlagStyle {
    unsigned flag;
    DWORD style;
};
constexpr std::array kFlagStyles = {
    FlagStyle{kGroup, WS_GROUP},
    FlagStyle{kTabStop, WS_TABSTOP},
    FlagStyle{kDisabled, WS_DISABLED},
    FlagStyle{kReadOnly, ES_READONLY},
    FlagStyle{kBorder, WS_BORDER},
    FlagStyle{kVScroll, WS_VSCROLL},
    FlagStyle{kAutoHScroll, ES_AUTOHSCROLL},
    FlagStyle{kNoPrefix, SS_NOPREFIX},
    FlagStyle{kMultiLine, ES_MULTILINE | ES_AUTOVSCROLL},
};

const KindStyle& KindStyleOf(ControlKind kind) {
    for (const KindStyle& entry : kKindStyles) {
        if (entry.kind == kind) {
            return entry;
        }
    }
    return kKindStyles.front();
}

class Writer {
public:
    void Word(WORD value) { m_words.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Short(short value) { Word(static_cast<WORD>(value)); }
    void String(std::string_view utf8) {
        for (wchar_t c : Widen(utf8)) {
            Word(static_cast<WORD>(c));
        }
        Word(0);
    }
    void AlignToDword() {
        if (m_words.size() % 2 != 0) {
            Word(0);
        }
    }
    std::vector<WORD> Take() { return std::move(m_words); }

private:
    std::vector<WORD> m_words;
};

}  // namespace

DWORD DialogWindowStyle(const DialogTemplate& dialog) {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    if (dialog.style & kMinimizeBox) {
        style |= WS_MINIMIZEBOX;
    }
    if (dialog.style & kVisible) {
        style |= WS_VISIBLE;
    }
    return style;
}

DWORD ControlWindowStyle(const ControlTemplate& control) {
    DWORD style = WS_CHILD | WS_VISIBLE | KindStyleOf(control.kind).style;
    for (const FlagStyle& entry : kFlagStyles) {
        if (control.style & entry.flag) {
            style |= entry.style;
        }
    }
    return style;
}

std::vector<WORD> BuildDialogTemplate(const DialogTemplate& dialog) {
    Writer out;
    out.Word(1);       // dlgVer
    out.Word(0xFFFF);  // signature: extended template
    out.Dword(0);      // helpID
    out.Dword((dialog.style & kAppWindow) ? WS_EX_APPWINDOW : 0);
    out.Dword(DialogWindowStyle(dialog));
    out.Word(static_cast<WORD>(dialog.controls.size()));
    out.Short(0);
    out.Short(0);
    out.Short(static_cast<short>(dialog.width));
    out.Short(static_cast<short>(dialog.height));
    out.Word(0);  // no menu
    out.Word(0);  // the standard dialog class
    out.String(dialog.caption);
    out.Word(static_cast<WORD>(dialog.pointSize));
    out.Word(FW_NORMAL);
    out.Word(MAKEWORD(FALSE, SHIFTJIS_CHARSET));  // italic, charset
    out.String(dialog.fontName);
    for (const ControlTemplate& control : dialog.controls) {
        out.AlignToDword();
        out.Dword(0);  // helpID
        out.Dword(0);  // exStyle
        out.Dword(ControlWindowStyle(control));
        out.Short(static_cast<short>(control.rect.x));
        out.Short(static_cast<short>(control.rect.y));
        out.Short(static_cast<short>(control.rect.width));
        out.Short(static_cast<short>(control.rect.height));
        out.Dword(static_cast<DWORD>(control.id));
        out.Word(kOrdinal);
        out.Word(KindStyleOf(control.kind).windowClass);
        if (control.kind == ControlKind::StaticIcon) {
            out.Word(kOrdinal);
            out.Word(static_cast<WORD>(control.iconId));
        } else {
            out.String(control.text);
        }
        out.Word(0);  // no creation data
    }
    return out.Take();
}

}  // namespace velmarto::winsys
