// Every answer carries the same safety headers; an API answer is never cached, and a refused
// request gets a short JSON reason and nothing of the server's insides.
#include "server/session.h"

#include <boost/asio/write.hpp>

#include "server/limits.h"

namespace velmarto::server {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;

namespace {

constexpr std::string_view kStreamHead =
    "HTTP/1.1 200 OK\r\n"
    "Content-Type: text/event-stream; charset=utf-8\r\n"
    "Cache-Control: no-store\r\n"
    "X-Content-Type-Options: nosniff\r\n"
    "X-Accel-Buffering: no\r\n"
    "Connection: close\r\n\r\n";
constexpr std::string_view kKeepAlive = ": keep-alive\n\n";
// What any answer that sets no policy of its own may do: nothing but be read.
constexpr std::string_view kPlainPolicy = "default-src 'none'; frame-ancestors 'none'";

}  // namespace

Session::Session(asio::ip::tcp::socket socket, const Router& router, Timeouts timeouts,
                 std::shared_ptr<void> slot)
    : m_stream(std::move(socket)),
      m_router(router),
      m_timeouts(timeouts),
      m_slot(std::move(slot)),
      m_heartbeat(m_stream.get_executor()) {}

void Session::Start() {
    ReadRequest();
}

void Session::ReadRequest() {
    m_parser.emplace();
    m_parser->body_limit(kBodyLimit);
    m_parser->header_limit(kHeaderLimit);
    m_stream.expires_after(m_timeouts.read);
    http::async_read(m_stream, m_buffer, *m_parser,
                     [self = shared_from_this()](beast::error_code error, std::size_t) {
                         self->OnRequest(error);
                     });
}

void Session::OnRequest(beast::error_code error) {
    if (error == http::error::body_limit) {
        return Refuse(http::status::payload_too_large, "the body is larger than 64 KiB");
    }
    if (error == http::error::header_limit) {
        return Refuse(http::status::request_header_fields_too_large, "the headers are too large");
    }
    if (error == http::error::end_of_stream || error == beast::error::timeout ||
        error == asio::error::connection_reset || error == asio::error::operation_aborted) {
        return Close();
    }
    if (error) {
        return Refuse(http::status::bad_request, "the request does not read as HTTP");
    }
    m_stream.expires_never();
    m_request = m_parser->release();
    m_router(shared_from_this());
}

void Session::Refuse(http::status status, const char* why) {
    Response response{status, 11};
    response.set(http::field::content_type, "application/json");
    response.body() = std::string(R"({"error":")") + why + "\"}\n";
    response.keep_alive(false);
    Reply(std::move(response));
}

void Session::Reply(Response response) {
    if (m_closed) {
        return;
    }
    response.version(m_request.version() ? m_request.version() : 11);
    response.keep_alive(response.keep_alive() && m_request.keep_alive());
    response.set("X-Content-Type-Options", "nosniff");
    if (response.find("Content-Security-Policy") == response.end()) {
        response.set("Content-Security-Policy", kPlainPolicy);
    }
    if (response.find(http::field::cache_control) == response.end()) {
        response.set(http::field::cache_control, "no-store");
    }
    response.prepare_payload();
    m_response = std::move(response);
    m_stream.expires_after(m_timeouts.write);
    http::async_write(m_stream, m_response,
                      [self = shared_from_this()](beast::error_code error, std::size_t) {
                          if (error) {
                              return self->Close();
                          }
                          if (!self->m_response.keep_alive()) {
                              return self->Drain();
                          }
                          self->ReadRequest();
                      });
}

// Closing with unread bytes would reset the connection, and the client could lose the answer (a
// 413 arrives while the body is still coming): the sending side closes first, the rest is read
// and dropped, within the read timeout.
void Session::Drain() {
    beast::error_code ignored;
    m_stream.socket().shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
    m_stream.expires_after(m_timeouts.read);
    m_stream.async_read_some(asio::buffer(m_drained),
                             [self = shared_from_this()](beast::error_code error, std::size_t) {
                                 if (error) {
                                     return self->Close();
                                 }
                                 self->Drain();
                             });
}

void Session::OpenStream() {
    m_backlog.emplace_front(kStreamHead);
    WriteNext();
    WatchForClose();
    Beat();
}

void Session::Send(std::string message) {
    if (m_closed) {
        return;
    }
    if (m_backlog.size() >= kFollowerBacklog) {
        return Close();
    }
    m_backlog.push_back(std::move(message));
    WriteNext();
}

void Session::WriteNext() {
    if (m_writing || m_backlog.empty() || m_closed) {
        return;
    }
    m_writing = true;
    m_stream.expires_after(m_timeouts.write);
    asio::async_write(m_stream, asio::buffer(m_backlog.front()),
                      [self = shared_from_this()](beast::error_code error, std::size_t) {
                          self->m_writing = false;
                          if (error) {
                              return self->Close();
                          }
                          self->m_stream.expires_never();
                          self->m_backlog.pop_front();
                          self->WriteNext();
                      });
}

// A follower sends nothing after its request: anything read, or the end, means it has gone.
void Session::WatchForClose() {
    m_stream.socket().async_read_some(
        asio::buffer(&m_discard, 1),
        [self = shared_from_this()](beast::error_code, std::size_t) { self->Close(); });
}

void Session::Beat() {
    m_heartbeat.expires_after(kHeartbeat);
    m_heartbeat.async_wait([self = shared_from_this()](beast::error_code error) {
        if (error || self->m_closed) {
            return;
        }
        self->Send(std::string(kKeepAlive));
        self->Beat();
    });
}

void Session::Close() {
    if (m_closed) {
        return;
    }
    m_closed = true;
    m_heartbeat.cancel();
    beast::error_code ignored;
    m_stream.socket().shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
    m_stream.close();
}

}  // namespace velmarto::server
