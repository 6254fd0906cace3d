#include "server/backend.h"

#include "server/limits.h"
#include "store/postgres_game_store.h"
#include "store/sqlite_game_store.h"

namespace velmarto::server {
namespace {

std::variant<Stores, store::StoreError> OpenPostgres(const std::string& url) {
    auto opened = store::PostgresGameStore::Open(url);
    if (auto* error = std::get_if<store::StoreError>(&opened)) {
        return *error;
    }
    std::shared_ptr<store::PostgresGameStore> db =
        std::move(std::get<std::unique_ptr<store::PostgresGameStore>>(opened));
    return Stores{db, db};
}

std::variant<Stores, store::StoreError> OpenSqlite(const std::string& path) {
    auto games = store::SqliteGameStore::Open(path, store::SqliteGameStore::Mode::CreateIfMissing);
    if (auto* error = std::get_if<store::StoreError>(&games)) {
        return *error;
    }
    auto shared = store::OpenSqliteServerGames(path);
    if (auto* error = std::get_if<store::StoreError>(&shared)) {
        return *error;
    }
    return Stores{std::move(std::get<0>(games)), std::move(std::get<0>(shared))};
}

}  // namespace

std::variant<Backend, store::StoreError> OpenBackend(const std::string& db) {
    const bool postgres = store::IsPostgresUrl(db);
    std::string path = db;
    if (!postgres && path.empty()) {
        path = store::DefaultDatabasePath();
        if (path.empty()) {
            return store::StoreError{
                store::StoreError::Kind::NotFound,
                "no HOME or XDG_DATA_HOME for the default database; give --db"};
        }
        if (auto error = store::EnsureFolder(path)) {
            return *error;
        }
    }
    Backend backend;
    const int workers = postgres ? kPostgresWorkers : kSqliteWorkers;
    for (int i = 0; i < workers; ++i) {
        auto stores = postgres ? OpenPostgres(db) : OpenSqlite(path);
        if (auto* error = std::get_if<store::StoreError>(&stores)) {
            return *error;
        }
        backend.workers.push_back(std::get<Stores>(std::move(stores)));
    }
    if (postgres) {
        backend.listenUrl = db;
    }
    return backend;
}

}  // namespace velmarto::server
