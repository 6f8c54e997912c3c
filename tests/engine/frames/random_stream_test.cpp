#include "codec/bitstream_reader.h"
#include "memory_byte_source.h"
#include "stream_builder.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <random>

namespace zk::test {
namespace {

// Streams of frames with random valid headers, random bodies full of false
// syncs, cut at random places: whatever a layer decoder then asks of the
// reader stays inside its buffers (checked by the sanitizer builds) and the
// reader always comes to the end of the input.
TEST(RandomStreams, ReaderStaysInsideItsBuffers) {
    std::mt19937 random(2024);
    std::vector<uint32_t> valid_words;
    for (uint32_t low = 0; low < (1u << 21); low += 97) {
        FrameHeader header{};
        if (decode_frame_header(0xFFE00000u | low, header))
            valid_words.push_back(0xFFE00000u | low);
    }
    ASSERT_FALSE(valid_words.empty());
    int total_frames = 0;

    for (int round = 0; round < 40; ++round) {
        Bytes stream;
        for (int frame = 0; frame < 30; ++frame) {
            const uint32_t word = valid_words[random() % valid_words.size()];
            FrameHeader header{};
            decode_frame_header(word, header);
            Bytes bytes = {static_cast<uint8_t>(word >> 24), static_cast<uint8_t>(word >> 16),
                           static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word)};
            for (int i = 4; i < header.frame_length(); ++i)
                bytes.push_back(random() % 4 == 0 ? 0xFF : static_cast<uint8_t>(random()));
            if (random() % 5 == 0)
                bytes.resize(random() % bytes.size());
            append(stream, bytes);
        }

        MemoryByteSource source(stream);
        BitstreamReader reader(source);
        int32_t code = 0;
        int frames = 0;
        while ((code = reader.fetch_frame()) == 0) {
            ASSERT_LT(++frames, 1000);
            if (reader.header().layer() == 3 &&
                !reader.load_main_data(static_cast<int32_t>(random() % 512), static_cast<int32_t>(random() % 16381)))
                continue;
            const int bits = reader.data_bits() + static_cast<int>(random() % 20000);
            for (int read = 0; read < bits; read += 16) {
                reader.read_bits(16);
                if (random() % 7 == 0)
                    reader.put_back_bits(static_cast<int>(random() % 17));
            }
        }
        EXPECT_EQ(code, ZK_ERROR_INPUT_END);
        total_frames += frames;
    }
    EXPECT_GT(total_frames, 100);
}

} // namespace
} // namespace zk::test
