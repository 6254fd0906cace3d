// SQLite's own guidance: WAL, one transaction per event, the schema's version in user_version,
// prepared statements only. A database is recognised before anything is written to it.
#include "store/game_store.h"

#include <filesystem>
#include <functional>

#include "engine/game/game_json.h"
#include "store/database_path.h"
#include "store/sqlite.h"

namespace velmarto::store {
namespace {

// Each step takes the schema from the version before it to its own (index + 1).
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
};
static_assert(std::size(kMigrations) == kSchemaVersion);

// Long enough for another writer's one-event transaction, short enough to answer a person.
constexpr int kBusyMilliseconds = 5000;

StoreError Fail(StoreError::Kind kind, std::string message) {
    return {kind, std::move(message)};
}

std::int64_t PragmaInteger(Connection& c, std::string_view pragma) {
    Statement statement(c, pragma);
    return statement.Step() ? statement.Integer(0) : 0;
}

std::string PragmaText(Connection& c, std::string_view pragma) {
    Statement statement(c, pragma);
    return statement.Step() ? statement.Text(0) : std::string();
}

std::optional<StoreError> Recognise(Connection& c, const std::string& path) {
    const std::int64_t application = PragmaInteger(c, "PRAGMA application_id");
    const std::int64_t version = PragmaInteger(c, "PRAGMA user_version");
    const std::int64_t tables = PragmaInteger(c, "SELECT count(*) FROM sqlite_schema");
    const bool empty = application == 0 && version == 0 && tables == 0;
    if (!empty && application != kApplicationId) {
        return Fail(StoreError::Kind::Refused, path + " is not a velmarto database; left as it is");
    }
    if (version > kSchemaVersion) {
        return Fail(StoreError::Kind::Refused,
                    path + " was written by a newer velmarto (schema " + std::to_string(version) +
                        ", this one knows " + std::to_string(kSchemaVersion) + "); left as it is");
    }
    return std::nullopt;
}

void Migrate(Connection& c) {
    Transaction transaction(c);
    // Another process may have migrated between the check and the lock.
    for (std::int64_t v = PragmaInteger(c, "PRAGMA user_version"); v < kSchemaVersion; ++v) {
        c.Execute(kMigrations[v]);
    }
    c.Execute("PRAGMA application_id = " + std::to_string(kApplicationId));
    c.Execute("PRAGMA user_version = " + std::to_string(kSchemaVersion));
    transaction.Commit();
}

// Runs a store operation, turning SQLite's failures into StoreErrors.
template <typename Result>
std::variant<Result, StoreError> Guard(const std::function<std::variant<Result, StoreError>()>& f) {
    try {
        return f();
    } catch (const SqliteFailure& failure) {
        if (failure.Busy()) {
            return Fail(StoreError::Kind::Busy,
                        "the database is busy with another velmarto; try again");
        }
        return Fail(StoreError::Kind::Failed, std::string("database: ") + failure.what());
    }
}

}  // namespace

GameStore::GameStore(std::unique_ptr<Connection> connection)
    : m_connection(std::move(connection)) {}
GameStore::GameStore(GameStore&&) noexcept = default;
GameStore& GameStore::operator=(GameStore&&) noexcept = default;
GameStore::~GameStore() = default;

std::variant<GameStore, StoreError> GameStore::OpenFile(const std::string& path, Open open) {
    if (open == Open::ExistingOnly && !std::filesystem::exists(PathFromUtf8(path))) {
        return Fail(StoreError::Kind::NotFound, "no games yet: " + path + " does not exist");
    }
    return Guard<GameStore>([&]() -> std::variant<GameStore, StoreError> {
        auto c = std::make_unique<Connection>(path, Connection::Open::CreateIfMissing);
        c->Execute("PRAGMA busy_timeout = " + std::to_string(kBusyMilliseconds));
        try {
            if (auto error = Recognise(*c, path)) {
                return *error;
            }
        } catch (const SqliteFailure& failure) {
            if (failure.NotADatabase()) {
                return Fail(StoreError::Kind::Refused,
                            path + " is not a velmarto database; left as it is");
            }
            throw;
        }
        if (PragmaInteger(*c, "PRAGMA user_version") < kSchemaVersion) {
            Migrate(*c);
        }
        if (PragmaText(*c, "PRAGMA journal_mode") != "wal") {
            c->Execute("PRAGMA journal_mode = WAL");
        }
        // A recorded event survives a power cut too, not only a killed process.
        c->Execute("PRAGMA synchronous = FULL");
        c->Execute("PRAGMA foreign_keys = ON");
        return GameStore(std::move(c));
    });
}

std::variant<std::int64_t, StoreError> GameStore::Create(const game::Game& game) {
    return Guard<std::int64_t>([&]() -> std::variant<std::int64_t, StoreError> {
        Connection& c = *m_connection;
        Transaction transaction(c);
        Statement(c, "INSERT INTO games(rules) VALUES(?)")
            .Bind(1, game::RulesToJson(game.rules))
            .Step();
        const std::int64_t id = c.LastInsertId();
        Statement player(c, "INSERT INTO players(game, seat, name) VALUES(?, ?, ?)");
        for (std::size_t seat = 0; seat < game.players.size(); ++seat) {
            player.Bind(1, id).Bind(2, static_cast<std::int64_t>(seat)).Bind(3, game.players[seat]);
            player.Step();
            player.Reset();
        }
        Statement event(c, "INSERT INTO events(game, seq, event) VALUES(?, ?, ?)");
        for (std::size_t seq = 0; seq < game.events.size(); ++seq) {
            event.Bind(1, id).Bind(2, static_cast<std::int64_t>(seq));
            event.Bind(3, game::EventToJson(game.events[seq]));
            event.Step();
            event.Reset();
        }
        transaction.Commit();
        return id;
    });
}

namespace {

std::variant<game::Game, StoreError> LoadIn(Connection& c, std::int64_t id) {
    const auto corrupt = [&](const game::GameError& error) {
        return Fail(StoreError::Kind::Failed,
                    "game " + std::to_string(id) + " is damaged in the database: " + error.message);
    };
    Statement rules(c, "SELECT rules FROM games WHERE id = ?");
    if (!rules.Bind(1, id).Step()) {
        return Fail(StoreError::Kind::NotFound, "no game " + std::to_string(id));
    }
    game::Game game;
    auto read = game::RulesFromJson(rules.Text(0));
    if (auto* error = std::get_if<game::GameError>(&read)) {
        return corrupt(*error);
    }
    game.rules = std::get<game::Rules>(read);
    Statement players(c, "SELECT name FROM players WHERE game = ? ORDER BY seat");
    players.Bind(1, id);
    while (players.Step()) {
        game.players.push_back(players.Text(0));
    }
    Statement events(c, "SELECT event FROM events WHERE game = ? ORDER BY seq");
    events.Bind(1, id);
    while (events.Step()) {
        auto event = game::EventFromJson(events.Text(0));
        if (auto* error = std::get_if<game::GameError>(&event)) {
            return corrupt(*error);
        }
        game.events.push_back(std::get<game::Event>(std::move(event)));
    }
    return game;
}

}  // namespace

std::variant<game::Game, StoreError> GameStore::Load(std::int64_t id) {
    return Guard<game::Game>([&] { return LoadIn(*m_connection, id); });
}

std::variant<game::Game, StoreError> GameStore::Append(std::int64_t id, const game::Event& event) {
    return Guard<game::Game>([&]() -> std::variant<game::Game, StoreError> {
        Connection& c = *m_connection;
        Transaction transaction(c);
        auto loaded = LoadIn(c, id);
        if (auto* error = std::get_if<StoreError>(&loaded)) {
            return *error;
        }
        game::Game& game = std::get<game::Game>(loaded);
        if (auto refused = game::Append(game, event)) {
            return Fail(StoreError::Kind::Refused, refused->message);
        }
        Statement insert(c, "INSERT INTO events(game, seq, event) VALUES(?, ?, ?)");
        insert.Bind(1, id).Bind(2, static_cast<std::int64_t>(game.events.size() - 1));
        insert.Bind(3, game::EventToJson(event)).Step();
        transaction.Commit();
        return std::move(game);
    });
}

std::variant<std::vector<GameSummary>, StoreError> GameStore::List() {
    return Guard<std::vector<GameSummary>>(
        [&]() -> std::variant<std::vector<GameSummary>, StoreError> {
            Connection& c = *m_connection;
            // Every game as of the same moment.
            Transaction snapshot(c, Transaction::Kind::Read);
            std::vector<GameSummary> games;
            Statement rows(c, "SELECT id, created FROM games ORDER BY id");
            while (rows.Step()) {
                auto game = LoadIn(c, rows.Integer(0));
                if (auto* error = std::get_if<StoreError>(&game)) {
                    return *error;
                }
                games.push_back({rows.Integer(0), rows.Text(1), std::get<game::Game>(game)});
            }
            snapshot.Commit();
            return games;
        });
}

}  // namespace velmarto::store
