#include "codec/bitstream_reader.h"
#include "memory_byte_source.h"
#include "stream_builder.h"

#include <gtest/gtest.h>

#include <random>

namespace zk::test {
namespace {

// n bits (n <= 16) of bytes at bit position, most significant first; zeros
// past the end.
uint32_t reference_bits(const Bytes& bytes, int64_t position, int n) {
    uint32_t value = 0;
    for (int i = 0; i < n; ++i, ++position) {
        const size_t byte = static_cast<size_t>(position / 8);
        const int bit = byte < bytes.size() ? (bytes[byte] >> (7 - position % 8)) & 1 : 0;
        value = value << 1 | static_cast<uint32_t>(bit);
    }
    return value;
}

// MPEG-1 layer II, 384 kbit/s, 48000 Hz: a 1148-byte body.
HeaderSpec large_layer2() {
    HeaderSpec fields;
    fields.layer_code = 2;
    fields.bitrate_index = 14;
    fields.frequency_index = 1;
    return fields;
}

HeaderSpec small_layer2() {
    HeaderSpec fields;
    fields.layer_code = 2;
    fields.bitrate_index = 1;
    fields.frequency_index = 1;
    fields.mode = 3;
    return fields;
}

class BitReaderTest : public ::testing::Test {
protected:
    // Fetches one frame with the given body and returns the reader ready at it.
    BitstreamReader& load(const HeaderSpec& fields, const Bytes& body) {
        source_ = std::make_unique<MemoryByteSource>(make_frame(fields, body));
        reader_ = std::make_unique<BitstreamReader>(*source_);
        EXPECT_EQ(reader_->fetch_frame(), 0);
        return *reader_;
    }

    std::unique_ptr<MemoryByteSource> source_;
    std::unique_ptr<BitstreamReader> reader_;
};

TEST_F(BitReaderTest, ReadsAnyWidthAcrossWordBoundaries) {
    const Bytes body = pattern_bytes(static_cast<size_t>(body_size(large_layer2())), 7);
    BitstreamReader& reader = load(large_layer2(), body);
    EXPECT_EQ(reader.data_bits(), static_cast<int32_t>(body.size() * 8));

    std::mt19937 random(42);
    int64_t position = 0;
    while (position + 16 <= static_cast<int64_t>(body.size()) * 8) {
        const int n = static_cast<int>(random() % 17);
        ASSERT_EQ(reader.read_bits(n), reference_bits(body, position, n)) << "at bit " << position << " width " << n;
        position += n;
        ASSERT_EQ(reader.bits_consumed(), position);
    }
}

TEST_F(BitReaderTest, PutBackRewindsAcrossWords) {
    const Bytes body = pattern_bytes(static_cast<size_t>(body_size(large_layer2())), 9);
    BitstreamReader& reader = load(large_layer2(), body);

    std::mt19937 random(7);
    int64_t position = 0;
    for (int step = 0; step < 2000; ++step) {
        const int n = static_cast<int>(random() % 17);
        ASSERT_EQ(reader.read_bits(n), reference_bits(body, position, n));
        position += n;
        // Look-ahead style: give back part of what was read, sometimes more
        // than one word's worth over several calls.
        const int back = static_cast<int>(random() % (n + 1));
        reader.put_back_bits(back);
        position -= back;
        ASSERT_EQ(reader.bits_consumed(), position);
    }
    // Exactly onto a word boundary and back over it.
    reader.put_back_bits(static_cast<int>(position % 32));
    position -= position % 32;
    ASSERT_EQ(reader.bits_consumed(), position);
    EXPECT_EQ(reader.read_bits(16), reference_bits(body, position, 16));
    reader.put_back_bits(16 + 32 + 5);
    position -= 32 + 5;
    EXPECT_EQ(reader.read_bits(13), reference_bits(body, position, 13));
}

TEST_F(BitReaderTest, SkipsTheCrcOfAProtectedFrame) {
    HeaderSpec fields = large_layer2();
    fields.crc = true;
    const Bytes body = pattern_bytes(static_cast<size_t>(body_size(fields)), 3);
    BitstreamReader& reader = load(fields, body);
    EXPECT_EQ(reader.bits_consumed(), 16);
    EXPECT_EQ(reader.read_bits(12), reference_bits(body, 16, 12));
}

TEST_F(BitReaderTest, ReadsPastTheDataGiveZerosAndStayInTheBuffer) {
    const Bytes body(static_cast<size_t>(body_size(small_layer2())), 0xAA);
    BitstreamReader& reader = load(small_layer2(), body);
    const int64_t data_bits = static_cast<int64_t>(body.size()) * 8;
    ASSERT_EQ(reader.data_bits(), data_bits);

    for (int64_t position = 0; position < data_bits; position += 8)
        ASSERT_EQ(reader.read_bits(8), 0xAAu);
    // Far beyond the data and beyond the whole frame buffer: zeros only.
    for (int i = 0; i < 2 * BitstreamReader::kFrameBufferBytes; ++i)
        ASSERT_EQ(reader.read_bits(16), 0u) << "read " << i;
    EXPECT_GE(reader.bits_consumed(), BitstreamReader::kFrameBufferBytes * 8);
}

TEST(BitReader, ShortFrameAfterLongOneReadsNoStaleData) {
    Bytes stream = make_frame(large_layer2(), Bytes(static_cast<size_t>(body_size(large_layer2())), 0x5A));
    append(stream, make_frame(small_layer2(), Bytes(static_cast<size_t>(body_size(small_layer2())), 0x11)));
    MemoryByteSource source(stream);
    BitstreamReader reader(source);
    ASSERT_EQ(reader.fetch_frame(), 0);
    ASSERT_EQ(reader.fetch_frame(), 0);
    const int bytes = reader.data_bits() / 8;
    for (int i = 0; i < bytes; ++i)
        ASSERT_EQ(reader.read_bits(8), 0x11u);
    for (int i = bytes; i < BitstreamReader::kFrameBufferBytes; ++i)
        ASSERT_EQ(reader.read_bits(8), 0u) << "byte " << i;
}

} // namespace
} // namespace zk::test
