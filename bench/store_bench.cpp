// The store in one process, on a database of 1,000 games of 60 events: events recorded per
// second (each its own transaction, checked against the game as stored and synced to disk), a
// list of every game from the summaries, and a list as a new process makes it (open, then list).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "store/sqlite_game_store.h"

namespace {

using namespace velmarto;
using Mode = store::SqliteGameStore::Mode;

constexpr int kGames = 1000;

game::Event RonOf(game::PlayerIndex winner, game::PlayerIndex discarder, int han) {
    return {game::Ron{discarder, {game::Win{winner, game::HanFu{han, 30}, std::nullopt}}}};
}

// Sixty events that a game of the default rules accepts: ten times riichi, a ron, a draw, an
// abortive draw, a false win and an undo, in East 1 throughout: the dealer wins and is tenpai.
game::Game SixtyEvents() {
    game::Game game{game::DefaultRules(game::kMaxPlayers), {"A", "B", "C", "D"}, {}, "", "", ""};
    for (int i = 0; i < 10; ++i) {
        const game::PlayerIndex dealer = std::get<game::Standings>(game::Replay(game)).Dealer();
        const game::PlayerIndex next = (dealer + 1) % game::kMaxPlayers;
        for (const game::Event& event :
             {game::Event{game::Riichi{next}}, RonOf(dealer, next, 3),
              game::Event{game::Draw{{dealer}}}, game::Event{game::Abort{}},
              game::Event{game::FalseWin{next}}, game::Event{game::Undo{}}}) {
            if (game::Append(game, event)) {
                throw std::logic_error("the benchmark's game refuses an event");
            }
        }
    }
    return game;
}

class Database {
public:
    Database()
        : m_folder(std::filesystem::temp_directory_path() /
                   ("velmarto-bench-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(m_folder);
        auto store = Open(Mode::CreateIfMissing);
        const game::Game game = SixtyEvents();
        for (int i = 0; i < kGames; ++i) {
            m_last = std::get<std::int64_t>(store->Create(game));
        }
    }
    ~Database() { std::filesystem::remove_all(m_folder); }
    std::unique_ptr<store::SqliteGameStore> Open(Mode mode) const {
        return std::get<std::unique_ptr<store::SqliteGameStore>>(
            store::SqliteGameStore::Open((m_folder / "games.sqlite3").string(), mode));
    }
    std::int64_t Last() const { return m_last; }

private:
    std::filesystem::path m_folder;
    std::int64_t m_last = 0;
};

void BM_RecordEvent(benchmark::State& state) {
    const Database database;
    auto store = database.Open(Mode::ExistingOnly);
    for (auto _ : state) {
        // An abortive draw can follow any other, so every one is recorded.
        const auto recorded = store->Record(database.Last(), std::nullopt, {game::Abort{}});
        if (!std::holds_alternative<store::StoredGame>(recorded)) {
            state.SkipWithError("an event was not recorded");
        }
    }
    state.counters["events/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RecordEvent)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_List(benchmark::State& state) {
    const Database database;
    auto store = database.Open(Mode::ReadOnly);
    for (auto _ : state) {
        benchmark::DoNotOptimize(store->List(false));
    }
}
BENCHMARK(BM_List)->Unit(benchmark::kMillisecond);

void BM_OpenAndList(benchmark::State& state) {
    const Database database;
    for (auto _ : state) {
        benchmark::DoNotOptimize(database.Open(Mode::ReadOnly)->List(false));
    }
}
BENCHMARK(BM_OpenAndList)->Unit(benchmark::kMillisecond);

}  // namespace
