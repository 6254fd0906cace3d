// What velmarto-server keeps beside the games: the random address a game is shared under, the
// store's own id it stands for, and the digest of the game's write key. A table of its own in the
// same database, so the store's games and the command line never see it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "store/game_store.h"

namespace velmarto::store {

struct ServerGame {
    std::int64_t game = 0;
    std::string writeKeySha256;  // 64 hex digits
};

class ServerGames {
public:
    virtual ~ServerGames() = default;
    virtual std::optional<StoreError> Add(const std::string& publicId, const ServerGame& game) = 0;
    // Nothing for an address no game is shared under.
    virtual std::variant<std::optional<ServerGame>, StoreError> Find(
        const std::string& publicId) = 0;
};

// The table in an SQLite database the game store has already opened (and so created).
std::variant<std::unique_ptr<ServerGames>, StoreError> OpenSqliteServerGames(
    const std::string& path);

}  // namespace velmarto::store
