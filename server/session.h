// One client connection: reads requests within the limits, hands each to the router, writes the
// answer, and keeps the connection for the next; or, once a handler opens an event stream, writes
// the stream's messages until the client leaves.
#pragma once

#include <array>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "server/exchange.h"

namespace velmarto::server {

struct Timeouts {
    std::chrono::milliseconds read;
    std::chrono::milliseconds write;
};

using Router = std::function<void(std::shared_ptr<Exchange>)>;

class Session final : public Exchange, public std::enable_shared_from_this<Session> {
public:
    // `slot` is held for as long as the connection lives: the server counts them by it.
    Session(boost::asio::ip::tcp::socket socket, const Router& router, Timeouts timeouts,
            std::shared_ptr<void> slot);
    void Start();

    const Request& Incoming() const override { return m_request; }
    void Reply(Response response) override;
    void OpenStream() override;
    void Send(std::string message) override;

private:
    void ReadRequest();
    void OnRequest(boost::beast::error_code error);
    void Refuse(boost::beast::http::status status, const char* why);
    void Drain();
    void WriteNext();
    void WatchForClose();
    void Beat();
    void Close();

    boost::beast::tcp_stream m_stream;
    boost::beast::flat_buffer m_buffer;
    std::optional<boost::beast::http::request_parser<boost::beast::http::string_body>> m_parser;
    Request m_request;
    Response m_response;
    const Router& m_router;
    Timeouts m_timeouts;
    std::shared_ptr<void> m_slot;
    // The event stream: messages not yet written, whether one is being written, and the timer of
    // the comment line that keeps a quiet stream open.
    std::deque<std::string> m_backlog;
    bool m_writing = false;
    bool m_closed = false;
    char m_discard = 0;
    std::array<char, 4096> m_drained{};
    boost::asio::steady_timer m_heartbeat;
};

}  // namespace velmarto::server
