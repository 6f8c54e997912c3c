// The texts of the HTTP/1.1 exchange: the requests, the status line and the
// header lines of the reply.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zk::stream {

// The GET request for target (a path, or the whole URL through a proxy) on
// host (with its port when not the default). It asks radio servers for
// stream titles and for the connection to close after the reply; from a
// byte offset above 0 it asks for the rest of the body from there.
std::string http_request_text(std::string_view target, std::string_view host, uint32_t from = 0);
// The request that asks a proxy for a tunnel to authority ("host:port").
std::string http_connect_text(std::string_view authority);

// Checks a status line "HTTP/x.y NNN reason" (or a radio server's "ICY NNN
// reason"; the reason may be missing): 0 for the classes 1, 2 and 3 with the
// class digit in status_class, ZK_ERROR_INVALID_HTTP_REPLY when the line
// does not have that form or its class is 0, ZK_ERROR_HTTP_ERROR_REPLY for
// 4 and 5, ZK_ERROR_HTTP for anything else.
int32_t check_http_status_line(std::string_view line, char& status_class);

// True when the header line has the given name (any letter case) followed by
// ":"; value gets the rest without surrounding blanks.
bool header_value(std::string_view line, std::string_view name, std::string_view& value);

// Whether a Transfer-Encoding value ends with "chunked" (any letter case).
bool is_chunked(std::string_view transfer_encoding);

// A Content-Length value: true with the size when it is a decimal number that
// fits 32 bits.
bool parse_content_length(std::string_view value, uint32_t& size);

// A Content-Range value "bytes FIRST-LAST/TOTAL": true with the first byte
// and the total (0 for "*", unknown). Offsets must fit 32 bits.
bool parse_content_range(std::string_view value, uint32_t& first, uint32_t& total);

// Whether an Accept-Ranges value offers byte ranges.
bool accepts_byte_ranges(std::string_view accept_ranges);

} // namespace zk::stream
