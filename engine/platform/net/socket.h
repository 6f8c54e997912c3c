// POSIX sockets for the network input: an owning descriptor, waits with poll,
// receives and sends with the engine's error codes, listening and UDP
// receiving sockets. Listening and UDP sockets are IPv4 (active FTP announces
// an IPv4 address).
#pragma once

#include <cstddef>
#include <cstdint>
#include <netinet/in.h>
#include <utility>

namespace zk::platform {

// Owns one socket descriptor; closes it when destroyed.
class Socket {
public:
    Socket() = default;
    explicit Socket(int fd) : fd_(fd) {}
    Socket(Socket&& other) noexcept : fd_(other.release()) {}
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket() { close(); }

    int fd() const { return fd_; }
    bool is_open() const { return fd_ >= 0; }
    int release();
    void close();

private:
    int fd_ = -1;
};

// Waits at most timeout_ms (0: do not wait) until fd can be read: 1 ready,
// 0 expired or cut short by the thread's wait interruption,
// ZK_ERROR_SELECT_FAILED when the wait failed. The waits below use it.
int32_t wait_readable(int fd, int timeout_ms);
// As wait_readable, until fd can be written.
int32_t wait_writable(int fd, int timeout_ms);

// Waits for data at most timeout_ms, then receives up to size bytes: the byte
// count, ZK_ERROR_TIMEOUT, ZK_ERROR_SELECT_FAILED, ZK_ERROR_READ_FAILED, or
// ZK_ERROR_SOCKET_CLOSED when the peer has closed.
int32_t receive_within(int fd, void* buffer, size_t size, int timeout_ms);

// The largest payload of a UDP datagram over IPv4.
constexpr size_t kLargestDatagram = 65507;

// Waits for a datagram at most timeout_ms: the length of the next one, which
// stays queued (0 for an empty one), ZK_ERROR_TIMEOUT, ZK_ERROR_SELECT_FAILED
// or ZK_ERROR_READ_FAILED.
int32_t next_datagram_within(int fd, int timeout_ms);
// Takes the queued datagram into buffer: its length, or ZK_ERROR_READ_FAILED
// when the receive failed or size could not hold it all (the datagram is gone).
int32_t take_datagram(int fd, void* buffer, size_t size);

// Sends every byte: 0, or ZK_FAILURE with errno kept.
int32_t send_all(int fd, const void* data, size_t size);

// A TCP socket listening on a free port of a local address (host byte
// order) with a backlog of one.
int32_t open_listener(uint32_t address, Socket& listener);
// Accepts one connection, waiting at most timeout_ms: 0, ZK_ERROR_TIMEOUT,
// ZK_ERROR_SELECT_FAILED or ZK_ERROR_ACCEPT_FAILED (errno kept).
int32_t accept_within(const Socket& listener, int timeout_ms, Socket& accepted);

// The local address and port a socket is bound to (host byte order).
int32_t local_endpoint(int fd, uint32_t& address, uint16_t& port);

// A UDP socket bound to port on every local address, receiving from anyone.
int32_t open_udp_receiver(uint16_t port, Socket& receiver);

} // namespace zk::platform
