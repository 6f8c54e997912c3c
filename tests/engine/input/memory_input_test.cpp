#include "engine/support/conformance.h"
#include "input_fixture.h"

#include <cinttypes>
#include <cstdio>
#include <algorithm>
#include <cstring>

namespace zk::test {
namespace {

std::string memory_name(const void* address, size_t size) {
    char name[64];
    std::snprintf(name, sizeof name, "%zx@%" PRIxPTR, size, reinterpret_cast<uintptr_t>(address));
    return name;
}

class MemoryInput : public InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        ASSERT_EQ(register_file_input(), 0);
        ASSERT_EQ(register_memory_input(), 1);
    }
};

TEST_F(MemoryInput, StaticBlockDeliversExactlyItsBytes) {
    std::vector<uint8_t> block(0x1000);
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 7);
    const std::string name = memory_name(block.data(), 0x1000);
    ASSERT_EQ(decoder_input_new(decoder, name.c_str(), -1), 0);
    EXPECT_EQ(decoder->input->module, 1);
    ASSERT_EQ(decoder_input_open(decoder), 0);
    EXPECT_EQ(decoder->input->size, 4096u);
    EXPECT_EQ(decoder->input->caps, ZK_INPUT_CAN_SEEK);
    std::vector<uint8_t> got(4096);
    for (int i = 0; i < 4; ++i) ASSERT_EQ(decoder_input_read(decoder, got.data() + 1024 * i, 1024), 1024);
    EXPECT_EQ(got, block);
    uint8_t byte;
    EXPECT_EQ(decoder_input_read(decoder, &byte, 1), ZK_ERROR_INPUT_END);

    ASSERT_EQ(decoder_input_seek_to_offset(decoder, 4000), 0);
    std::vector<uint8_t> tail(200);
    EXPECT_EQ(decoder_input_read(decoder, tail.data(), 200), ZK_ERROR_INPUT_END); // would pass the end
    EXPECT_EQ(decoder_input_read(decoder, tail.data(), 96), 96);
    EXPECT_EQ(tail[95], block[4095]);
    EXPECT_EQ(decoder_input_seek_to_position(decoder, 1.0f), 0); // the end is a place to be
}

TEST_F(MemoryInput, NamesThatDoNotParseAreNotMemory) {
    const uint8_t data[4] = {};
    const std::string good = memory_name(data, 4);
    for (const char* bad : {"1000@", "@1234", "zz@1234", "10@0", "10@12 ", " 10@12", "10@@12", "-1@12",
                            "100000000@1234", "10@12345678901234567"}) {
        EXPECT_EQ(decoder_input_new(decoder, bad, -1), 0) << bad;
        EXPECT_EQ(decoder->input->module, 0) << bad; // the file input took it
        EXPECT_EQ(decoder_input_new(decoder, bad, 1), ZK_ERROR_INTERNAL) << bad;
    }
    EXPECT_EQ(decoder_input_new(decoder, ("0x" + good).c_str(), 1), 0);
}

TEST_F(MemoryInput, StreamingRingIsFilledByTheClient) {
    ASSERT_EQ(decoder_input_new(decoder, "", -1), 0);
    EXPECT_EQ(decoder->input->module, 1);
    const uint8_t some[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(memory_input_stream_write(decoder, some, 6), 6);
    ASSERT_EQ(decoder_input_open(decoder), 0); // empties the ring
    EXPECT_EQ(decoder->input->caps, 0u);
    EXPECT_EQ(decoder->input->size, 0u);
    static uint8_t got[70000];
    EXPECT_EQ(decoder_input_read(decoder, got, 4), ZK_ERROR_TIMEOUT);
    EXPECT_EQ(memory_input_stream_write(decoder, some, 6), 6);
    EXPECT_EQ(decoder_input_read(decoder, got, 4), 4);
    EXPECT_EQ(got[3], 4);
    EXPECT_EQ(decoder_input_read(decoder, got, 3), ZK_ERROR_TIMEOUT);
    EXPECT_EQ(decoder_input_read(decoder, got, 2), 2);
    EXPECT_EQ(got[1], 6);
    EXPECT_EQ(decoder_input_seek_to_offset(decoder, 0), ZK_FAILURE);

    // Fill to the brim, then across the ring's end.
    std::vector<uint8_t> lots(70000);
    for (size_t i = 0; i < lots.size(); ++i) lots[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(memory_input_stream_write(decoder, lots.data(), 70000), 65536);
    EXPECT_EQ(memory_input_stream_write(decoder, lots.data(), 1), 0);
    ASSERT_EQ(decoder_input_read(decoder, got, 1000), 1000);
    EXPECT_EQ(memory_input_stream_write(decoder, lots.data() + 65536, 2000), 1000);
    ASSERT_EQ(decoder_input_read(decoder, got, 65536), 65536);
    for (size_t i = 0; i < 65536; ++i) ASSERT_EQ(got[i], lots[1000 + i]) << i;
    EXPECT_EQ(memory_input_stream_write(decoder, nullptr, 0), 0);
}

TEST_F(MemoryInput, StreamWriteNeedsAStreamingMemoryInput) {
    const uint8_t data[4] = {};
    EXPECT_EQ(memory_input_stream_write(decoder, data, 4), ZK_ERROR_INTERNAL); // no input
    ASSERT_EQ(decoder_input_new(decoder, memory_name(data, 4).c_str(), -1), 0);
    EXPECT_EQ(memory_input_stream_write(decoder, data, 4), ZK_ERROR_INTERNAL); // static
    ASSERT_EQ(decoder_input_new(decoder, "file.mp3", -1), 0);
    EXPECT_EQ(memory_input_stream_write(decoder, data, 4), ZK_ERROR_INTERNAL); // a file
    EXPECT_EQ(memory_input_stream_write(nullptr, data, 4), ZK_ERROR_INVALID_PARAMETERS);
}

// Bytes that trickle in: the tag check waits for 10 bytes, then skips the
// tag as its bytes arrive.
TEST_F(MemoryInput, StreamingSkipsALeadingTagAsItArrives) {
    ASSERT_EQ(decoder_input_new(decoder, "", -1), 0);
    ASSERT_EQ(decoder_input_open(decoder), 0);
    const uint8_t head[] = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 3};
    uint8_t got[4];
    ASSERT_EQ(memory_input_stream_write(decoder, head, 5), 5);
    EXPECT_EQ(decoder_input_read(decoder, got, 4), ZK_ERROR_TIMEOUT);
    ASSERT_EQ(memory_input_stream_write(decoder, head + 5, 5), 5);
    EXPECT_EQ(decoder_input_read(decoder, got, 4), ZK_ERROR_TIMEOUT);
    const uint8_t rest[] = {7, 7, 7, 0xFF, 0xFD, 0x10, 0xC0};
    ASSERT_EQ(memory_input_stream_write(decoder, rest, sizeof rest), 7);
    ASSERT_EQ(decoder_input_read(decoder, got, 4), 4);
    EXPECT_EQ(got[0], 0xFF);
    EXPECT_EQ(got[3], 0xC0);
    EXPECT_EQ(decoder->input->offset, 4u);
}

// A stream that arrives in small pieces decodes to the same frames as the
// whole file: reads that time out lose nothing, and the timecode comes from
// the bitrate while the size is unknown.
TEST_F(MemoryInput, StreamFedInPiecesDecodesLikeTheFile) {
    const std::string path = conformance_dir() + "/layer2/l2-fl13.bit";
    const std::vector<uint8_t> bytes = read_file(path);
    const DecodedStream whole = decode_file(path);
    ASSERT_EQ(decoder_input_new(decoder, "", -1), 0);
    ASSERT_EQ(decoder_input_open(decoder), 0);
    size_t fed = 0;
    size_t frames = 0;
    int timeouts = 0;
    while (frames + 1 < whole.frames.size()) {
        const int32_t result = decoder_decode(decoder, nullptr);
        if (result == ZK_ERROR_TIMEOUT) {
            ++timeouts;
            const size_t piece = std::min<size_t>(97, bytes.size() - fed);
            ASSERT_GT(piece, 0u);
            ASSERT_EQ(memory_input_stream_write(decoder, bytes.data() + fed, piece), int32_t(piece));
            fed += piece;
            continue;
        }
        ASSERT_EQ(result, 0);
        const auto* samples = static_cast<const int16_t*>(decoder->output_buffer->samples);
        ASSERT_EQ(std::vector<int16_t>(samples, samples + decoder->output_buffer->size / 2),
                  whole.frames[frames].samples)
            << frames;
        ++frames;
    }
    EXPECT_GT(timeouts, 20);
    const ZK_Timecode& timecode = decoder->status->timecode;
    const uint32_t expected = decoder->input->offset * 8 / (decoder->status->info.bitrate * 1000);
    EXPECT_EQ(uint32_t(timecode.minutes * 60 + timecode.seconds), expected);
    EXPECT_EQ(decoder->input->duration, 0);
}

} // namespace
} // namespace zk::test
