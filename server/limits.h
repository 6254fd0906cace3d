// Every limit the server sets, with its reason; the timeouts are defaults an option can change.
#pragma once

#include <chrono>
#include <cstddef>

namespace velmarto::server {

// A whole game's export with every event runs to a few kilobytes; 64 KiB leaves room and no more.
inline constexpr std::size_t kBodyLimit = 64 * 1024;
// Browsers send a few hundred bytes of headers; 8 KiB is the common server default.
inline constexpr std::size_t kHeaderLimit = 8 * 1024;
// A client has this long to send a whole request, and to start the next one on a kept connection:
// a slow or silent client is cut instead of holding a slot.
inline constexpr std::chrono::milliseconds kReadTimeout{10'000};
// A follower that does not take a message within this long is gone or too slow to keep.
inline constexpr std::chrono::milliseconds kWriteTimeout{10'000};
// Proxies and phones drop a stream that stays silent; a comment line this often keeps it open.
inline constexpr std::chrono::seconds kHeartbeat{15};
// Messages waiting for one follower; more means it cannot keep up, and it is cut.
inline constexpr std::size_t kFollowerBacklog = 256;
// Open connections, followers included: a club's tables and their phones, with a wide margin,
// well under the descriptors the process may hold.
inline constexpr std::size_t kConnectionCap = 4096;
// Threads talking to the database: SQLite takes one writer at a time, so two (a reader beside the
// writer); PostgreSQL takes writers in parallel, one connection each.
inline constexpr int kSqliteWorkers = 2;
inline constexpr int kPostgresWorkers = 8;
// Requests waiting for a database worker: past this the database is not keeping up, and a client
// is better told at once to come back than kept waiting in a queue that only grows.
inline constexpr std::size_t kWorkBacklog = 1024;
// What a 503 tells the client to wait before it tries again, in seconds.
inline constexpr int kRetryAfterSeconds = 2;

}  // namespace velmarto::server
