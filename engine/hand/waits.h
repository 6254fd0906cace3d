// A hand before its win: what it waits on and what each wait pays on a ron and on a tsumo; when
// it is not tenpai, how far it is and which tiles bring it nearer; with a 14th tile, what each
// discard leaves.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/hand/hand_evaluator.h"
#include "engine/hand/hand_input.h"
#include "engine/hand/shanten.h"

namespace velmarto::hand {

// A tile and how many of it are left unseen: 4 less the copies in the hand, its called sets and
// the indicators.
struct TileLeft {
    Tile tile;
    int left = 0;
};

// How many copies of the tiles are left in all.
int TotalLeft(std::span<const TileLeft> tiles);

// A tile that completes the hand. A drawn five is counted as a plain five.
struct WaitResult {
    Tile tile;
    int left = 0;
    std::optional<HandScore> ron;  // absent when the hand is furiten
    HandScore tsumo;
};

struct DiscardResult {
    Tile tile;
    int shanten = 0;                // after the discard
    std::vector<TileLeft> useful;   // every tile that lowers that shanten (the waits when tenpai)
    std::vector<WaitResult> waits;  // when the discard leaves the hand tenpai
    bool furiten = false;           // a wait is among the discards, this one included
    int UsefulLeft() const;
};

struct WaitAnalysis {
    int shanten = 0;  // of the 13 tiles, or of the 14 with the best discard
    // 13 tiles:
    bool furiten = false;
    std::vector<WaitResult> waits;  // when tenpai, in tile order
    std::vector<TileLeft> useful;   // when not tenpai, in tile order
    // 14 tiles:
    std::vector<DiscardResult> discards;  // lowest shanten, most useful tiles left, best tsumo
    std::optional<WaitResult> win;        // 14 tiles that already win, on the last tile written
};

// Reads a hand before its win: 13 tiles with the called sets (each counting 3), or 14 to choose
// a discard. The checks and messages of ReadHand; `win` is the last tile written, read only when
// 14 tiles already win. The situation is checked for a ron and for a tsumo, each with the flags
// that fit it (see SituationFor).
std::variant<HandInput, NotationError> ReadWaitingHand(const HandText& text);

// The situation of a win one way. 嶺上開花, 海底摸月, 天和 and 地和 happen only on a tsumo, 槍槓
// and 河底撈魚 only on a ron: a flag for the other way is dropped.
Situation SituationFor(const Situation& situation, bool tsumo);

// The analysis of a hand ReadWaitingHand read; `ownDiscards` decide furiten. An error only when
// a payment outgrows the register.
std::variant<WaitAnalysis, NotationError> AnalyzeWaits(const HandInput& hand,
                                                       std::span<const Tile> ownDiscards,
                                                       Figures style);

// Reads and analyses in one step; `discards` is the player's own discards in tile notation,
// checked with the hand for a fifth copy.
std::variant<WaitAnalysis, NotationError> AnalyzeWaits(const HandText& text,
                                                       std::string_view discards, Figures style);

}  // namespace velmarto::hand
