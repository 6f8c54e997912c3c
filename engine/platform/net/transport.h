// A byte stream to a server as the protocols use it: send everything, receive
// within a deadline. Implementations wait with the socket waits, so a thread's
// wait interruption cuts their waits short as it does the socket's.
#pragma once

#include "platform/net/socket.h"

#include <cstddef>
#include <cstdint>

namespace zk::platform {

class Transport {
public:
    virtual ~Transport() = default;

    // Sends every byte: 0, or an engine error code.
    virtual int32_t send_all(const void* data, size_t size) = 0;
    // Waits for data at most timeout_ms (0: do not wait), then receives up to
    // size bytes: the byte count, ZK_ERROR_TIMEOUT when nothing came,
    // ZK_ERROR_SOCKET_CLOSED at the orderly end of the stream, or the error
    // that ended it otherwise.
    virtual int32_t receive_within(void* buffer, size_t size, int timeout_ms) = 0;
    // The socket underneath (for its addresses); -1 once closed.
    virtual int fd() const = 0;
};

// A transport straight on a TCP socket.
class PlainTransport final : public Transport {
public:
    explicit PlainTransport(Socket socket) : socket_(std::move(socket)) {}

    int32_t send_all(const void* data, size_t size) override;
    int32_t receive_within(void* buffer, size_t size, int timeout_ms) override;
    int fd() const override { return socket_.fd(); }

    Socket& socket() { return socket_; }

private:
    Socket socket_;
};

} // namespace zk::platform
