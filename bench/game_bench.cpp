// Speed of the ledger: replaying a long game from its first event, and its exchange format.
#include <benchmark/benchmark.h>

#include "engine/game/game_json.h"

namespace {

using namespace velmarto::game;

// 10,000 events in one hand after another that the dealer keeps, so the game never ends: riichi,
// wins by han and fu and by tiles, draws, false wins and undos, each settled in full.
Game LongGame() {
    constexpr int kEvents = 10'000;
    Game game{DefaultRules(kMaxPlayers), {"A", "B", "C", "D"}, {}};
    HandDescription pinfu{.tiles = "234567m234p6799s8s", .dora = "1m", .riichi = true};
    const Event cycle[] = {
        RiichiEvent(1),
        RiichiEvent(2),
        RonEvent(3, {Win{0, HanFu{13, 30}, {}}}),
        RonEvent(1, {Win{0, pinfu, {}}}),
        DrawEvent({0, 2}),
        AbortEvent(),
        FalseWinEvent(3),
        TsumoEvent(Win{0, HanFu{40, 110}, {}}),
        RiichiEvent(3),
        UndoEvent(),
    };
    while (game.events.size() < kEvents) {
        for (const Event& e : cycle) {
            game.events.push_back(e);
        }
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
