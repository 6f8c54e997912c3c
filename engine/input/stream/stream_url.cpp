#include "input/stream/stream_url.h"

#include "zelkor.h"

#include <algorithm>
#include <cctype>

namespace zk::stream {

const char* const kAnonymousFtpPassword = "zelkor@example.org";

namespace {

bool same_text(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool has_control_characters(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

// A decimal port from 1 to 65535, nothing else.
bool parse_port(std::string_view text, uint16_t& port) {
    if (text.empty() || text.size() > 5) return false;
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    if (value == 0 || value > 65535) return false;
    port = static_cast<uint16_t>(value);
    return true;
}

// "scheme://authority" of a URL's text: everything before its path.
std::string_view origin_of(std::string_view full) {
    const size_t slashes = full.find("//");
    if (slashes == std::string_view::npos) return full;
    const size_t path = full.find('/', slashes + 2);
    return path == std::string_view::npos ? full : full.substr(0, path);
}

} // namespace

int32_t parse_stream_url(std::string_view text, StreamUrl& url) {
    if (has_control_characters(text)) return ZK_ERROR_INVALID_URL_SYNTAX;
    StreamUrl parsed;
    parsed.full = std::string(text);
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 1) {
        parsed.scheme = Scheme::file;
        parsed.path = parsed.full;
        url = std::move(parsed);
        return 0;
    }
    const std::string_view scheme = text.substr(0, colon);
    std::string_view rest = text.substr(colon + 1);
    if (same_text(scheme, "file")) {
        if (rest.substr(0, 2) == "//") rest.remove_prefix(2);
        parsed.scheme = Scheme::file;
        parsed.path = std::string(rest);
        url = std::move(parsed);
        return 0;
    }
    if (same_text(scheme, "http")) {
        parsed.scheme = Scheme::http;
    } else if (same_text(scheme, "https")) {
        parsed.scheme = Scheme::https;
    } else if (same_text(scheme, "ftp")) {
        parsed.scheme = Scheme::ftp;
    } else if (same_text(scheme, "udp")) {
        parsed.scheme = Scheme::udp;
    } else {
        return ZK_ERROR_UNSUPPORTED_URL_SCHEME;
    }
    parsed.port = parsed.default_port();
    if (rest.substr(0, 2) != "//") return ZK_ERROR_INVALID_URL_SYNTAX;
    rest.remove_prefix(2);
    const size_t slash = rest.find('/');
    parsed.path = slash == std::string_view::npos ? std::string("/") : std::string(rest.substr(slash));
    std::string_view authority = rest.substr(0, slash);

    // The last "@" ends the user part, so a password may contain "@".
    const size_t at = authority.rfind('@');
    if (at != std::string_view::npos) {
        const std::string_view login = authority.substr(0, at);
        const size_t separator = login.find(':');
        parsed.user = std::string(login.substr(0, separator));
        if (separator != std::string_view::npos) parsed.password = std::string(login.substr(separator + 1));
        authority.remove_prefix(at + 1);
    }
    size_t port_colon = authority.find(':');
    if (authority.substr(0, 1) == "[") {
        const size_t close = authority.find(']');
        if (close == std::string_view::npos) return ZK_ERROR_INVALID_URL_SYNTAX;
        parsed.host = std::string(authority.substr(1, close - 1));
        if (close + 1 < authority.size() && authority[close + 1] != ':') return ZK_ERROR_INVALID_URL_SYNTAX;
        port_colon = close + 1 < authority.size() ? close + 1 : std::string_view::npos;
    } else {
        parsed.host = std::string(authority.substr(0, port_colon));
    }
    if (port_colon != std::string_view::npos && !parse_port(authority.substr(port_colon + 1), parsed.port))
        return ZK_ERROR_INVALID_URL_SYNTAX;
    if (parsed.host.empty()) return ZK_ERROR_INVALID_URL_SYNTAX;

    if (parsed.scheme == Scheme::ftp) {
        if (!parsed.user) parsed.user = "anonymous";
        if (!parsed.password) parsed.password = kAnonymousFtpPassword;
    }
    url = std::move(parsed);
    return 0;
}

uint16_t StreamUrl::default_port() const {
    switch (scheme) {
    case Scheme::http: return 80;
    case Scheme::https: return 443;
    case Scheme::ftp: return 21;
    case Scheme::udp: return 8888;
    case Scheme::file: break;
    }
    return 0;
}

std::string StreamUrl::authority(bool always_port) const {
    std::string text = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    if (always_port || port != default_port()) text += ":" + std::to_string(port);
    return text;
}

std::string resolve_location(const StreamUrl& base, std::string_view location) {
    const size_t colon = location.find(':');
    const size_t slash = location.find('/');
    if (colon != std::string_view::npos && (slash == std::string_view::npos || colon < slash))
        return std::string(location);
    if (location.substr(0, 2) == "//") {
        const size_t scheme_end = base.full.find(':');
        return base.full.substr(0, scheme_end + 1) + std::string(location);
    }
    const std::string origin(origin_of(base.full));
    if (location.substr(0, 1) == "/") return origin + std::string(location);
    const std::string_view path = std::string_view(base.path).substr(0, base.path.find('?'));
    const size_t last = path.rfind('/');
    const std::string directory = last == std::string_view::npos ? "/" : std::string(path.substr(0, last + 1));
    return origin + directory + std::string(location);
}

} // namespace zk::stream
