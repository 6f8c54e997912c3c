// Mid/side and intensity stereo on requantised spectra.
#include "codec/layer3/stereo.h"
#include "codec/tables/layer3_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zk::test {
namespace {

constexpr int kRate44100 = 0;  // MPEG-1 44100 Hz
constexpr int kRate22050 = 3;  // MPEG-2 22050 Hz
const double kPi = std::acos(-1.0);

struct Granule {
    std::vector<float> left = std::vector<float>(576, 0.0f);
    std::vector<float> right = std::vector<float>(576, 0.0f);
    GranuleChannel gc{};
    Scalefactors sf{};
    int32_t left_end = 576;
    int32_t right_end = 576;

    Granule(uint8_t position, uint8_t limit) {
        for (int i = 0; i < 576; ++i)
            left[i] = static_cast<float>(i + 1);
        for (auto& v : sf.long_bands) v = position;
        for (auto& v : sf.long_limit) v = limit;
        for (auto& band : sf.short_bands) band[0] = band[1] = band[2] = position;
        for (auto& v : sf.short_limit) v = limit;
    }
    void apply(bool mid_side, bool intensity, int rate, bool mpeg1) {
        apply_joint_stereo({mid_side, intensity}, {rate, mpeg1, mid_side}, gc, sf, left.data(), right.data(),
                           left_end, right_end);
    }
};

TEST(MidSide, LeftIsMidPlusSideRightMidMinusSide) {
    Granule g(0, 7);
    for (int i = 0; i < 576; ++i)
        g.right[i] = 0.25f * static_cast<float>(i);
    g.left_end = 300;
    g.right_end = 100;
    g.apply(true, false, kRate44100, true);
    for (int i = 0; i < 576; ++i) {
        const float mid = i < 300 ? static_cast<float>(i + 1) : static_cast<float>(i + 1);
        const float side = 0.25f * static_cast<float>(i);
        if (i >= 300)
            break; // beyond both ends the lines are known to be zero
        EXPECT_FLOAT_EQ(g.left[i], mid + side);
        EXPECT_FLOAT_EQ(g.right[i], mid - side);
    }
    EXPECT_EQ(g.left_end, 300);
    EXPECT_EQ(g.right_end, 300);
}

TEST(IntensityStereo, Mpeg1PositionsSplitByTheTangentRatio) {
    for (int position = 0; position <= 6; ++position) {
        Granule g(static_cast<uint8_t>(position), 7);
        g.right_end = 0;
        g.apply(false, true, kRate44100, true);
        const double ratio = std::tan(position * kPi / 12);
        const double kl = position == 6 ? 1.0 : ratio / (1 + ratio);
        const double kr = position == 6 ? 0.0 : 1 / (1 + ratio);
        for (int i : {0, 100, 575}) {
            EXPECT_NEAR(g.left[i], (i + 1) * kl, 1e-4 * (i + 1)) << "position " << position;
            EXPECT_NEAR(g.right[i], (i + 1) * kr, 1e-4 * (i + 1)) << "position " << position;
        }
    }
}

TEST(IntensityStereo, StartsAboveTheLastNonZeroLineOfChannelOne) {
    Granule g(3, 7); // position 3: both channels get half
    g.right[95] = 7.0f; // 44.1 kHz long band 13 covers lines 90..109
    g.right_end = 96;
    g.apply(false, true, kRate44100, true);
    EXPECT_FLOAT_EQ(g.left[109], 110.0f); // band 13 stays as decoded
    EXPECT_FLOAT_EQ(g.right[95], 7.0f);
    EXPECT_FLOAT_EQ(g.right[109], 0.0f);
    EXPECT_NEAR(g.left[110], 55.5f, 1e-3);  // band 14 on: intensity
    EXPECT_NEAR(g.right[110], 55.5f, 1e-3);
}

TEST(IntensityStereo, InvalidPositionKeepsLeftRightOrMidSide) {
    Granule plain(7, 7);
    plain.right_end = 0;
    plain.apply(false, true, kRate44100, true);
    EXPECT_FLOAT_EQ(plain.left[200], 201.0f);
    EXPECT_FLOAT_EQ(plain.right[200], 0.0f);

    // With mid/side the invalid bands are mid/side bands; valid ones undo
    // the 1/sqrt(2) that mid/side frames carry in channel 0.
    Granule both(7, 7);
    both.right_end = 0;
    both.sf.long_bands[20] = 0; // lines 418..575 at 44.1 kHz: all to the right
    both.apply(true, true, kRate44100, true);
    EXPECT_FLOAT_EQ(both.left[200], 201.0f);
    EXPECT_FLOAT_EQ(both.right[200], 201.0f);
    EXPECT_FLOAT_EQ(both.left[500], 0.0f);
    EXPECT_NEAR(both.right[500], 501.0f * std::sqrt(2.0), 1e-3);
}

TEST(IntensityStereo, Mpeg2PositionsScaleOneChannelByPowersOfTheIntensityScale) {
    struct Case {
        uint8_t position;
        int scale;
        double left, right;
    };
    const double io0 = std::pow(2.0, -0.25), io1 = std::pow(2.0, -0.5);
    for (const Case& c : {Case{0, 0, 1, 1}, Case{1, 0, io0, 1}, Case{2, 0, 1, io0}, Case{5, 1, io1 * io1 * io1, 1},
                          Case{6, 1, 1, io1 * io1 * io1}}) {
        Granule g(c.position, 7);
        g.sf.intensity_scale = c.scale;
        g.right_end = 0;
        g.apply(false, true, kRate22050, false);
        EXPECT_NEAR(g.left[300], 301 * c.left, 1e-3) << "position " << int(c.position);
        EXPECT_NEAR(g.right[300], 301 * c.right, 1e-3) << "position " << int(c.position);
    }
    // The largest value of a band's scalefactor length is not a position.
    Granule g(3, 3);
    g.right_end = 0;
    g.apply(false, true, kRate22050, false);
    EXPECT_FLOAT_EQ(g.left[300], 301.0f);
    EXPECT_FLOAT_EQ(g.right[300], 0.0f);
}

TEST(IntensityStereo, ShortBlocksStartPerWindow) {
    Granule g(0, 7); // position 0: all to the right
    g.gc.block_type = 2;
    g.gc.window_switching = 1;
    // Window 1 has data in short band 5 (lines 22..29 per window at 44.1 kHz).
    g.right[3 * 25 + 1] = 4.0f;
    g.apply(false, true, kRate44100, true);
    EXPECT_FLOAT_EQ(g.left[3 * 25 + 0], 0.0f);     // window 0: intensity from band 0
    EXPECT_FLOAT_EQ(g.right[3 * 25 + 0], 76.0f);
    EXPECT_FLOAT_EQ(g.left[3 * 25 + 1], 77.0f);    // window 1, band 5: as decoded
    EXPECT_FLOAT_EQ(g.right[3 * 25 + 1], 4.0f);
    EXPECT_FLOAT_EQ(g.left[3 * 30 + 1], 0.0f);     // window 1, band 6 on: intensity
    EXPECT_FLOAT_EQ(g.right[3 * 30 + 1], 92.0f);
}

} // namespace
} // namespace zk::test
