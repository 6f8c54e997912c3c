#include "input/stream/http_reply.h"

#include "zelkor.h"

#include <cctype>

namespace zk::stream {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

} // namespace

std::string http_request_text(std::string_view target, std::string_view host, uint32_t from) {
    std::string request = "GET ";
    request += target;
    request += " HTTP/1.1\r\nHost: ";
    request += host;
    request += "\r\nUser-Agent: Zelkor/1.0\r\nAccept: */*\r\n";
    if (from > 0) request += "Range: bytes=" + std::to_string(from) + "-\r\n";
    request += "Icy-MetaData: 1\r\nConnection: close\r\n\r\n";
    return request;
}

std::string http_connect_text(std::string_view authority) {
    std::string request = "CONNECT ";
    request += authority;
    request += " HTTP/1.1\r\nHost: ";
    request += authority;
    request += "\r\nUser-Agent: Zelkor/1.0\r\n\r\n";
    return request;
}

bool is_chunked(std::string_view transfer_encoding) {
    transfer_encoding = trimmed(transfer_encoding);
    const size_t last = transfer_encoding.find_last_of(", ");
    std::string_view coding = last == std::string_view::npos ? transfer_encoding : transfer_encoding.substr(last + 1);
    constexpr std::string_view chunked = "chunked";
    if (coding.size() != chunked.size()) return false;
    for (size_t i = 0; i < chunked.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(coding[i])) != chunked[i]) return false;
    return true;
}

int32_t check_http_status_line(std::string_view line, char& status_class) {
    if (line.substr(0, 5) == "HTTP/") {
        // "HTTP/" then a character, ".", a character.
        if (line.size() < 8 || line[6] != '.') return ZK_ERROR_INVALID_HTTP_REPLY;
        line.remove_prefix(8);
    } else if (line.substr(0, 3) == "ICY") {
        line.remove_prefix(3);
    } else {
        return ZK_ERROR_INVALID_HTTP_REPLY;
    }
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front()))) line.remove_prefix(1);
    if (line.size() < 3 || std::isspace(static_cast<unsigned char>(line[0])) ||
        std::isspace(static_cast<unsigned char>(line[1])) || std::isspace(static_cast<unsigned char>(line[2])))
        return ZK_ERROR_INVALID_HTTP_REPLY;
    if (line.size() > 3 && !std::isspace(static_cast<unsigned char>(line[3]))) return ZK_ERROR_INVALID_HTTP_REPLY;
    status_class = line[0];
    switch (status_class) {
    case '0': return ZK_ERROR_INVALID_HTTP_REPLY;
    case '1':
    case '2':
    case '3': return 0;
    case '4':
    case '5': return ZK_ERROR_HTTP_ERROR_REPLY;
    default: return ZK_ERROR_HTTP;
    }
}

bool header_value(std::string_view line, std::string_view name, std::string_view& value) {
    if (line.size() <= name.size() || line[name.size()] != ':') return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(line[i])) != std::tolower(static_cast<unsigned char>(name[i])))
            return false;
    value = trimmed(line.substr(name.size() + 1));
    return true;
}

bool parse_content_length(std::string_view value, uint32_t& size) {
    if (value.empty()) return false;
    uint64_t number = 0;
    for (char c : value) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + static_cast<uint64_t>(c - '0');
        if (number > 0xFFFFFFFFu) return false;
    }
    size = static_cast<uint32_t>(number);
    return true;
}

bool parse_content_range(std::string_view value, uint32_t& first, uint32_t& total) {
    constexpr std::string_view unit = "bytes ";
    if (value.substr(0, unit.size()) != unit) return false;
    value = trimmed(value.substr(unit.size()));
    const size_t dash = value.find('-');
    const size_t slash = value.find('/');
    if (dash == std::string_view::npos || slash == std::string_view::npos || slash < dash) return false;
    uint32_t last = 0;
    if (!parse_content_length(value.substr(0, dash), first) ||
        !parse_content_length(value.substr(dash + 1, slash - dash - 1), last) || last < first)
        return false;
    const std::string_view whole = value.substr(slash + 1);
    if (whole == "*") {
        total = 0;
        return true;
    }
    return parse_content_length(whole, total) && last < total;
}

bool accepts_byte_ranges(std::string_view accept_ranges) {
    accept_ranges = trimmed(accept_ranges);
    constexpr std::string_view bytes = "bytes";
    if (accept_ranges.size() != bytes.size()) return false;
    for (size_t i = 0; i < bytes.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(accept_ranges[i])) != bytes[i]) return false;
    return true;
}

} // namespace zk::stream
