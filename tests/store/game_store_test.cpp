// The store on real files: what it keeps, and what it refuses without touching.
#include "store/game_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/game/game_json.h"
#include "store/sqlite.h"

namespace velmarto::store {
namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder()
        : m_path(fs::path(::testing::TempDir()) / ("velmarto-store-" + std::to_string(getpid()))) {
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempFolder() { fs::remove_all(m_path); }
    std::string File(std::string_view name) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

std::string Bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

game::Game FourPlayers() {
    return {game::DefaultRules(game::kMaxPlayers), {"A", "B", "C", "D"}, {}};
}

template <typename T>
T Ok(std::variant<T, StoreError>&& result) {
    if (auto* error = std::get_if<StoreError>(&result)) {
        ADD_FAILURE() << error->message;
        throw std::runtime_error(error->message);
    }
    return std::get<T>(std::move(result));
}

TEST(GameStore, KeepsEveryEventAndRefusesWhatCannotHappen) {
    TempFolder folder;
    const std::string path = folder.File("games.sqlite3");
    GameStore store = Ok(GameStore::OpenFile(path, GameStore::Open::CreateIfMissing));
    const std::int64_t id = Ok(store.Create(FourPlayers()));
    game::Game expected = FourPlayers();
    for (const game::Event& e :
         {game::RiichiEvent(1), game::RonEvent(3, {game::Win{2, game::HanFu{3, 30}, {}}}),
          game::DrawEvent({1}), game::UndoEvent()}) {
        ASSERT_FALSE(game::Append(expected, e));
        EXPECT_EQ(Ok(store.Append(id, e)).events, expected.events);
    }
    const auto refused =
        store.Append(id, game::RonEvent(1, {game::Win{1, game::HanFu{1, 30}, {}}}));
    ASSERT_TRUE(std::holds_alternative<StoreError>(refused));
    EXPECT_EQ(std::get<StoreError>(refused).kind, StoreError::Kind::Refused);

    // Another connection, as another process would have, sees the same game.
    GameStore other = Ok(GameStore::OpenFile(path, GameStore::Open::ExistingOnly));
    const game::Game loaded = Ok(other.Load(id));
    EXPECT_EQ(loaded.events, expected.events);
    EXPECT_EQ(loaded.players, expected.players);
    EXPECT_EQ(game::ExportGame(loaded), game::ExportGame(expected));
    ASSERT_FALSE(game::Append(expected, game::AbortEvent()));
    EXPECT_EQ(Ok(other.Append(id, game::AbortEvent())).events, expected.events);
    EXPECT_EQ(Ok(store.Load(id)).events, expected.events);

    const auto missing = store.Load(id + 1);
    ASSERT_TRUE(std::holds_alternative<StoreError>(missing));
    EXPECT_EQ(std::get<StoreError>(missing).kind, StoreError::Kind::NotFound);
    EXPECT_EQ(Ok(store.List()).size(), 1U);
}

TEST(GameStore, RefusedFilesStayByteForByte) {
    TempFolder folder;
    const std::string text = folder.File("notes.txt");
    std::ofstream(text, std::ios::binary) << "東1局 my notes, not a database\n";
    const std::string foreign = folder.File("other.sqlite3");
    {
        Connection c(foreign, Connection::Open::CreateIfMissing);
        c.Execute("CREATE TABLE songs(title TEXT); INSERT INTO songs VALUES('a');");
    }
    const std::string newer = folder.File("newer.sqlite3");
    {
        GameStore made = Ok(GameStore::OpenFile(newer, GameStore::Open::CreateIfMissing));
        Ok(made.Create(FourPlayers()));
    }
    {
        Connection c(newer, Connection::Open::ExistingOnly);
        c.Execute("PRAGMA user_version = 99");
    }
    const struct {
        std::string path;
        std::string_view says;
    } rows[] = {
        {text, "is not a velmarto database"},
        {foreign, "is not a velmarto database"},
        {newer, "was written by a newer velmarto (schema 99"},
    };
    for (const auto& row : rows) {
        const std::string before = Bytes(row.path);
        ASSERT_FALSE(before.empty());
        const auto opened = GameStore::OpenFile(row.path, GameStore::Open::CreateIfMissing);
        ASSERT_TRUE(std::holds_alternative<StoreError>(opened)) << row.path;
        EXPECT_EQ(std::get<StoreError>(opened).kind, StoreError::Kind::Refused);
        EXPECT_NE(std::get<StoreError>(opened).message.find(row.says), std::string::npos)
            << std::get<StoreError>(opened).message;
        EXPECT_EQ(Bytes(row.path), before) << row.path;
    }
    const auto absent = GameStore::OpenFile(folder.File("absent"), GameStore::Open::ExistingOnly);
    ASSERT_TRUE(std::holds_alternative<StoreError>(absent));
    EXPECT_FALSE(fs::exists(folder.File("absent")));
}

}  // namespace
}  // namespace velmarto::store
