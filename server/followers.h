// Who follows which game, and what each has been sent. A new event reaches them from this server's
// own record, or, on a shared database, from another server by way of the listener; either way
// each follower gets every position once and in order.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "server/exchange.h"
#include "server/store_workers.h"

namespace velmarto::server {

class Followers {
public:
    explicit Followers(StoreWorkers& workers) : m_workers(workers) {}

    // Sends the follower what it lacks after `seen` (without it: the current SHOW), then follows.
    void Add(const store::StoredGame& current, const std::string& publicId,
             std::shared_ptr<EventSink> sink, std::optional<std::size_t> seen);
    // The game as just recorded, or just loaded.
    void Publish(const store::StoredGame& g);
    // Another server recorded the game up to `position`.
    void Heard(std::int64_t game, std::size_t position);
    // Anything may have been recorded while the listener was away.
    void HeardAll();

private:
    struct Follower {
        std::weak_ptr<EventSink> sink;
        std::size_t sent = 0;
    };
    struct Followed {
        std::string publicId;
        std::vector<Follower> followers;
        std::size_t latest = 0;  // the newest position published
        bool loading = false;
        bool loadAgain = false;
    };
    void Reload(std::int64_t game);

    StoreWorkers& m_workers;
    std::unordered_map<std::int64_t, Followed> m_games;
};

}  // namespace velmarto::server
