// The threads that talk to the database, each with its own connection, so the one thread that
// serves every client never waits for a disk or a lock. A job runs on a worker; its result comes
// back to the serving thread.
#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "server/backend.h"

namespace velmarto::server {

class StoreWorkers {
public:
    // Takes one opened Stores per worker.
    StoreWorkers(boost::asio::io_context& io, std::vector<Stores> stores);
    ~StoreWorkers();
    StoreWorkers(const StoreWorkers&) = delete;
    StoreWorkers& operator=(const StoreWorkers&) = delete;

    // work(Stores&) runs on a worker; done(its result) on the serving thread. False, and nothing
    // run, when kWorkBacklog jobs are already waiting.
    template <typename Work, typename Done>
    [[nodiscard]] bool Run(Work work, Done done) {
        return Submit([&io = m_io, work = std::move(work), done = std::move(done)](Stores& stores) {
            boost::asio::post(io,
                              [done, result = work(stores)]() mutable { done(std::move(result)); });
        });
    }

private:
    bool Submit(std::function<void(Stores&)> job);
    void Serve(Stores& stores);

    boost::asio::io_context& m_io;
    std::vector<Stores> m_stores;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void(Stores&)>> m_jobs;
    bool m_stop = false;
    std::vector<std::thread> m_threads;
};

}  // namespace velmarto::server
