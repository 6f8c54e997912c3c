#include "platform/net/resolver.h"

#include "platform/net/helper_task.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

namespace zk::platform {

bool parse_dotted_address(const std::string& host, uint32_t& address) {
    uint32_t value = 0;
    size_t at = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (at >= host.size()) return false;
            ++at; // the separator, whatever it is
        }
        const size_t start = at;
        uint32_t number = 0;
        while (at < host.size() && host[at] >= '0' && host[at] <= '9') {
            number = number * 10 + static_cast<uint32_t>(host[at++] - '0');
            if (number > 255) return false;
        }
        if (at == start) return false;
        value = value << 8 | number;
    }
    if (at != host.size()) return false;
    address = value;
    return true;
}

namespace {

struct Lookup {
    int32_t code = ZK_ERROR_HOST_UNKNOWN;
    uint32_t address = 0;
};

Lookup look_up(const std::string& host) {
    Lookup lookup;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) == 0 && found) {
        lookup.address = ntohl(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
        lookup.code = ZK_OK;
    }
    if (found) ::freeaddrinfo(found);
    return lookup;
}

} // namespace

int32_t resolve_host(const std::string& host, int timeout_ms, uint32_t& address) {
    if (host.empty()) return ZK_ERROR_HOST_UNKNOWN;
    // Names that begin with a digit ("3com.example") fall through to the resolver.
    if (host[0] >= '0' && host[0] <= '8' && parse_dotted_address(host, address)) return ZK_OK;
    Lookup lookup;
    const int32_t waited = run_with_limit<Lookup>([host] { return look_up(host); }, timeout_ms, lookup);
    if (waited != ZK_OK) return waited;
    if (lookup.code == ZK_OK) address = lookup.address;
    return lookup.code;
}

} // namespace zk::platform
