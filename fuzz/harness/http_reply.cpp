// HTTP replies: the status line and header lines as the network input reads
// them from its socket (line reader limits as in the HTTP exchange).
#include "input/stream/http_reply.h"
#include "input/stream/line_reader.h"
#include "input/stream/stream_url.h"
#include "support/reply_socket.h"
#include "zelkor.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 200000) return 0;
    ReplySocket server(data, size);
    zk::stream::LineReader reader(server.transport(), 1000, 4096, 65536, ZK_ERROR_INVALID_HTTP_REPLY);
    std::string line;
    if (reader.read_line(line) != 0 || line.empty()) return 0;
    char status_class = 0;
    const int32_t status = zk::stream::check_http_status_line(line, status_class);
    if (status == 0 && (status_class < '1' || status_class > '3')) std::abort();
    if (status != 0) return 0;

    zk::stream::StreamUrl base;
    if (zk::stream::parse_stream_url("http://radio.example.org:8000/live/stream.mp3", base) != 0) std::abort();
    while (reader.read_line(line) == 0 && !line.empty()) {
        if (line.size() > 4096) std::abort();
        std::string_view value;
        if (zk::stream::header_value(line, "Location", value)) {
            zk::stream::StreamUrl target;
            zk::stream::parse_stream_url(zk::stream::resolve_location(base, value), target);
        }
        uint32_t length = 0;
        if (zk::stream::header_value(line, "Content-Length", value)) zk::stream::parse_content_length(value, length);
    }
    return 0;
}
