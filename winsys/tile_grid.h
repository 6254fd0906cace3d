// Keys in a grid of tile buttons: the palette is one arrow-key group laid out in rows, and Up,
// Down, Home and End move by its rows, as in a grid of any other program.
#pragma once

#include <cstddef>
#include <optional>

#include "winsys/dialog_template.h"

namespace velmarto::winsys {

enum class GridKey { Up, Down, Home, End };

// The template index of the tile button the key moves to from the tile button `from`: Up and
// Down to the nearest button of the row above or below in the same group, Home and End to the
// first and last of its own row. Nothing when there is no such row, or `from` is no tile button.
std::optional<std::size_t> GridTarget(const DialogTemplate& dialog, std::size_t from, GridKey key);

}  // namespace velmarto::winsys
