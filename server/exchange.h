// One request and its answer, as a handler sees them: the request, and either a reply or an event
// stream that stays open. Handlers answer later, from a store worker's result, so they hold it by
// shared_ptr.
#pragma once

#include <boost/beast/http.hpp>
#include <string>

namespace velmarto::server {

using Request = boost::beast::http::request<boost::beast::http::string_body>;
using Response = boost::beast::http::response<boost::beast::http::string_body>;

// Where a follower's messages go; closed once its client is gone.
class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void Send(std::string message) = 0;
};

class Exchange : public EventSink {
public:
    virtual const Request& Incoming() const = 0;
    virtual void Reply(Response response) = 0;
    // Answers with an open text/event-stream; Send() then writes to it.
    virtual void OpenStream() = 0;
};

}  // namespace velmarto::server
