// The games in one SQLite database: WAL, one transaction per event, the schema's version in
// user_version, prepared statements only. A file that is not velmarto's, or one of a newer
// velmarto, is refused and left as it is; one that cannot be written is still read.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "store/database_path.h"
#include "store/game_store.h"

namespace velmarto::store {

class Connection;

class SqliteGameStore final : public GameStore {
public:
    enum class Mode {
        CreateIfMissing,  // makes the file (not its folder) when there is none
        ExistingOnly,     // a missing file is NotFound
        ReadOnly,         // never writes: for show, list and the like
    };
    // Opens the database, upgrading an older schema when it can be written. A file or a folder
    // that cannot be written opens for reading, and every write answers ReadOnly naming the file.
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
    SqliteGameStore(std::unique_ptr<Connection> connection, std::string path,
                    std::optional<StoreError> readOnly);

    std::unique_ptr<Connection> m_connection;
    std::string m_path;
    std::optional<StoreError> m_readOnly;  // why every write is refused, when it is
};

}  // namespace velmarto::store
