// Notation: digits gather until a suit letter names their suit.
#include "engine/hand/tile.h"

namespace velmarto::hand {
namespace {

constexpr std::string_view kSuitLetters = "mpsz";
constexpr int kHonourNumbers = 7;
constexpr int kRedDigit = 0;
constexpr int kFive = 5;

std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted.append(text).push_back('\'');
    return quoted;
}

std::variant<Tile, NotationError> TileOf(int digit, std::size_t suit) {
    const bool honour = suit == SuitOf(kFirstHonour);
    if (honour && (digit == kRedDigit || digit > kHonourNumbers)) {
        const std::string written = std::to_string(digit) + kSuitLetters[suit];
        return NotationError{"'" + written + "' is not a tile (honours are 1z-7z)",
                             written + "という牌はありません（字牌は1z〜7z）"};
    }
    const bool red = digit == kRedDigit;
    const int number = red ? kFive : digit;
    return Tile{static_cast<TileIndex>(suit) * kSuitSize + number - 1, red};
}

}  // namespace

TileIndex DoraOf(TileIndex indicator) {
    if (!IsHonour(indicator)) {
        const int suitStart = SuitOf(indicator) * kSuitSize;
        return suitStart + (indicator - suitStart + 1) % kSuitSize;
    }
    if (IsWind(indicator)) {
        return kEast + (indicator - kEast + 1) % (kFirstDragon - kEast);
    }
    return kFirstDragon + (indicator - kFirstDragon + 1) % (kTileKinds - kFirstDragon);
}

std::string TileName(const Tile& tile) {
    const int digit = tile.red ? kRedDigit : NumberOf(tile.index);
    return std::to_string(digit) + kSuitLetters[static_cast<std::size_t>(SuitOf(tile.index))];
}

std::variant<std::vector<Tile>, NotationError> ParseTiles(std::string_view notation) {
    std::vector<Tile> tiles;
    tiles.reserve(notation.size());  // never more tiles than characters
    std::size_t digitsStart = 0;     // the digits waiting for their suit letter begin here
    for (std::size_t i = 0; i < notation.size(); ++i) {
        const char c = notation[i];
        if (c >= '0' && c <= '9') {
            continue;
        }
        const std::string_view digits = notation.substr(digitsStart, i - digitsStart);
        const std::size_t suit = kSuitLetters.find(c);
        // Worded only for an error: a hand's tiles are read far more often than refused.
        const auto position = [i] { return std::to_string(i + 1); };
        if (suit == std::string_view::npos) {
            const bool ascii = static_cast<unsigned char>(c) < 0x80;
            return NotationError{"unexpected " +
                                     (ascii ? Quoted({&c, 1}) : "a non-ASCII character") +
                                     " at position " + position() + " of " + Quoted(notation) +
                                     " (tiles are digits and m, p, s or z)",
                                 position() + "文字目が読めません（数字とm・p・s・zで書きます）"};
        }
        if (digits.empty()) {
            return NotationError{
                Quoted({&c, 1}) + " at position " + position() + " has no digits before it",
                position() + "文字目の" + std::string(1, c) + "の前に数字がありません"};
        }
        for (char d : digits) {
            auto tile = TileOf(d - '0', suit);
            if (auto* error = std::get_if<NotationError>(&tile)) {
                return *error;
            }
            tiles.push_back(std::get<Tile>(tile));
        }
        digitsStart = i + 1;
    }
    if (const std::string digits(notation.substr(digitsStart)); !digits.empty()) {
        return NotationError{"'" + digits + "' at the end of '" + std::string(notation) +
                                 "' has no suit letter (m, p, s or z)",
                             "最後の" + digits + "に m・p・s・z がありません"};
    }
    if (tiles.empty()) {
        return NotationError{"no tiles in '" + std::string(notation) + "'", "牌がありません"};
    }
    return tiles;
}

std::string CompactNotation(const std::vector<Tile>& tiles) {
    std::string text;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const std::string name = TileName(tiles[i]);
        text += name.front();
        const bool suitEnds =
            i + 1 == tiles.size() || SuitOf(tiles[i + 1].index) != SuitOf(tiles[i].index);
        if (suitEnds) {
            text += name.back();
        }
    }
    return text;
}

TileCounts CountsOf(const std::vector<Tile>& tiles) {
    TileCounts counts{};
    for (const Tile& tile : tiles) {
        ++counts[static_cast<std::size_t>(tile.index)];
    }
    return counts;
}

}  // namespace velmarto::hand
