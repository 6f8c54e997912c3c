#include "codec/bitstream_reader.h"
#include "memory_byte_source.h"
#include "stream_builder.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zk::test {
namespace {

// MPEG-1 layer III, 320 kbit/s, 48000 Hz: 960-byte frames with 924 bytes of
// main data after 32 bytes of side information.
HeaderFields layer3_spec(bool crc = false) {
    HeaderFields fields;
    fields.bitrate_index = 14;
    fields.frequency_index = 1;
    fields.crc = crc;
    return fields;
}

// Layer III frames whose main-data slots, laid end to end, hold `main`.
struct Layer3Stream {
    Bytes bytes;
    Bytes main;
    std::vector<Bytes> side_info;
    std::vector<int> main_start; // offset of each frame's slot in `main`
    std::vector<int> main_size;

    void add(const HeaderFields& fields, uint32_t seed) {
        const FrameHeader header = decoded_header(fields);
        const int side = header.side_info_length();
        const int size = header.frame_length() - 4 - side;
        side_info.push_back(pattern_bytes(static_cast<size_t>(side), seed));
        main_start.push_back(static_cast<int>(main.size()));
        main_size.push_back(size);
        const Bytes slot = pattern_bytes(static_cast<size_t>(size), seed + 1000);
        Bytes body = side_info.back();
        append(body, slot);
        append(main, slot);
        append(bytes, make_frame(fields, body));
    }

    // What frame i's main data with begin b and n bits must read as: the
    // bytes received so far, then zeros.
    Bytes expected(size_t i, int b, int n) const {
        Bytes result(static_cast<size_t>((n + 7) / 8), 0);
        const int start = main_start[i] - b;
        const int end = main_start[i] + main_size[i];
        for (int k = 0; k < static_cast<int>(result.size()) && start + k < end; ++k)
            result[static_cast<size_t>(k)] = main[static_cast<size_t>(start + k)];
        return result;
    }
};

Layer3Stream make_stream(int frames, bool crc = false) {
    Layer3Stream stream;
    for (int i = 0; i < frames; ++i) stream.add(layer3_spec(crc), static_cast<uint32_t>(i + 1));
    return stream;
}

Bytes read_bytes(BitstreamReader& reader, size_t count) {
    Bytes bytes;
    for (size_t i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(reader.read_bits(8)));
    return bytes;
}

// A stream with its reader.
struct Reading {
    explicit Reading(Layer3Stream made) : stream(std::move(made)), source(stream.bytes), reader(source) {}
    Layer3Stream stream;
    MemoryByteSource source;
    BitstreamReader reader;
};

TEST(Reservoir, SideInformationComesFirst) {
    for (bool crc : {false, true}) {
        Reading r(make_stream(2, crc));
        ASSERT_EQ(r.reader.fetch_frame(), 0);
        const Bytes& side = r.stream.side_info[0];
        EXPECT_EQ(r.reader.bits_consumed(), crc ? 16 : 0);
        EXPECT_EQ(r.reader.data_bits(), static_cast<int32_t>(side.size() * 8));
        const size_t skip = crc ? 2 : 0;
        EXPECT_EQ(read_bytes(r.reader, side.size() - skip), Bytes(side.begin() + static_cast<long>(skip), side.end()));
    }
}

TEST(Reservoir, MainDataReachesBackAcrossFramesAndTheRingEnd) {
    Reading r(make_stream(12)); // 12 x 924 bytes: the ring wraps twice
    for (size_t i = 0; i < 12; ++i) {
        ASSERT_EQ(r.reader.fetch_frame(), 0);
        const int b = std::min(r.stream.main_start[i], 511);
        const int n = (b + r.stream.main_size[i]) * 8 - 3;
        ASSERT_TRUE(r.reader.load_main_data(b, n)) << "frame " << i;
        EXPECT_EQ(r.reader.bits_consumed(), 0);
        ASSERT_EQ(read_bytes(r.reader, static_cast<size_t>((n + 7) / 8)), r.stream.expected(i, b, n)) << "frame " << i;
    }
    EXPECT_EQ(r.reader.fetch_frame(), ZK_ERROR_INPUT_END);
}

// Main data may not begin before the bytes received; bits claimed beyond
// them read as zeros.
TEST(Reservoir, MainDataStaysWithinTheReceivedBytes) {
    Reading r(make_stream(3));
    ASSERT_EQ(r.reader.fetch_frame(), 0);
    EXPECT_FALSE(r.reader.load_main_data(1, 8));
    const int n = 4 * 4095; // the most four granule channels can claim
    ASSERT_TRUE(r.reader.load_main_data(0, n));
    EXPECT_EQ(r.reader.data_bits(), r.stream.main_size[0] * 8);
    EXPECT_EQ(read_bytes(r.reader, static_cast<size_t>((n + 7) / 8)), r.stream.expected(0, 0, n));
    ASSERT_EQ(r.reader.fetch_frame(), 0);
    EXPECT_FALSE(r.reader.load_main_data(r.stream.main_size[0] + 1, 8));
    ASSERT_TRUE(r.reader.load_main_data(r.stream.main_size[0], 800));
    EXPECT_EQ(read_bytes(r.reader, 100), r.stream.expected(1, r.stream.main_size[0], 800));
}

TEST(Reservoir, ResetReservoirForgetsReceivedData) {
    Reading r(make_stream(5));
    ASSERT_EQ(r.reader.fetch_frame(), 0);
    ASSERT_EQ(r.reader.fetch_frame(), 0);
    r.reader.reset_reservoir();
    // Frame 2 cannot reach back; frame 3 can reach into frame 2.
    ASSERT_EQ(r.reader.fetch_frame(), 0);
    EXPECT_FALSE(r.reader.load_main_data(1, 8));
    EXPECT_TRUE(r.reader.load_main_data(0, 8));
    ASSERT_EQ(r.reader.fetch_frame(), 0);
    ASSERT_TRUE(r.reader.load_main_data(r.stream.main_size[2], 80));
    EXPECT_EQ(read_bytes(r.reader, 10), r.stream.expected(3, r.stream.main_size[2], 80));
}

TEST(Reservoir, SkippedBytesBreakTheChainOfMainData) {
    Layer3Stream stream = make_stream(2);
    append(stream.bytes, {0x00, 0x11, 0x22, 0x33}); // as long as a lost header
    stream.add(layer3_spec(), 50);
    stream.add(layer3_spec(), 60);
    Reading r(std::move(stream));
    ASSERT_EQ(r.reader.fetch_frame(), 0); // frame 0
    ASSERT_EQ(r.reader.fetch_frame(), 0); // frame 1, whole before the garbage
    ASSERT_EQ(r.reader.fetch_frame(), 0); // frame 2
    EXPECT_EQ(r.reader.header().frame_length(), 960);
    EXPECT_FALSE(r.reader.load_main_data(1, 8));
    ASSERT_TRUE(r.reader.load_main_data(0, 80));
    EXPECT_EQ(read_bytes(r.reader, 10), r.stream.expected(2, 0, 80));
    ASSERT_EQ(r.reader.fetch_frame(), 0); // frame 3 may reach into frame 2
    ASSERT_TRUE(r.reader.load_main_data(r.stream.main_size[2], 80));
    EXPECT_EQ(read_bytes(r.reader, 10), r.stream.expected(3, r.stream.main_size[2], 80));
}

// Main data as the layer III decoder would see it, frame by frame.
std::vector<Bytes> decode_main_data(MemoryByteSource& source) {
    BitstreamReader reader(source);
    std::vector<Bytes> frames;
    int received = 0;
    for (;;) {
        const int32_t code = reader.fetch_frame();
        if (code == ZK_ERROR_TIMEOUT) continue;
        if (code != 0) return frames;
        const int b = std::min(received, 400);
        const int n = 8 * (b + 500);
        if (!reader.load_main_data(b, n)) {
            frames.push_back({});
        } else {
            frames.push_back(read_bytes(reader, static_cast<size_t>(n / 8)));
        }
        received += reader.header().frame_length() - 4 - reader.header().side_info_length();
    }
}

TEST(Reservoir, FailedReadsResumeInsideTheMainData) {
    const Layer3Stream stream = make_stream(6); // wraps the ring once
    MemoryByteSource clean(stream.bytes);
    const std::vector<Bytes> expected = decode_main_data(clean);
    ASSERT_EQ(expected.size(), 6u);
    for (int64_t call = 0; call < clean.calls(); ++call) {
        MemoryByteSource source(stream.bytes);
        source.fail_call(call, ZK_ERROR_TIMEOUT);
        ASSERT_EQ(decode_main_data(source), expected) << "read " << call;
    }
}

} // namespace
} // namespace zk::test
