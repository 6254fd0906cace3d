// The server's table in the SQLite file, through its own connection: WAL lets it sit beside the
// store's, and the table is created once, outside the store's numbered schema.
#include "store/server_games.h"
#include "store/sqlite.h"

namespace velmarto::store {
namespace {

// As long as the store waits for another writer.
constexpr int kBusyMilliseconds = 5000;

StoreError Failed(const SqliteFailure& failure) {
    if (failure.Busy()) {
        return {StoreError::Kind::Busy, "the database is busy; try again"};
    }
    return {StoreError::Kind::Failed, std::string("database: ") + failure.what()};
}

class SqliteServerGames final : public ServerGames {
public:
    explicit SqliteServerGames(std::unique_ptr<Connection> c) : m_c(std::move(c)) {}

    std::optional<StoreError> Add(const std::string& publicId, const ServerGame& game) override {
        try {
            Statement(*m_c,
                      "INSERT INTO server_games(public_id, game, write_key_sha256) "
                      "VALUES(?, ?, ?)")
                .Bind(1, publicId)
                .Bind(2, game.game)
                .Bind(3, game.writeKeySha256)
                .Step();
            return std::nullopt;
        } catch (const SqliteFailure& failure) {
            return Failed(failure);
        }
    }

    std::variant<std::optional<ServerGame>, StoreError> Find(const std::string& publicId) override {
        try {
            Statement row(*m_c,
                          "SELECT game, write_key_sha256 FROM server_games WHERE public_id = ?");
            if (!row.Bind(1, publicId).Step()) {
                return std::optional<ServerGame>();
            }
            return std::optional<ServerGame>(ServerGame{row.Integer(0), row.Text(1)});
        } catch (const SqliteFailure& failure) {
            return Failed(failure);
        }
    }

private:
    std::unique_ptr<Connection> m_c;
};

}  // namespace

std::variant<std::unique_ptr<ServerGames>, StoreError> OpenSqliteServerGames(
    const std::string& path) {
    try {
        auto c = std::make_unique<Connection>(path, Connection::Open::ExistingOnly);
        c->Execute("PRAGMA busy_timeout = " + std::to_string(kBusyMilliseconds));
        c->Execute(
            "CREATE TABLE IF NOT EXISTS server_games("
            "public_id TEXT PRIMARY KEY, "
            "game INTEGER NOT NULL UNIQUE REFERENCES games(id), "
            "write_key_sha256 TEXT NOT NULL) WITHOUT ROWID");
        return std::unique_ptr<ServerGames>(std::make_unique<SqliteServerGames>(std::move(c)));
    } catch (const SqliteFailure& failure) {
        return Failed(failure);
    }
}

}  // namespace velmarto::store
