// libpqxx with prepared statements only. A recorded event takes the game's row lock (SELECT … FOR
// UPDATE), replays the game as stored, checks the expected position and the event, appends it
// under the (game, seq) key and publishes it, all in one transaction.
#include "store/postgres_game_store.h"

#include <array>
#include <chrono>
#include <ctime>
#include <nlohmann/json.hpp>
#include <pqxx/pqxx>

#include "engine/game/game_json.h"

namespace velmarto::store {
namespace {

// Each step takes the schema from the version before it to its own (index + 1).
constexpr std::string_view kMigrations[] = {
    R"(CREATE TABLE games(
           id bigserial PRIMARY KEY,
           rules text NOT NULL,
           label text NOT NULL,
           started text NOT NULL,
           finished text NOT NULL DEFAULT '',
           deleted boolean NOT NULL DEFAULT false,
           names text NOT NULL,
           round integer NOT NULL,
           hand integer NOT NULL,
           honba integer NOT NULL,
           over boolean NOT NULL,
           position integer NOT NULL);
       CREATE TABLE players(
           game bigint NOT NULL REFERENCES games(id),
           seat integer NOT NULL,
           name text NOT NULL,
           PRIMARY KEY(game, seat));
       CREATE TABLE events(
           game bigint NOT NULL REFERENCES games(id),
           seq integer NOT NULL,
           event text NOT NULL,
           PRIMARY KEY(game, seq));
       CREATE TABLE server_games(
           public_id text PRIMARY KEY,
           game bigint NOT NULL UNIQUE REFERENCES games(id),
           write_key_sha256 text NOT NULL);)",
};
static_assert(std::size(kMigrations) == kPostgresSchemaVersion);

// Taken by a migrating server, so two servers starting on a new database do not both create it.
constexpr std::int64_t kMigrationLock = 0x564C4D54;

// Every statement, prepared on each new connection.
constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kStatements = {{
    {"game", "SELECT rules, label, started, finished, deleted FROM games WHERE id = $1"},
    {"head", "SELECT position, deleted FROM games WHERE id = $1"},
    {"head_locked", "SELECT position, deleted FROM games WHERE id = $1 FOR UPDATE"},
    {"players", "SELECT name FROM players WHERE game = $1 ORDER BY seat"},
    {"events", "SELECT event FROM events WHERE game = $1 ORDER BY seq"},
    {"new_game",
     "INSERT INTO games(rules, label, started, finished, names, round, hand, honba, over, "
     "position) VALUES($1, $2, $3, $4, $5, $6, $7, $8, $9, $10) RETURNING id"},
    {"new_player", "INSERT INTO players(game, seat, name) VALUES($1, $2, $3)"},
    {"new_event", "INSERT INTO events(game, seq, event) VALUES($1, $2, $3)"},
    // The event, the game's summary and the announcement in one round trip.
    {"append",
     "WITH appended AS (INSERT INTO events(game, seq, event) VALUES($1, $2, $3)), "
     "summary AS (UPDATE games SET finished = $4, names = $5, round = $6, hand = $7, honba = $8, "
     "over = $9, position = $2 WHERE id = $1) "
     "SELECT pg_notify($10, $11)"},
    {"list",
     "SELECT id, started, finished, label, names, round, hand, honba, over, position, deleted "
     "FROM games WHERE $1 OR NOT deleted ORDER BY id"},
    {"set_deleted", "UPDATE games SET deleted = $2 WHERE id = $1"},
    {"finished", "SELECT id FROM games WHERE over AND NOT deleted ORDER BY id"},
    {"add_server_game",
     "INSERT INTO server_games(public_id, game, write_key_sha256) VALUES($1, $2, $3)"},
    {"find_server_game", "SELECT game, write_key_sha256 FROM server_games WHERE public_id = $1"},
}};

StoreError Unreachable() {
    return {StoreError::Kind::Busy, "the database cannot be reached; try again"};
}

StoreError Damaged(std::int64_t id) {
    return {StoreError::Kind::Failed, "game " + std::to_string(id) + " is damaged in the database"};
}

std::string NowUtc() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::array<char, sizeof "2026-12-10T16:05:38Z"> text{};
    std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text.data();
}

// A lost connection, or a server shutting down under it: reconnecting is the remedy.
bool ConnectionLost(const pqxx::sql_error& error) {
    const std::string state = error.sqlstate();
    return state.rfind("08", 0) == 0 || state.rfind("57", 0) == 0;
}

void Migrate(pqxx::connection& c) {
    pqxx::work w(c);
    w.exec("SELECT pg_advisory_xact_lock(" + std::to_string(kMigrationLock) + ")");
    w.exec0("CREATE TABLE IF NOT EXISTS velmarto_schema(version integer NOT NULL)");
    const pqxx::result row = w.exec("SELECT version FROM velmarto_schema");
    const int version = row.empty() ? 0 : row[0][0].as<int>();
    if (version > kPostgresSchemaVersion) {
        throw StoreError{StoreError::Kind::Foreign,
                         "the database was written by a newer velmarto (schema " +
                             std::to_string(version) + ", this one knows " +
                             std::to_string(kPostgresSchemaVersion) + "); left as it is"};
    }
    for (int v = version; v < kPostgresSchemaVersion; ++v) {
        w.exec0(std::string(kMigrations[v]));
    }
    w.exec0("DELETE FROM velmarto_schema");
    w.exec0("INSERT INTO velmarto_schema(version) VALUES(" +
            std::to_string(kPostgresSchemaVersion) + ")");
    w.commit();
}

struct Row {
    game::Game game;
    bool deleted = false;
};

// The game as stored, read inside `w`.
std::variant<Row, StoreError> ReadGame(pqxx::transaction_base& w, std::int64_t id) {
    const pqxx::result head = w.exec_prepared("game", id);
    if (head.empty()) {
        return StoreError{StoreError::Kind::NotFound, "no game " + std::to_string(id)};
    }
    Row row;
    auto rules = game::RulesFromJson(head[0][0].as<std::string>());
    if (std::holds_alternative<game::GameError>(rules)) {
        return Damaged(id);
    }
    row.game.rules = std::get<game::Rules>(rules);
    row.game.label = head[0][1].as<std::string>();
    row.game.started = head[0][2].as<std::string>();
    row.game.finished = head[0][3].as<std::string>();
    row.deleted = head[0][4].as<bool>();
    for (const auto& player : w.exec_prepared("players", id)) {
        row.game.players.push_back(player[0].as<std::string>());
    }
    for (const auto& stored : w.exec_prepared("events", id)) {
        auto event = game::EventFromJson(stored[0].as<std::string>());
        if (std::holds_alternative<game::GameError>(event)) {
            return Damaged(id);
        }
        row.game.events.push_back(std::get<game::Event>(std::move(event)));
    }
    return row;
}

std::variant<StoredGame, StoreError> LoadIn(pqxx::transaction_base& w, std::int64_t id) {
    auto read = ReadGame(w, id);
    if (auto* error = std::get_if<StoreError>(&read)) {
        return *error;
    }
    Row& row = std::get<Row>(read);
    auto standings = game::Replay(row.game);
    if (std::holds_alternative<game::GameError>(standings)) {
        return Damaged(id);
    }
    return StoredGame{id, std::move(row.game), std::get<game::Standings>(std::move(standings)),
                      row.deleted};
}

std::string NamesJson(const game::Standings& s) {
    return nlohmann::json(s.names).dump();
}

// The finish time follows the standings: set as the game ends, cleared if an undo reopens it.
void KeepFinishTime(game::Game& game, const game::Standings& s) {
    if (!s.finished) {
        game.finished.clear();
    } else if (game.finished.empty()) {
        game.finished = NowUtc();
    }
}

using Recent = std::unordered_map<std::int64_t, StoredGame>;

// A few hundred games of a few hundred events: a club's evening, in a few megabytes.
constexpr std::size_t kRecentGames = 256;

void Remember(Recent& recent, const StoredGame& g) {
    if (recent.size() >= kRecentGames && !recent.count(g.id)) {
        recent.clear();
    }
    recent.insert_or_assign(g.id, g);
}

// The game as stored inside `w`, from `recent` while its position is still the stored one;
// with `lock`, its row stays locked until `w` ends.
std::variant<StoredGame, StoreError> Current(pqxx::transaction_base& w, Recent& recent,
                                             std::int64_t id, bool lock) {
    const pqxx::result head = w.exec_prepared(lock ? "head_locked" : "head", id);
    if (head.empty()) {
        return StoreError{StoreError::Kind::NotFound, "no game " + std::to_string(id)};
    }
    const auto it = recent.find(id);
    if (it != recent.end() && it->second.standings.position == head[0][0].as<std::size_t>()) {
        it->second.deleted = head[0][1].as<bool>();
        return it->second;
    }
    auto loaded = LoadIn(w, id);
    if (const auto* g = std::get_if<StoredGame>(&loaded)) {
        Remember(recent, *g);
    }
    return loaded;
}

Recorded RecordIn(pqxx::connection& c, Recent& recent, std::int64_t id,
                  std::optional<std::size_t> expected, const game::Event& event) {
    pqxx::work w(c);
    auto loaded = Current(w, recent, id, true);
    if (auto* error = std::get_if<StoreError>(&loaded)) {
        return *error;
    }
    StoredGame& stored = std::get<StoredGame>(loaded);
    if (expected && *expected != stored.standings.position) {
        return Conflict{std::move(stored)};
    }
    if (auto refused = game::Append(stored.game, stored.standings, event)) {
        return *refused;
    }
    const game::Standings& s = stored.standings;
    KeepFinishTime(stored.game, s);
    w.exec_prepared("append", id, static_cast<int>(s.position), game::EventToJson(event),
                    stored.game.finished, NamesJson(s), s.round, s.hand, s.honba, s.finished,
                    std::string(kEventChannel),
                    std::to_string(id) + ":" + std::to_string(s.position));
    w.commit();
    Remember(recent, stored);
    return std::move(stored);
}

}  // namespace

bool IsPostgresUrl(std::string_view db) {
    return db.rfind("postgresql://", 0) == 0 || db.rfind("postgres://", 0) == 0;
}

struct PostgresGameStore::Link {
    explicit Link(const std::string& url) : connection(url) {}
    pqxx::connection connection;
};

PostgresGameStore::PostgresGameStore(std::string url) : m_url(std::move(url)) {}
PostgresGameStore::~PostgresGameStore() = default;

std::variant<std::unique_ptr<PostgresGameStore>, StoreError> PostgresGameStore::Open(
    const std::string& url) {
    std::unique_ptr<PostgresGameStore> store(new PostgresGameStore(url));
    try {
        Migrate(store->Connected().connection);
    } catch (const StoreError& error) {
        return error;
    } catch (const pqxx::broken_connection& error) {
        return StoreError{StoreError::Kind::Failed,
                          std::string("cannot connect to the database: ") + error.what()};
    } catch (const pqxx::failure& error) {
        return StoreError{StoreError::Kind::Failed, std::string("database: ") + error.what()};
    }
    return store;
}

PostgresGameStore::Link& PostgresGameStore::Connected() {
    if (!m_link || !m_link->connection.is_open()) {
        m_link.reset();
        auto link = std::make_unique<Link>(m_url);
        for (const auto& [name, sql] : kStatements) {
            link->connection.prepare(std::string(name), std::string(sql));
        }
        m_link = std::move(link);
    }
    return *m_link;
}

template <typename Result, typename F>
Result PostgresGameStore::Guard(F&& f) {
    constexpr int kAttempts = 2;  // the second on a fresh connection
    for (int attempt = 1;; ++attempt) {
        try {
            return f(Connected().connection);
        } catch (const pqxx::broken_connection&) {
            m_link.reset();
        } catch (const pqxx::in_doubt_error&) {
            m_link.reset();
            return Result(StoreError{StoreError::Kind::Busy,
                                     "the database went away while committing; look before "
                                     "trying again"});
        } catch (const pqxx::sql_error& error) {
            if (!ConnectionLost(error)) {
                return Result(
                    StoreError{StoreError::Kind::Failed, std::string("database: ") + error.what()});
            }
            m_link.reset();
        }
        if (attempt == kAttempts) {
            return Result(Unreachable());
        }
    }
}

std::variant<std::int64_t, StoreError> PostgresGameStore::Create(const game::Game& game) {
    using Result = std::variant<std::int64_t, StoreError>;
    return Guard<Result>([&](pqxx::connection& c) -> Result {
        auto replayed = game::Replay(game);
        if (std::holds_alternative<game::GameError>(replayed)) {
            return StoreError{StoreError::Kind::Failed, "the game's events cannot happen"};
        }
        const game::Standings& s = std::get<game::Standings>(replayed);
        game::Game kept = game;
        if (kept.started.empty()) {
            kept.started = NowUtc();
        }
        KeepFinishTime(kept, s);
        pqxx::work w(c);
        const auto id = w.exec_prepared1("new_game", game::RulesToJson(kept.rules), kept.label,
                                         kept.started, kept.finished, NamesJson(s), s.round, s.hand,
                                         s.honba, s.finished, static_cast<int>(s.position))[0]
                            .as<std::int64_t>();
        for (std::size_t seat = 0; seat < kept.players.size(); ++seat) {
            w.exec_prepared0("new_player", id, static_cast<int>(seat), kept.players[seat]);
        }
        for (std::size_t seq = 0; seq < kept.events.size(); ++seq) {
            w.exec_prepared0("new_event", id, static_cast<int>(seq + 1),
                             game::EventToJson(kept.events[seq]));
        }
        w.commit();
        return id;
    });
}

std::variant<StoredGame, StoreError> PostgresGameStore::Load(std::int64_t id) {
    using Result = std::variant<StoredGame, StoreError>;
    return Guard<Result>([&](pqxx::connection& c) -> Result {
        pqxx::read_transaction w(c);
        return Current(w, m_recent, id, false);
    });
}

Recorded PostgresGameStore::Record(std::int64_t id, std::optional<std::size_t> expected,
                                   const game::Event& event) {
    return Guard<Recorded>([&](pqxx::connection& c) -> Recorded {
        try {
            return RecordIn(c, m_recent, id, expected, event);
        } catch (const pqxx::unique_violation&) {
            // Only a writer that skipped the row lock could get here first; the key still holds.
            pqxx::read_transaction w(c);
            auto current = LoadIn(w, id);
            if (auto* error = std::get_if<StoreError>(&current)) {
                return *error;
            }
            return Conflict{std::get<StoredGame>(std::move(current))};
        }
    });
}

std::variant<std::vector<GameSummary>, StoreError> PostgresGameStore::List(bool withDeleted) {
    using Result = std::variant<std::vector<GameSummary>, StoreError>;
    return Guard<Result>([&](pqxx::connection& c) -> Result {
        pqxx::read_transaction w(c);
        std::vector<GameSummary> games;
        for (const auto& row : w.exec_prepared("list", withDeleted)) {
            GameSummary g;
            g.id = row[0].as<std::int64_t>();
            g.started = row[1].as<std::string>();
            g.finished = row[2].as<std::string>();
            g.label = row[3].as<std::string>();
            g.names =
                nlohmann::json::parse(row[4].as<std::string>()).get<std::vector<std::string>>();
            g.round = row[5].as<int>();
            g.hand = row[6].as<int>();
            g.honba = row[7].as<int>();
            g.over = row[8].as<bool>();
            g.position = row[9].as<std::size_t>();
            g.deleted = row[10].as<bool>();
            games.push_back(std::move(g));
        }
        return games;
    });
}

std::optional<StoreError> PostgresGameStore::SetDeleted(std::int64_t id, bool deleted) {
    using Result = std::optional<StoreError>;
    return Guard<Result>([&](pqxx::connection& c) -> Result {
        pqxx::work w(c);
        if (w.exec_prepared("set_deleted", id, deleted).affected_rows() == 0) {
            return StoreError{StoreError::Kind::NotFound, "no game " + std::to_string(id)};
        }
        w.commit();
        return std::nullopt;
    });
}

std::variant<std::vector<StoredGame>, StoreError> PostgresGameStore::FinishedGames() {
    using Result = std::variant<std::vector<StoredGame>, StoreError>;
    return Guard<Result>([&](pqxx::connection& c) -> Result {
        // Every game as of one moment.
        pqxx::transaction<pqxx::isolation_level::repeatable_read, pqxx::read_only> w(c);
        std::vector<StoredGame> games;
        for (const auto& row : w.exec_prepared("finished")) {
            auto game = LoadIn(w, row[0].as<std::int64_t>());
            if (auto* error = std::get_if<StoreError>(&game)) {
                return *error;
            }
            games.push_back(std::get<StoredGame>(std::move(game)));
        }
        return games;
    });
}

std::optional<StoreError> PostgresGameStore::Add(const std::string& publicId,
                                                 const ServerGame& game) {
    using Result = std::optional<StoreError>;
    return Guard<Result>([&](pqxx::connection& c) -> Result {
        pqxx::work w(c);
        w.exec_prepared0("add_server_game", publicId, game.game, game.writeKeySha256);
        w.commit();
        return std::nullopt;
    });
}

std::variant<std::optional<ServerGame>, StoreError> PostgresGameStore::Find(
    const std::string& publicId) {
    using Result = std::variant<std::optional<ServerGame>, StoreError>;
    // A shared game never changes its address or its key, so once found it is kept.
    if (const auto it = m_shared.find(publicId); it != m_shared.end()) {
        return std::optional<ServerGame>(it->second);
    }
    return Guard<Result>([&](pqxx::connection& c) -> Result {
        pqxx::read_transaction w(c);
        const pqxx::result row = w.exec_prepared("find_server_game", publicId);
        if (row.empty()) {
            return std::optional<ServerGame>();
        }
        const ServerGame found{row[0][0].as<std::int64_t>(), row[0][1].as<std::string>()};
        if (m_shared.size() >= kRecentGames) {
            m_shared.clear();
        }
        m_shared.emplace(publicId, found);
        return std::optional<ServerGame>(found);
    });
}

}  // namespace velmarto::store
