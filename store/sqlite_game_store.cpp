// Every read and write is one transaction; a write takes the lock up front (BEGIN IMMEDIATE), so
// the game it checks an event against is the game the event is appended to.
#include "store/sqlite_game_store.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <span>

#include "store/game_rows.h"
#include "store/schema.h"
#include "store/sqlite.h"

namespace velmarto::store {
namespace {

namespace fs = std::filesystem;

// Long enough for another writer's one-event transaction, short enough to answer a person.
constexpr int kBusyMilliseconds = 5000;

// The ways to open a file, in order: each next one for a file or a folder the one before could
// not write. Reading a WAL database takes two files beside it (-wal, -shm); where they cannot be
// made, the file is read as it stands (immutable), which is safe where nobody can write.
using Open = Connection::Open;
constexpr Open kCreating[] = {Open::CreateIfMissing, Open::ReadOnly, Open::Immutable};
constexpr Open kExisting[] = {Open::ExistingOnly, Open::ReadOnly, Open::Immutable};
constexpr Open kReading[] = {Open::ReadOnly, Open::Immutable};

std::span<const Open> WaysToOpen(SqliteGameStore::Mode mode) {
    switch (mode) {
        case SqliteGameStore::Mode::CreateIfMissing:
            return kCreating;
        case SqliteGameStore::Mode::ExistingOnly:
            return kExisting;
        case SqliteGameStore::Mode::ReadOnly:
            break;
    }
    return kReading;
}

StoreError Error(StoreError::Kind kind, std::string message) {
    return {kind, std::move(message)};
}

fs::path FolderOf(const std::string& path) {
    const fs::path folder = PathFromUtf8(path).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

StoreError CannotWrite(const std::string& path) {
    const std::string why =
        ::access(path.c_str(), W_OK) != 0
            ? "the file is read-only"
            : "its folder " + Utf8FromPath(FolderOf(path)) + " cannot be written";
    return Error(StoreError::Kind::ReadOnly, "cannot write " + path + ": " + why);
}

// Runs a store operation, turning SQLite's failures into StoreErrors that name the file.
template <typename Answer, typename Operation>
Answer Guarded(const std::string& path, Operation&& operation) {
    try {
        return operation();
    } catch (const SqliteFailure& failure) {
        if (failure.Busy()) {
            return Answer(
                Error(StoreError::Kind::Busy, path + " is busy with another velmarto; try again"));
        }
        if (failure.ReadOnly()) {
            return Answer(CannotWrite(path));
        }
        const std::string doing = failure.CannotOpen() ? "cannot open " : "";
        return Answer(Error(StoreError::Kind::Failed, doing + path + ": " + failure.what()));
    }
}

// Brings the schema up to this version; another process may have done it since the check.
void Migrate(Connection& c) {
    Transaction transaction(c);
    const std::int64_t from = SchemaVersion(c);
    if (from < kSchemaVersion) {
        MigrateSchema(c, from);
    }
    if (from < kSummariesSince) {
        for (const std::int64_t id : GameIds(c)) {
            // A damaged game keeps no summary: a list reports it as it would have.
            const auto loaded = LoadGame(c, id);
            if (const auto* stored = std::get_if<StoredGame>(&loaded)) {
                SaveSummary(c, id, stored->standings);
            }
        }
    }
    transaction.Commit();
}

// Read and finished at once: a statement left open would hold a read transaction.
std::string JournalMode(Connection& c) {
    Statement mode(c, "PRAGMA journal_mode");
    return mode.Step() ? mode.Text(0) : std::string();
}

// Prepares a writable connection: the schema up to date, WAL, and every commit synced.
void PrepareWriting(Connection& c) {
    if (SchemaVersion(c) < kSchemaVersion) {
        Migrate(c);
    }
    if (JournalMode(c) != "wal") {
        c.Execute("PRAGMA journal_mode = WAL");
    }
    // A recorded event survives a power cut too, not only a killed process.
    c.Execute("PRAGMA synchronous = FULL");
    c.Execute("PRAGMA foreign_keys = ON");
}

// Prepares a connection that cannot write; reads the schema once, so that a WAL database that
// cannot be read this way fails here and the next way is tried.
std::optional<StoreError> PrepareReading(Connection& c, const std::string& path) {
    const std::int64_t version = SchemaVersion(c);
    if (version == 0) {
        return Error(StoreError::Kind::NotFound, "no games yet: " + path + " holds none");
    }
    if (version < kSchemaVersion) {
        ReadVersionOneAsCurrent(c);
    }
    Statement(c, "SELECT count(*) FROM games").Step();
    return std::nullopt;
}

}  // namespace

SqliteGameStore::SqliteGameStore(std::unique_ptr<Connection> connection, std::string path,
                                 std::optional<StoreError> readOnly)
    : m_connection(std::move(connection)),
      m_path(std::move(path)),
      m_readOnly(std::move(readOnly)) {}

SqliteGameStore::~SqliteGameStore() = default;

std::variant<std::unique_ptr<SqliteGameStore>, StoreError> SqliteGameStore::Open(
    const std::string& path, Mode mode) {
    using Opened = std::variant<std::unique_ptr<SqliteGameStore>, StoreError>;
    if (path.empty()) {
        return Error(StoreError::Kind::Failed, "no database given: the path is empty");
    }
    std::error_code ignored;
    const bool exists = fs::exists(PathFromUtf8(path), ignored);
    if (fs::is_directory(PathFromUtf8(path), ignored)) {
        return Error(StoreError::Kind::Failed, "cannot open " + path + ": it is a folder");
    }
    if (!exists && mode != Mode::CreateIfMissing) {
        return Error(StoreError::Kind::NotFound, "no games yet: " + path + " does not exist");
    }
    if (!exists && !fs::is_directory(FolderOf(path), ignored)) {
        return Error(StoreError::Kind::Failed, "cannot open " + path + ": the folder " +
                                                   Utf8FromPath(FolderOf(path)) +
                                                   " does not exist");
    }
    // A file made now is written or nothing: reading it another way would show nothing.
    const auto ways = exists ? WaysToOpen(mode) : WaysToOpen(mode).first(1);
    return Guarded<Opened>(path, [&]() -> Opened {
        for (std::size_t i = 0;; ++i) {
            try {
                auto c = std::make_unique<Connection>(path, ways[i]);
                c->Execute("PRAGMA busy_timeout = " + std::to_string(kBusyMilliseconds));
                if (auto error = Recognise(*c, path)) {
                    return *error;
                }
                if (!c->ReadOnly()) {
                    PrepareWriting(*c);
                    return std::unique_ptr<SqliteGameStore>(
                        new SqliteGameStore(std::move(c), path, std::nullopt));
                }
                if (auto error = PrepareReading(*c, path)) {
                    return *error;
                }
                auto why = mode == Mode::ReadOnly
                               ? Error(StoreError::Kind::ReadOnly,
                                       "cannot write " + path + ": it was opened for reading")
                               : CannotWrite(path);
                return std::unique_ptr<SqliteGameStore>(
                    new SqliteGameStore(std::move(c), path, std::move(why)));
            } catch (const SqliteFailure& failure) {
                const bool cannotWrite = failure.ReadOnly() || failure.CannotOpen();
                if (!cannotWrite || i + 1 == ways.size()) {
                    throw;
                }
            }
        }
    });
}

std::variant<std::int64_t, StoreError> SqliteGameStore::Create(const game::Game& game) {
    using Created = std::variant<std::int64_t, StoreError>;
    if (m_readOnly) {
        return *m_readOnly;
    }
    const auto replayed = game::Replay(game);
    if (std::holds_alternative<game::GameError>(replayed)) {
        return Error(StoreError::Kind::Failed, "a game that does not replay is not stored");
    }
    return Guarded<Created>(m_path, [&]() -> Created {
        Transaction transaction(*m_connection);
        const std::int64_t id =
            InsertGame(*m_connection, game, std::get<game::Standings>(replayed));
        transaction.Commit();
        return id;
    });
}

std::variant<StoredGame, StoreError> SqliteGameStore::Load(std::int64_t id) {
    using Loaded = std::variant<StoredGame, StoreError>;
    return Guarded<Loaded>(m_path, [&]() -> Loaded {
        Transaction snapshot(*m_connection, Transaction::Kind::Read);
        return LoadGame(*m_connection, id);
    });
}

Recorded SqliteGameStore::Record(std::int64_t id, std::optional<std::size_t> expected,
                                 const game::Event& event) {
    if (m_readOnly) {
        return *m_readOnly;
    }
    return Guarded<Recorded>(m_path, [&]() -> Recorded {
        Transaction transaction(*m_connection);
        auto loaded = LoadGame(*m_connection, id);
        if (auto* error = std::get_if<StoreError>(&loaded)) {
            return *error;
        }
        StoredGame& stored = std::get<StoredGame>(loaded);
        if (expected && *expected != stored.game.events.size()) {
            return Conflict{std::move(stored)};
        }
        if (auto refused = game::Append(stored.game, stored.standings, event)) {
            return *refused;
        }
        InsertLastEvent(*m_connection, stored);
        transaction.Commit();
        return std::move(stored);
    });
}

std::variant<std::vector<GameSummary>, StoreError> SqliteGameStore::List(bool withDeleted) {
    using Listed = std::variant<std::vector<GameSummary>, StoreError>;
    return Guarded<Listed>(m_path, [&]() -> Listed {
        // Every game as of the same moment.
        Transaction snapshot(*m_connection, Transaction::Kind::Read);
        return ReadSummaries(*m_connection, withDeleted);
    });
}

std::optional<StoreError> SqliteGameStore::SetDeleted(std::int64_t id, bool deleted) {
    using Done = std::optional<StoreError>;
    if (m_readOnly) {
        return m_readOnly;
    }
    return Guarded<Done>(m_path, [&]() -> Done {
        Transaction transaction(*m_connection);
        Statement(*m_connection, "UPDATE games SET deleted = ? WHERE id = ?")
            .Bind(1, deleted ? 1 : 0)
            .Bind(2, id)
            .Step();
        if (m_connection->Changes() == 0) {
            return Error(StoreError::Kind::NotFound, "no game " + std::to_string(id));
        }
        transaction.Commit();
        return std::nullopt;
    });
}

std::variant<std::vector<StoredGame>, StoreError> SqliteGameStore::FinishedGames() {
    using Games = std::variant<std::vector<StoredGame>, StoreError>;
    return Guarded<Games>(m_path, [&]() -> Games {
        Transaction snapshot(*m_connection, Transaction::Kind::Read);
        std::vector<StoredGame> games;
        for (const std::int64_t id : MaybeFinishedIds(*m_connection)) {
            auto loaded = LoadGame(*m_connection, id);
            if (auto* error = std::get_if<StoreError>(&loaded)) {
                return *error;
            }
            if (std::get<StoredGame>(loaded).standings.finished) {
                games.push_back(std::get<StoredGame>(std::move(loaded)));
            }
        }
        return games;
    });
}

}  // namespace velmarto::store
