// Tiles and the compact notation players write hands in: "123m456p789s11z", "0" for a red five.
#pragma once

#include <array>
#include <cstdint>
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

// The tiles of one notation string, in the order written. Rejects an unknown character, digits
// without a suit letter, 0z/8z/9z and an empty string; counts are checked by the hand as a whole.
std::variant<std::vector<Tile>, NotationError> ParseTiles(std::string_view notation);

TileCounts CountsOf(const std::vector<Tile>& tiles);

}  // namespace velmarto::hand
