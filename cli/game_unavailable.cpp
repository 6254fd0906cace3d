// The Windows build has no SQLite (Debian ships none for mingw-w64), so it keeps no games.
#include "cli/game_command.h"

namespace velmarto::cli {

CliResult RunGameCommand(std::span<const std::string_view>, std::istream&) {
    return {kExitUsage, "",
            "velmarto-score: game: not in the Windows build (it has no game database); use "
            "velmarto-score on Linux or the web page\n"};
}

}  // namespace velmarto::cli
