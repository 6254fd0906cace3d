// Runs on the serving thread only, so it needs no lock.
#include "server/followers.h"

#include <algorithm>

#include "server/shows.h"

namespace velmarto::server {

void Followers::Add(const store::StoredGame& current, const std::string& publicId,
                    std::shared_ptr<EventSink> sink, std::optional<std::size_t> seen) {
    const std::size_t now = current.standings.position;
    if (!seen || *seen > now) {
        sink->Send(EventMessage(now, Show(current, publicId)));
    } else {
        for (const auto& [position, show] : ShowsAfter(current, publicId, *seen)) {
            sink->Send(EventMessage(position, show));
        }
    }
    Followed& followed = m_games[current.id];
    // An event recorded between this follower's load and now was published without it: the
    // first follower of a game cannot know, a later one knows from the position published.
    const bool missed = followed.followers.empty() || followed.latest > now;
    followed.publicId = publicId;
    followed.followers.push_back({sink, now});
    if (missed) {
        Reload(current.id);
    }
}

void Followers::Publish(const store::StoredGame& g) {
    const auto it = m_games.find(g.id);
    if (it == m_games.end()) {
        return;
    }
    it->second.latest = std::max(it->second.latest, g.standings.position);
    auto& followers = it->second.followers;
    std::erase_if(followers, [](const Follower& f) { return f.sink.expired(); });
    if (followers.empty()) {
        m_games.erase(it);
        return;
    }
    const std::size_t oldest =
        std::min_element(followers.begin(), followers.end(), [](const auto& a, const auto& b) {
            return a.sent < b.sent;
        })->sent;
    const auto shows = ShowsAfter(g, it->second.publicId, oldest);
    std::vector<std::string> messages;
    for (const auto& [position, show] : shows) {
        messages.push_back(EventMessage(position, show));
    }
    for (Follower& f : followers) {
        const auto sink = f.sink.lock();
        for (std::size_t i = 0; i < shows.size(); ++i) {
            if (shows[i].first > f.sent) {
                sink->Send(messages[i]);
            }
        }
        f.sent = std::max(f.sent, g.standings.position);
    }
}

void Followers::Heard(std::int64_t game, std::size_t position) {
    const auto it = m_games.find(game);
    if (it == m_games.end()) {
        return;
    }
    const auto& followers = it->second.followers;
    const bool behind = std::any_of(followers.begin(), followers.end(),
                                    [&](const Follower& f) { return f.sent < position; });
    if (behind) {
        Reload(game);
    }
}

void Followers::HeardAll() {
    for (const auto& [game, followed] : m_games) {
        Reload(game);
    }
}

// One load at a time per game: what is heard meanwhile is covered by one more load after it.
void Followers::Reload(std::int64_t game) {
    Followed& followed = m_games[game];
    if (followed.loading) {
        followed.loadAgain = true;
        return;
    }
    // With the workers' queue full the followers wait for the next event, which loads again.
    followed.loading =
        m_workers.Run([game](Stores& s) { return s.games->Load(game); },
                      [this, game](std::variant<store::StoredGame, store::StoreError> loaded) {
                          const auto it = m_games.find(game);
                          if (it == m_games.end()) {
                              return;
                          }
                          it->second.loading = false;
                          const bool again = std::exchange(it->second.loadAgain, false);
                          if (auto* g = std::get_if<store::StoredGame>(&loaded)) {
                              Publish(*g);
                          }
                          if (again && m_games.count(game)) {
                              Reload(game);
                          }
                      });
}

}  // namespace velmarto::server
