// Notation: digits gather until a suit letter names their suit.
#include "engine/hand/tile.h"

#include <array>
#include <optional>

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

// One character as the user wrote it and the plain character it stands for: full-width digits and
// letters and upper-case letters read as their ASCII lower-case, any space as ' ', and 0 for
// anything else.
struct Written {
    char plain;
    std::string_view spelling;
};

constexpr char32_t kFullWidthDigitZero = 0xFF10;
constexpr char32_t kFullWidthUpperA = 0xFF21;
constexpr char32_t kFullWidthLowerA = 0xFF41;
constexpr char32_t kIdeographicSpace = 0x3000;
constexpr int kDigits = 10;
constexpr int kLetters = 26;

constexpr char PlainOf(char32_t c) {
    const auto in = [c](char32_t first, int count) { return c >= first && c < first + count; };
    if (c == ' ' || c == '\t' || c == kIdeographicSpace) {
        return ' ';
    }
    if (in('0', kDigits) || in('a', kLetters)) {
        return static_cast<char>(c);
    }
    if (in('A', kLetters)) {
        return static_cast<char>(c - 'A' + 'a');
    }
    if (in(kFullWidthDigitZero, kDigits)) {
        return static_cast<char>(c - kFullWidthDigitZero + '0');
    }
    for (char32_t first : {kFullWidthUpperA, kFullWidthLowerA}) {
        if (in(first, kLetters)) {
            return static_cast<char>(c - first + 'a');
        }
    }
    return 0;
}

constexpr unsigned char kFirstNonAscii = 0x80;
// Most hands are written in ASCII alone, and each of their characters is looked up here.
constexpr std::array<char, kFirstNonAscii> kPlainAscii = [] {
    std::array<char, kFirstNonAscii> table{};
    for (char32_t c = 0; c < kFirstNonAscii; ++c) {
        table[c] = PlainOf(c);
    }
    return table;
}();

// The UTF-8 character at the front of text; a byte that starts no character stands alone.
Written NextWritten(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < kFirstNonAscii) {
        return {kPlainAscii[lead], text.substr(0, 1)};
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length > text.size()) {
        return {0, text.substr(0, 1)};
    }
    constexpr unsigned char kContinuationMask = 0xC0;
    constexpr unsigned char kContinuation = 0x80;
    constexpr int kContinuationBits = 6;
    constexpr std::array<unsigned char, 4> leadBits = {0x7F, 0x1F, 0x0F, 0x07};
    constexpr std::array<char32_t, 4> shortest = {0, 0x80, 0x800, 0x10000};  // no longer form
    char32_t c = lead & leadBits[length - 1];
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & kContinuationMask) != kContinuation) {
            return {0, text.substr(0, 1)};
        }
        c = (c << kContinuationBits) | (next & static_cast<unsigned char>(~kContinuationMask));
    }
    constexpr char32_t kFirstSurrogate = 0xD800;
    constexpr char32_t kLastSurrogate = 0xDFFF;
    constexpr char32_t kLastCodePoint = 0x10FFFF;
    const bool surrogate = c >= kFirstSurrogate && c <= kLastSurrogate;
    if (c < shortest[length - 1] || surrogate || c > kLastCodePoint) {
        return {0, text.substr(0, 1)};
    }
    return {PlainOf(c), text.substr(0, length)};
}

// A character worth quoting back: printable, and whole.
bool Quotable(std::string_view spelling) {
    const auto lead = static_cast<unsigned char>(spelling[0]);
    constexpr unsigned char kFirstPrintable = 0x20;
    constexpr unsigned char kDelete = 0x7F;
    return spelling.size() > 1 || (lead >= kFirstPrintable && lead < kDelete);
}

std::optional<Tile> TileOf(char digit, std::size_t suit) {
    const bool honour = suit == static_cast<std::size_t>(SuitOf(kFirstHonour));
    const int value = digit - '0';
    if (honour && (value == kRedDigit || value > kHonourNumbers)) {
        return std::nullopt;
    }
    const bool red = value == kRedDigit;
    const int number = red ? kFive : value;
    return Tile{static_cast<TileIndex>(suit) * kSuitSize + number - 1, red};
}

NotationError NoSuchHonour(std::string_view digit, std::string_view letter) {
    const std::string written = std::string(digit).append(letter);
    return NotationError{Quoted(written) + " is not a tile (honours are 1z-7z)",
                         written + "という牌はありません（字牌は1z〜7z）"};
}

NotationError UnexpectedCharacter(std::string_view spelling, const std::string& position,
                                  std::string_view notation) {
    const bool quotable = Quotable(spelling);
    const std::string what = quotable ? Quoted(spelling) : "a character that is not text";
    return NotationError{"unexpected " + what + " at position " + position + " of " +
                             Quoted(notation) + " (tiles are digits and m, p, s or z)",
                         position + "文字目" +
                             (quotable ? "の「" + std::string(spelling) + "」" : std::string()) +
                             "が読めません（数字とm・p・s・zで書きます）"};
}

// The tiles of digits written together under one suit letter; a wrong one is named as written.
std::optional<NotationError> AddSuit(std::string_view digits, std::string_view letter,
                                     std::size_t suit, std::vector<Tile>& tiles) {
    while (!digits.empty()) {
        const Written digit = NextWritten(digits);
        const std::optional<Tile> tile = TileOf(digit.plain, suit);
        if (!tile) {
            return NoSuchHonour(digit.spelling, letter);
        }
        tiles.push_back(*tile);
        digits.remove_prefix(digit.spelling.size());
    }
    return std::nullopt;
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

std::optional<int> ParseCount(std::string_view text, int most) {
    std::optional<int> value;
    bool ended = false;  // a space after the digits
    while (!text.empty()) {
        const Written next = NextWritten(text);
        text.remove_prefix(next.spelling.size());
        if (next.plain == ' ') {
            ended = value.has_value();
            continue;
        }
        if (next.plain < '0' || next.plain > '9' || ended) {
            return std::nullopt;
        }
        value = value.value_or(0) * kDigits + (next.plain - '0');
        if (*value > most) {
            return std::nullopt;
        }
    }
    return value.value_or(0);
}

std::variant<std::vector<Tile>, NotationError> ParseTiles(std::string_view notation) {
    std::vector<Tile> tiles;
    tiles.reserve(notation.size());  // never more tiles than characters
    // The digits waiting for their suit letter, as written: they stand side by side, as a space
    // or anything else between them is an error.
    std::string_view pending;
    int position = 0;
    for (std::string_view rest = notation; !rest.empty();) {
        const Written c = NextWritten(rest);
        rest.remove_prefix(c.spelling.size());
        ++position;
        // Worded only for an error: a hand's tiles are read far more often than refused.
        const auto at = [position] { return std::to_string(position); };
        if (c.plain >= '0' && c.plain <= '9') {
            pending = pending.empty()
                          ? c.spelling
                          : std::string_view(pending.data(), pending.size() + c.spelling.size());
            continue;
        }
        if (c.plain == ' ') {
            if (!pending.empty()) {
                return NotationError{Quoted(pending) + " before the space at position " + at() +
                                         " has no suit letter (m, p, s or z)",
                                     at() + "文字目の空白の前の" + std::string(pending) +
                                         "に m・p・s・z がありません"};
            }
            continue;
        }
        const std::size_t suit = c.plain == 0 ? std::string_view::npos : kSuitLetters.find(c.plain);
        if (suit == std::string_view::npos) {
            return UnexpectedCharacter(c.spelling, at(), notation);
        }
        if (pending.empty()) {
            return NotationError{
                Quoted(c.spelling) + " at position " + at() + " has no digits before it",
                at() + "文字目の" + std::string(c.spelling) + "の前に数字がありません"};
        }
        if (auto error = AddSuit(pending, c.spelling, suit, tiles)) {
            return *error;
        }
        pending = {};
    }
    if (!pending.empty()) {
        return NotationError{Quoted(pending) + " at the end of " + Quoted(notation) +
                                 " has no suit letter (m, p, s or z)",
                             "最後の" + std::string(pending) + "に m・p・s・z がありません"};
    }
    if (tiles.empty()) {
        return NotationError{"no tiles in " + Quoted(notation), "牌がありません"};
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
