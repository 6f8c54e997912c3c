// Scaling between channel levels and ALSA element ranges.
#include "player/mixer/AlsaMixer.h"

#include <gtest/gtest.h>

TEST(AlsaMixer, LevelsSpanTheElementRangeAndOutsideValuesAreLimited) {
    EXPECT_EQ(AlsaMixer::LevelOfElementValue(0, 0, 31), 0u);
    EXPECT_EQ(AlsaMixer::LevelOfElementValue(31, 0, 31), 65535u);
    EXPECT_EQ(AlsaMixer::LevelOfElementValue(-10, -20, 0), 32768u); // 32767.5 rounds up
    EXPECT_EQ(AlsaMixer::ElementValueOfLevel(0, 0, 31), 0);
    EXPECT_EQ(AlsaMixer::ElementValueOfLevel(65535, 0, 31), 31);
    EXPECT_EQ(AlsaMixer::ElementValueOfLevel(65535, -6000, 0), 0);
    EXPECT_EQ(AlsaMixer::ElementValueOfLevel(0, -6000, 0), -6000);

    EXPECT_EQ(AlsaMixer::LevelOfElementValue(99, 0, 31), 65535u);
    EXPECT_EQ(AlsaMixer::LevelOfElementValue(-5, 0, 31), 0u);
    EXPECT_EQ(AlsaMixer::ElementValueOfLevel(70000, 0, 31), 31);
    EXPECT_EQ(AlsaMixer::LevelOfElementValue(5, 5, 5), 0u); // an empty range
    EXPECT_EQ(AlsaMixer::ElementValueOfLevel(100, 5, 5), 5);

    for (uint32_t level : {0u, 1u, 12345u, 32768u, 65535u}) // round trip through a fine range
        EXPECT_EQ(AlsaMixer::LevelOfElementValue(AlsaMixer::ElementValueOfLevel(level, 0, 65535), 0, 65535), level);
}

TEST(AlsaMixer, MissingCardsHaveNoElements) {
    EXPECT_FALSE(AlsaMixer::HasElement(999, TMixerKind::Wave));
    EXPECT_FALSE(AlsaMixer::ReadVolume(999, TMixerKind::Wave).has_value());
    EXPECT_FALSE(AlsaMixer::WriteVolume(999, TMixerKind::Wave, 0));
}
