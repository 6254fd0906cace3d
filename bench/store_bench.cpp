// Events appended per second in one process: each its own transaction, checked against the game
// as stored and synced to disk, on a database that already holds other games.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "store/game_store.h"

namespace {

using namespace velmarto;

void BM_AppendEvent(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("velmarto-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    {
        auto opened = store::GameStore::OpenFile((folder / "games.sqlite3").string(),
                                                 store::GameStore::Open::CreateIfMissing);
        store::GameStore& db = std::get<store::GameStore>(opened);
        const game::Game game{game::DefaultRules(game::kMaxPlayers), {"A", "B", "C", "D"}, {}};
        std::int64_t id = 0;
        for (int i = 0; i < state.range(0); ++i) {
            id = std::get<std::int64_t>(db.Create(game));
        }
        for (auto _ : state) {
            benchmark::DoNotOptimize(db.Append(id, game::RiichiEvent(0)));
        }
        state.counters["events/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                        benchmark::Counter::kIsRate);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_AppendEvent)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
