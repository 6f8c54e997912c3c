// The receive ring and its overrun area.
#include "input/stream/stream_ring.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace zk::stream {
namespace {

// Writes count bytes continuing the sequence next, next + 1, ... through write_area.
uint32_t receive(StreamRing& ring, uint32_t count, uint8_t& next) {
    uint32_t room = 0;
    uint8_t* area = ring.write_area(room);
    count = std::min(count, room);
    for (uint32_t i = 0; i < count; ++i) area[i] = next++;
    ring.commit(count);
    return count;
}

TEST(StreamRing, ReceivesPastTheEndWrapToTheStart) {
    StreamRing ring;
    ASSERT_TRUE(ring.allocate(100, 30));
    EXPECT_EQ(ring.capacity(), 70u);
    uint8_t next = 0, expected = 0;
    std::vector<uint8_t> out(70);
    ASSERT_EQ(receive(ring, 60, next), 60u);
    ring.take(out.data(), 50);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(out[i], expected++);
    // 10 contiguous bytes remain before the end, but a packet of 30 may land.
    uint32_t room = 0;
    ring.write_area(room);
    EXPECT_EQ(room, 30u);
    ASSERT_EQ(receive(ring, 30, next), 30u);
    EXPECT_EQ(ring.buffered(), 40u);
    ring.take(out.data(), 40);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(out[i], expected++) << i;
    EXPECT_EQ(ring.buffered(), 0u);
}

TEST(StreamRing, LongRunKeepsTheByteOrder) {
    StreamRing ring;
    ASSERT_TRUE(ring.allocate(1000, 97));
    uint8_t next = 0, expected = 0;
    std::vector<uint8_t> out(1000);
    for (int round = 0; round < 2000; ++round) {
        while (ring.free_space() >= 97) receive(ring, 13 + round % 90, next);
        const uint32_t count = 1 + (round * 37) % ring.buffered();
        ring.take(out.data(), count);
        for (uint32_t i = 0; i < count; ++i) ASSERT_EQ(out[i], expected++) << "round " << round;
    }
}

} // namespace
} // namespace zk::stream
