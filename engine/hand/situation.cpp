// Which yaku a moment of the hand makes, decided once for every front end.
#include "engine/hand/situation.h"

namespace velmarto::hand {

namespace {

constexpr int kDealerSeat = 0;  // East

}  // namespace

void DeclareMoments(Situation& situation, Moments moments) {
    situation.haitei |= moments.lastTile && situation.tsumo;
    situation.houtei |= moments.lastTile && !situation.tsumo;
    situation.tenhou |= moments.firstDraw && situation.seatWind == kDealerSeat;
    situation.chiihou |= moments.firstDraw && situation.seatWind != kDealerSeat;
}

}  // namespace velmarto::hand
