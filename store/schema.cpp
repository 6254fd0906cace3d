// Each step of kMigrations takes the schema from the version before it to its own (index + 1);
// a step is never changed once released, so every older file takes the same path.
#include "store/schema.h"

#include <iterator>
#include <string_view>

#include "store/sqlite.h"

namespace velmarto::store {
namespace {

constexpr std::string_view kMigrations[] = {
    R"(CREATE TABLE games(
           id INTEGER PRIMARY KEY,
           created TEXT NOT NULL DEFAULT (datetime('now')),
           rules TEXT NOT NULL);
       CREATE TABLE players(
           game INTEGER NOT NULL REFERENCES games(id),
           seat INTEGER NOT NULL,
           name TEXT NOT NULL,
           PRIMARY KEY(game, seat)) WITHOUT ROWID;
       CREATE TABLE events(
           game INTEGER NOT NULL REFERENCES games(id),
           seq INTEGER NOT NULL,
           event TEXT NOT NULL,
           PRIMARY KEY(game, seq)) WITHOUT ROWID;)",
    // Times in the exchange format's form; the summary is what `list` shows, as of `position`
    // events, with the names (as renamed) as a JSON array.
    R"(ALTER TABLE games ADD COLUMN started TEXT NOT NULL DEFAULT '';
       UPDATE games SET started = strftime('%Y-%m-%dT%H:%M:%SZ', created);
       ALTER TABLE games DROP COLUMN created;
       ALTER TABLE games ADD COLUMN finished TEXT NOT NULL DEFAULT '';
       ALTER TABLE games ADD COLUMN label TEXT NOT NULL DEFAULT '';
       ALTER TABLE games ADD COLUMN deleted INTEGER NOT NULL DEFAULT 0;
       CREATE TABLE summaries(
           game INTEGER PRIMARY KEY REFERENCES games(id),
           position INTEGER NOT NULL,
           names TEXT NOT NULL,
           round INTEGER NOT NULL,
           hand INTEGER NOT NULL,
           honba INTEGER NOT NULL,
           over INTEGER NOT NULL);)",
};
static_assert(std::size(kMigrations) == kSchemaVersion);

// Version 1 in version 2's shape. Temporary objects are the connection's own, so a read-only
// file takes them, and an unqualified name finds them before the file's tables.
constexpr std::string_view kVersionOneAsCurrent =
    R"(CREATE TEMP VIEW games AS
           SELECT id, rules, strftime('%Y-%m-%dT%H:%M:%SZ', created) AS started,
                  '' AS finished, '' AS label, 0 AS deleted
           FROM main.games;
       CREATE TEMP VIEW summaries(game, position, names, round, hand, honba, over) AS
           SELECT NULL, NULL, NULL, NULL, NULL, NULL, NULL WHERE 0;)";

std::int64_t PragmaInteger(Connection& c, std::string_view pragma) {
    Statement statement(c, pragma);
    return statement.Step() ? statement.Integer(0) : 0;
}

StoreError Foreign(std::string message) {
    return {StoreError::Kind::Foreign, std::move(message)};
}

}  // namespace

std::int64_t SchemaVersion(Connection& c) {
    return PragmaInteger(c, "PRAGMA user_version");
}

std::optional<StoreError> Recognise(Connection& c, const std::string& path) {
    try {
        const std::int64_t application = PragmaInteger(c, "PRAGMA application_id");
        const std::int64_t version = SchemaVersion(c);
        const std::int64_t tables = PragmaInteger(c, "SELECT count(*) FROM sqlite_schema");
        const bool empty = application == 0 && version == 0 && tables == 0;
        if (!empty && application != kApplicationId) {
            return Foreign(path + " is not a velmarto database; left as it is");
        }
        if (version > kSchemaVersion) {
            return Foreign(path + " was written by a newer velmarto (schema " +
                           std::to_string(version) + ", this one knows " +
                           std::to_string(kSchemaVersion) + "); left as it is");
        }
    } catch (const SqliteFailure& failure) {
        if (failure.NotADatabase()) {
            return Foreign(path + " is not a velmarto database; left as it is");
        }
        throw;
    }
    return std::nullopt;
}

void MigrateSchema(Connection& c, std::int64_t from) {
    for (std::int64_t v = from; v < kSchemaVersion; ++v) {
        c.Execute(kMigrations[v]);
    }
    c.Execute("PRAGMA application_id = " + std::to_string(kApplicationId));
    c.Execute("PRAGMA user_version = " + std::to_string(kSchemaVersion));
}

void ReadVersionOneAsCurrent(Connection& c) {
    c.Execute(kVersionOneAsCurrent);
}

}  // namespace velmarto::store
