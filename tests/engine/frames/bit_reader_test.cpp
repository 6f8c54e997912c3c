#include "codec/bitstream_reader.h"
#include "memory_byte_source.h"
#include "stream_builder.h"

#include <gtest/gtest.h>

#include <random>

namespace zk::test {
namespace {

// n bits (n <= 16) of bytes at bit position, most significant first.
uint32_t reference_bits(const Bytes& bytes, int64_t position, int n) {
    uint32_t value = 0;
    for (int i = 0; i < n; ++i, ++position)
        value =
            value << 1 | static_cast<uint32_t>((bytes[static_cast<size_t>(position / 8)] >> (7 - position % 8)) & 1);
    return value;
}

// MPEG-1 layer II, 384 kbit/s, 48000 Hz: a 1148-byte body.
HeaderFields large_layer2() {
    HeaderFields fields;
    fields.layer_code = 2;
    fields.bitrate_index = 14;
    fields.frequency_index = 1;
    return fields;
}

TEST(BitReader, ReadsAndPutsBackAnyWidthAcrossWordBoundaries) {
    const Bytes body = pattern_bytes(static_cast<size_t>(body_size(large_layer2())), 9);
    MemoryByteSource source(make_frame(large_layer2(), body));
    BitstreamReader reader(source);
    ASSERT_EQ(reader.fetch_frame(), 0);
    EXPECT_EQ(reader.data_bits(), static_cast<int32_t>(body.size() * 8));

    std::mt19937 random(7);
    int64_t position = 0;
    while (position + 16 <= reader.data_bits()) {
        const int n = static_cast<int>(random() % 17);
        ASSERT_EQ(reader.read_bits(n), reference_bits(body, position, n)) << "at bit " << position << " width " << n;
        position += n;
        // Look-ahead style: give back part of what was read.
        const int back = static_cast<int>(random() % (n + 1)) / 2;
        reader.put_back_bits(back);
        position -= back;
        ASSERT_EQ(reader.bits_consumed(), position);
    }
    // Exactly onto a word boundary and back over more than a word.
    reader.put_back_bits(static_cast<int>(position % 32));
    position -= position % 32;
    EXPECT_EQ(reader.read_bits(16), reference_bits(body, position, 16));
    reader.put_back_bits(16 + 32 + 5);
    position -= 32 + 5;
    EXPECT_EQ(reader.read_bits(13), reference_bits(body, position, 13));
}

// A short frame after a long one: its data, then zeros only, however far
// past the data and the frame buffer the decoder reads.
TEST(BitReader, ReadsPastTheDataGiveZerosNeverStaleBytes) {
    HeaderFields small;
    small.layer_code = 2;
    small.bitrate_index = 1;
    small.frequency_index = 1;
    small.mode = 3;
    Bytes stream = make_frame(large_layer2(), Bytes(static_cast<size_t>(body_size(large_layer2())), 0x5A));
    append(stream, make_frame(small, Bytes(static_cast<size_t>(body_size(small)), 0x11)));
    MemoryByteSource source(stream);
    BitstreamReader reader(source);
    ASSERT_EQ(reader.fetch_frame(), 0);
    ASSERT_EQ(reader.fetch_frame(), 0);
    ASSERT_EQ(reader.data_bits(), body_size(small) * 8);
    for (int i = 0; i < body_size(small); ++i) ASSERT_EQ(reader.read_bits(8), 0x11u);
    for (int i = 0; i < BitstreamReader::kFrameBufferBytes; ++i) ASSERT_EQ(reader.read_bits(16), 0u) << "read " << i;
    EXPECT_GE(reader.bits_consumed(), BitstreamReader::kFrameBufferBytes * 8);
}

} // namespace
} // namespace zk::test
