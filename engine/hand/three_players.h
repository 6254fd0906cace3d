// 三人麻雀: the tiles and calls a three-player table leaves out, and 北 set aside as dora.
#pragma once

#include <optional>

#include "engine/hand/hand_input.h"

namespace velmarto::hand {

inline constexpr int kThreePlayerSeats = 3;  // East South West
inline constexpr TileIndex kNorth = kEast + 3;

// For a three-player hand: no 2m-8m anywhere, no chi, no North seat, and the 北 set aside
// (kita) with the 北 in the hand no more than four. Kita without three players is refused too.
std::optional<NotationError> CheckThreePlayers(const HandInput& hand);

// The tile an indicator points at; at a three-player table 1m points at 9m and 9m at 1m.
TileIndex DoraOf(TileIndex indicator, int players);

}  // namespace velmarto::hand
