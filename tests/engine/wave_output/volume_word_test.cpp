// The volume word: pcm level and balance make it, and read back from it.
#include "output/wave/volume_word.h"

#include <gtest/gtest.h>

using namespace zk::wave;

namespace {

constexpr uint32_t word(uint32_t left, uint32_t right) { return left | right << 16; }

// Level 100 at balance 25 and balance alone are checked through the module.
TEST(VolumeWord, PcmLevelWithBalance) {
    EXPECT_EQ(volume_word(full_level_of(100), 0.5), word(65535, 65535));
    EXPECT_EQ(volume_word(full_level_of(100), 0.0), word(65535, 0));
    EXPECT_EQ(volume_word(full_level_of(100), 1.0), word(0, 65535));
    EXPECT_EQ(volume_word(full_level_of(0), 0.5), 0u);
    EXPECT_EQ(volume_word(louder_of(word(100, 30000)), 0.5), word(30000, 30000));
}

TEST(VolumeWord, TruncationIsNotFooledByBinaryFractions) {
    // 0.3 x 2 x 40000 is 24000, though 0.3 has no exact binary form.
    EXPECT_EQ(volume_word(40000, 0.7), word(24000, 40000));
    EXPECT_EQ(volume_word(40000, 0.3), word(40000, 24000));
}

TEST(VolumeWord, PcmLevelIsClampedAndReadsBack) {
    EXPECT_EQ(full_level_of(101), 65535u);
    EXPECT_EQ(full_level_of(-5), 0u);
    EXPECT_EQ(full_level_of(1), 655u);
    EXPECT_DOUBLE_EQ(balance_of(word(65535, 65535)), 0.5);
    EXPECT_DOUBLE_EQ(balance_of(0), 0.5);
    EXPECT_DOUBLE_EQ(balance_of(word(0, 100)), 1.0);
    EXPECT_NEAR(balance_of(word(40000, 20000)), 1.0 / 3, 1e-12);
    EXPECT_EQ(pcm_level_of(word(65535, 32767)), 100);
    EXPECT_EQ(pcm_level_of(word(100, 32767)), 49);
    EXPECT_EQ(balance_percent(0.25), 25);
    EXPECT_EQ(balance_percent(0.29), 29);
    EXPECT_EQ(balance_percent(1.0 / 3), 33);
}

} // namespace
