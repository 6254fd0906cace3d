// Which yaku a moment of the hand makes, decided once for every front end.
#include "engine/hand/situation.h"

namespace velmarto::hand {

void DeclareMoments(Situation& situation, Moments moments) {
    situation.haitei |= moments.lastTile && situation.tsumo;
    situation.houtei |= moments.lastTile && !situation.tsumo;
    situation.tenhou |= moments.firstDraw && situation.Dealer();
    situation.chiihou |= moments.firstDraw && !situation.Dealer();
}

}  // namespace velmarto::hand
