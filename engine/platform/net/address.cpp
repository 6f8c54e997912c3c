#include "platform/net/address.h"

#include <arpa/inet.h>
#include <netinet/in.h>

namespace zk::platform {

uint16_t NetAddress::port() const {
    if (family() == AF_INET) return ntohs(reinterpret_cast<const sockaddr_in*>(&storage)->sin_port);
    if (family() == AF_INET6) return ntohs(reinterpret_cast<const sockaddr_in6*>(&storage)->sin6_port);
    return 0;
}

std::string NetAddress::text() const {
    char text[INET6_ADDRSTRLEN] = "";
    if (family() == AF_INET)
        ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(&storage)->sin_addr, text, sizeof text);
    else if (family() == AF_INET6)
        ::inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(&storage)->sin6_addr, text, sizeof text);
    return text;
}

uint32_t NetAddress::ipv4() const {
    return family() == AF_INET ? ntohl(reinterpret_cast<const sockaddr_in*>(&storage)->sin_addr.s_addr) : 0;
}

NetAddress NetAddress::from_ipv4(uint32_t address, uint16_t port) {
    NetAddress result;
    auto& in = *reinterpret_cast<sockaddr_in*>(&result.storage);
    in.sin_family = AF_INET;
    in.sin_addr.s_addr = htonl(address);
    in.sin_port = htons(port);
    result.length = sizeof in;
    return result;
}

NetAddress NetAddress::peer_of(int fd) {
    NetAddress result;
    result.length = sizeof result.storage;
    if (::getpeername(fd, reinterpret_cast<sockaddr*>(&result.storage), &result.length) != 0) result.length = 0;
    return result;
}

NetAddress NetAddress::local_of(int fd) {
    NetAddress result;
    result.length = sizeof result.storage;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&result.storage), &result.length) != 0) result.length = 0;
    return result;
}

NetAddress NetAddress::with_port(uint16_t port) const {
    NetAddress result = *this;
    if (family() == AF_INET) reinterpret_cast<sockaddr_in*>(&result.storage)->sin_port = htons(port);
    if (family() == AF_INET6) reinterpret_cast<sockaddr_in6*>(&result.storage)->sin6_port = htons(port);
    return result;
}

} // namespace zk::platform
