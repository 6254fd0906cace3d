// The callbacks run on the listener's thread: the caller hands them over to its own.
#include "store/postgres_listener.h"

#include <chrono>
#include <pqxx/pqxx>

#include "store/postgres_game_store.h"

namespace velmarto::store {
namespace {

// How often the thread looks up from waiting to see whether it should stop.
constexpr long kWakeSeconds = 1;
// Between attempts to reach a database that is down: soon back, without hammering it.
constexpr auto kReconnectPause = std::chrono::milliseconds(500);

class Receiver final : public pqxx::notification_receiver {
public:
    Receiver(pqxx::connection_base& c, const PostgresListener::OnEvent& onEvent)
        : pqxx::notification_receiver(c, std::string(kEventChannel)), m_onEvent(onEvent) {}

    void operator()(const std::string& payload, int) override {
        const auto colon = payload.find(':');
        if (colon == std::string::npos) {
            return;
        }
        try {
            m_onEvent(std::stoll(payload.substr(0, colon)), std::stoull(payload.substr(colon + 1)));
        } catch (const std::logic_error&) {
            // Not one of ours: another program may share the channel's name.
        }
    }

private:
    const PostgresListener::OnEvent& m_onEvent;
};

}  // namespace

PostgresListener::PostgresListener(std::string url, OnEvent onEvent, OnListening onListening)
    : m_url(std::move(url)),
      m_onEvent(std::move(onEvent)),
      m_onListening(std::move(onListening)),
      m_thread([this] { Run(); }) {}

PostgresListener::~PostgresListener() {
    m_stop = true;
    m_thread.join();
}

void PostgresListener::Run() {
    while (!m_stop) {
        try {
            pqxx::connection c(m_url);
            Receiver receiver(c, m_onEvent);
            m_onListening();
            while (!m_stop) {
                c.await_notification(kWakeSeconds, 0);
                if (!c.is_open()) {
                    throw pqxx::broken_connection("the database went away");
                }
            }
        } catch (const pqxx::failure&) {
            std::this_thread::sleep_for(kReconnectPause);
        }
    }
}

}  // namespace velmarto::store
