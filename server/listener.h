// Accepts connections on one address and starts a session for each, up to the connection cap.
#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <memory>

#include "server/session.h"

namespace velmarto::server {

class Listener {
public:
    // Binds at once, so a taken port is known before the server says it is ready.
    Listener(boost::asio::io_context& io, const boost::asio::ip::tcp::endpoint& at, Router router,
             Timeouts timeouts);
    boost::asio::ip::tcp::endpoint Bound() const { return m_acceptor.local_endpoint(); }
    void Start();

private:
    void Accept();

    boost::asio::ip::tcp::acceptor m_acceptor;
    Router m_router;
    Timeouts m_timeouts;
    // One share per open connection; its use count is the number open.
    std::shared_ptr<int> m_connections = std::make_shared<int>(0);
};

}  // namespace velmarto::server
