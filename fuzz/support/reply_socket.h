// Reply bytes served from a connected local socket whose peer has sent them
// all and shut down, so that the line reader of the network input reads them
// exactly as from a server.
#pragma once

#include "platform/net/transport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

class ReplySocket {
public:
    ReplySocket(const uint8_t* data, size_t size) {
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds_) != 0) std::abort();
        int buffer = 1 << 20;
        setsockopt(fds_[1], SOL_SOCKET, SO_SNDBUF, &buffer, sizeof buffer);
        setsockopt(fds_[0], SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
        while (size > 0) {
            const ssize_t sent = send(fds_[1], data, size, MSG_NOSIGNAL);
            if (sent <= 0) std::abort();
            data += sent;
            size -= static_cast<size_t>(sent);
        }
        shutdown(fds_[1], SHUT_WR);
        transport_.emplace(zk::platform::Socket(fds_[0])); // owns the reading end from here
    }
    ~ReplySocket() { close(fds_[1]); }
    ReplySocket(const ReplySocket&) = delete;
    ReplySocket& operator=(const ReplySocket&) = delete;

    zk::platform::Transport& transport() { return *transport_; }

private:
    int fds_[2];
    std::optional<zk::platform::PlainTransport> transport_;
};
