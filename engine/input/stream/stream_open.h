// Opening a network stream: connecting, the HTTP exchange with its proxy and
// redirects, the active FTP dialogue, the UDP receiver.
#pragma once

#include "input/stream/stream_connection.h"
#include "input/stream/stream_settings.h"
#include "input/stream/stream_trace.h"
#include "input/stream/stream_url.h"

#include <cstdint>
#include <string>

namespace zk::stream {

struct OpenContext {
    HttpProxy proxy;
    StreamLimits limits;
    StreamTrace trace;
};

// Redirects followed before an open gives up.
constexpr int kMaxRedirects = 10;

// Resolves host and connects to it, tracing each step.
int32_t connect_host(const std::string& host, uint16_t port, const OpenContext& context, platform::Socket& out);

// One HTTP request and its reply header. On success the body follows on
// data; a redirection leaves data closed and the new location in location.
int32_t http_exchange(const StreamUrl& url, const OpenContext& context, platform::Socket& data, uint32_t& size,
                      std::string& location);

// The active FTP dialogue up to the accepted data connection.
int32_t ftp_dialogue(const StreamUrl& url, const OpenContext& context, StreamConnection& connection, uint32_t& size);

// Opens url by its scheme, following HTTP redirects; size gets the stream
// size the server told, 0 when unknown.
int32_t open_stream(const StreamUrl& url, const OpenContext& context, StreamConnection& connection, uint32_t& size);

} // namespace zk::stream
