// The database's layout and its history: how a file is recognised as velmarto's, the steps that
// bring an older layout up to this one, and how an older file is read when it cannot be written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "store/game_store.h"

namespace velmarto::store {

class Connection;

// 2 added the label, the start and finish times, the deleted flag and a summary per game.
inline constexpr std::int64_t kSchemaVersion = 2;
// "VLMT": marks the file as velmarto's, so another program's database is never taken for one.
inline constexpr std::int64_t kApplicationId = 0x564C4D54;
// The version that first kept a summary per game: a migration past it fills them.
inline constexpr std::int64_t kSummariesSince = 2;

std::int64_t SchemaVersion(Connection& c);

// Another program's file, or one of a newer velmarto, is refused before anything is written.
std::optional<StoreError> Recognise(Connection& c, const std::string& path);

// Runs the steps from the file's version to this one, inside the caller's write transaction.
void MigrateSchema(Connection& c, std::int64_t from);

// A version 1 file that cannot be written is read through temporary views of this version's
// shape (no summaries yet, times converted), so every query reads both.
void ReadVersionOneAsCurrent(Connection& c);

}  // namespace velmarto::store
