// The invalid intensity position on requantised spectra. Intensity and
// mid/side stereo in long, short and mixed blocks are covered by the
// conformance streams (l3-he_mode), MPEG-2 intensity by the stream tests.
#include "codec/layer3/stereo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zk::test {
namespace {

// MPEG-1 44100 Hz long blocks: left line i holds i + 1, right is silent and
// every band has the given intensity position (7 is invalid at slen 3).
struct Granule {
    std::vector<float> left = std::vector<float>(576, 0.0f);
    std::vector<float> right = std::vector<float>(576, 0.0f);
    Scalefactors sf{};

    explicit Granule(uint8_t position) {
        for (int i = 0; i < 576; ++i) left[i] = static_cast<float>(i + 1);
        for (auto& v : sf.long_bands) v = position;
        for (auto& v : sf.long_limit) v = 7;
    }
    void apply(bool mid_side) {
        int32_t left_end = 576, right_end = 0;
        apply_joint_stereo({mid_side, true}, {0, true, mid_side}, GranuleChannel{}, sf, left.data(), right.data(),
                           left_end, right_end);
    }
};

TEST(IntensityStereo, InvalidPositionKeepsLeftRightOrMidSide) {
    Granule plain(7);
    plain.apply(false);
    EXPECT_FLOAT_EQ(plain.left[200], 201.0f);
    EXPECT_FLOAT_EQ(plain.right[200], 0.0f);

    // With mid/side the invalid bands are mid/side bands; valid ones undo
    // the 1/sqrt(2) that mid/side frames carry in channel 0.
    Granule both(7);
    both.sf.long_bands[20] = 0; // lines 418..575 at 44.1 kHz: all to the right
    both.apply(true);
    EXPECT_FLOAT_EQ(both.left[200], 201.0f);
    EXPECT_FLOAT_EQ(both.right[200], 201.0f);
    EXPECT_FLOAT_EQ(both.left[500], 0.0f);
    EXPECT_NEAR(both.right[500], 501.0f * std::sqrt(2.0), 1e-3);
}

} // namespace
} // namespace zk::test
