// A scored hand in words, as the command line prints it and the window lists it: one line per
// yaku with its han, dora last, then the totals with each fu item.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/hand/hand_evaluator.h"

namespace velmarto::hand {

struct HanLine {
    std::string_view name;
    int han;
};

// The yaku, then ドラ, 赤ドラ and 裏ドラ where there are any.
std::vector<HanLine> HanLines(const HandResult& result);

// "4飜 40符".
std::string Totals(const HandResult& result);

// "2飜 40符（立直、平和）": the totals and the yaku by name, or "役なし".
std::string TotalsWithYaku(const HandResult& result);

// "（副底 20、門前ロン 10）".
std::string FuSummary(const FuCount& fu);

// Every line before the report: the han lines ("立直 1飜"), or "役なし", then "計 …" with the fu.
std::vector<std::string> SummaryLines(const HandResult& result);

}  // namespace velmarto::hand
