// Tiles and the compact notation players write hands in: "123m456p789s11z", "0" for a red five.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace velmarto::hand {

// 0-8 characters 1-9, 9-17 circles, 18-26 bamboo, 27-33 East South West North 白 發 中.
using TileIndex = int;
inline constexpr int kTileKinds = 34;
inline constexpr int kSuitSize = 9;
inline constexpr TileIndex kFirstHonour = 27;
inline constexpr TileIndex kEast = 27;
inline constexpr TileIndex kFirstDragon = 31;
inline constexpr int kCopies = 4;

struct Tile {
    TileIndex index;
    bool red = false;  // a red five
    bool operator==(const Tile&) const = default;
};

// How many of each tile kind.
using TileCounts = std::array<std::uint8_t, kTileKinds>;

constexpr bool IsHonour(TileIndex t) {
    return t >= kFirstHonour;
}
constexpr int NumberOf(TileIndex t) {
    return t % kSuitSize + 1;
}
constexpr int SuitOf(TileIndex t) {
    return t / kSuitSize;  // 3 for honours
}
constexpr bool IsTerminal(TileIndex t) {
    return !IsHonour(t) && (NumberOf(t) == 1 || NumberOf(t) == 9);
}
constexpr bool IsTerminalOrHonour(TileIndex t) {
    return IsHonour(t) || IsTerminal(t);
}
constexpr bool IsDragon(TileIndex t) {
    return t >= kFirstDragon;
}
constexpr bool IsWind(TileIndex t) {
    return IsHonour(t) && !IsDragon(t);
}

// The tile's character in Unicode's Mahjong Tiles block, which orders suits characters, bamboo,
// circles and honours East South West North 中 發 白.
constexpr char32_t TileCodePoint(TileIndex t) {
    constexpr char32_t kEastGlyph = 0x1F000;
    constexpr char32_t kCharactersGlyph = 0x1F007;
    constexpr char32_t kBambooGlyph = 0x1F010;
    constexpr char32_t kCirclesGlyph = 0x1F019;
    constexpr char32_t kSuitGlyphs[] = {kCharactersGlyph, kCirclesGlyph, kBambooGlyph};
    if (IsHonour(t)) {
        // Winds in order, then the dragons the other way round: 白 is U+1F006, 中 U+1F004.
        return IsWind(t) ? kEastGlyph + static_cast<char32_t>(t - kEast)
                         : kEastGlyph + 4 + static_cast<char32_t>(kTileKinds - 1 - t);
    }
    return kSuitGlyphs[SuitOf(t)] + static_cast<char32_t>(NumberOf(t) - 1);
}

// A tile face down, in the same block.
inline constexpr char32_t kTileBackCodePoint = 0x1F02B;

// The tile a dora indicator points at: the next in its suit, 9 back to 1, winds in turn, dragons
// in turn.
TileIndex DoraOf(TileIndex indicator);

// "5m", "0p" for a red five, "7z".
std::string TileName(const Tile& tile);

// A notation error, in English for the command line and in Japanese for the window.
struct NotationError {
    std::string message;
    std::string japanese;
};

// The tiles of one notation string, in the order written. Full-width digits and letters, upper-case
// suit letters and spaces between groups read as people type them ("２３４Ｍ 567p"). Rejects an
// unknown character, digits without a suit letter, 0z/8z/9z and an empty string, naming the
// character or tile as written; counts are checked by the hand as a whole.
std::variant<std::vector<Tile>, NotationError> ParseTiles(std::string_view notation);

// A whole number from 0 to `most` as a box holds it: digits, full-width ones too, with spaces
// around; nothing at all is 0. Nothing for anything else.
std::optional<int> ParseCount(std::string_view text, int most);

TileCounts CountsOf(const std::vector<Tile>& tiles);

// The tiles in notation, each run of one suit under one letter: "123m456p".
std::string CompactNotation(const std::vector<Tile>& tiles);

}  // namespace velmarto::hand
