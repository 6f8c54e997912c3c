#include "platform/net/socket.h"

#include "platform/threads/wait_interruption.h"
#include "zelkor.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace zk::platform {

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.release();
    }
    return *this;
}

int Socket::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void Socket::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

namespace {

int32_t wait_for(int fd, short events, int timeout_ms) {
    return wait_interruptibly(timeout_ms, [fd, events](int slice_ms) -> int {
        pollfd entry{fd, events, 0};
        for (;;) {
            const int ready = ::poll(&entry, 1, slice_ms);
            if (ready > 0) return 1;
            if (ready == 0) return 0;
            if (errno != EINTR) return ZK_ERROR_SELECT_FAILED;
        }
    });
}

} // namespace

int32_t wait_readable(int fd, int timeout_ms) { return wait_for(fd, POLLIN, timeout_ms); }

int32_t wait_writable(int fd, int timeout_ms) { return wait_for(fd, POLLOUT, timeout_ms); }

int32_t receive_within(int fd, void* buffer, size_t size, int timeout_ms) {
    const int32_t ready = wait_readable(fd, timeout_ms);
    if (ready < 0) return ready;
    if (ready == 0) return ZK_ERROR_TIMEOUT;
    for (;;) {
        const ssize_t got = ::recv(fd, buffer, size, MSG_DONTWAIT);
        if (got > 0) return static_cast<int32_t>(got);
        if (got == 0) return ZK_ERROR_SOCKET_CLOSED;
        if (errno == EINTR) continue;
        // Readiness without data (a datagram dropped for its checksum) is no data yet.
        if (errno == EAGAIN || errno == EWOULDBLOCK) return ZK_ERROR_TIMEOUT;
        return ZK_ERROR_READ_FAILED;
    }
}

int32_t next_datagram_within(int fd, int timeout_ms) {
    const int32_t ready = wait_readable(fd, timeout_ms);
    if (ready < 0) return ready;
    if (ready == 0) return ZK_ERROR_TIMEOUT;
    for (;;) {
        // With MSG_TRUNC the result is the datagram's whole length, not what was copied.
        const ssize_t length = ::recv(fd, nullptr, 0, MSG_PEEK | MSG_TRUNC | MSG_DONTWAIT);
        if (length >= 0) return static_cast<int32_t>(length);
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return ZK_ERROR_TIMEOUT;
        return ZK_ERROR_READ_FAILED;
    }
}

int32_t take_datagram(int fd, void* buffer, size_t size) {
    for (;;) {
        const ssize_t length = ::recv(fd, buffer, size, MSG_TRUNC | MSG_DONTWAIT);
        if (length >= 0)
            return static_cast<size_t>(length) <= size ? static_cast<int32_t>(length) : ZK_ERROR_READ_FAILED;
        if (errno != EINTR) return ZK_ERROR_READ_FAILED;
    }
}

int32_t send_all(int fd, const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (size > 0) {
        const ssize_t sent = ::send(fd, bytes, size, MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) continue;
            return ZK_FAILURE;
        }
        bytes += sent;
        size -= static_cast<size_t>(sent);
    }
    return ZK_OK;
}

int32_t open_listener(uint32_t address, Socket& listener) {
    Socket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!s.is_open()) return ZK_ERROR_SOCKET_FAILED;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(address);
    if (::bind(s.fd(), reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) return ZK_ERROR_BIND_FAILED;
    if (::listen(s.fd(), 1) != 0) return ZK_ERROR_LISTEN_FAILED;
    listener = std::move(s);
    return ZK_OK;
}

int32_t accept_within(const Socket& listener, int timeout_ms, Socket& accepted) {
    const int32_t ready = wait_readable(listener.fd(), timeout_ms);
    if (ready < 0) return ready;
    if (ready == 0) return ZK_ERROR_TIMEOUT;
    for (;;) {
        const int fd = ::accept4(listener.fd(), nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0) {
            accepted = Socket(fd);
            return ZK_OK;
        }
        if (errno != EINTR) return ZK_ERROR_ACCEPT_FAILED;
    }
}

int32_t local_endpoint(int fd, uint32_t& address, uint16_t& port) {
    sockaddr_in local{};
    socklen_t size = sizeof local;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &size) != 0 || local.sin_family != AF_INET)
        return ZK_ERROR_SOCKET_FAILED;
    address = ntohl(local.sin_addr.s_addr);
    port = ntohs(local.sin_port);
    return ZK_OK;
}

int32_t open_udp_receiver(uint16_t port, Socket& receiver) {
    Socket s(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (!s.is_open()) return ZK_ERROR_SOCKET_FAILED;
    // Room for bursts while the decoder is busy; the system caps the size.
    const int room = 1 << 20;
    ::setsockopt(s.fd(), SOL_SOCKET, SO_RCVBUF, &room, sizeof room);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    any.sin_port = htons(port);
    if (::bind(s.fd(), reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) return ZK_ERROR_BIND_FAILED;
    receiver = std::move(s);
    return ZK_OK;
}

} // namespace zk::platform
