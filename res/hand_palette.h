// The hand dialog's tile palette, in button order: each suit 1-9 and its red five, then the
// honours. Shared by the template, which draws the buttons, and the dialog, which reads them.
#pragma once

#include <array>

#include "engine/hand/tile.h"

namespace velmarto::res {

// Every tile character lies in U+1F000-U+1F02B: four bytes of UTF-8.
using Utf8Glyph = std::array<char, 4>;
constexpr Utf8Glyph TileUtf8(char32_t c) {
    return {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
            static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
}

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
