// Any four readings: either rejected as out of range, or a report that keeps its shape.
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "engine/cp932.h"
#include "engine/score_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::int32_t readings[4] = {};
    std::memcpy(readings, data, std::min(size, sizeof readings));
    const velmarto::ScoreSelection selection{readings[0], readings[1], readings[2], readings[3]};
    velmarto::DigitRegister a{}, b{}, c{};
    std::string report;
    try {
        report = velmarto::ComposeScoreReport(selection, a, b, c, velmarto::kUnitNames);
    } catch (const std::out_of_range&) {
        return 0;
    }
    const bool shaped = report.starts_with("点数＝") || report.starts_with("役無しチョンボ！ ");
    const bool closed = report.ends_with("点") || report.ends_with("オール");
    if (!shaped || !closed || velmarto::ToCp932(report).size() > 211) {
        __builtin_trap();
    }
    return 0;
}
