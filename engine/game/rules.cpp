// Defaults that depend on the table: a three-player game starts with more points each.
#include "engine/game/rules.h"

namespace velmarto::game {
namespace {

constexpr int kThreeStart = 35000;
constexpr int kThreeReturn = 40000;

}  // namespace

Rules DefaultRules(int players) {
    Rules rules;
    rules.players = players;
    rules.hand.players = players;
    if (players == kThreePlayers) {
        rules.startingPoints = Points(kThreeStart);
        rules.returnPoints = Points(kThreeReturn);
    }
    return rules;
}

}  // namespace velmarto::game
