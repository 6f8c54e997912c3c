#include "codec/bitstream_reader.h"
#include "memory_byte_source.h"
#include "stream_builder.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace zk::test {
namespace {

// What one fetched frame looked like to a layer decoder.
struct Fetched {
    uint32_t private_bit;
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
        Fetched frame{static_cast<uint32_t>(reader.header().private_bit), reader.header().bitrate_kbps(), {}};
        const int bytes = (reader.data_bits() - reader.bits_consumed()) / 8;
        for (int i = 0; i < bytes; ++i) frame.data.push_back(static_cast<uint8_t>(reader.read_bits(8)));
        result.frames.push_back(std::move(frame));
    }
}

HeaderFields layer2_spec(int bitrate_index = 9) {
    HeaderFields fields;
    fields.layer_code = 2;
    fields.bitrate_index = bitrate_index;
    return fields;
}

HeaderFields marked(HeaderFields fields) {
    fields.private_bit = 1;
    return fields;
}

Bytes frames(const HeaderFields& fields, int count, uint32_t seed = 1) {
    Bytes stream;
    for (int i = 0; i < count; ++i) append(stream, make_frame(fields, seed + static_cast<uint32_t>(i)));
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

Bytes tag_of(const char* start, size_t size) {
    Bytes tag(size, ' ');
    std::copy_n(start, std::strlen(start), tag.begin());
    return tag;
}

// Inputs with what the reader must find in them; each ends with
// ZK_ERROR_INPUT_END, or ZK_ERROR_NO_AUDIO when it holds no frame. `marked`:
// the private bit of the first frame found.
TEST(FrameFetch, FindsTheFramesOfEachInput) {
    struct Case {
        const char* what;
        Bytes bytes;
        size_t frames;
        uint32_t marked = 0;
    };
    std::vector<Case> cases;
    Bytes garbage_first(1000, 0);
    append(garbage_first, pattern_bytes(777, 5));
    append(garbage_first, frames(layer2_spec(), 3));
    cases.push_back({"garbage before the first frame", garbage_first, 3});

    // The candidate FF FF FB 90 (bitrate index 15) is rejected and the
    // search goes on one byte further.
    Bytes stray = {0xFF};
    append(stray, make_frame(HeaderFields{}, 1));
    append(stray, frames(marked(HeaderFields{}), 2, 2));
    cases.push_back({"stray FF before a frame", stray, 3});
    Bytes stray_zeros = frames(HeaderFields{}, 3);
    append(stray_zeros, {0, 0, 0});
    append(stray_zeros, frames(HeaderFields{}, 3, 7));
    cases.push_back({"three stray zero bytes between frames", stray_zeros, 6});

    for (int layer_code : {1, 2, 3}) {
        Bytes free_format;
        HeaderFields fields;
        fields.layer_code = layer_code;
        for (int i = 0; i < 20; ++i) {
            fields.padding = i % 3 == 1;
            Bytes frame = make_frame(fields, static_cast<uint32_t>(i));
            frame[2] &= 0x0F; // bitrate index 0
            append(free_format, frame);
        }
        cases.push_back({"free format", free_format, 20});
    }
    for (int frequency_index : {1, 2}) {
        HeaderFields padded = layer2_spec();
        padded.frequency_index = frequency_index;
        Bytes stream = frames(padded, 2);
        padded.padding = 1;
        append(stream, frames(padded, 2, 3));
        cases.push_back({"padding at 48 and 32 kHz", stream, 4});
    }

    Bytes no_successor = make_frame(layer2_spec(), 1);
    append(no_successor, {0x00, 0x01, 0x02, 0x03});
    append(no_successor, frames(marked(layer2_spec()), 2, 5));
    cases.push_back({"first frame followed by garbage", no_successor, 2, 1});
    Bytes tail = frames(layer2_spec(), 2);
    append(tail, {0x12, 0x34, 0x56, 0x78, 0x9A});
    cases.push_back({"last frame followed by garbage", tail, 2});

    // Successors must be valid, not equal: layer III after layer II, MPEG-2 after MPEG-1.
    Bytes mixed = make_frame(layer2_spec(), 1);
    append(mixed, make_frame(HeaderFields{}, 2));
    HeaderFields lsf;
    lsf.version_bits = 2;
    append(mixed, make_frame(lsf, 3));
    cases.push_back({"mixed layers and versions", mixed, 3});
    Bytes invalid_successor = make_frame(layer2_spec(), 1);
    append(invalid_successor, {0xFF, 0xFB, 0xF0, 0x00});
    append(invalid_successor, Bytes(100, 0));
    cases.push_back({"successor with sync and an invalid header", invalid_successor, 0});

    for (size_t trailing = 0; trailing < 4; ++trailing) {
        Bytes stream = frames(layer2_spec(), 3);
        append(stream, Bytes(trailing, 0x77));
        cases.push_back({"last frame with a few trailing bytes", stream, 3});
    }
    for (const char* tag : {"TAG", "APETAGEX", "LYRICSBEGIN"}) {
        Bytes tagged = make_frame(layer2_spec());
        append(tagged, tag_of(tag, 128));
        cases.push_back({"only frame before a tag", tagged, 1});
    }
    Bytes truncated = frames(layer2_spec(), 3);
    truncated.resize(truncated.size() - 10);
    cases.push_back({"truncated last frame", truncated, 2});
    for (size_t size = 0; size < 8; ++size) cases.push_back({"empty or tiny input", Bytes(size, 0xFF), 0});
    cases.push_back({"text", Bytes(3000, 'x'), 0});

    for (const Case& c : cases) {
        MemoryByteSource source(c.bytes);
        const FetchResult result = fetch_all(source);
        ASSERT_EQ(result.frames.size(), c.frames) << c.what << " (" << c.bytes.size() << " bytes)";
        EXPECT_EQ(result.end, c.frames ? ZK_ERROR_INPUT_END : ZK_ERROR_NO_AUDIO) << c.what;
        if (!result.frames.empty()) {
            EXPECT_EQ(result.frames[0].private_bit, c.marked) << c.what;
        }
    }
}

// A stream that passes through every stage: garbage before the first frame,
// layers I and II, CRCs, a layer II frame dropped for its garbage successor
// (a change of layer needs the next header).
Bytes staged_stream() {
    Bytes stream = pattern_bytes(300, 11);
    HeaderFields layer1;
    layer1.layer_code = 3;
    layer1.crc = true;
    append(stream, frames(layer1, 2, 20));
    append(stream, make_frame(layer2_spec(), 30));
    append(stream, {0x01, 0x02, 0x03, 0x04, 0x05});
    HeaderFields layer2_crc = layer2_spec(14);
    layer2_crc.crc = true;
    append(stream, frames(layer2_crc, 3, 40));
    return stream;
}

// A failed read (a timeout) at any point is retried where it left off;
// reads that deliver fewer bytes than asked are progress.
TEST(FrameFetch, ResumesAfterFailedReadsAndShortDeliveries) {
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
    for (uint32_t limit : {1u, 3u, 5u}) {
        MemoryByteSource source(staged_stream());
        source.limit_delivery(limit);
        EXPECT_EQ(fetch_all(source).frames, expected.frames) << "at most " << limit << " bytes a read";
    }
}

TEST(FrameFetch, FailedReadIsReturnedUnchanged) {
    MemoryByteSource source(frames(layer2_spec(), 2));
    source.fail_call(0, ZK_ERROR_READ_FAILED);
    BitstreamReader reader(source);
    EXPECT_EQ(reader.fetch_frame(), ZK_ERROR_READ_FAILED);
    EXPECT_EQ(reader.fetch_frame(), 0);
}

TEST(FrameFetch, ResetAllStartsOverWithASyncSearch) {
    Bytes stream = frames(layer2_spec(), 2);
    const size_t second = stream.size() / 2;
    MemoryByteSource source(stream);
    BitstreamReader reader(source);
    ASSERT_EQ(reader.fetch_frame(), 0);
    // A seek would now move the input; the look-ahead bytes read after the
    // first frame must not be used.
    reader.reset_all();
    EXPECT_EQ(source.offset(), second + 4);
    EXPECT_EQ(reader.fetch_frame(), ZK_ERROR_INPUT_END);
    // Frames were found on this input: its end is no "no audio".
}

} // namespace
} // namespace zk::test
