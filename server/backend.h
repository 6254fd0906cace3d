// Which database the server keeps its games in, from --db: an SQLite file, or a PostgreSQL URL.
// Everything above this sees only the store's interfaces.
#pragma once

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "store/game_store.h"
#include "store/postgres_listener.h"
#include "store/server_games.h"

namespace velmarto::server {

// One worker's view of the database: the games, and the server's table beside them.
struct Stores {
    std::shared_ptr<store::GameStore> games;
    std::shared_ptr<store::ServerGames> shared;
};

struct Backend {
    std::vector<Stores> workers;
    // Set for a database that several servers may share: where other servers' events are heard.
    std::string listenUrl;
};

// Opens the database once per worker (creating an SQLite file and its folder if need be).
std::variant<Backend, store::StoreError> OpenBackend(const std::string& db);

}  // namespace velmarto::server
