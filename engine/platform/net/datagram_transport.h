// The stream of a UDP receiver: datagrams in arrival order, each delivered
// whole. A datagram larger than a receive's room is held and handed out over
// the following receives, so no byte of it is lost.
#pragma once

#include "platform/net/transport.h"

#include <memory>

namespace zk::platform {

class DatagramTransport final : public Transport {
public:
    // Allocates room for the largest datagram (std::bad_alloc when memory runs out).
    explicit DatagramTransport(Socket socket);

    // A receiver sends nothing: ZK_ERROR_WRITE_FAILED.
    int32_t send_all(const void* data, size_t size) override;
    // Held bytes first; then the next datagram, or as much of it as size
    // allows. An empty datagram ends the stream (ZK_ERROR_SOCKET_CLOSED).
    int32_t receive_within(void* buffer, size_t size, int timeout_ms) override;
    int fd() const override { return socket_.fd(); }

private:
    int32_t hand_out_held(void* buffer, size_t size);

    Socket socket_;
    std::unique_ptr<uint8_t[]> held_;
    size_t held_at_ = 0;
    size_t held_left_ = 0;
};

} // namespace zk::platform
