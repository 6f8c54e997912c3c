#include "platform/net/transport.h"

#include "zelkor.h"

namespace zk::platform {

int32_t PlainTransport::send_all(const void* data, size_t size) {
    return platform::send_all(socket_.fd(), data, size) == 0 ? ZK_OK : ZK_ERROR_WRITE_FAILED;
}

int32_t PlainTransport::receive_within(void* buffer, size_t size, int timeout_ms) {
    return platform::receive_within(socket_.fd(), buffer, size, timeout_ms);
}

} // namespace zk::platform
