// Wording of a scored hand; the figures themselves come from the evaluator.
#include "engine/hand/hand_summary.h"

namespace velmarto::hand {

std::vector<HanLine> HanLines(const HandResult& result) {
    std::vector<HanLine> lines;
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
    return std::to_string(result.han) + "飜 " + std::to_string(result.fu.total) + "符";
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
