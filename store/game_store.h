// The desktop's games in one SQLite database: one row per game, one per player, one per event,
// appended one transaction each and never deleted; undo is an event like the others.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "engine/game/replay.h"

namespace velmarto::store {

class Connection;

struct StoreError {
    enum class Kind { Refused, Busy, NotFound, Failed };
    Kind kind = Kind::Failed;
    std::string message;
};

inline constexpr int kSchemaVersion = 1;
// "VLMT": marks the file as velmarto's, so another program's database is never taken for one.
inline constexpr std::int64_t kApplicationId = 0x564C4D54;

struct GameSummary {
    std::int64_t id = 0;
    std::string created;  // UTC, "2026-12-10 16:05:38"
    game::Game game;
};

class GameStore {
public:
    enum class Open { CreateIfMissing, ExistingOnly };
    // Opens the database, creating or upgrading its schema; a file that is not a velmarto
    // database, or one of a newer schema, is refused and left exactly as it was.
    static std::variant<GameStore, StoreError> OpenFile(const std::string& path, Open open);

    GameStore(GameStore&&) noexcept;
    GameStore& operator=(GameStore&&) noexcept;
    ~GameStore();

    // Stores a new game (with its events, for an import) and returns its id.
    std::variant<std::int64_t, StoreError> Create(const game::Game& game);
    std::variant<game::Game, StoreError> Load(std::int64_t id);
    // Checks the event against the game as stored, inside the transaction that appends it, so
    // two writers never both append to the same state. Returns the game with the event.
    std::variant<game::Game, StoreError> Append(std::int64_t id, const game::Event& event);
    std::variant<std::vector<GameSummary>, StoreError> List();

private:
    explicit GameStore(std::unique_ptr<Connection> connection);
    std::unique_ptr<Connection> m_connection;
};

}  // namespace velmarto::store
