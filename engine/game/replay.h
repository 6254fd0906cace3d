// A game's standings as a pure function of its rules, players and events, replayed from the
// start: undo, export, import and every front end go through Replay, so none can disagree.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/game/event.h"
#include "engine/game/points.h"
#include "engine/game/rules.h"

namespace velmarto::game {

struct Game {
    Rules rules;
    std::vector<std::string> players;  // names in seat order at the start, E S W (N)
    std::vector<Event> events;         // append-only, undos included
};

// A refusal, in English for the command line and in Japanese for the window and the page.
struct GameError {
    std::string message;
    std::string japanese;
};

// How the game ends: each player's rank (0 top; ties by seat order), total with the sticks left
// on the table, and, with oka and uma, the final score.
struct FinalStanding {
    PlayerIndex player = 0;
    Points points;
    std::optional<Points> score;
};

struct Standings {
    std::vector<Points> points;  // by player
    int sticks = 0;              // riichi sticks on the table
    int round = 0;               // 0 East, 1 South
    int hand = 0;                // 0-based: the dealer is player `hand`
    int honba = 0;
    bool finished = false;
    std::vector<Points> lastPaid;  // what the latest event moved, by player (sticks excluded)
    int lastSticks = 0;            // and how the sticks on the table changed
    std::optional<EventKind> lastKind;
    std::vector<std::size_t> live;     // indices of the events not taken back, in order
    std::vector<FinalStanding> final;  // by rank, once finished

    PlayerIndex Dealer() const { return hand; }
};

// Replays every event; an error names the first event that cannot happen where it stands
// (a win in a finished game, a ron from oneself, a player who is not at the table ...).
std::variant<Standings, GameError> Replay(const Game& game);

// The game with `event` appended, when that event can happen; the game as it was otherwise.
std::optional<GameError> Append(Game& game, const Event& event);

// Checks a new game's rules and players (3 or 4 distinct, non-empty names).
std::optional<GameError> CheckSetup(const Rules& rules, const std::vector<std::string>& players);

// "東", "南": a round's wind, or a seat's (0-3).
std::string_view RoundWindName(int round);

// "東1局 0本場".
std::string RoundName(const Standings& standings);

}  // namespace velmarto::game
