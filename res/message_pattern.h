// A refusal's words from one language's table of patterns. In a pattern, {1} is the first argument
// as it stands and {P1} the first argument as a player's name; the cause, when there is one,
// follows after ": ".
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/game/game_error.h"

namespace velmarto::res {

struct MessagePattern {
    game::ErrorCode code;
    std::string_view words;
};

// Players are named from `names` (by seat). Every code has its row in `table`.
std::string DescribeWith(std::span<const MessagePattern> table, const game::GameError& error,
                         const std::vector<std::string>& names);

}  // namespace velmarto::res
