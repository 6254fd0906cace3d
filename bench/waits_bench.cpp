// Speed of the analysis before the win: shanten alone, the waits of 13 tiles with each wait
// scored both ways, and every discard of 14 tiles.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/hand/waits.h"

namespace {

using namespace velmarto::hand;

HandInput Waiting(const HandText& text) {
    return std::get<HandInput>(ReadWaitingHand(text));
}

void Analyze(benchmark::State& state, const HandText& text) {
    const HandInput hand = Waiting(text);
    for (auto _ : state) {
        benchmark::DoNotOptimize(AnalyzeWaits(hand, {}, Figures::Myriad));
    }
    state.SetItemsProcessed(state.iterations());
}

// Nine waits, each a nine-gates hand with the most readings of any: the 13-tile worst case.
void BM_WaitsNineGates(benchmark::State& state) {
    Analyze(state, {.tiles = "1112345678999m", .situation = {{.riichi = true}}});
}
BENCHMARK(BM_WaitsNineGates);

void BM_WaitsThirteenOrphans(benchmark::State& state) {
    Analyze(state, {.tiles = "19m19p19s1234567z"});
}
BENCHMARK(BM_WaitsThirteenOrphans);

void BM_WaitsOneShanten(benchmark::State& state) {
    Analyze(state, {.tiles = "234567m23p6789s1z", .situation = {{}, {.seatWind = 1}}});
}
BENCHMARK(BM_WaitsOneShanten);

// A won nine gates: every discard leaves tenpai, most on several tiles, all scored.
void BM_WhatToCutNineGates(benchmark::State& state) {
    Analyze(state, {.tiles = "11123455678999m", .situation = {{.riichi = true}}});
}
BENCHMARK(BM_WhatToCutNineGates);

void BM_WhatToCutTable(benchmark::State& state) {
    Analyze(state,
            {.tiles = "234567m234p6789s1z", .dora = "3p", .situation = {{}, {.seatWind = 1}}});
}
BENCHMARK(BM_WhatToCutTable);

void BM_Shanten(benchmark::State& state) {
    std::vector<TileCounts> hands;
    for (const char* tiles : {"1112345678999m", "19m19p19s1234567z", "234567m23p6789s1z",
                              "147m258p369s1234z", "1122m3344p5566s7z", "123m456p78s11z234z"}) {
        hands.push_back(CountsOf(std::get<std::vector<Tile>>(ParseTiles(tiles))));
    }
    for (auto _ : state) {
        for (const TileCounts& counts : hands) {
            benchmark::DoNotOptimize(Shanten(counts, 0));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(hands.size()));
}
BENCHMARK(BM_Shanten);

}  // namespace
