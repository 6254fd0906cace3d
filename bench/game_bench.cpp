// Speed of the ledger: replaying a long game from its first event, and its exchange format.
#include <benchmark/benchmark.h>

#include "engine/game/game_json.h"

namespace {

using namespace velmarto::game;

// 10,000 events in one hand after another that the dealer keeps, so the game never ends: riichi,
// wins by han and fu and by tiles, draws, false wins and undos, each settled in full. An undo
// replays the game, so the game appended one event at a time leaves the undone riichi out.
Game LongGame(bool undos = true) {
    constexpr int kEvents = 10'000;
    Game game{DefaultRules(kMaxPlayers), {"A", "B", "C", "D"}, {}, {}, {}, {}};
    HandDescription pinfu{.tiles = "234567m234p6799s8s", .dora = "1m"};
    const Event cycle[] = {
        {Riichi{1}},
        {Riichi{2}},
        {Ron{3, {Win{0, HanFu{13, 30}, {}}}}},
        {Ron{1, {Win{0, pinfu, {}}}}},
        {Draw{{0, 2}}},
        {Abort{}},
        {FalseWin{3}},
        {Tsumo{Win{0, HanFu{40, 110}, {}}}},
        {Riichi{3}},
        {Undo{}},
    };
    const std::size_t kept = undos ? std::size(cycle) : std::size(cycle) - 2;
    while (game.events.size() < kEvents) {
        game.events.insert(game.events.end(), cycle, cycle + kept);
    }
    return game;
}

void BM_Replay10000Events(benchmark::State& state) {
    const Game game = LongGame();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Replay(game));
    }
    state.counters["events/s"] = benchmark::Counter(static_cast<double>(game.events.size()),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Replay10000Events)->Unit(benchmark::kMillisecond);

// The same game recorded one event at a time, each continuing the standings of the one before,
// as a front end or a server does.
void BM_Append10000Events(benchmark::State& state) {
    const Game whole = LongGame(false);
    for (auto _ : state) {
        Game game{whole.rules, whole.players, {}, {}, {}, {}};
        Standings standings = std::get<Standings>(Replay(game));
        for (const Event& event : whole.events) {
            benchmark::DoNotOptimize(Append(game, standings, event));
        }
    }
    state.counters["events/s"] = benchmark::Counter(static_cast<double>(whole.events.size()),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Append10000Events)->Unit(benchmark::kMillisecond);

void BM_Export10000Events(benchmark::State& state) {
    const Game game = LongGame();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ExportGame(game));
    }
}
BENCHMARK(BM_Export10000Events)->Unit(benchmark::kMillisecond);

void BM_Import10000Events(benchmark::State& state) {
    const std::string text = ExportGame(LongGame());
    for (auto _ : state) {
        benchmark::DoNotOptimize(ImportGame(text));
    }
}
BENCHMARK(BM_Import10000Events)->Unit(benchmark::kMillisecond);

}  // namespace
