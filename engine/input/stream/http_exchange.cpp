#include "input/stream/http_body.h"
#include "input/stream/http_reply.h"
#include "input/stream/icy_stream.h"
#include "input/stream/line_reader.h"
#include "input/stream/proxy_choice.h"
#include "input/stream/stream_open.h"
#include "input/stream/tls_transport.h"

#include <cerrno>
#include <cstring>

namespace zk::stream {

namespace {

using platform::Transport;

constexpr size_t kHttpLineKept = 4096;      // room for long redirect targets
constexpr size_t kHttpHeaderBudget = 65536; // a header section longer than this is refused

LineReader reply_reader(Transport& transport, const OpenContext& context) {
    return LineReader(transport, context.limits.http_byte, kHttpLineKept, kHttpHeaderBudget,
                      ZK_ERROR_INVALID_HTTP_REPLY, context.limits.http_reply);
}

int32_t send_request(Transport& transport, const std::string& request, const StreamTrace& trace) {
    const int32_t result = transport.send_all(request.data(), request.size());
    if (result != 0) {
        trace.debug(0, "error while sending request", std::strerror(errno));
        return ZK_FAILURE;
    }
    return 0;
}

// Asks the proxy on socket for a tunnel to the URL's server.
int32_t open_tunnel(platform::Socket& socket, const StreamUrl& url, const OpenContext& context) {
    const StreamTrace& trace = context.trace;
    platform::PlainTransport transport(std::move(socket));
    trace.debug(1, "requesting tunnel", url.authority(true));
    int32_t result = send_request(transport, http_connect_text(url.authority(true)), trace);
    if (result != 0) return result;
    LineReader reader = reply_reader(transport, context);
    std::string line;
    if ((result = reader.read_line(line)) != 0) return result;
    trace.debug(1, "got proxy reply", line);
    char status_class = 0;
    result = check_http_status_line(line, status_class);
    if (result == 0 && status_class != '2') result = ZK_ERROR_HTTP_ERROR_REPLY;
    if (result != 0) {
        trace.debug(0, "proxy refused the tunnel", line);
        return result;
    }
    do {
        if ((result = reader.read_line(line)) != 0) return result;
    } while (!line.empty());
    socket = std::move(transport.socket());
    return 0;
}

// The connection the request goes on: to the server or its proxy, tunnelled
// and secured for HTTPS.
int32_t connect_for(const StreamUrl& url, const HttpProxy* proxy, const OpenContext& context,
                    std::unique_ptr<Transport>& out) {
    platform::Socket socket;
    int32_t result = proxy ? connect_host(proxy->host, proxy->port, context, socket)
                           : connect_host(url.host, url.port, context, socket);
    if (result != 0) return result;
    if (url.scheme != Scheme::https) {
        out = std::make_unique<platform::PlainTransport>(std::move(socket));
        return 0;
    }
    if (proxy && (result = open_tunnel(socket, url, context)) != 0) return result;
    return open_tls(std::move(socket), url.host, context.limits.connect, context.trace, out);
}

// What the reply's header says about its body.
struct BodyHeader {
    bool chunked = false;
    bool has_length = false;
    uint32_t length = 0;
    uint32_t metaint = 0;
    std::string station;
    bool accepts_ranges = false;
    bool has_range = false;
    uint32_t range_first = 0;
    uint32_t range_total = 0;
};

// What the reply says of the stream's size and start. A reply that sends a
// part (206) names it; only a stream of known size without radio metadata
// can be asked for parts.
StreamExtent extent_of(std::string_view status_line, const BodyHeader& header) {
    StreamExtent extent;
    const bool known_length = header.has_length && !header.chunked;
    const size_t space = status_line.find(' ');
    const bool partial = space != std::string_view::npos && status_line.substr(space + 1, 3) == "206";
    if (partial && header.has_range) {
        extent.start = header.range_first;
        extent.size = header.range_total ? header.range_total : known_length ? header.range_first + header.length : 0;
        extent.byte_ranges = extent.size > 0 && header.metaint == 0;
        return extent;
    }
    if (known_length) extent.size = header.length;
    extent.byte_ranges = header.accepts_ranges && extent.size > 0 && header.metaint == 0;
    return extent;
}

// The body layers the header asks for over the connection.
std::unique_ptr<Transport> body_over(std::unique_ptr<Transport> transport, const BodyHeader& header,
                                     const StreamTrace& trace) {
    if (header.chunked)
        transport = std::make_unique<HttpBody>(std::move(transport), HttpBody::Framing::chunked);
    else if (header.has_length)
        transport = std::make_unique<HttpBody>(std::move(transport), HttpBody::Framing::length, header.length);
    if (header.metaint > 0) transport = std::make_unique<IcyStream>(std::move(transport), header.metaint, trace);
    return transport;
}

} // namespace

int32_t http_exchange(const StreamUrl& url, const OpenContext& context, uint32_t from, std::unique_ptr<Transport>& data,
                      StreamExtent& extent, std::string& location) {
    const StreamTrace& trace = context.trace;
    extent = StreamExtent{};
    location.clear();
    const HttpProxy* proxy = proxy_for(context.proxies, url);
    std::unique_ptr<Transport> transport;
    int32_t result = connect_for(url, proxy, context, transport);
    if (result != 0) return result;

    // A proxy forwards plain HTTP requests, which then name the whole URL.
    const std::string& target = proxy && url.scheme == Scheme::http ? url.full : url.path;
    trace.debug(1, "requesting data", target);
    if ((result = send_request(*transport, http_request_text(target, url.authority(), from), trace)) != 0)
        return result;

    LineReader reader = reply_reader(*transport, context);
    std::string line;
    if ((result = reader.read_line(line)) != 0) return result;
    if (line.empty()) {
        data = std::move(transport);
        return 0;
    }
    trace.debug(1, "got http reply", line);
    const std::string status_line = line;
    char status_class = 0;
    result = check_http_status_line(line, status_class);
    if (result == ZK_ERROR_HTTP_ERROR_REPLY) trace.debug(0, "http request failed", line);
    if (result != 0) return result;

    BodyHeader header;
    for (;;) {
        if ((result = reader.read_line(line)) != 0) return result;
        if (line.empty()) break;
        trace.debug(1, "http header", line);
        std::string_view value;
        if (status_class == '3' && header_value(line, "Location", value)) {
            if (value.empty() || line.size() >= kHttpLineKept) break; // empty or cut off: no target
            location = std::string(value);
            trace.debug(0, "http redirect, new location", location);
            return 0;
        }
        if (header_value(line, "Content-Length", value))
            header.has_length = parse_content_length(value, header.length);
        else if (header_value(line, "Transfer-Encoding", value))
            header.chunked = is_chunked(value);
        else if (header_value(line, "icy-metaint", value) && !parse_content_length(value, header.metaint))
            header.metaint = 0;
        else if (header_value(line, "icy-name", value))
            header.station = std::string(value);
        else if (header_value(line, "Accept-Ranges", value))
            header.accepts_ranges = accepts_byte_ranges(value);
        else if (header_value(line, "Content-Range", value))
            header.has_range = parse_content_range(value, header.range_first, header.range_total);
    }
    if (status_class == '3') {
        trace.debug(0, "http redirect without location");
        return ZK_ERROR_INVALID_HTTP_REPLY;
    }
    // A chunked body's length is the chunks', whatever else the header says.
    extent = extent_of(status_line, header);
    trace.debug(0, "http request successfull");
    if (!header.station.empty()) trace.progress(ZK_PROGRESS_STREAM_NAME, 0, header.station.c_str());
    data = body_over(std::move(transport), header, trace);
    return 0;
}

} // namespace zk::stream
