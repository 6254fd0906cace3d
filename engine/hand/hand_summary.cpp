// Wording of a scored hand; the figures themselves come from the evaluator.
#include "engine/hand/hand_summary.h"

namespace velmarto::hand {

namespace {

// ドラ, 赤ドラ, 裏ドラ and 抜きドラ, each a line of its own when there are any.
constexpr std::size_t kDoraKinds = 4;

}  // namespace

std::vector<HanLine> HanLines(const HandResult& result) {
    std::vector<HanLine> lines;
    lines.reserve(result.yaku.View().size() + kDoraKinds);
    for (const ScoredYaku& yaku : result.yaku.View()) {
        lines.push_back({yaku.name, yaku.han});
    }
    for (const HanLine& dora :
         {HanLine{"ドラ", result.dora.dora}, HanLine{"赤ドラ", result.dora.aka},
          HanLine{"裏ドラ", result.dora.ura}, HanLine{"抜きドラ", result.dora.kita}}) {
        if (dora.han > 0) {
            lines.push_back(dora);
        }
    }
    return lines;
}

std::string Totals(const HandResult& result) {
    std::string totals = std::to_string(result.han);
    totals.append("飜 ").append(std::to_string(result.fu.total)).append("符");
    return totals;
}

std::string TotalsWithYaku(const HandResult& result) {
    if (result.NoYaku()) {
        return "役なし";
    }
    std::string yaku;
    for (const HanLine& line : HanLines(result)) {
        yaku.append(yaku.empty() ? "" : "、").append(line.name);
    }
    return Totals(result) + "（" + yaku + "）";
}

std::string FuSummary(const FuCount& fu) {
    std::string text = "（";
    for (std::size_t i = 0; i < fu.View().size(); ++i) {
        const FuItem& item = fu.View()[i];
        text.append(i == 0 ? "" : "、")
            .append(item.name)
            .append(" ")
            .append(std::to_string(item.fu));
    }
    return text + "）";
}

std::vector<std::string> SummaryLines(const HandResult& result) {
    std::vector<std::string> lines;
    if (result.NoYaku()) {
        lines.emplace_back("役なし");
        return lines;
    }
    for (const HanLine& line : HanLines(result)) {
        lines.push_back(std::string(line.name) + " " + std::to_string(line.han) + "飜");
    }
    lines.push_back("計 " + Totals(result) + FuSummary(result.fu));
    return lines;
}

}  // namespace velmarto::hand
