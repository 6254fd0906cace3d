// Each kind of event built with exactly the fields it uses, so two equal events compare equal.
#include "engine/game/event.h"

namespace velmarto::game {
namespace {

Event Of(EventKind kind) {
    Event event;
    event.kind = kind;
    return event;
}

}  // namespace

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
