#include "codec/bitstream_reader.h"
#include "engine/support/conformance.h"
#include "memory_byte_source.h"
#include "zelkor.h"

#include <gtest/gtest.h>

namespace zk::test {
namespace {

bool is_free_format(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= 4 && has_sync(static_cast<uint32_t>(bytes[0]) << 24 | bytes[1] << 16) &&
           (bytes[2] >> 4) == 0;
}

// The frame reader yields exactly the complete frames of every stream (none
// of a free-format stream), each with the stream's layer and rate.
TEST(ConformanceWalk, YieldsEveryCompleteFrame) {
    const std::vector<ConformanceStream> streams = conformance_streams();
    if (streams.empty())
        GTEST_SKIP() << "no conformance streams on this machine";

    for (const ConformanceStream& stream : streams) {
        SCOPED_TRACE(stream.file);
        std::vector<uint8_t> bytes = read_file(stream.bitstream_path());
        ASSERT_FALSE(bytes.empty());
        const int expected = is_free_format(bytes) ? 0 : stream.complete_frames;

        MemoryByteSource source(std::move(bytes));
        BitstreamReader reader(source);
        int frames = 0;
        int32_t code = 0;
        while ((code = reader.fetch_frame()) == 0) {
            ++frames;
            ASSERT_EQ(reader.header().layer(), stream.layer);
            ASSERT_EQ(reader.header().frequency_hz(), stream.sample_rate);
            ASSERT_EQ(reader.header().samples_per_channel(), stream.samples_per_frame);
        }
        EXPECT_EQ(code, ZK_ERROR_INPUT_END);
        EXPECT_EQ(frames, expected);
    }
}

} // namespace
} // namespace zk::test
