// Follows the events every server on one PostgreSQL database records, through LISTEN on the
// store's event channel, on a thread of its own with a connection of its own.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace velmarto::store {

class PostgresListener {
public:
    using OnEvent = std::function<void(std::int64_t game, std::size_t position)>;
    // Called after every (re)connection: what was recorded while away was not heard.
    using OnListening = std::function<void()>;

    PostgresListener(std::string url, OnEvent onEvent, OnListening onListening);
    ~PostgresListener();
    PostgresListener(const PostgresListener&) = delete;
    PostgresListener& operator=(const PostgresListener&) = delete;

private:
    void Run();

    std::string m_url;
    OnEvent m_onEvent;
    OnListening m_onListening;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace velmarto::store
