#include "codec/bitstream_reader.h"
#include "memory_byte_source.h"
#include "stream_builder.h"
#include "zelkor.h"

#include <gtest/gtest.h>

namespace zk::test {
namespace {

// What one fetched frame looked like to a layer decoder.
struct Fetched {
    uint32_t private_bit;
    int layer;
    int bitrate;
    Bytes data; // the frame buffer's data bytes after the cursor
    bool operator==(const Fetched&) const = default;
};

struct FetchResult {
    std::vector<Fetched> frames;
    int32_t end = 0;
    int retries = 0;
};

// Fetches until a code other than `retry_code`, retrying after it.
FetchResult fetch_all(MemoryByteSource& source, int32_t retry_code = 1) {
    BitstreamReader reader(source);
    FetchResult result;
    for (;;) {
        const int32_t code = reader.fetch_frame();
        if (code == retry_code) {
            ++result.retries;
            continue;
        }
        if (code != 0) {
            result.end = code;
            return result;
        }
        Fetched frame{static_cast<uint32_t>(reader.header().private_bit), reader.header().layer(),
                      reader.header().bitrate_kbps(), {}};
        const int bytes = (reader.data_bits() - reader.bits_consumed()) / 8;
        for (int i = 0; i < bytes; ++i)
            frame.data.push_back(static_cast<uint8_t>(reader.read_bits(8)));
        result.frames.push_back(std::move(frame));
    }
}

HeaderSpec layer2_spec(int bitrate_index = 9) {
    HeaderSpec fields;
    fields.layer_code = 2;
    fields.bitrate_index = bitrate_index;
    return fields;
}

HeaderSpec marked(HeaderSpec fields) {
    fields.private_bit = 1;
    return fields;
}

Bytes frames(const HeaderSpec& fields, int count, uint32_t seed = 1) {
    Bytes stream;
    for (int i = 0; i < count; ++i)
        append(stream, make_frame(fields, seed + static_cast<uint32_t>(i)));
    return stream;
}

TEST(FrameFetch, YieldsEveryFrameThenInputEnd) {
    MemoryByteSource source(frames(layer2_spec(), 5));
    const FetchResult result = fetch_all(source);
    ASSERT_EQ(result.frames.size(), 5u);
    EXPECT_EQ(result.end, ZK_ERROR_INPUT_END);
    const Bytes first = make_frame(layer2_spec(), 1);
    EXPECT_EQ(result.frames[0].data, Bytes(first.begin() + 4, first.end()));
    EXPECT_EQ(result.frames[0].bitrate, 160);
}

TEST(FrameFetch, FindsTheFirstFrameAfterGarbage) {
    Bytes stream(1000, 0);
    append(stream, pattern_bytes(777, 5));
    append(stream, frames(layer2_spec(), 3));
    MemoryByteSource source(stream);
    EXPECT_EQ(fetch_all(source).frames.size(), 3u);
}

TEST(FrameFetch, SkipsARejectedCandidateAsAWhole) {
    // FF, then a real frame: the candidate FF FF FB 90 (bitrate index 15) is
    // rejected and its 4 bytes skipped, so the first frame is missed.
    Bytes stream = {0xFF};
    append(stream, make_frame(HeaderSpec{}, 1));
    append(stream, frames(marked(HeaderSpec{}), 2, 2));
    MemoryByteSource source(stream);
    const FetchResult result = fetch_all(source);
    ASSERT_EQ(result.frames.size(), 2u);
    EXPECT_EQ(result.frames[0].private_bit, 1u);

    // The same frames without the stray byte are all found.
    MemoryByteSource clean(Bytes(stream.begin() + 1, stream.end()));
    EXPECT_EQ(fetch_all(clean).frames.size(), 3u);
}

TEST(FrameFetch, FreeFormatYieldsNoFrame) {
    Bytes stream;
    for (int i = 0; i < 20; ++i) {
        Bytes frame = make_frame(HeaderSpec{}, static_cast<uint32_t>(i));
        frame[2] &= 0x0F; // bitrate index 0
        append(stream, frame);
    }
    MemoryByteSource source(stream);
    const FetchResult result = fetch_all(source);
    EXPECT_TRUE(result.frames.empty());
    EXPECT_EQ(result.end, ZK_ERROR_INPUT_END);
}

TEST(FrameFetch, PaddingOnlyAt44100) {
    HeaderSpec padded = layer2_spec();
    padded.padding = 1;
    MemoryByteSource at44100(frames(padded, 3));
    EXPECT_EQ(fetch_all(at44100).frames.size(), 3u);

    // The 48000 Hz header with the padding bit is no header at all.
    HeaderSpec at48000 = layer2_spec();
    at48000.frequency_index = 1;
    Bytes stream = frames(at48000, 3);
    stream[2] |= 0x02;
    MemoryByteSource source(stream);
    EXPECT_EQ(fetch_all(source).frames.size(), 2u);
}

TEST(FrameFetch, FrameWithoutValidSuccessorIsDropped) {
    Bytes stream = make_frame(layer2_spec(), 1);
    append(stream, {0x00, 0x01, 0x02, 0x03});
    append(stream, frames(marked(layer2_spec()), 2, 5));
    MemoryByteSource source(stream);
    const FetchResult result = fetch_all(source);
    ASSERT_EQ(result.frames.size(), 2u);
    EXPECT_EQ(result.frames[0].private_bit, 1u);

    // A last frame followed by garbage is dropped as well.
    Bytes tail = frames(layer2_spec(), 2);
    append(tail, {0x12, 0x34, 0x56, 0x78, 0x9A});
    MemoryByteSource tail_source(tail);
    EXPECT_EQ(fetch_all(tail_source).frames.size(), 1u);
}

TEST(FrameFetch, SuccessorMustBeValidNotEqual) {
    Bytes stream = make_frame(layer2_spec(), 1);
    append(stream, make_frame(HeaderSpec{}, 2)); // layer III after layer II
    HeaderSpec lsf;
    lsf.version_bits = 2;
    append(stream, make_frame(lsf, 3));
    MemoryByteSource source(stream);
    const FetchResult result = fetch_all(source);
    ASSERT_EQ(result.frames.size(), 3u);
    EXPECT_EQ(result.frames[1].layer, 3);

    // A successor with the sync but an invalid header rejects the frame.
    Bytes invalid = make_frame(layer2_spec(), 1);
    append(invalid, {0xFF, 0xFB, 0xF0, 0x00});
    append(invalid, Bytes(100, 0));
    MemoryByteSource invalid_source(invalid);
    EXPECT_TRUE(fetch_all(invalid_source).frames.empty());
}

TEST(FrameFetch, LastFrameNeedsNoSuccessor) {
    for (size_t trailing = 0; trailing < 4; ++trailing) {
        Bytes stream = frames(layer2_spec(), 3);
        append(stream, Bytes(trailing, 0x77));
        MemoryByteSource source(stream);
        const FetchResult result = fetch_all(source);
        EXPECT_EQ(result.frames.size(), 3u) << trailing << " trailing bytes";
        EXPECT_EQ(result.end, ZK_ERROR_INPUT_END);
    }
}

TEST(FrameFetch, LastFrameBeforeAnId3v1TagIsKept) {
    Bytes stream = frames(layer2_spec(), 3);
    Bytes tag(128, ' ');
    tag[0] = 'T';
    tag[1] = 'A';
    tag[2] = 'G';
    append(stream, tag);
    MemoryByteSource source(stream);
    const FetchResult result = fetch_all(source);
    EXPECT_EQ(result.frames.size(), 3u);
    EXPECT_EQ(result.end, ZK_ERROR_INPUT_END);
}

TEST(FrameFetch, TruncatedLastFrameEndsTheInput) {
    Bytes stream = frames(layer2_spec(), 3);
    stream.resize(stream.size() - 10);
    MemoryByteSource source(stream);
    const FetchResult result = fetch_all(source);
    EXPECT_EQ(result.frames.size(), 2u);
    EXPECT_EQ(result.end, ZK_ERROR_INPUT_END);
}

TEST(FrameFetch, EmptyAndTinyInputs) {
    for (size_t size = 0; size < 8; ++size) {
        MemoryByteSource source(Bytes(size, 0xFF));
        const FetchResult result = fetch_all(source);
        EXPECT_TRUE(result.frames.empty());
        EXPECT_EQ(result.end, ZK_ERROR_INPUT_END);
    }
}

// A stream that passes through every stage: garbage before the first frame,
// layers I and II, CRCs, a frame dropped for its garbage successor.
Bytes staged_stream() {
    Bytes stream = pattern_bytes(300, 11);
    HeaderSpec layer1;
    layer1.layer_code = 3;
    layer1.crc = true;
    append(stream, frames(layer1, 2, 20));
    append(stream, make_frame(layer2_spec(), 30));
    append(stream, {0x01, 0x02, 0x03, 0x04, 0x05});
    HeaderSpec layer2_crc = layer2_spec(14);
    layer2_crc.crc = true;
    append(stream, frames(layer2_crc, 3, 40));
    return stream;
}

TEST(FrameFetch, FailedReadResumesAtEveryStage) {
    MemoryByteSource clean(staged_stream());
    const FetchResult expected = fetch_all(clean);
    ASSERT_EQ(expected.frames.size(), 5u);

    for (int64_t call = 0; call < clean.calls(); ++call) {
        MemoryByteSource source(staged_stream());
        source.fail_call(call, ZK_ERROR_TIMEOUT);
        const FetchResult result = fetch_all(source, ZK_ERROR_TIMEOUT);
        ASSERT_EQ(result.retries, 1) << "read " << call;
        ASSERT_EQ(result.end, ZK_ERROR_INPUT_END) << "read " << call;
        ASSERT_EQ(result.frames, expected.frames) << "read " << call;
    }
}

TEST(FrameFetch, FailedReadIsReturnedUnchanged) {
    MemoryByteSource source(frames(layer2_spec(), 2));
    source.fail_call(0, ZK_ERROR_READ_FAILED);
    BitstreamReader reader(source);
    EXPECT_EQ(reader.fetch_frame(), ZK_ERROR_READ_FAILED);
    EXPECT_EQ(reader.fetch_frame(), 0);
}

TEST(FrameFetch, ShortDeliveriesAreProgress) {
    MemoryByteSource clean(staged_stream());
    const FetchResult expected = fetch_all(clean);
    for (uint32_t limit : {1u, 3u, 5u}) {
        MemoryByteSource source(staged_stream());
        source.limit_delivery(limit);
        const FetchResult result = fetch_all(source);
        EXPECT_EQ(result.frames, expected.frames) << "at most " << limit << " bytes a read";
    }
}

TEST(FrameFetch, ResetAllStartsOverWithASyncSearch) {
    Bytes stream = frames(layer2_spec(), 2);
    const size_t second = stream.size() / 2;
    MemoryByteSource source(stream);
    BitstreamReader reader(source);
    ASSERT_EQ(reader.fetch_frame(), 0);
    // A seek would now move the input; the look-ahead header read after the
    // first frame must not be used.
    reader.reset_all();
    EXPECT_EQ(source.offset(), second + 4);
    EXPECT_EQ(reader.fetch_frame(), ZK_ERROR_INPUT_END);
}

} // namespace
} // namespace zk::test
