// What happened at the table, one event at a time: the only truth a game keeps.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "engine/hand/hand_input.h"

namespace velmarto::game {

// A player, by the seat taken at the start: 0 East, 1 South, 2 West, 3 North.
using PlayerIndex = int;

// A winning hand as the hand engine reads it, with owned text. The seat, round, tsumo, honba and
// sticks are not part of it: the game supplies them when it replays the win.
struct HandDescription {
    std::string tiles;
    std::string win;  // empty: the last tile written
    std::vector<std::pair<hand::MeldKind, std::string>> melds;
    std::string dora;
    std::string ura;
    bool riichi = false;
    bool doubleRiichi = false;
    bool ippatsu = false;
    bool rinshan = false;
    bool chankan = false;
    bool haitei = false;
    bool houtei = false;
    bool tenhou = false;
    bool chiihou = false;
    int kita = 0;  // 北 set aside in a three-player game, each a dora
    bool operator==(const HandDescription&) const = default;
};

// The situation flags of a described hand as the hand engine takes them (the game's own fields
// left at their defaults), and the description's flags from a situation.
hand::Situation SituationOf(const HandDescription& hand);
void SetSituation(HandDescription& hand, const hand::Situation& situation);

struct HanFu {
    int han = 1;
    int fu = 30;
    bool operator==(const HanFu&) const = default;
};

struct Win {
    PlayerIndex winner = 0;
    std::variant<HanFu, HandDescription> score;
    // 責任払い: the player who fed the completing call of 大三元, 大四喜 or 四槓子.
    std::optional<PlayerIndex> liable;
    bool operator==(const Win&) const = default;
};

enum class EventKind {
    Ron,       // wins: one per winner on the same discard, in any order; discarder
    Tsumo,     // wins: exactly one
    Riichi,    // player declares and puts 1,000 on the table
    Draw,      // exhaustive draw; tenpai lists the players in tenpai
    Abort,     // abortive draw
    FalseWin,  // player pays the false win's penalty
    Undo,      // takes back the latest event not yet taken back
};

struct Event {
    EventKind kind = EventKind::Abort;
    std::vector<Win> wins;
    PlayerIndex discarder = 0;
    PlayerIndex player = 0;
    std::vector<PlayerIndex> tenpai;
    bool operator==(const Event&) const = default;
};

Event RonEvent(PlayerIndex discarder, std::vector<Win> wins);
Event TsumoEvent(Win win);
Event RiichiEvent(PlayerIndex player);
Event DrawEvent(std::vector<PlayerIndex> tenpai);
Event AbortEvent();
Event FalseWinEvent(PlayerIndex player);
Event UndoEvent();

}  // namespace velmarto::game
