// Where region 1 starts in granules with window switching: after the first 8
// long bands (start and stop blocks) or the first 3 short bands of each
// window (short blocks) of the frame's own band table. At 8000 Hz (MPEG-2.5)
// those lie at lines 108 and 72, not at 54 and 36 as for the other rates.
#include "codec/layer3/side_info.h"
#include "engine/frames/memory_byte_source.h"
#include "engine/frames/stream_builder.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

// A single-channel layer III frame at 16 kbit/s of the given version
// (0: MPEG-2.5, 2: MPEG-2) and frequency index, with one granule using window
// switching with the given block type, read up to its side information.
GranuleChannel windowed_granule(uint32_t version, uint32_t frequency_index, int block_type, int sample_rate) {
    test::BitWriter w;
    w.put(0x7FF, 11);
    w.put(version, 2);
    w.put(1, 2); // layer III
    w.put(1, 1); // no CRC
    w.put(2, 4); // 16 kbit/s
    w.put(frequency_index, 2);
    w.put(0, 2); // no padding, private bit
    w.put(3, 2); // single channel
    w.put(0, 6);
    w.put(0, 8);   // main_data_begin
    w.put(0, 1);   // private bit
    w.put(0, 12);  // part2_3_length
    w.put(10, 9);  // big_values
    w.put(150, 8); // global_gain
    w.put(0, 9);   // scalefac_compress
    w.put(1, 1);   // window switching
    w.put(static_cast<uint32_t>(block_type), 2);
    w.put(0, 1); // not mixed
    w.put(1, 5);
    w.put(1, 5); // table_select
    w.put(0, 9); // subblock gains
    w.put(0, 2); // scalefac_scale, count1table
    test::MemoryByteSource source(w.finish(static_cast<size_t>(72 * 16000 / sample_rate)));
    BitstreamReader reader(source);
    EXPECT_EQ(reader.fetch_frame(), 0);
    SideInfo side{};
    EXPECT_TRUE(read_side_info(reader, reader.header(), side));
    return side.granule[0][0];
}

TEST(Layer3Regions, WindowSwitchingRegionsFollowTheBandTableOfTheRate) {
    struct Case {
        uint32_t version, frequency_index;
        int sample_rate, block_type, region1_start;
    };
    const Case cases[] = {
        {0, 2, 8000, 1, 108}, {0, 2, 8000, 3, 108}, {0, 2, 8000, 2, 72}, // MPEG-2.5 8000 Hz
        {0, 0, 11025, 1, 54}, {0, 0, 11025, 2, 36},                      // MPEG-2.5 11025 Hz
        {2, 0, 22050, 3, 54}, {2, 0, 22050, 2, 36},                      // MPEG-2 22050 Hz
    };
    for (const Case& c : cases) {
        const GranuleChannel gc = windowed_granule(c.version, c.frequency_index, c.block_type, c.sample_rate);
        EXPECT_EQ(gc.block_type, c.block_type) << c.sample_rate;
        EXPECT_EQ(gc.region1_start, c.region1_start) << c.sample_rate << " Hz, block type " << c.block_type;
        EXPECT_EQ(gc.region2_start, 576);
    }
}

} // namespace
} // namespace zk
