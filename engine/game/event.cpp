// Each kind of event built with exactly the fields it uses, so two equal events compare equal.
#include "engine/game/event.h"

#include <array>

namespace velmarto::game {
namespace {

struct SharedFlag {
    bool HandDescription::*described;
    bool hand::Situation::*situation;
};
constexpr std::array kSharedFlags = {
    SharedFlag{&HandDescription::riichi, &hand::Situation::riichi},
    SharedFlag{&HandDescription::doubleRiichi, &hand::Situation::doubleRiichi},
    SharedFlag{&HandDescription::ippatsu, &hand::Situation::ippatsu},
    SharedFlag{&HandDescription::rinshan, &hand::Situation::rinshan},
    SharedFlag{&HandDescription::chankan, &hand::Situation::chankan},
    SharedFlag{&HandDescription::haitei, &hand::Situation::haitei},
    SharedFlag{&HandDescription::houtei, &hand::Situation::houtei},
    SharedFlag{&HandDescription::tenhou, &hand::Situation::tenhou},
    SharedFlag{&HandDescription::chiihou, &hand::Situation::chiihou},
};

Event Of(EventKind kind) {
    Event event;
    event.kind = kind;
    return event;
}

}  // namespace

hand::Situation SituationOf(const HandDescription& hand) {
    hand::Situation situation;
    for (const SharedFlag& flag : kSharedFlags) {
        situation.*flag.situation = hand.*flag.described;
    }
    situation.kita = hand.kita;
    return situation;
}

void SetSituation(HandDescription& hand, const hand::Situation& situation) {
    for (const SharedFlag& flag : kSharedFlags) {
        hand.*flag.described = situation.*flag.situation;
    }
    hand.kita = situation.kita;
}

Event RonEvent(PlayerIndex discarder, std::vector<Win> wins) {
    Event event = Of(EventKind::Ron);
    event.discarder = discarder;
    event.wins = std::move(wins);
    return event;
}

Event TsumoEvent(Win win) {
    Event event = Of(EventKind::Tsumo);
    event.wins.push_back(std::move(win));
    return event;
}

Event RiichiEvent(PlayerIndex player) {
    Event event = Of(EventKind::Riichi);
    event.player = player;
    return event;
}

Event DrawEvent(std::vector<PlayerIndex> tenpai) {
    Event event = Of(EventKind::Draw);
    event.tenpai = std::move(tenpai);
    return event;
}

Event AbortEvent() {
    return Of(EventKind::Abort);
}

Event FalseWinEvent(PlayerIndex player) {
    Event event = Of(EventKind::FalseWin);
    event.player = player;
    return event;
}

Event UndoEvent() {
    return Of(EventKind::Undo);
}

}  // namespace velmarto::game
