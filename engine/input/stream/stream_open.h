// Opening a network stream: connecting, the HTTP(S) exchange with its proxy
// and redirects, the FTP dialogue, the UDP receiver.
#pragma once

#include "input/stream/stream_connection.h"
#include "input/stream/stream_settings.h"
#include "input/stream/stream_trace.h"
#include "input/stream/stream_url.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zk::stream {

struct OpenContext {
    ProxySettings proxies;
    StreamLimits limits;
    StreamTrace trace;
};

// Redirects followed before an open gives up.
constexpr int kMaxRedirects = 10;

// Resolves host and connects to it, tracing each step.
int32_t connect_host(const std::string& host, uint16_t port, const OpenContext& context, platform::Socket& out);

// One HTTP or HTTPS request and its reply header. On success data delivers
// the body (its framing and radio metadata taken out); a redirection leaves
// data empty and the new location in location.
int32_t http_exchange(const StreamUrl& url, const OpenContext& context, std::unique_ptr<platform::Transport>& data,
                      uint32_t& size, std::string& location);

// The FTP dialogue up to the data connection, passive first, active after.
int32_t ftp_dialogue(const StreamUrl& url, const OpenContext& context, StreamConnection& connection, uint32_t& size);

// Opens url by its scheme, following HTTP redirects; size gets the stream
// size the server told, 0 when unknown.
int32_t open_stream(const StreamUrl& url, const OpenContext& context, StreamConnection& connection, uint32_t& size);

} // namespace zk::stream
