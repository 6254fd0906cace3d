// The exchange format of a game (rules, players, events) as JSON text, the same for the command
// line's export and import, the store and the page. No file is read or written here.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "engine/game/replay.h"

namespace velmarto::game {

inline constexpr std::string_view kFormatName = "velmarto-game";
inline constexpr int kFormatVersion = 1;

// The whole game, pretty-printed.
std::string ExportGame(const Game& game);
// Reads a whole game back and replays it: an error for malformed JSON, an unknown field value,
// a newer format, or events that cannot happen.
std::variant<Game, GameError> ImportGame(std::string_view text);

// One part at a time, for the store (one row per event) and the page.
std::string RulesToJson(const Rules& rules);
std::variant<Rules, GameError> RulesFromJson(std::string_view text);
std::string EventToJson(const Event& event);
std::variant<Event, GameError> EventFromJson(std::string_view text);

// The standings as `show --json` prints them: id, players with points as decimal strings,
// round, hand, honba, sticks, finished, events.
std::string StandingsToJson(const Game& game, const Standings& standings, std::string_view id);

}  // namespace velmarto::game
