// The games in PostgreSQL, for a club with several servers on one database: the same tables and
// the same promise as the SQLite store (append-only events, one transaction per event checked
// against the game as stored inside it), and the server's own table beside them.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <variant>

#include "store/game_store.h"
#include "store/server_games.h"

namespace velmarto::store {

inline constexpr int kPostgresSchemaVersion = 1;
// Where every server learns of an event another one recorded: "GAME:POSITION".
inline constexpr std::string_view kEventChannel = "velmarto_events";

// True for "postgresql://…" and "postgres://…": the --db values that name a server, not a file.
bool IsPostgresUrl(std::string_view db);

class PostgresGameStore final : public GameStore, public ServerGames {
public:
    // Connects, and creates or upgrades the schema; a database of a newer schema is refused.
    static std::variant<std::unique_ptr<PostgresGameStore>, StoreError> Open(
        const std::string& url);
    ~PostgresGameStore() override;

    std::variant<std::int64_t, StoreError> Create(const game::Game& game) override;
    std::variant<StoredGame, StoreError> Load(std::int64_t id) override;
    // Locks the game's row, so two servers recording at once take turns, and publishes the new
    // position on kEventChannel as the transaction commits.
    Recorded Record(std::int64_t id, std::optional<std::size_t> expected,
                    const game::Event& event) override;
    std::variant<std::vector<GameSummary>, StoreError> List(bool withDeleted) override;
    std::optional<StoreError> SetDeleted(std::int64_t id, bool deleted) override;
    std::variant<std::vector<StoredGame>, StoreError> FinishedGames() override;

    std::optional<StoreError> Add(const std::string& publicId, const ServerGame& game) override;
    std::variant<std::optional<ServerGame>, StoreError> Find(const std::string& publicId) override;

private:
    explicit PostgresGameStore(std::string url);
    // Runs `f` on a live connection, connecting again after a lost one (once per call); while the
    // database cannot be reached the answer is a Busy error, never a guess.
    template <typename Result, typename F>
    Result Guard(F&& f);
    struct Link;  // the connection, while there is one
    Link& Connected();

    std::string m_url;
    std::unique_ptr<Link> m_link;
    // Games this store has read or recorded lately, each valid while the database holds it at the
    // same position: a game's events are only ever appended, so its position names all of them.
    std::unordered_map<std::int64_t, StoredGame> m_recent;
    std::unordered_map<std::string, ServerGame> m_shared;
};

}  // namespace velmarto::store
