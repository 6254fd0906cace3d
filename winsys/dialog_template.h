// A dialog described as data: what every backend builds its window from.
#pragma once

#include <span>
#include <string_view>

namespace velmarto::winsys {

// The command ids of the OK and Cancel buttons, and of Enter and Esc.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

enum class ControlKind {
    DropDownList,   // combo box with a fixed list
    AutoRadio,      // radio button that checks itself when clicked
    DefPushButton,  // the button Enter presses
    PushButton,
    Edit,
    StaticText,
    StaticIcon,  // `text` is unused; `iconId` names the icon
    CheckBox,    // a check box that checks itself when clicked
    TileButton,  // a push button showing the face of `text`, a tile character
    TileRow,     // a row of tile faces, set with Dialog::SetTileRow
};

// Control styles beyond "child, visible", as bit flags.
enum ControlStyle : unsigned {
    kGroup = 1u << 0,  // starts a group for arrow-key navigation
    kTabStop = 1u << 1,
    kDisabled = 1u << 2,
    kReadOnly = 1u << 3,
    kBorder = 1u << 4,
    kVScroll = 1u << 5,
    kAutoHScroll = 1u << 6,
    kNoPrefix = 1u << 7,   // '&' is shown as is, not as a mnemonic
    kMultiLine = 1u << 8,  // an edit box of several lines
    kRed = 1u << 9,        // a tile button drawn in red: a red five
};

// One tile of a tile row: its character in the Mahjong Tiles block, and whether it is red.
struct TileFace {
    char32_t glyph;
    bool red = false;
    bool operator==(const TileFace&) const = default;
};

// Positions and sizes in dialog units: x units are a quarter, y units an eighth of the font's
// base width and height.
struct DialogUnits {
    int x, y, width, height;
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    DialogUnits rect;
    std::string_view text;
    unsigned style;
    std::span<const std::string_view> items = {};  // a list's items, in order
    std::string_view accessibleName = {};
    int iconId = 0;
    std::string_view toolTip = {};
};

enum DialogStyle : unsigned {
    kMinimizeBox = 1u << 0,
    kAppWindow = 1u << 1,  // its own taskbar entry
    kVisible = 1u << 2,    // shown as it is created, before its first idle moment
};

struct DialogTemplate {
    int id;
    std::string_view caption;
    int width, height;  // dialog units
    std::string_view fontName;
    int pointSize;
    unsigned style;
    std::span<const ControlTemplate> controls;  // in tab order
};

}  // namespace velmarto::winsys
