#include "platform/net/datagram_transport.h"

#include "zelkor.h"

#include <algorithm>
#include <cstring>

namespace zk::platform {

DatagramTransport::DatagramTransport(Socket socket)
    : socket_(std::move(socket)), held_(new uint8_t[kLargestDatagram]) {}

int32_t DatagramTransport::send_all(const void*, size_t) { return ZK_ERROR_WRITE_FAILED; }

int32_t DatagramTransport::hand_out_held(void* buffer, size_t size) {
    const size_t count = std::min(size, held_left_);
    std::memcpy(buffer, held_.get() + held_at_, count);
    held_at_ += count;
    held_left_ -= count;
    return static_cast<int32_t>(count);
}

int32_t DatagramTransport::receive_within(void* buffer, size_t size, int timeout_ms) {
    if (held_left_ > 0) return hand_out_held(buffer, size);
    const int32_t length = next_datagram_within(socket_.fd(), timeout_ms);
    if (length < 0) return length;
    if (length == 0) {
        take_datagram(socket_.fd(), nullptr, 0);
        return ZK_ERROR_SOCKET_CLOSED;
    }
    if (static_cast<size_t>(length) <= size) return take_datagram(socket_.fd(), buffer, size);
    const int32_t taken = take_datagram(socket_.fd(), held_.get(), kLargestDatagram);
    if (taken < 0) return taken;
    held_at_ = 0;
    held_left_ = static_cast<size_t>(taken);
    return hand_out_held(buffer, size);
}

} // namespace zk::platform
