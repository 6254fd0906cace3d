// The words of the game's refusals: one table per language, read by every front end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/game/game_error.h"

namespace velmarto::res {

enum class Language { English, Japanese };

// The refusal in words. Players are named from `names` (by seat); a refusal with a cause says
// the cause after its own words.
std::string DescribeGameError(const game::GameError& error, Language language,
                              const std::vector<std::string>& names = {});

}  // namespace velmarto::res
