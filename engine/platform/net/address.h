// A socket address of either family, as the resolver gives and connect takes.
#pragma once

#include <cstdint>
#include <string>
#include <sys/socket.h>

namespace zk::platform {

struct NetAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;

    int family() const { return storage.ss_family; }
    uint16_t port() const;
    // The numeric address without port ("127.0.0.1", "::1").
    std::string text() const;
    // The IPv4 address in host byte order (0 for IPv6).
    uint32_t ipv4() const;

    static NetAddress from_ipv4(uint32_t address, uint16_t port);
    // The peer or local address of a connected socket; length 0 on failure.
    static NetAddress peer_of(int fd);
    static NetAddress local_of(int fd);
    NetAddress with_port(uint16_t port) const;
};

} // namespace zk::platform
