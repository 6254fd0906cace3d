// The hand dialog's tile palette, in button order: each suit 1-9 and its red five, then the
// honours. Shared by the template, which draws the buttons, and the dialog, which reads them.
#pragma once

#include <array>

#include "engine/hand/tile.h"

namespace velmarto::res {

inline constexpr int kPaletteSuitButtons = hand::kSuitSize + 1;
inline constexpr int kPaletteHonours = hand::kTileKinds - hand::kFirstHonour;

inline constexpr std::array<hand::Tile, 3 * kPaletteSuitButtons + kPaletteHonours> kPalette = [] {
    std::array<hand::Tile, 3 * kPaletteSuitButtons + kPaletteHonours> tiles{};
    std::size_t at = 0;
    for (int suit = 0; suit < 3; ++suit) {
        for (int number = 0; number < hand::kSuitSize; ++number) {
            tiles[at++] = {suit * hand::kSuitSize + number};
        }
        tiles[at++] = {suit * hand::kSuitSize + 4, true};
    }
    for (int t = hand::kFirstHonour; t < hand::kTileKinds; ++t) {
        tiles[at++] = {t};
    }
    return tiles;
}();

}  // namespace velmarto::res
