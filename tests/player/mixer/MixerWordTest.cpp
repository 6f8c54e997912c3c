// Volume and balance arithmetic of the volume word.
#include "player/mixer/MixerWord.h"

#include <gtest/gtest.h>

TEST(MixerWord, ChannelsAreTheLowAndHighHalves) {
    const TChannelLevels levels = TChannelLevels::FromWord(0x1234ABCD);
    EXPECT_EQ(levels.Left, 0xABCDu);
    EXPECT_EQ(levels.Right, 0x1234u);
    EXPECT_EQ(levels.Word(), 0x1234ABCDu);
    EXPECT_EQ(LevelsOfVolume(250).Word(), 250u * 0x01000100u);
}

TEST(MixerWord, VolumeIsTheSumShiftedByNine) {
    EXPECT_EQ(VolumeOfLevels({65535, 65535}), 255);
    EXPECT_EQ(VolumeOfLevels({0, 0}), 0);
    EXPECT_EQ(VolumeOfLevels({511, 0}), 0);
    EXPECT_EQ(VolumeOfLevels({512, 0}), 1);
    EXPECT_EQ(VolumeOfLevels(LevelsOfVolume(250)), 250);
}

TEST(MixerWord, WaveBalanceIsTheLeftShareRoundedHalvesToEven) {
    EXPECT_EQ(WaveBalanceOfLevels({65535, 65535}), 50);
    EXPECT_EQ(WaveBalanceOfLevels({65535, 0}), 100);
    EXPECT_EQ(WaveBalanceOfLevels({0, 65535}), 0);
    EXPECT_EQ(WaveBalanceOfLevels({0, 0}), 0);
    EXPECT_EQ(WaveBalanceOfLevels({1, 7}), 12); // 12.5
    EXPECT_EQ(WaveBalanceOfLevels({3, 5}), 38); // 37.5
    EXPECT_EQ(WaveBalanceOfLevels({30000, 10000}), 75);
}

TEST(MixerWord, DeviceBalanceDividesByTheIntegerHundredthOfTheSum) {
    EXPECT_EQ(DeviceBalanceOfLevels({65535, 65535}), 50); // 65535 / 1310 = 50.03
    EXPECT_EQ(DeviceBalanceOfLevels({30000, 10000}), 75);
    EXPECT_EQ(DeviceBalanceOfLevels({150, 50}), 75); // 150 / 2
    EXPECT_EQ(DeviceBalanceOfLevels({250, 50}), 83); // 250 / 3 = 83.3
    EXPECT_EQ(DeviceBalanceOfLevels({99, 0}), 0);    // no whole hundredth
    EXPECT_EQ(DeviceBalanceOfLevels({0, 0}), 0);
    EXPECT_EQ(DeviceBalanceOfLevels({199, 0}), 100);  // 199 / 1, kept a percentage
    EXPECT_EQ(DeviceBalanceOfLevels({125, 275}), 31); // 31.25
    EXPECT_EQ(DeviceBalanceOfLevels({10, 190}), 5);
    EXPECT_EQ(DeviceBalanceOfLevels({25, 175}), 12); // 12.5, halves to even
}

TEST(MixerWord, RebalancingKeepsTheSumAndLimitsEachChannel) {
    EXPECT_EQ(RebalancedLevels({64000, 64000}, 50), (TChannelLevels{64000, 64000}));
    EXPECT_EQ(RebalancedLevels({32768, 32768}, 100), (TChannelLevels{65535, 0}));
    EXPECT_EQ(RebalancedLevels({32768, 32768}, 0), (TChannelLevels{0, 65535}));
    EXPECT_EQ(RebalancedLevels({20000, 20000}, 25), (TChannelLevels{10000, 30000}));
    EXPECT_EQ(RebalancedLevels({1, 0}, 50), (TChannelLevels{0, 1})); // 0.5 rounds to 0
    EXPECT_EQ(RebalancedLevels({2, 1}, 50), (TChannelLevels{2, 1})); // 1.5 rounds to 2
    EXPECT_EQ(RebalancedLevels({0, 0}, 70), (TChannelLevels{0, 0}));
    // Above 127 a far-off balance would need more than a channel holds.
    EXPECT_EQ(RebalancedLevels({64000, 64000}, 100), (TChannelLevels{65535, 0}));
    EXPECT_EQ(RebalancedLevels({64000, 64000}, 30), (TChannelLevels{38400, 65535}));
    // Balances above 100 count as all left.
    EXPECT_EQ(RebalancedLevels({1000, 1000}, 255), (TChannelLevels{2000, 0}));
}
