// The receive ring of the network input: one block whose first part is the
// ring and whose last max_packet bytes are an overrun area, so that a receive
// of max_packet bytes always fits at the write position; what lands beyond
// the ring's end is moved to its start.
#pragma once

#include <cstdint>
#include <memory>

namespace zk::stream {

class StreamRing {
public:
    // Allocates block_size bytes (more than max_packet); false when memory runs out.
    bool allocate(uint32_t block_size, uint32_t max_packet);
    void clear();

    uint32_t capacity() const { return capacity_; }
    uint32_t buffered() const { return buffered_; }
    uint32_t free_space() const { return capacity_ - buffered_; }

    // Where the next receive goes and how many bytes it may take: the larger
    // of the contiguous free space there and max_packet. Only valid while
    // free_space() >= max_packet.
    uint8_t* write_area(uint32_t& room);
    // Accounts for count received bytes at the write area.
    void commit(uint32_t count);
    // Moves count bytes (at most buffered()) out of the ring.
    void take(void* out, uint32_t count);

private:
    std::unique_ptr<uint8_t[]> block_;
    uint32_t max_packet_ = 0;
    uint32_t capacity_ = 0;
    uint32_t read_ = 0;
    uint32_t write_ = 0;
    uint32_t buffered_ = 0;
};

} // namespace zk::stream
