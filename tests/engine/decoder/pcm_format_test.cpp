#include "decoder/pcm_format.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Log8, CodesAtTheEdgesOfTheScale) {
    for (int s = -31; s <= 31; ++s) EXPECT_EQ(zk::log8_code(int16_t(s)), 0x7E) << s;
    EXPECT_EQ(zk::log8_code(-32), 0xFE);
    EXPECT_EQ(zk::log8_code(32), 0x7D);
    EXPECT_EQ(zk::log8_code(32767), 0x1F);
    EXPECT_EQ(zk::log8_code(-32768), 0x9F);
    // Segment starts: m = 15 and 16 share 0x6F, m = 45 and 46 give 0x60.
    EXPECT_EQ(zk::log8_code(14 * 32), 0x70);
    EXPECT_EQ(zk::log8_code(15 * 32), 0x6F);
    EXPECT_EQ(zk::log8_code(16 * 32), 0x6F);
    EXPECT_EQ(zk::log8_code(46 * 32), 0x60);
    EXPECT_EQ(zk::log8_code(47 * 32), 0x5F);
    EXPECT_EQ(zk::log8_code(1006 * 32), 0x20);
    EXPECT_EQ(zk::log8_code(1007 * 32), 0x1F);
}

TEST(Log8, MagnitudeFallsMonotonicallyAndSignsMirror) {
    for (int m = 1; m < 1024; ++m) {
        const int previous = zk::log8_code(int16_t((m - 1) * 32));
        const int code = zk::log8_code(int16_t(m * 32));
        EXPECT_TRUE(code == previous || code == previous - 1) << m;
        EXPECT_EQ(zk::log8_code(int16_t(-(m + 1) * 32)), code | 0x80) << m;
    }
}

TEST(Convert, EightBitFormatsInPlace) {
    std::vector<int16_t> samples = {0, -1, 255, 256, -256, 32767, -32768, 1000};
    zk::convert_to_unsigned8(samples.data(), int32_t(samples.size()));
    const auto* bytes = reinterpret_cast<const uint8_t*>(samples.data());
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 8), (std::vector<uint8_t>{128, 128, 128, 129, 127, 255, 0, 131}));

    std::vector<int16_t> logarithmic = {0, -32, 32767, -32768};
    zk::convert_to_log8(logarithmic.data(), int32_t(logarithmic.size()));
    const auto* codes = reinterpret_cast<const uint8_t*>(logarithmic.data());
    EXPECT_EQ(std::vector<uint8_t>(codes, codes + 4), (std::vector<uint8_t>{0x7E, 0xFE, 0x1F, 0x9F}));
}

} // namespace
