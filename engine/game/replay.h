// A game's standings as a pure function of its rules, players and events, replayed from the
// start: undo, amend, export, import and every front end go through it, so none can disagree.
// Append continues the standings by one event without replaying what came before.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/game/event.h"
#include "engine/game/game_error.h"
#include "engine/game/points.h"
#include "engine/game/rules.h"

namespace velmarto::game {

struct Game {
    Rules rules;
    std::vector<std::string> players;  // names in seat order at the start, E S W (N)
    std::vector<Event> events;         // append-only, undos and amends included
    std::string label;                 // a club's or a session's name for the game
    std::string started;               // UTC, "2026-12-10T16:05:38Z"; kept by the store
    std::string finished;              // likewise, once the game is over
};

// How the game ends: each player's rank (0 top; ties by seat order), total with the sticks left
// on the table, and, with oka and uma, the final score.
struct FinalStanding {
    PlayerIndex player = 0;
    Points points;
    std::optional<Points> score;
};

// What a win was worth.
struct WinFigures {
    PlayerIndex winner = 0;
    int han = 0;
    int fu = 0;
    std::vector<std::string>
        yaku;  // with their han, "立直 1飜"; empty for a win given as han and fu
};

// What one standing event of a hand did: a row of the game's history.
struct Effect {
    std::size_t position = 0;  // of the event it stands for (1 is the first), amended or not
    int round = 0;             // the hand it belongs to
    int hand = 0;
    int honba = 0;
    Event event;               // as it stands, after amends
    std::vector<Points> paid;  // by player; with the sticks moved, they sum to zero
    int sticks = 0;            // riichi sticks put on (+) or taken off (−) the table
    std::vector<WinFigures> wins;
};

struct Standings {
    std::vector<std::string> names;  // by player, as renamed
    std::vector<Points> points;      // by player
    int sticks = 0;                  // riichi sticks on the table
    int round = 0;                   // 0 East, 1 South
    int hand = 0;                    // 0-based: the dealer is player `hand`
    int honba = 0;
    bool finished = false;
    std::size_t position = 0;          // events accepted, undos, amends and renames included
    std::vector<char> declared;        // by player: riichi declared in this hand (not vector<bool>,
                                       // whose code costs the page kilobytes)
    std::vector<Effect> history;       // one per standing event of a hand, in order
    std::vector<FinalStanding> final;  // by rank, once finished

    PlayerIndex Dealer() const { return hand; }
    // A player's seat wind this hand: 0 East (the dealer) … 3 North.
    int SeatWindOf(PlayerIndex player) const;
    const Effect* Last() const { return history.empty() ? nullptr : &history.back(); }
};

// Replays every event; an error names the first event that cannot happen where it stands
// (a win in a finished game, a ron from oneself, a player who is not at the table ...).
std::variant<Standings, GameError> Replay(const Game& game);

// Appends `event` to the game and brings `standings` (the game's replay) up to it, when the event
// can happen; leaves both as they were otherwise. An amend that a later event does not survive
// names that event.
std::optional<GameError> Append(Game& game, Standings& standings, const Event& event);
// The same for a caller without the standings at hand.
std::optional<GameError> Append(Game& game, const Event& event);

// Checks a new game's rules and players (3 or 4 distinct names, see CheckName).
std::optional<GameError> CheckSetup(const Rules& rules, const std::vector<std::string>& players);

// "東", "南": a round's wind, or a seat's (0-3).
std::string_view RoundWindName(int round);

// "東1局 0本場", for the standings now or for the hand of a row of the history.
std::string RoundName(const Standings& standings);
std::string RoundName(int round, int hand, int honba);

}  // namespace velmarto::game
