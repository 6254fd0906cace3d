// What each other player pays on a tsumo, at four players and at three, where the absent North's
// share is lost or split by rule. Honba and sticks are added by whoever settles the hand.
#pragma once

#include <string>

#include "engine/game/points.h"
#include "engine/game/rules.h"
#include "engine/hand/hand_payments.h"

namespace velmarto::game {

struct TsumoShares {
    Points dealer;     // the dealer's payment for a non-dealer's win
    Points nonDealer;  // each non-dealer's payment (each payer's, for a dealer's win)
};

TsumoShares TsumoSharesOf(const hand::HandPayments& payments, int players, SanmaTsumo rule);

// "三人麻雀（ツモ損）　親の支払い 2000点／子の支払い 1000点　和了者の受け取り 3000点".
std::string ComposeThreePlayerTsumoLine(const hand::HandPayments& payments, SanmaTsumo rule,
                                        hand::Figures style);

}  // namespace velmarto::game
