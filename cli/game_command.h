// velmarto-score game: a whole no-limit game kept in the desktop's database, event by event.
#pragma once

#include <istream>
#include <span>
#include <string_view>

#include "cli/score_cli.h"

namespace velmarto::cli {

// Exit status when another velmarto holds the database too long: nothing was recorded.
inline constexpr int kExitBusy = 3;

// Runs `game` on the arguments after the word "game"; `import -` reads `input`.
CliResult RunGameCommand(std::span<const std::string_view> args, std::istream& input);

}  // namespace velmarto::cli
