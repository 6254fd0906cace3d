// What `velmarto-score game` prints: the standings, the history, the list and the season, as
// text a person reads or pastes, and as CSV for a score sheet. Figures only from the engine.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/game/replay.h"
#include "engine/game/season.h"
#include "store/game_store.h"

namespace velmarto::cli {

std::string ShowText(const game::Game& game, const game::Standings& s, std::int64_t id, bool plain);
std::string HistoryText(const game::Standings& s, bool plain);
std::string HistoryCsv(const game::Standings& s);
std::string ListText(const std::vector<store::GameSummary>& games);
std::string ListJson(const std::vector<store::GameSummary>& games);
std::string SeasonText(const game::Season& season, bool plain);
std::string SeasonCsv(const game::Season& season);

// "2026-12-10T16:05:38Z" in the local time zone, "2026-12-11 01:05"; the text as it is when it
// does not read as such a time.
std::string LocalTime(std::string_view utc);

}  // namespace velmarto::cli
