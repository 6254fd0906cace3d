// The rules of a game as one value: every house rule the ledger knows is a field here with its
// default, read by the replay and nowhere else.
#pragma once

#include <array>
#include <string_view>

#include "engine/game/points.h"
#include "engine/hand/hand_input.h"

namespace velmarto::game {

enum class Length { East, EastSouth };  // 東風戦, 半荘戦

// Who takes the honba on a double or triple ron; the sticks always go to the first winner in
// turn order after the discarder.
enum class RonHonba { FirstWinner, EachWinner };

// A three-player tsumo: the absent North's share is not paid (ツモ損), or split between the two
// payers, each half rounded up to 100 (北家折半).
enum class SanmaTsumo { Loss, Split };

inline constexpr int kMaxPlayers = 4;
inline constexpr int kThreePlayers = 3;

struct Rules {
    int players = kMaxPlayers;
    Length length = Length::EastSouth;
    Points startingPoints = Points(25000);
    RonHonba ronHonba = RonHonba::FirstWinner;
    SanmaTsumo sanmaTsumo = SanmaTsumo::Loss;
    bool endBelowZero = false;   // the game ends when a total goes below zero
    bool endOnDealerTop = true;  // the dealer's win in the last hand while on top ends it
    bool sticksToTop = true;     // sticks left on the table at the end go to the top player
    bool okaUma = false;         // final scores with oka and uma
    Points returnPoints = Points(30000);  // with oka: each pays back to this, the top takes the oka
    std::array<int, kMaxPlayers> uma = {20, 10, -10, -20};   // thousands by rank, four players
    std::array<int, kThreePlayers> umaThree = {20, 0, -20};  // thousands by rank, three players
    hand::Rules hand;                                        // the hand engine's own rules
};

// The defaults for a number of players: three-player games start at 35,000 and return to 40,000.
Rules DefaultRules(int players);

}  // namespace velmarto::game
