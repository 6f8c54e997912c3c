// URLs of the network input: "http://", "https://", "ftp://", "udp://" and file names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zk::stream {

enum class Scheme { file = 1, http = 2, ftp = 3, udp = 4, https = 5 };

struct StreamUrl {
    Scheme scheme = Scheme::file;
    std::string full; // the whole URL as given
    std::optional<std::string> user;
    std::optional<std::string> password;
    std::string host; // name, dotted address or IPv6 address (without its brackets)
    uint16_t port = 0;
    std::string path; // from the first "/" after the host; the file name for files

    bool is_http() const { return scheme == Scheme::http || scheme == Scheme::https; }
    uint16_t default_port() const;
    // host[:port] as a Host header or CONNECT target names it: IPv6 addresses
    // in brackets, the port only when it is not the scheme's default.
    std::string authority(bool always_port = false) const;
};

// The password of anonymous FTP logins.
extern const char* const kAnonymousFtpPassword;

// Parses text into url: 0, ZK_ERROR_UNSUPPORTED_URL_SCHEME or
// ZK_ERROR_INVALID_URL_SYNTAX (no "//", empty host, a port that is not a
// number from 1 to 65535, an unclosed "[" around an IPv6 host, control
// characters anywhere).
int32_t parse_stream_url(std::string_view text, StreamUrl& url);

// The URL a redirect's location names, seen from base: an absolute URL as it
// stands; "//host/..." with base's scheme; "/path" on base's host; any other
// text in place of the last segment of base's path.
std::string resolve_location(const StreamUrl& base, std::string_view location);

} // namespace zk::stream
