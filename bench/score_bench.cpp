// Speed of the engine: the largest single report, and the whole score table of each seat.
#include <benchmark/benchmark.h>

#include "cli/score_table.h"
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

}  // namespace
