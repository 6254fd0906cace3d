// The rules of a game as one value: every house rule the ledger knows is a field here with its
// default, described once in kRuleFields for the exchange format, the command line and the page.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

#include "engine/game/game_error.h"
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

// The ledger's own version of the rules every game keeps: 2 checks declarations, liable players
// and han and fu, counts a declared riichi and returns a void hand's sticks. A game recorded
// before (rules without a "ledger" key) is replayed as it was recorded, so its figures never
// change after the fact.
inline constexpr int kLedger = 2;
inline constexpr int kLegacyLedger = 1;

using Uma = std::array<int, kMaxPlayers>;
using UmaThree = std::array<int, kThreePlayers>;

struct Rules {
    int players = kMaxPlayers;
    Length length = Length::EastSouth;
    Points startingPoints = Points(25000);
    RonHonba ronHonba = RonHonba::FirstWinner;
    SanmaTsumo sanmaTsumo = SanmaTsumo::Loss;
    bool endBelowZero = false;       // the game ends when a total goes below zero
    bool endOnDealerTop = true;      // the dealer's win in the last hand while on top ends it
    bool sticksToTop = true;         // sticks left on the table at the end go to the top player
    bool chomboKeepsSticks = false;  // a false win leaves the hand's sticks on the table
    bool okaUma = false;             // final scores with oka and uma
    Points returnPoints = Points(30000);  // with oka: each pays back to this, the top takes the oka
    Uma uma = {20, 10, -10, -20};         // thousands by rank, four players
    UmaThree umaThree = {20, 0, -20};     // thousands by rank, three players
    int stick = 1000;                     // a riichi stick
    int ronHonbaPoints = 300;             // a honba on a ron
    int tsumoHonbaPoints = 100;           // a honba from each payer of a tsumo
    int notenTotal = 3000;                // no-ten payments in all (2000 for three)
    int falseWinFull = 4000;  // a false win: the dealer's to each, another's to the dealer
    int falseWinHalf = 2000;  // and a non-dealer's to each other non-dealer
    hand::Rules hand;         // the hand engine's own rules
    int ledger = kLedger;

    bool Legacy() const { return ledger < kLedger; }
};

// The defaults for a number of players: three-player games start at 35,000, return to 40,000 and
// pay 2,000 in no-ten payments.
Rules DefaultRules(int players);

// Rules that cannot stand together: uma not summing to zero, a return below the start, a
// three-player rule at four, uma without oka and uma.
std::optional<GameError> CheckRules(const Rules& rules);

// One rule as data. `option` is `game new`'s option (empty: none); a flag option whose field
// defaults to true turns it off.
using RuleMember =
    std::variant<bool Rules::*, bool hand::Rules::*, int Rules::*, Points Rules::*, Length Rules::*,
                 RonHonba Rules::*, SanmaTsumo Rules::*, Uma Rules::*, UmaThree Rules::*>;
struct RuleField {
    std::string_view key;
    RuleMember member;
    std::string_view option;
    std::string_view help;
    std::string_view label;
};
extern const std::array<RuleField, 20> kRuleFields;

// The words of a choice in the exchange format, in enum order; and the command line's.
std::span<const std::string_view> ChoiceKeys(RuleMember member);
std::span<const std::string_view> ChoiceWords(RuleMember member);

}  // namespace velmarto::game
