// Speed of the engine: the largest single report, the whole score table of each seat, and hands
// evaluated from their tiles.
#include <benchmark/benchmark.h>

#include <vector>

#include "cli/score_table.h"
#include "engine/hand/hand_evaluator.h"
#include "engine/score_report.h"

namespace {

using velmarto::DigitRegister;

void BM_LargestReport(benchmark::State& state) {
    DigitRegister a{}, b{}, c{};
    const velmarto::ScoreSelection largest{11, 9, 18, 0};  // non-dealer, 119 han, 200 fu
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            velmarto::ComposeScoreReport(largest, a, b, c, velmarto::kUnitNames));
    }
}
BENCHMARK(BM_LargestReport);

void BM_SmallReport(benchmark::State& state) {
    DigitRegister a{}, b{}, c{};
    const velmarto::ScoreSelection defaults{0, 1, 1, 1};  // dealer, 1 han, 30 fu
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            velmarto::ComposeScoreReport(defaults, a, b, c, velmarto::kUnitNames));
    }
}
BENCHMARK(BM_SmallReport);

void BM_FullTables(benchmark::State& state) {
    for (auto _ : state) {
        for (velmarto::Seat seat : {velmarto::Seat::Dealer, velmarto::Seat::NonDealer}) {
            benchmark::DoNotOptimize(velmarto::cli::FormatScoreTable({.seat = seat}));
        }
    }
}
BENCHMARK(BM_FullTables)->Unit(benchmark::kMillisecond);

// A mix of what a table sees: pinfu, open hands, pairs, triplets, honours and a few yakuman.
const std::vector<velmarto::hand::HandInput>& MixedHands() {
    using namespace velmarto::hand;
    using enum MeldKind;
    static const std::vector<HandInput> hands = [] {
        const HandText texts[] = {
            {.tiles = "234567m234p6799s8s",
             .dora = "1m",
             .situation = {{.riichi = true}, {.tsumo = true, .seatWind = 1}}},
            {.tiles = "567p345s66s888p",
             .melds = {{Chi, "234m"}},
             .situation = {{}, {.seatWind = 1}}},
            {.tiles = "1122m3344p5566s77z"},
            {.tiles = "112233m55p456p78s9s"},
            {.tiles = "234m567p99s", .melds = {{Pon, "777z"}, {Pon, "111z"}}},
            {.tiles = "111m999p555s22z",
             .melds = {{Pon, "888p"}},
             .situation = {{}, {.seatWind = 1}}},
            {.tiles = "123m789p789s111z99m"},
            {.tiles = "11223344556677m", .situation = {{}, {.seatWind = 1}}},
            {.tiles = "555z666z77z123m456p", .situation = {{}, {.seatWind = 1}}},
            {.tiles = "19m19p19s1234567z1m"},
            {.tiles = "111m333p555s99s777z", .situation = {{}, {.tsumo = true, .seatWind = 1}}},
            {.tiles = "123m456p789s234s11z", .situation = {{.riichi = true}}},
        };
        std::vector<HandInput> read;
        for (const HandText& text : texts) {
            read.push_back(std::get<HandInput>(ReadHand(text)));
        }
        return read;
    }();
    return hands;
}

void BM_MixedHands(benchmark::State& state) {
    const auto& hands = MixedHands();
    for (auto _ : state) {
        for (const auto& hand : hands) {
            benchmark::DoNotOptimize(
                velmarto::hand::ScoreHand(hand, velmarto::hand::Figures::Myriad));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(hands.size()));
}
BENCHMARK(BM_MixedHands);

// Nine gates has the most readings of any closed hand, each a place of the winning tile.
void BM_NineGates(benchmark::State& state) {
    const auto hand =
        std::get<velmarto::hand::HandInput>(velmarto::hand::ReadHand({.tiles = "11123455678999m"}));
    for (auto _ : state) {
        benchmark::DoNotOptimize(velmarto::hand::ScoreHand(hand, velmarto::hand::Figures::Myriad));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NineGates);

}  // namespace
