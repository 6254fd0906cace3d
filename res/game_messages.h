// The words of the game's refusals: one table per language, read by every front end. Each
// language has a function of its own, so that a front end links only the words it says.
#pragma once

#include <string>
#include <vector>

#include "engine/game/game_error.h"

namespace velmarto::res {

enum class Language { English, Japanese };

// The refusal in words. Players are named from `names` (by seat); a refusal with a cause says
// the cause after its own words.
std::string DescribeGameErrorInEnglish(const game::GameError& error,
                                       const std::vector<std::string>& names = {});
std::string DescribeGameErrorInJapanese(const game::GameError& error,
                                        const std::vector<std::string>& names = {});
// Either, by `language`: links both tables.
std::string DescribeGameError(const game::GameError& error, Language language,
                              const std::vector<std::string>& names = {});

}  // namespace velmarto::res
