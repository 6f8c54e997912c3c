#include "input/stream/http_reply.h"
#include "input/stream/line_reader.h"
#include "input/stream/stream_open.h"

#include <cerrno>
#include <cstring>

namespace zk::stream {

namespace {

constexpr size_t kHttpLineKept = 4096;      // room for long redirect targets
constexpr size_t kHttpHeaderBudget = 65536; // a header section longer than this is refused

} // namespace

int32_t http_exchange(const StreamUrl& url, const OpenContext& context, platform::Socket& data, uint32_t& size,
                      std::string& location) {
    const StreamTrace& trace = context.trace;
    size = 0;
    location.clear();
    const bool proxied = !context.proxy.host.empty();
    platform::Socket socket;
    int32_t result = proxied ? connect_host(context.proxy.host, context.proxy.port, context, socket)
                             : connect_host(url.host, url.port, context, socket);
    if (result != 0) return result;

    const std::string& target = proxied ? url.full : url.path;
    trace.debug(1, "requesting data", target);
    const std::string request = http_request_text(target, url.host);
    if (platform::send_all(socket.fd(), request.data(), request.size()) != 0) {
        trace.debug(0, "error while sending request", std::strerror(errno));
        return ZK_FAILURE;
    }

    LineReader reader(socket.fd(), context.limits.http_byte, kHttpLineKept, kHttpHeaderBudget,
                      ZK_ERROR_INVALID_HTTP_REPLY, context.limits.http_reply);
    std::string line;
    if ((result = reader.read_line(line)) != 0) return result;
    if (line.empty()) {
        data = std::move(socket);
        return 0;
    }
    trace.debug(1, "got http reply", line);
    char status_class = 0;
    result = check_http_status_line(line, status_class);
    if (result == ZK_ERROR_HTTP_ERROR_REPLY) trace.debug(0, "http request failed", line);
    if (result != 0) return result;

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
        if (header_value(line, "Content-Length", value) && !parse_content_length(value, size)) size = 0;
    }
    if (status_class == '3') {
        trace.debug(0, "http redirect without location");
        return ZK_ERROR_INVALID_HTTP_REPLY;
    }
    trace.debug(0, "http request successfull");
    data = std::move(socket);
    return 0;
}

} // namespace zk::stream
