#include "input/stream/stream_ring.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zk::stream {

bool StreamRing::allocate(uint32_t block_size, uint32_t max_packet) {
    block_.reset(new (std::nothrow) uint8_t[block_size]);
    if (!block_) return false;
    max_packet_ = max_packet;
    capacity_ = block_size - max_packet;
    clear();
    return true;
}

void StreamRing::clear() { read_ = write_ = buffered_ = 0; }

uint8_t* StreamRing::write_area(uint32_t& room) {
    const uint32_t contiguous = write_ >= read_ && buffered_ < capacity_ ? capacity_ - write_ : read_ - write_;
    room = std::max(contiguous, max_packet_);
    return block_.get() + write_;
}

void StreamRing::commit(uint32_t count) {
    write_ += count;
    if (write_ >= capacity_) {
        const uint32_t overrun = write_ - capacity_;
        std::memmove(block_.get(), block_.get() + capacity_, overrun);
        write_ = overrun;
    }
    buffered_ += count;
}

void StreamRing::take(void* out, uint32_t count) {
    auto* bytes = static_cast<uint8_t*>(out);
    const uint32_t first = std::min(count, capacity_ - read_);
    std::memcpy(bytes, block_.get() + read_, first);
    std::memcpy(bytes + first, block_.get(), count - first);
    read_ = (read_ + count) % capacity_;
    buffered_ -= count;
}

} // namespace zk::stream
