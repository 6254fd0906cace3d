// The exchange format of a game (rules, players, events, label and times) as JSON text, the same
// for the command line's export and import, the store and the page; and the standings and the
// history as JSON. No file is read or written here.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "engine/game/replay.h"
#include "engine/game/season.h"

namespace velmarto::game {

inline constexpr std::string_view kFormatName = "velmarto-game";
// 2 added the label and the start and finish times; a version 1 file still reads.
inline constexpr int kFormatVersion = 2;

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

// The standings as `show --json` prints them: id, position, players with points as decimal
// strings and what the last event paid them, round, hand, honba, sticks, finished, the standing
// events and, once finished, the final standings.
std::string StandingsToJson(const Game& game, const Standings& standings, std::string_view id);

// The history as `history --json` prints it: one object per standing event of a hand.
std::string HistoryToJson(const Standings& standings);

// The season as `season --json` prints it: {"four": [...], "three": [...]}, a row per player.
std::string SeasonToJson(const Season& season);

}  // namespace velmarto::game
