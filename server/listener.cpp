#include "server/listener.h"

#include "server/limits.h"

namespace velmarto::server {

namespace asio = boost::asio;

Listener::Listener(asio::io_context& io, const asio::ip::tcp::endpoint& at, Router router,
                   Timeouts timeouts)
    : m_acceptor(io, at), m_router(std::move(router)), m_timeouts(timeouts) {}

void Listener::Start() {
    Accept();
}

void Listener::Accept() {
    m_acceptor.async_accept([this](boost::system::error_code error, asio::ip::tcp::socket socket) {
        if (error == asio::error::operation_aborted) {
            return;
        }
        // Over the cap the connection is closed at once: the client sees a refusal, not a hang.
        const auto open = static_cast<std::size_t>(m_connections.use_count() - 1);
        if (!error && open < kConnectionCap) {
            std::make_shared<Session>(std::move(socket), m_router, m_timeouts, m_connections)
                ->Start();
        }
        Accept();
    });
}

}  // namespace velmarto::server
