// Rows are the tile buttons of one group that share a top edge; columns follow their left edges.
#include "winsys/tile_grid.h"

#include <cstdlib>
#include <vector>

namespace velmarto::winsys {
namespace {

// The template indexes of the tile buttons in the arrow-key group of `at`.
std::vector<std::size_t> GroupButtons(const DialogTemplate& dialog, std::size_t at) {
    std::size_t first = at;
    while (first > 0 && !(dialog.controls[first].style & kGroup)) {
        --first;
    }
    std::vector<std::size_t> buttons;
    for (std::size_t i = first; i < dialog.controls.size(); ++i) {
        if (i > first && (dialog.controls[i].style & kGroup)) {
            break;
        }
        if (dialog.controls[i].kind == ControlKind::TileButton) {
            buttons.push_back(i);
        }
    }
    return buttons;
}

// The row next to `top` in `direction` (-1 above, 1 below), as its top edge.
std::optional<int> NextRow(const DialogTemplate& dialog, const std::vector<std::size_t>& buttons,
                           int top, int direction) {
    std::optional<int> next;
    for (std::size_t i : buttons) {
        const int y = dialog.controls[i].rect.y;
        const bool beyond = direction < 0 ? y < top : y > top;
        if (beyond && (!next || std::abs(y - top) < std::abs(*next - top))) {
            next = y;
        }
    }
    return next;
}

// The button of row `top` whose left edge is nearest `x`; for Home and End, the row's ends.
std::size_t InRow(const DialogTemplate& dialog, const std::vector<std::size_t>& buttons, int top,
                  int x) {
    std::optional<std::size_t> best;
    for (std::size_t i : buttons) {
        const DialogUnits& rect = dialog.controls[i].rect;
        if (rect.y == top &&
            (!best || std::abs(rect.x - x) < std::abs(dialog.controls[*best].rect.x - x))) {
            best = i;
        }
    }
    return *best;
}

}  // namespace

std::optional<std::size_t> GridTarget(const DialogTemplate& dialog, std::size_t from, GridKey key) {
    if (from >= dialog.controls.size() || dialog.controls[from].kind != ControlKind::TileButton) {
        return std::nullopt;
    }
    const std::vector<std::size_t> buttons = GroupButtons(dialog, from);
    const DialogUnits& rect = dialog.controls[from].rect;
    constexpr int kFarLeft = -1000000;
    constexpr int kFarRight = 1000000;
    switch (key) {
        case GridKey::Home:
            return InRow(dialog, buttons, rect.y, kFarLeft);
        case GridKey::End:
            return InRow(dialog, buttons, rect.y, kFarRight);
        case GridKey::Up:
        case GridKey::Down:
            break;
    }
    const std::optional<int> row = NextRow(dialog, buttons, rect.y, key == GridKey::Up ? -1 : 1);
    if (!row) {
        return std::nullopt;
    }
    return InRow(dialog, buttons, *row, rect.x);
}

}  // namespace velmarto::winsys
