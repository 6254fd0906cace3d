// A winning hand as a player describes it: the concealed tiles, the called sets, the situation of
// the win and the indicators; checked as a whole before anything is counted.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/hand/situation.h"
#include "engine/hand/tile.h"

namespace velmarto::hand {

enum class MeldKind { Chi, Pon, Kan, Ankan };

// The option and the box of a kind of called set: "--pon", "ポン".
std::string_view MeldOption(MeldKind kind);
std::string_view MeldBoxName(MeldKind kind);

struct Meld {
    MeldKind kind;
    std::vector<Tile> tiles;
    TileIndex first() const { return tiles.front().index; }
    bool Called() const { return kind != MeldKind::Ankan; }
};

// The most honba counters, and the most riichi sticks, any front end takes.
inline constexpr int kMaxHonbaOrSticks = 1000000;
// What the window and the page say beside 本場 or 供託 when it holds no such number:
// "本場は0〜1000000の整数です".
std::string CountOutOfRangeJapanese(std::string_view box);

inline constexpr int kWinds = 4;  // East South West North; the East seat is the dealer

struct Rules {
    bool doubleYakuman = true;  // the double forms count 26 han
    bool openTanyao = true;
    int players = 4;  // 3: 三人麻雀
};

// What the user wrote, before any of it is read.
struct HandText {
    std::string_view tiles;
    std::optional<std::string_view> win;
    std::vector<std::pair<MeldKind, std::string_view>> melds;
    std::string_view dora;
    std::string_view ura;
    Situation situation;
    Rules rules;
};

struct HandInput {
    std::vector<Tile> concealed;  // the winning tile among them
    Tile win;
    std::vector<Meld> melds;
    std::vector<Tile> dora;  // indicators
    std::vector<Tile> ura;
    Situation situation;
    Rules rules;

    bool Closed() const;
    bool Dealer() const { return situation.Dealer(); }
    // Every tile of the hand, called sets included, quads with all four.
    TileCounts AllCounts() const;
};

// One called set as written in its box, checked for its shape: a run for a chi, three or four
// copies of one tile for the others.
std::variant<Meld, NotationError> ReadMeld(MeldKind kind, std::string_view notation);

// Text split at white space, full-width spaces too: the called sets of one box, or the arguments
// of a batch line.
std::vector<std::string> SplitWords(std::string_view text);

inline constexpr int kHandTiles = 14;
inline constexpr int kWaitingTiles = 13;
inline constexpr int kSetTiles = 3;

// What the window and the page, which take 13 tiles (the waits) and 14 (a win, or what to
// cut), say of any other number: "13枚か14枚にしてください（いま5枚）".
std::string WrongCountJapanese(int tiles);

// Reads and checks a hand: the notation, the shape of each called set, 14 tiles, no fifth copy
// of a tile and no second red five of a suit anywhere (indicators included; the copies are
// checked before the number of tiles, so that a fifth copy is named as such), a winning tile that
// is in the hand, and a situation that can happen.
std::variant<HandInput, NotationError> ReadHand(const HandText& text);

// The steps of ReadHand, for readers of a hand before its win. ReadHandTiles reads the
// concealed tiles, the called sets and the indicators and checks the copies; `checkCount` judges
// the number of tiles (a called set counting 3) before the indicators are read. The winning tile
// is left unread and the situation unchecked.
using TileCountCheck = std::function<std::optional<NotationError>(int tiles)>;
std::variant<HandInput, NotationError> ReadHandTiles(const HandText& text,
                                                     const TileCountCheck& checkCount);
// No fifth copy of a tile and no second red five of a suit among the hand, its called sets, its
// indicators and the `seen` tiles.
std::optional<NotationError> CheckCopies(const HandInput& hand, std::span<const Tile> seen = {});
// Flags that need another or exclude one, the tsumo flag included.
std::optional<NotationError> CheckSituation(const HandInput& hand);

// How many tiles a hand being entered still lacks, each called set counting 3 and a set begun
// its missing tiles: such a hand is unfinished rather than wrong. 0 once 14 are reached or
// passed, when a notation does not read, or when a tile is there more than four times.
int TilesToGo(const HandText& text);

}  // namespace velmarto::hand
