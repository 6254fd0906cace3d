// A hand before its win in words, as the command line prints it and the window and the page list
// it: each wait and each discard a line of parts, which the command line joins with a full-width
// space.
#pragma once

#include <string>
#include <vector>

#include "engine/hand/waits.h"

namespace velmarto::hand {

// ["5s 残り4枚", "ロン 2飜 30符（平和、赤ドラ） 点数＝…", "ツモ …"]; the ron part says フリテン
// when the hand cannot win on a discard.
std::vector<std::string> WaitParts(const WaitResult& wait);

// ["打1z", "聴牌 待ち 2種8枚: 5s×4 8s×4"], or ["打1z", "1向聴", "有効牌 6種20枚: …"].
std::vector<std::string> DiscardParts(const DiscardResult& discard);

// The first line for 13 tiles: "聴牌 待ち 2種8枚: 5s×4 8s×4", or "1向聴　有効牌 6種20枚: …".
std::string WaitsHead(const WaitAnalysis& analysis);

// Every line of an analysis: its head (the waits, the shanten or the win), then each wait or
// each discard, a discard's waits indented under it.
std::vector<std::string> WaitsLines(const WaitAnalysis& analysis);

// The parts of a wait or a discard as one line.
std::string JoinedParts(const std::vector<std::string>& parts);

}  // namespace velmarto::hand
