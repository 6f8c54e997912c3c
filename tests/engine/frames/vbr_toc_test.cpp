// The Xing table of contents: byte fractions for time fractions and back.
#include "codec/vbr_header.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

// The first half of the time in the first quarter of the bytes.
VbrHeader slow_then_fast() {
    VbrHeader vbr;
    vbr.has_toc = true;
    for (int i = 0; i < 100; ++i) vbr.toc[i] = static_cast<uint8_t>(i < 50 ? i * 64 / 50 : 64 + (i - 50) * 192 / 50);
    return vbr;
}

TEST(XingToc, TimesAndBytesMapBothWaysBetweenEntries) {
    const VbrHeader vbr = slow_then_fast();
    EXPECT_DOUBLE_EQ(toc_bytes_at(vbr, 0), 0);
    EXPECT_DOUBLE_EQ(toc_bytes_at(vbr, 0.5), 0.25);
    EXPECT_NEAR(toc_bytes_at(vbr, 0.75), 0.625, 0.01);
    EXPECT_NEAR(toc_bytes_at(vbr, 0.995), 0.98, 0.02) << "the last entry runs to the end";
    for (double time : {0.0, 0.1, 0.333, 0.5, 0.62, 0.9, 0.99})
        EXPECT_NEAR(toc_time_at(vbr, toc_bytes_at(vbr, time)), time, 0.001) << time;
    EXPECT_DOUBLE_EQ(toc_bytes_at(vbr, -1), 0) << "clamped";
    EXPECT_DOUBLE_EQ(toc_bytes_at(vbr, 7), toc_bytes_at(vbr, 1));
    EXPECT_DOUBLE_EQ(toc_time_at(vbr, 2), 1);
}

TEST(XingToc, ATableThatGoesBackNeverLeavesTheRange) {
    VbrHeader vbr;
    vbr.has_toc = true;
    for (int i = 0; i < 100; ++i) vbr.toc[i] = static_cast<uint8_t>(i % 2 ? 10 : 200);
    for (double fraction = 0; fraction <= 1; fraction += 0.01) {
        const double bytes = toc_bytes_at(vbr, fraction), time = toc_time_at(vbr, fraction);
        EXPECT_TRUE(bytes >= 0 && bytes <= 1) << fraction;
        EXPECT_TRUE(time >= 0 && time <= 1) << fraction;
    }
}

} // namespace
} // namespace zk
