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

// What a server told of the stream it sends: the whole size (0 when
// unknown), the offset in it where the data begins, and whether it can be
// asked for the data from another offset (HTTP byte ranges).
struct StreamExtent {
    uint32_t size = 0;
    uint32_t start = 0;
    bool byte_ranges = false;
};

// Redirects followed before an open gives up.
constexpr int kMaxRedirects = 10;

// Resolves host and connects to it, tracing each step.
int32_t connect_host(const std::string& host, uint16_t port, const OpenContext& context, platform::Socket& out);

// One HTTP or HTTPS request, for the body from byte `from` on, and its
// reply header. On success data delivers the body (its framing and radio
// metadata taken out); a redirection leaves data empty and the new location
// in location. A server that ignores the range sends the body from 0
// (extent.start says which).
int32_t http_exchange(const StreamUrl& url, const OpenContext& context, uint32_t from,
                      std::unique_ptr<platform::Transport>& data, StreamExtent& extent, std::string& location);

// The FTP dialogue up to the data connection, passive first, active after.
int32_t ftp_dialogue(const StreamUrl& url, const OpenContext& context, StreamConnection& connection, uint32_t& size);

// Opens url by its scheme, following HTTP redirects; extent gets what the
// server told. HTTP(S) asks for the data from byte `from` on; the other
// schemes always start at 0.
int32_t open_stream(const StreamUrl& url, const OpenContext& context, StreamConnection& connection,
                    StreamExtent& extent, uint32_t from = 0);

} // namespace zk::stream
