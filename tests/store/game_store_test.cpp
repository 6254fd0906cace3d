// The SQLite store on real files: what it keeps, what it refuses without touching, and what it
// still reads when it cannot write.
#include "store/sqlite_game_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
// File modes, users and the XDG folders are POSIX's; the Windows build runs the rest under Wine.
#ifndef _WIN32
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>

#include "engine/game/game_json.h"
#include "store/schema.h"
#include "store/sqlite.h"

namespace velmarto::store {
namespace {

namespace fs = std::filesystem;
using Mode = SqliteGameStore::Mode;

class TempFolder {
public:
    TempFolder()
        : m_path(fs::path(::testing::TempDir()) / ("velmarto-store-" + std::to_string(getpid()))) {
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(m_path, ignored)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::remove_all(m_path, ignored);
    }
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

// The alternative a test expects, or a failure that says what came instead.
template <typename T, typename Variant>
T Take(Variant&& answer) {
    if (auto* value = std::get_if<T>(&answer)) {
        return std::move(*value);
    }
    const auto* error = std::get_if<StoreError>(&answer);
    const std::string said =
        error ? error->message : "alternative " + std::to_string(answer.index());
    ADD_FAILURE() << said;
    throw std::runtime_error(said);
}

std::unique_ptr<SqliteGameStore> OpenStore(const std::string& path, Mode mode) {
    return Take<std::unique_ptr<SqliteGameStore>>(SqliteGameStore::Open(path, mode));
}

game::Game FourPlayers() {
    return {game::DefaultRules(game::kMaxPlayers), {"A", "B", "C", "D"}, {}, "", "", ""};
}

// Below zero ends the game, so one yakuman ron finishes it.
game::Game EndingBelowZero() {
    game::Game game = FourPlayers();
    game.rules.endBelowZero = true;
    return game;
}

game::Event RonOf(game::PlayerIndex winner, game::PlayerIndex discarder, int han, int fu = 30) {
    return {game::Ron{discarder, {game::Win{winner, game::HanFu{han, fu}, std::nullopt}}}};
}

const game::Event kUndo{game::Undo{}};

void ExpectSummaryOf(const GameSummary& summary, const StoredGame& replayed) {
    const game::Standings& s = replayed.standings;
    EXPECT_EQ(summary.id, replayed.id);
    EXPECT_EQ(summary.names, s.names);
    EXPECT_EQ(summary.round, s.round);
    EXPECT_EQ(summary.hand, s.hand);
    EXPECT_EQ(summary.honba, s.honba);
    EXPECT_EQ(summary.over, s.finished);
    EXPECT_EQ(summary.position, s.position);
    EXPECT_EQ(summary.started, replayed.game.started);
    EXPECT_EQ(summary.finished, replayed.game.finished);
    EXPECT_EQ(summary.label, replayed.game.label);
    EXPECT_EQ(summary.deleted, replayed.deleted);
}

bool IsUtcTime(const std::string& text) {
    return std::regex_match(text, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)"));
}

TEST(SqliteGameStore, RecordsOnlyWhatCanHappenWhereTheCallerExpects) {
    TempFolder folder;
    const std::string path = folder.File("games.sqlite3");
    auto store = OpenStore(path, Mode::CreateIfMissing);
    const std::int64_t id = Take<std::int64_t>(store->Create(FourPlayers()));
    struct Row {
        std::string_view name;
        std::optional<std::size_t> expected;
        game::Event event;
        std::optional<game::ErrorCode> refused;  // neither this nor a conflict: recorded
        bool conflict = false;
    };
    const Row rows[] = {
        {"riichi at the position expected", 0, {game::Riichi{1}}, {}},
        {"the same riichi typed again at 0", 0, {game::Riichi{1}}, {}, true},
        {"a conflict wins over a refusal", 0, RonOf(1, 1, 3), {}, true},
        {"a ron from one's own discard", std::nullopt, RonOf(1, 1, 3),
         game::ErrorCode::RonOwnDiscard},
        {"riichi twice in a hand", 1, {game::Riichi{1}}, game::ErrorCode::RiichiTwice},
        {"1 han 20 fu on a ron", 1, RonOf(2, 3, 1, 20), game::ErrorCode::ImpossibleHanFu},
        {"without a position, at the end", std::nullopt, RonOf(1, 3, 3), {}},
        {"at the position after it", 2, {game::Draw{{0}}}, {}},
    };
    game::Game expected = FourPlayers();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string before = game::ExportGame(Take<StoredGame>(store->Load(id)).game);
        const Recorded answer = store->Record(id, row.expected, row.event);
        if (row.conflict) {
            const StoredGame current = Take<Conflict>(answer).current;
            EXPECT_EQ(current.game.events, expected.events);
            EXPECT_EQ(current.standings.position, expected.events.size());
        } else if (row.refused) {
            EXPECT_EQ(Take<game::GameError>(answer).code, *row.refused);
        } else {
            ASSERT_FALSE(game::Append(expected, row.event));
            const StoredGame recorded = Take<StoredGame>(answer);
            EXPECT_EQ(recorded.game.events, expected.events);
            EXPECT_EQ(recorded.standings.position, expected.events.size());
            EXPECT_EQ(game::StandingsToJson(recorded.game, recorded.standings, "1"),
                      game::StandingsToJson(
                          expected, std::get<game::Standings>(game::Replay(expected)), "1"));
            continue;
        }
        EXPECT_EQ(game::ExportGame(Take<StoredGame>(store->Load(id)).game), before);
    }

    // Another connection, as another process would have, sees the same game.
    auto other = OpenStore(path, Mode::ExistingOnly);
    EXPECT_EQ(Take<StoredGame>(other->Load(id)).game.events, expected.events);
    for (const auto& answer : {other->Load(id + 1), other->Load(0)}) {
        EXPECT_EQ(Take<StoreError>(answer).kind, StoreError::Kind::NotFound);
    }
    EXPECT_EQ(Take<StoreError>(other->Record(id + 1, std::nullopt, kUndo)).kind,
              StoreError::Kind::NotFound);
}

TEST(SqliteGameStore, SummaryFollowsEveryEventAndIsRebuiltWhenMissingOrStale) {
    TempFolder folder;
    const std::string path = folder.File("games.sqlite3");
    auto store = OpenStore(path, Mode::CreateIfMissing);
    game::Game labelled = FourPlayers();
    labelled.label = "火曜会";
    const std::int64_t id = Take<std::int64_t>(store->Create(labelled));
    Take<std::int64_t>(store->Create(FourPlayers()));
    const game::Event events[] = {
        {game::Riichi{0}},
        RonOf(0, 2, 3),
        {game::Rename{1, "Ben"}},
        {game::Draw{{1}}},
        kUndo,
        {game::Abort{}},
        {game::AmendOf(2, RonOf(0, 3, 4))},
        {game::FalseWin{3}},
        {game::Tsumo{game::Win{1, game::HanFu{2, 30}, std::nullopt}}},
        kUndo,
    };
    const auto expectListed = [&] {
        const auto games = Take<std::vector<GameSummary>>(store->List(false));
        ASSERT_EQ(games.size(), 2U);
        ExpectSummaryOf(games[0], Take<StoredGame>(store->Load(id)));
        EXPECT_EQ(games[0].label, "火曜会");
        EXPECT_TRUE(IsUtcTime(games[0].started)) << games[0].started;
    };
    for (const game::Event& event : events) {
        SCOPED_TRACE(game::EventToJson(event));
        Take<StoredGame>(store->Record(id, std::nullopt, event));
        expectListed();
    }

    Connection c(path, Connection::Open::ExistingOnly);
    for (const std::string_view damage : {
             "UPDATE summaries SET position = position - 1, round = 1, honba = 7",
             "UPDATE summaries SET names = 'not json'",
             "DELETE FROM summaries",
         }) {
        SCOPED_TRACE(damage);
        c.Execute(damage);
        expectListed();
    }
}

TEST(SqliteGameStore, FinishTimeIsSetAsTheGameEndsAndClearedByAnUndo) {
    TempFolder folder;
    auto store = OpenStore(folder.File("games.sqlite3"), Mode::CreateIfMissing);
    const std::int64_t id = Take<std::int64_t>(store->Create(EndingBelowZero()));
    const StoredGame playing = Take<StoredGame>(store->Load(id));
    EXPECT_TRUE(IsUtcTime(playing.game.started)) << playing.game.started;
    EXPECT_EQ(playing.game.finished, "");

    const StoredGame ended = Take<StoredGame>(store->Record(id, 0, RonOf(0, 1, 13)));
    ASSERT_TRUE(ended.standings.finished);
    EXPECT_TRUE(IsUtcTime(ended.game.finished)) << ended.game.finished;
    EXPECT_EQ(Take<StoredGame>(store->Load(id)).game.finished, ended.game.finished);
    ASSERT_EQ(Take<std::vector<StoredGame>>(store->FinishedGames()).size(), 1U);
    EXPECT_TRUE(Take<std::vector<GameSummary>>(store->List(false))[0].over);
    // A rename after the end keeps the time the game ended.
    EXPECT_EQ(Take<StoredGame>(store->Record(id, 1, {game::Rename{1, "Ben"}})).game.finished,
              ended.game.finished);

    Take<StoredGame>(store->Record(id, std::nullopt, kUndo));
    const StoredGame reopened = Take<StoredGame>(store->Record(id, std::nullopt, kUndo));
    EXPECT_FALSE(reopened.standings.finished);
    EXPECT_EQ(reopened.game.finished, "");
    EXPECT_EQ(Take<StoredGame>(store->Load(id)).game.finished, "");
    EXPECT_TRUE(Take<std::vector<StoredGame>>(store->FinishedGames()).empty());
    EXPECT_FALSE(Take<std::vector<GameSummary>>(store->List(false))[0].over);
}

TEST(SqliteGameStore, AnImportKeepsItsTimesAndLabel) {
    TempFolder folder;
    auto store = OpenStore(folder.File("games.sqlite3"), Mode::CreateIfMissing);
    game::Game imported = EndingBelowZero();
    imported.events = {RonOf(0, 1, 13)};
    imported.label = "club night";
    imported.started = "2026-01-02T03:04:05Z";
    imported.finished = "2026-01-02T05:06:07Z";
    const StoredGame stored =
        Take<StoredGame>(store->Load(Take<std::int64_t>(store->Create(imported))));
    EXPECT_EQ(game::ExportGame(stored.game), game::ExportGame(imported));
    // Without times of its own, it started now and, being over, finished now.
    imported.started.clear();
    imported.finished.clear();
    const StoredGame now =
        Take<StoredGame>(store->Load(Take<std::int64_t>(store->Create(imported))));
    EXPECT_TRUE(IsUtcTime(now.game.started) && IsUtcTime(now.game.finished));

    imported.players = {"A", "A", "B", "C"};
    EXPECT_EQ(Take<StoreError>(store->Create(imported)).kind, StoreError::Kind::Failed);
    EXPECT_EQ(Take<std::vector<GameSummary>>(store->List(true)).size(), 2U);
}

TEST(SqliteGameStore, ADeletedGameIsHiddenAndKept) {
    TempFolder folder;
    auto store = OpenStore(folder.File("games.sqlite3"), Mode::CreateIfMissing);
    game::Game finished = EndingBelowZero();
    finished.events = {RonOf(0, 1, 13)};
    const std::int64_t kept = Take<std::int64_t>(store->Create(finished));
    const std::int64_t hidden = Take<std::int64_t>(store->Create(finished));
    const auto ids = [](const auto& games) {
        std::vector<std::int64_t> ids;
        for (const auto& g : games) {
            ids.push_back(g.id);
        }
        return ids;
    };
    using Ids = std::vector<std::int64_t>;

    EXPECT_FALSE(store->SetDeleted(hidden, true));
    EXPECT_EQ(ids(Take<std::vector<GameSummary>>(store->List(false))), Ids{kept});
    EXPECT_EQ(ids(Take<std::vector<StoredGame>>(store->FinishedGames())), Ids{kept});
    const auto all = Take<std::vector<GameSummary>>(store->List(true));
    ASSERT_EQ(ids(all), (Ids{kept, hidden}));
    EXPECT_FALSE(all[0].deleted);
    EXPECT_TRUE(all[1].deleted);
    const StoredGame loaded = Take<StoredGame>(store->Load(hidden));
    EXPECT_TRUE(loaded.deleted);
    EXPECT_EQ(loaded.game.events.size(), 1U);

    EXPECT_FALSE(store->SetDeleted(hidden, false));
    EXPECT_EQ(ids(Take<std::vector<GameSummary>>(store->List(false))), (Ids{kept, hidden}));
    EXPECT_EQ(ids(Take<std::vector<StoredGame>>(store->FinishedGames())), (Ids{kept, hidden}));
    const auto missing = store->SetDeleted(hidden + 1, true);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->kind, StoreError::Kind::NotFound);
}

TEST(SqliteGameStore, AWriterHeldTooLongIsBusyAndNothingIsRecorded) {
    TempFolder folder;
    const std::string path = folder.File("games.sqlite3");
    auto store = OpenStore(path, Mode::CreateIfMissing);
    const std::int64_t id = Take<std::int64_t>(store->Create(FourPlayers()));
    {
        // Another process's write transaction, held past the store's wait.
        Connection other(path, Connection::Open::ExistingOnly);
        Transaction held(other);
        const StoreError busy = Take<StoreError>(store->Record(id, 0, {game::Riichi{0}}));
        EXPECT_EQ(busy.kind, StoreError::Kind::Busy);
        EXPECT_NE(busy.message.find(path), std::string::npos) << busy.message;
        // Readers are not held up by a writer.
        EXPECT_EQ(Take<std::vector<GameSummary>>(store->List(false)).size(), 1U);
    }
    EXPECT_TRUE(Take<StoredGame>(store->Load(id)).game.events.empty());
    Take<StoredGame>(store->Record(id, 0, {game::Riichi{0}}));
}

// A database as the first released store wrote it, with its own SQL.
void WriteVersionOne(const std::string& path, const std::vector<game::Game>& games) {
    Connection c(path, Connection::Open::CreateIfMissing);
    c.Execute(R"(CREATE TABLE games(
                     id INTEGER PRIMARY KEY,
                     created TEXT NOT NULL DEFAULT (datetime('now')),
                     rules TEXT NOT NULL);
                 CREATE TABLE players(
                     game INTEGER NOT NULL REFERENCES games(id),
                     seat INTEGER NOT NULL,
                     name TEXT NOT NULL,
                     PRIMARY KEY(game, seat)) WITHOUT ROWID;
                 CREATE TABLE events(
                     game INTEGER NOT NULL REFERENCES games(id),
                     seq INTEGER NOT NULL,
                     event TEXT NOT NULL,
                     PRIMARY KEY(game, seq)) WITHOUT ROWID;
                 PRAGMA user_version = 1;
                 PRAGMA journal_mode = WAL;)");
    c.Execute("PRAGMA application_id = " + std::to_string(kApplicationId));
    for (std::size_t g = 0; g < games.size(); ++g) {
        const std::int64_t id = static_cast<std::int64_t>(g) + 1;
        Statement(c, "INSERT INTO games(id, created, rules) VALUES(?, ?, ?)")
            .Bind(1, id)
            .Bind(2, "2026-03-0" + std::to_string(id) + " 19:30:0" + std::to_string(id))
            .Bind(3, game::RulesToJson(games[g].rules))
            .Step();
        for (std::size_t seat = 0; seat < games[g].players.size(); ++seat) {
            Statement(c, "INSERT INTO players VALUES(?, ?, ?)")
                .Bind(1, id)
                .Bind(2, static_cast<std::int64_t>(seat))
                .Bind(3, games[g].players[seat])
                .Step();
        }
        for (std::size_t seq = 0; seq < games[g].events.size(); ++seq) {
            Statement(c, "INSERT INTO events VALUES(?, ?, ?)")
                .Bind(1, id)
                .Bind(2, static_cast<std::int64_t>(seq))
                .Bind(3, game::EventToJson(games[g].events[seq]))
                .Step();
        }
    }
}

TEST(SqliteGameStore, AVersionOneFileIsReadAsItIsAndMigratedOnTheFirstWrite) {
    TempFolder folder;
    const std::string path = folder.File("games.sqlite3");
    game::Game finished = EndingBelowZero();
    finished.events = {RonOf(0, 1, 13)};
    game::Game playing = FourPlayers();
    playing.events = {{game::Riichi{2}}, {game::Rename{2, "Cid"}}, RonOf(2, 0, 2, 40)};
    WriteVersionOne(path, {finished, playing});
    const std::string before = Bytes(path);

    const auto expectGames = [&](SqliteGameStore& store) {
        const auto games = Take<std::vector<GameSummary>>(store.List(false));
        ASSERT_EQ(games.size(), 2U);
        const std::string started[] = {"2026-03-01T19:30:01Z", "2026-03-02T19:30:02Z"};
        for (std::size_t g = 0; g < games.size(); ++g) {
            const StoredGame loaded = Take<StoredGame>(store.Load(games[g].id));
            ExpectSummaryOf(games[g], loaded);
            EXPECT_EQ(loaded.game.started, started[g]);
            EXPECT_EQ(loaded.game.events, (g == 0 ? finished : playing).events);
        }
        EXPECT_EQ(games[1].names, (std::vector<std::string>{"A", "B", "Cid", "D"}));
        const auto over = Take<std::vector<StoredGame>>(store.FinishedGames());
        ASSERT_EQ(over.size(), 1U);
        EXPECT_EQ(over[0].id, 1);
    };
    {
        auto reading = OpenStore(path, Mode::ReadOnly);
        expectGames(*reading);
        EXPECT_EQ(Take<StoreError>(reading->Record(2, 3, kUndo)).kind, StoreError::Kind::ReadOnly);
    }
    EXPECT_EQ(Bytes(path), before);

    auto store = OpenStore(path, Mode::ExistingOnly);
    expectGames(*store);
    {
        Connection c(path, Connection::Open::ReadOnly);
        Statement version(c, "PRAGMA user_version");
        ASSERT_TRUE(version.Step());
        EXPECT_EQ(version.Integer(0), kSchemaVersion);
        // The summaries were written by the migration, so a list replays nothing.
        Statement summaries(c, "SELECT count(*) FROM summaries");
        ASSERT_TRUE(summaries.Step());
        EXPECT_EQ(summaries.Integer(0), 2);
    }
    Take<StoredGame>(store->Record(2, 3, kUndo));
    EXPECT_EQ(Take<StoredGame>(OpenStore(path, Mode::ReadOnly)->Load(2)).game.events.size(), 4U);
}

#ifndef _WIN32
// What a user who cannot write the file, its folder or both sees: everything reads, every write
// says ReadOnly naming the file, and the file stays as it was.
void ExpectReadOnly(const std::string& path, Mode mode) {
    SCOPED_TRACE(mode == Mode::ReadOnly ? "opened for reading" : "opened for writing");
    const std::string before = Bytes(path);
    auto store = OpenStore(path, mode);
    EXPECT_EQ(Take<StoredGame>(store->Load(2)).game.events.size(), 1U);
    EXPECT_EQ(Take<std::vector<GameSummary>>(store->List(true)).size(), 2U);
    EXPECT_EQ(Take<std::vector<StoredGame>>(store->FinishedGames()).size(), 1U);
    const StoreError refused[] = {
        Take<StoreError>(store->Create(FourPlayers())),
        Take<StoreError>(store->Record(2, 1, kUndo)),
        store->SetDeleted(1, true).value_or(StoreError{}),
    };
    for (const StoreError& error : refused) {
        EXPECT_EQ(error.kind, StoreError::Kind::ReadOnly);
        EXPECT_NE(error.message.find(path), std::string::npos) << error.message;
    }
    EXPECT_EQ(Bytes(path), before);
}

constexpr uid_t kNobody = 65534;

// Root may write anything, so the checks run again as nobody, in a child process.
void ExpectReadOnlyAsNobody(const std::string& path) {
    std::cout.flush();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) {
            std::perror("cannot become nobody");
            std::_Exit(2);
        }
        // The child never returns into the test runner, not even by an exception.
        bool passed = false;
        try {
            ExpectReadOnly(path, Mode::ExistingOnly);
            ExpectReadOnly(path, Mode::ReadOnly);
            passed = !::testing::Test::HasFailure();
        } catch (...) {
        }
        std::cout.flush();
        std::_Exit(passed ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "as nobody: status " << status;
}

TEST(SqliteGameStore, AFileOrFolderThatCannotBeWrittenIsStillRead) {
    TempFolder top;
    // Characters a URI reserves, as the read-only ways of opening name the file by one.
    const fs::path folder = top.File("read only #1?%41");
    fs::create_directories(folder);
    const std::string path = (folder / "games.sqlite3").string();
    {
        auto store = OpenStore(path, Mode::CreateIfMissing);
        game::Game finished = EndingBelowZero();
        finished.events = {RonOf(0, 1, 13)};
        Take<std::int64_t>(store->Create(finished));
        const std::int64_t id = Take<std::int64_t>(store->Create(FourPlayers()));
        Take<StoredGame>(store->Record(id, 0, {game::Riichi{0}}));
    }
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(folder.c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
    }
    const struct {
        mode_t file;
        mode_t folder;
    } rows[] = {{0444, 0755}, {0644, 0555}, {0444, 0555}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.file) + " in " + std::to_string(row.folder));
        // Each check starts without the files a reader may leave beside the database: made by
        // root, they would be the owner's, and writable.
        const auto fresh = [&] {
            ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
            fs::remove(path + "-wal");
            fs::remove(path + "-shm");
            ASSERT_EQ(chmod(path.c_str(), row.file), 0);
            ASSERT_EQ(chmod(folder.c_str(), row.folder), 0);
        };
        fresh();
        ExpectReadOnly(path, Mode::ReadOnly);
        fresh();
        if (root) {
            ExpectReadOnlyAsNobody(path);
        } else {
            ExpectReadOnly(path, Mode::ExistingOnly);
        }
    }
    ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
}

#endif

TEST(SqliteGameStore, RefusedFilesStayByteForByte) {
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
        auto made = OpenStore(newer, Mode::CreateIfMissing);
        Take<std::int64_t>(made->Create(FourPlayers()));
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
        for (const Mode mode : {Mode::CreateIfMissing, Mode::ExistingOnly, Mode::ReadOnly}) {
            const StoreError error = Take<StoreError>(SqliteGameStore::Open(row.path, mode));
            EXPECT_EQ(error.kind, StoreError::Kind::Foreign);
            EXPECT_NE(error.message.find(row.path + " " + std::string(row.says)), std::string::npos)
                << error.message;
            EXPECT_EQ(Bytes(row.path), before) << row.path;
        }
    }
}

TEST(SqliteGameStore, OpeningNamesWhatIsMissing) {
    TempFolder folder;
    const std::string absent = folder.File("absent.sqlite3");
    const std::string inMissingFolder = folder.File("x/y/games.sqlite3");
    const struct {
        std::string path;
        Mode mode;
        StoreError::Kind kind;
        std::string says;
    } rows[] = {
        {"", Mode::CreateIfMissing, StoreError::Kind::Failed, "the path is empty"},
        {"", Mode::ReadOnly, StoreError::Kind::Failed, "the path is empty"},
        {absent, Mode::ExistingOnly, StoreError::Kind::NotFound,
         "no games yet: " + absent + " does not exist"},
        {absent, Mode::ReadOnly, StoreError::Kind::NotFound,
         "no games yet: " + absent + " does not exist"},
        {inMissingFolder, Mode::CreateIfMissing, StoreError::Kind::Failed,
         "cannot open " + inMissingFolder + ": the folder " + folder.File("x/y") +
             " does not exist"},
        {folder.File(""), Mode::CreateIfMissing, StoreError::Kind::Failed, "it is a folder"},
    };
    for (const auto& row : rows) {
        const StoreError error = Take<StoreError>(SqliteGameStore::Open(row.path, row.mode));
        EXPECT_EQ(error.kind, row.kind) << row.path;
        EXPECT_NE(error.message.find(row.says), std::string::npos) << error.message;
    }
    EXPECT_FALSE(fs::exists(absent));
    EXPECT_FALSE(fs::exists(folder.File("x")));
}

#ifndef _WIN32
TEST(SqliteGameStore, TheDefaultFolderIsMadeOnlyForWriting) {
    TempFolder folder;
    const std::string data = folder.File("data");
    ASSERT_EQ(setenv("XDG_DATA_HOME", data.c_str(), 1), 0);
    const std::string path = DefaultDatabasePath();
    EXPECT_EQ(path, data + "/velmarto/games.sqlite3");
    EXPECT_FALSE(fs::exists(data));
    EXPECT_EQ(Take<StoreError>(SqliteGameStore::Open(path, Mode::ReadOnly)).kind,
              StoreError::Kind::NotFound);
    EXPECT_FALSE(fs::exists(data));

    EXPECT_FALSE(EnsureFolder(path));
    EXPECT_TRUE(fs::is_directory(data + "/velmarto"));
    OpenStore(path, Mode::CreateIfMissing);
    EXPECT_TRUE(fs::exists(path));

    const std::string underAFile = path + "/inside/games.sqlite3";
    const auto error = EnsureFolder(underAFile);
    ASSERT_TRUE(error);
    EXPECT_NE(error->message.find("cannot create the folder " + path + "/inside"),
              std::string::npos)
        << error->message;
}
#endif

}  // namespace
}  // namespace velmarto::store
