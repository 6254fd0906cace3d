// Wording of a hand before its win; the figures themselves come from the wait analysis.
#include "engine/hand/waits_summary.h"

#include <string_view>

#include "engine/hand/hand_summary.h"

namespace velmarto::hand {

namespace {

constexpr std::string_view kGap = "　";  // an ideographic space between the parts of a line

std::string ShantenWords(int shanten) {
    if (shanten == kComplete) {
        return "和了";
    }
    return shanten == kTenpai ? "聴牌" : std::to_string(shanten) + "向聴";
}

// "6種20枚: 6s×4 9s×4 …": kinds, tiles left, and each tile.
std::string CountedTiles(const std::vector<TileLeft>& tiles) {
    std::string out =
        std::to_string(tiles.size()) + "種" + std::to_string(TotalLeft(tiles)) + "枚:";
    for (const TileLeft& t : tiles) {
        out.append(" ").append(TileName(t.tile)).append("×").append(std::to_string(t.left));
    }
    return out;
}

std::string UsefulWords(const std::vector<TileLeft>& useful) {
    return "有効牌 " + CountedTiles(useful);
}

// "ロン 2飜 40符（立直、平和） 点数＝…", with the settlement when there is one.
std::string WayWords(std::string_view way, const HandScore& score) {
    std::string out = std::string(way) + " " + TotalsWithYaku(score.result) + " " + score.report;
    if (!score.settlementLine.empty()) {
        out += " " + score.settlementLine;
    }
    return out;
}

std::vector<TileLeft> TilesOf(const std::vector<WaitResult>& waits) {
    std::vector<TileLeft> tiles;
    tiles.reserve(waits.size());
    for (const WaitResult& wait : waits) {
        tiles.push_back({wait.tile, wait.left});
    }
    return tiles;
}

// "聴牌 待ち 2種7枚: 1m×3 4m×4", with フリテン when it is.
std::string TenpaiWords(const std::vector<WaitResult>& waits, bool furiten) {
    return std::string(furiten ? "聴牌（フリテン）" : "聴牌") + " 待ち " +
           CountedTiles(TilesOf(waits));
}

void AddWaits(std::vector<std::string>& lines, const std::vector<WaitResult>& waits,
              std::string_view indent) {
    for (const WaitResult& wait : waits) {
        lines.push_back(std::string(indent) + JoinedParts(WaitParts(wait)));
    }
}

}  // namespace

std::vector<std::string> WaitParts(const WaitResult& wait) {
    return {TileName(wait.tile) + " 残り" + std::to_string(wait.left) + "枚",
            wait.ron ? WayWords("ロン", *wait.ron) : "ロン フリテンのため不可",
            WayWords("ツモ", wait.tsumo)};
}

std::vector<std::string> DiscardParts(const DiscardResult& discard) {
    const std::string head = "打" + TileName(discard.tile);
    if (discard.shanten == kTenpai) {
        return {head, TenpaiWords(discard.waits, discard.furiten)};
    }
    return {head, ShantenWords(discard.shanten), UsefulWords(discard.useful)};
}

std::string JoinedParts(const std::vector<std::string>& parts) {
    std::string line;
    for (const std::string& part : parts) {
        line.append(line.empty() ? "" : kGap).append(part);
    }
    return line;
}

std::string WaitsHead(const WaitAnalysis& analysis) {
    if (analysis.shanten == kTenpai) {
        return TenpaiWords(analysis.waits, analysis.furiten);
    }
    return ShantenWords(analysis.shanten) + std::string(kGap) + UsefulWords(analysis.useful);
}

std::vector<std::string> WaitsLines(const WaitAnalysis& analysis) {
    std::vector<std::string> lines;
    if (analysis.discards.empty()) {
        lines.push_back(WaitsHead(analysis));
        AddWaits(lines, analysis.waits, "");
        return lines;
    }
    if (analysis.win) {
        lines.push_back("和了形です（最後の牌 " + TileName(analysis.win->tile) + " で和了）");
        AddWaits(lines, {*analysis.win}, "");
    }
    for (const DiscardResult& discard : analysis.discards) {
        lines.push_back(JoinedParts(DiscardParts(discard)));
        if (discard.shanten == kTenpai) {
            AddWaits(lines, discard.waits, "　　");
        }
    }
    return lines;
}

}  // namespace velmarto::hand
