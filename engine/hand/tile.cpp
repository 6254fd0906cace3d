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
    const char letter = kSuitLetters[suit];
    const std::string written = std::to_string(digit) + letter;
    const bool honour = suit == SuitOf(kFirstHonour);
    if (honour && (digit == kRedDigit || digit > kHonourNumbers)) {
        return NotationError{"'" + written + "' is not a tile (honours are 1z-7z)",
                             written + "という牌はありません（字牌は1z〜7z）"};
    }
    const bool red = digit == kRedDigit;
    const int number = red ? kFive : digit;
    return Tile{static_cast<TileIndex>(suit) * kSuitSize + number - 1, red};
}

// One character of the notation as the ASCII it stands for, however a keyboard wrote it:
// full-width digits and letters (a Japanese phone's), upper case, and spaces ASCII or
// ideographic, which separate nothing inside one notation.
struct Symbol {
    char ascii;  // kOther for a character the notation has no use for
    std::size_t bytes;
};
constexpr char kOther = '\0';
constexpr char32_t kFullWidthFirst = 0xFF01;  // U+FF01-U+FF5E mirror ASCII 0x21-0x7E
constexpr char32_t kFullWidthLast = 0xFF5E;
constexpr char32_t kFullWidthOffset = 0xFEE0;
constexpr char32_t kIdeographicSpace = 0x3000;

char Folded(char c) {
    const bool upper = c >= 'A' && c <= 'Z';
    return c == '\t' ? ' ' : upper ? static_cast<char>(c - 'A' + 'a') : c;
}

Symbol SymbolAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return {Folded(static_cast<char>(lead)), 1};
    }
    // Only three-byte sequences hold what is read here; anything else is skipped whole.
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (at + length > text.size()) {
        return {kOther, text.size() - at};
    }
    if (length != 3) {
        return {kOther, length};
    }
    const char32_t point = (static_cast<char32_t>(lead & 0x0F) << 12) |
                           (static_cast<char32_t>(byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    if (point == kIdeographicSpace) {
        return {' ', length};
    }
    if (point < kFullWidthFirst || point > kFullWidthLast) {
        return {kOther, length};
    }
    return {Folded(static_cast<char>(point - kFullWidthOffset)), length};
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
    std::string digits;
    std::size_t position = 0;
    for (std::size_t i = 0; i < notation.size(); i += SymbolAt(notation, i).bytes) {
        ++position;
        const char c = SymbolAt(notation, i).ascii;
        if (c == ' ') {
            continue;
        }
        if (c >= '0' && c <= '9') {
            digits += c;
            continue;
        }
        const std::size_t suit = kSuitLetters.find(c);
        const std::string where = std::to_string(position);
        if (suit == std::string_view::npos) {
            const bool ascii = c != kOther;
            return NotationError{"unexpected " +
                                     (ascii ? Quoted({&c, 1}) : "a non-ASCII character") +
                                     " at position " + where + " of " + Quoted(notation) +
                                     " (tiles are digits and m, p, s or z)",
                                 where + "文字目が読めません（数字とm・p・s・zで書きます）"};
        }
        if (digits.empty()) {
            return NotationError{
                Quoted({&c, 1}) + " at position " + where + " has no digits before it",
                where + "文字目の" + std::string(1, c) + "の前に数字がありません"};
        }
        for (char d : digits) {
            auto tile = TileOf(d - '0', suit);
            if (auto* error = std::get_if<NotationError>(&tile)) {
                return *error;
            }
            tiles.push_back(std::get<Tile>(tile));
        }
        digits.clear();
    }
    if (!digits.empty()) {
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
