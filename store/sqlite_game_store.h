// The games in one SQLite database: one row per game, one per player, one per event, appended
// one transaction each and never deleted; undo is an event like the others.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "store/game_store.h"

namespace velmarto::store {

class Connection;

inline constexpr int kSchemaVersion = 2;
// "VLMT": marks the file as velmarto's, so another program's database is never taken for one.
inline constexpr std::int64_t kApplicationId = 0x564C4D54;

class SqliteGameStore final : public GameStore {
public:
    enum class Mode { CreateIfMissing, ExistingOnly, ReadOnly };
    // Opens the database, creating or upgrading its schema unless read-only; a file that is not
    // a velmarto database, or one of a newer schema, is refused and left exactly as it was.
    static std::variant<std::unique_ptr<SqliteGameStore>, StoreError> Open(const std::string& path,
                                                                           Mode mode);
    ~SqliteGameStore() override;

    std::variant<std::int64_t, StoreError> Create(const game::Game& game) override;
    std::variant<StoredGame, StoreError> Load(std::int64_t id) override;
    Recorded Record(std::int64_t id, std::optional<std::size_t> expected,
                    const game::Event& event) override;
    std::variant<std::vector<GameSummary>, StoreError> List(bool withDeleted) override;
    std::optional<StoreError> SetDeleted(std::int64_t id, bool deleted) override;
    std::variant<std::vector<StoredGame>, StoreError> FinishedGames() override;

private:
    SqliteGameStore(std::unique_ptr<Connection> connection, std::string path, Mode mode);
    std::unique_ptr<Connection> m_connection;
    std::string m_path;
    Mode m_mode;
};

// The default database: $XDG_DATA_HOME/velmarto/games.sqlite3 or ~/.local/share/velmarto/…
// (%APPDATA%\velmarto\… on Windows); an empty string when no such variable is set.
std::string DefaultDatabasePath();
// Creates the database's folder for a first write, or says why it cannot.
std::optional<StoreError> EnsureFolder(const std::string& path);

}  // namespace velmarto::store
