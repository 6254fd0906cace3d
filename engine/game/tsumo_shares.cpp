// The North seat is a non-dealer's: its share is the non-dealer's payment, halved and rounded
// up to 100 for each of the two payers when it is split.
#include "engine/game/tsumo_shares.h"

namespace velmarto::game {
namespace {

constexpr std::size_t kFirstTsumoFigure = 1;

std::string Render(const Points& points, hand::Figures style) {
    return style == hand::Figures::Plain ? points.Decimal() + "点" : points.Myriad();
}

}  // namespace

TsumoShares TsumoSharesOf(const hand::HandPayments& payments, int players, SanmaTsumo rule) {
    const bool dealerWon = payments.seat == Seat::Dealer;
    TsumoShares shares{Points::FromRegister(payments.figures[kFirstTsumoFigure].digits),
                       Points::FromRegister(payments.figures[dealerWon ? 1 : 2].digits)};
    if (players == kThreePlayers && rule == SanmaTsumo::Split) {
        int remainder = 0;
        const Points half = shares.nonDealer.DividedBy(2, remainder).RoundedUpToHundred();
        shares.dealer += half;
        shares.nonDealer += half;
    }
    return shares;
}

std::string ComposeThreePlayerTsumoLine(const hand::HandPayments& payments, SanmaTsumo rule,
                                        hand::Figures style) {
    const TsumoShares shares = TsumoSharesOf(payments, kThreePlayers, rule);
    std::string line =
        rule == SanmaTsumo::Split ? "三人麻雀（北家折半）　" : "三人麻雀（ツモ損）　";
    Points total;
    if (payments.seat == Seat::Dealer) {
        line += "子の支払い " + Render(shares.nonDealer, style) + "オール";
        total = shares.nonDealer.Times(2);
    } else {
        line += "親の支払い " + Render(shares.dealer, style) + "／子の支払い " +
                Render(shares.nonDealer, style);
        total = shares.dealer + shares.nonDealer;
    }
    return line + "　和了者の受け取り " + Render(total, style);
}

}  // namespace velmarto::game
