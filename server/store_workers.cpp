#include "server/store_workers.h"

#include "server/limits.h"

namespace velmarto::server {

StoreWorkers::StoreWorkers(boost::asio::io_context& io, std::vector<Stores> stores)
    : m_io(io), m_stores(std::move(stores)) {
    for (Stores& s : m_stores) {
        m_threads.emplace_back([this, &s] { Serve(s); });
    }
}

StoreWorkers::~StoreWorkers() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    for (std::thread& t : m_threads) {
        t.join();
    }
}

bool StoreWorkers::Submit(std::function<void(Stores&)> job) {
    {
        std::lock_guard lock(m_mutex);
        if (m_jobs.size() >= kWorkBacklog) {
            return false;
        }
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
    return true;
}

void StoreWorkers::Serve(Stores& stores) {
    for (;;) {
        std::function<void(Stores&)> job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
            if (m_stop) {
                return;
            }
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job(stores);
    }
}

}  // namespace velmarto::server
