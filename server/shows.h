// A game as its followers read it: `game show --json`'s object under the game's shared address,
// and the same after each event a follower has not seen, for one that comes back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/game_store.h"

namespace velmarto::server {

std::string Show(const store::StoredGame& g, std::string_view publicId);

// (position, SHOW) after each event past `after`, oldest first.
std::vector<std::pair<std::size_t, std::string>> ShowsAfter(const store::StoredGame& g,
                                                            std::string_view publicId,
                                                            std::size_t after);

// One Server-Sent Events message: the position as its id, the SHOW on one data line.
std::string EventMessage(std::size_t position, std::string_view show);

}  // namespace velmarto::server
