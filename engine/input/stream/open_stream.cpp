#include "input/stream/stream_open.h"

#include "platform/net/datagram_transport.h"

#include <algorithm>
#include <vector>

namespace zk::stream {

namespace {

// The next URL of a redirection, or an error when it must not be followed.
int32_t follow_redirect(const StreamUrl& from, const std::string& location, std::vector<std::string>& visited,
                        const StreamTrace& trace, StreamUrl& to) {
    if (static_cast<int>(visited.size()) > kMaxRedirects) {
        trace.debug(0, "too many http redirects", location);
        return ZK_ERROR_HTTP;
    }
    const int32_t result = parse_stream_url(resolve_location(from, location), to);
    if (result != 0) {
        trace.debug(0, "invalid http redirect", location);
        return result;
    }
    if (to.scheme == Scheme::file) {
        trace.debug(0, "http redirect to a file not followed", location);
        return ZK_ERROR_UNSUPPORTED_URL_SCHEME;
    }
    if (std::find(visited.begin(), visited.end(), to.full) != visited.end()) {
        trace.debug(0, "http redirect loop", to.full);
        return ZK_ERROR_HTTP;
    }
    visited.push_back(to.full);
    return 0;
}

} // namespace

int32_t open_stream(const StreamUrl& url, const OpenContext& context, StreamConnection& connection,
                    StreamExtent& extent, uint32_t from) {
    extent = StreamExtent{};
    StreamUrl current = url;
    std::vector<std::string> visited{url.full};
    for (;;) {
        switch (current.scheme) {
        case Scheme::http:
        case Scheme::https: {
            std::string location;
            int32_t result = http_exchange(current, context, from, connection.data, extent, location);
            if (result != 0 || location.empty()) return result;
            StreamUrl next;
            if ((result = follow_redirect(current, location, visited, context.trace, next)) != 0) return result;
            current = std::move(next);
            break;
        }
        case Scheme::ftp: return ftp_dialogue(current, context, connection, extent.size);
        case Scheme::udp: {
            platform::Socket receiver;
            const int32_t result = platform::open_udp_receiver(current.port, receiver);
            if (result == 0) connection.data = std::make_unique<platform::DatagramTransport>(std::move(receiver));
            return result;
        }
        case Scheme::file: return ZK_ERROR_UNSUPPORTED_URL_SCHEME;
        }
    }
}

} // namespace zk::stream
