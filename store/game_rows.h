// One game's rows (its game row, players, events and summary) read and written inside the
// caller's transaction. The summary is what a list shows, kept with each event so that a list
// replays no game unless a summary is missing or behind its events.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "store/game_store.h"

namespace velmarto::store {

class Connection;

// The game as stored, replayed; a game whose events no longer replay is reported damaged.
std::variant<StoredGame, StoreError> LoadGame(Connection& c, std::int64_t id);

// Stores a checked game with its events, its summary and its times (now, unless it brings its
// own), and returns its id.
std::int64_t InsertGame(Connection& c, const game::Game& game, const game::Standings& standings);

// Stores the game's last event, which `stored` already holds, with the summary after it; sets the
// finish time as the game ends and clears it if an undo reopens the game.
void InsertLastEvent(Connection& c, StoredGame& stored);

void SaveSummary(Connection& c, std::int64_t id, const game::Standings& standings);

// Every game's summary, a missing or stale one rebuilt from the events.
std::variant<std::vector<GameSummary>, StoreError> ReadSummaries(Connection& c, bool withDeleted);

// The ids of the games not deleted that may be finished: over by their summary, or without a
// summary that says otherwise.
std::vector<std::int64_t> MaybeFinishedIds(Connection& c);

// Every game's id, for a migration.
std::vector<std::int64_t> GameIds(Connection& c);

}  // namespace velmarto::store
