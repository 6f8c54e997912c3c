#include "platform/net/resolver.h"

#include "platform/net/helper_task.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <cstring>
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
    std::vector<NetAddress> addresses;
};

Lookup look_up(const std::string& host, uint16_t port, int flags) {
    Lookup lookup;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = flags;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) == 0) {
        for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
            if (entry->ai_family != AF_INET && entry->ai_family != AF_INET6) continue;
            if (entry->ai_addrlen > sizeof(sockaddr_storage)) continue;
            NetAddress address;
            std::memcpy(&address.storage, entry->ai_addr, entry->ai_addrlen);
            address.length = entry->ai_addrlen;
            lookup.addresses.push_back(address.with_port(port));
        }
    }
    if (found) ::freeaddrinfo(found);
    if (!lookup.addresses.empty()) lookup.code = ZK_OK;
    return lookup;
}

} // namespace

int32_t resolve_host(const std::string& host, uint16_t port, int timeout_ms, std::vector<NetAddress>& addresses) {
    addresses.clear();
    if (host.empty()) return ZK_ERROR_HOST_UNKNOWN;
    uint32_t dotted = 0;
    // Names that begin with a digit ("3com.example") fall through to the resolver.
    if (host[0] >= '0' && host[0] <= '8' && parse_dotted_address(host, dotted)) {
        addresses.push_back(NetAddress::from_ipv4(dotted, port));
        return ZK_OK;
    }
    if (host.find(':') != std::string::npos) {
        Lookup literal = look_up(host, port, AI_NUMERICHOST);
        addresses = std::move(literal.addresses);
        return literal.code;
    }
    Lookup lookup;
    const int32_t waited = run_with_limit<Lookup>([host, port] { return look_up(host, port, 0); }, timeout_ms, lookup);
    if (waited != ZK_OK) return waited;
    addresses = std::move(lookup.addresses);
    return lookup.code;
}

} // namespace zk::platform
