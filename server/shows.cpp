// The standings after an earlier event are the game's replay cut there: the engine says them,
// as it says the current ones.
#include "server/shows.h"

#include "engine/game/game_json.h"

namespace velmarto::server {

std::string Show(const store::StoredGame& g, std::string_view publicId) {
    std::string show = game::StandingsToJson(g.game, g.standings, publicId);
    while (!show.empty() && show.back() == '\n') {
        show.pop_back();
    }
    return show;
}

std::vector<std::pair<std::size_t, std::string>> ShowsAfter(const store::StoredGame& g,
                                                            std::string_view publicId,
                                                            std::size_t after) {
    const std::size_t now = g.standings.position;
    std::vector<std::pair<std::size_t, std::string>> shows;
    if (after >= now) {
        return shows;
    }
    if (after + 1 == now) {
        shows.emplace_back(now, Show(g, publicId));
        return shows;
    }
    store::StoredGame replayed = g;
    replayed.game.events.resize(after);
    replayed.game.finished.clear();
    auto start = game::Replay(replayed.game);
    if (std::holds_alternative<game::GameError>(start)) {
        return shows;
    }
    replayed.standings = std::get<game::Standings>(std::move(start));
    for (std::size_t i = after; i < now; ++i) {
        if (game::Append(replayed.game, replayed.standings, g.game.events[i])) {
            break;
        }
        if (i + 1 == now) {
            replayed.game.finished = g.game.finished;
        }
        shows.emplace_back(replayed.standings.position, Show(replayed, publicId));
    }
    return shows;
}

std::string EventMessage(std::size_t position, std::string_view show) {
    return "id: " + std::to_string(position) + "\ndata: " + std::string(show) + "\n\n";
}

}  // namespace velmarto::server
