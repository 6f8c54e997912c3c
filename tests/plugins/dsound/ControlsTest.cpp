// Levels, marks, the play-state table and device names.
#include "module/device_table.h"
#include "module/levels.h"
#include "module/play_state.h"

#include <gtest/gtest.h>

namespace zk::dsound {
namespace {

TEST(DsoundLevels, PcmLevelAttenuation) {
    EXPECT_EQ(volume_of_level(0), -10000);
    EXPECT_EQ(volume_of_level(1), -6643);
    EXPECT_EQ(volume_of_level(25), -1999);
    EXPECT_EQ(volume_of_level(50), -999);
    EXPECT_EQ(volume_of_level(100), 0);
    EXPECT_EQ(volume_of_level(70), -514); // log2(0.7) = -0.5146
    EXPECT_EQ(volume_of_level(-5), -10000);
    EXPECT_EQ(volume_of_level(250), 0);
}

TEST(DsoundLevels, ReadBack) {
    EXPECT_EQ(level_of_volume(volume_of_level(50)), 91);
    EXPECT_EQ(level_of_volume(volume_of_level(25)), 81);
    EXPECT_EQ(level_of_volume(volume_of_level(100)), 100);
    EXPECT_EQ(level_of_volume(volume_of_level(0)), 0);
}

TEST(DsoundLevels, BalanceAndPan) {
    EXPECT_EQ(pan_of_balance(0), -10000);
    EXPECT_EQ(pan_of_balance(50), 0);
    EXPECT_EQ(pan_of_balance(100), 10000);
    EXPECT_EQ(pan_of_balance(130), 10000);
    EXPECT_EQ(balance_of_pan(-10000), 0);
    EXPECT_EQ(balance_of_pan(pan_of_balance(73)), 73);
}

TEST(DsoundPlayState, MarksAt44100Stereo) {
    const BufferMarks marks = BufferMarks::of_byte_rate(44100 * 2 * 2);
    EXPECT_EQ(marks.size, 352800u);
    EXPECT_EQ(marks.start, 88200u);
    EXPECT_EQ(marks.high, 264600u);
    EXPECT_EQ(marks.low, 44100u);
    EXPECT_EQ(marks.silence, 176400u);
}

TEST(DsoundPlayState, Table) {
    const BufferMarks m = BufferMarks::of_byte_rate(176400);
    auto step = [&](PlayState state, uint32_t queued) { return next_play_step(state, queued, m); };

    EXPECT_EQ(step(PlayState::Idle, 88200).next, PlayState::Idle);
    EXPECT_EQ(step(PlayState::Idle, 88200).action, PlayAction::None);
    EXPECT_EQ(step(PlayState::Idle, 88201).next, PlayState::Playing);
    EXPECT_EQ(step(PlayState::Idle, 88201).action, PlayAction::Start);

    for (PlayState state : {PlayState::Playing, PlayState::Full}) {
        EXPECT_EQ(step(state, 264599).next, PlayState::Playing);
        EXPECT_EQ(step(state, 264600).next, PlayState::Full);
        EXPECT_EQ(step(state, 44100).next, PlayState::Playing);
        EXPECT_EQ(step(state, 44100).action, PlayAction::None);
        EXPECT_EQ(step(state, 44099).next, PlayState::Draining);
        EXPECT_EQ(step(state, 44099).action, PlayAction::AppendSilence);
    }

    EXPECT_EQ(step(PlayState::Draining, 176400).next, PlayState::Draining);
    EXPECT_EQ(step(PlayState::Draining, 176400).action, PlayAction::None);
    EXPECT_EQ(step(PlayState::Draining, 176399).next, PlayState::Idle);
    EXPECT_EQ(step(PlayState::Draining, 176399).action, PlayAction::StopAndReset);
}

TEST(DsoundPlayState, QueuedBytesWrap) {
    EXPECT_EQ(queued_bytes(100, 40, 1000), 60u);
    EXPECT_EQ(queued_bytes(40, 100, 1000), 940u);
    EXPECT_EQ(queued_bytes(7, 7, 1000), 0u);
}

TEST(DsoundDeviceNames, EntryOfName) {
    EXPECT_EQ(device_entry_of(""), 0);
    EXPECT_EQ(device_entry_of("/dev/dsound/0"), 1);
    EXPECT_EQ(device_entry_of("/dev/dsound/8"), 9);
    EXPECT_EQ(device_entry_of("/dev/dsound/9"), -1);
    EXPECT_EQ(device_entry_of("/dev/dsound/x"), -1);
    EXPECT_EQ(device_entry_of("/dev/dsound/10"), 0);
    EXPECT_EQ(device_entry_of("/dev/dsound/"), 0);
    // The character just below "0" still counts: "/" is the default entry.
    EXPECT_EQ(device_entry_of("/dev/dsound//"), 0);
    EXPECT_EQ(device_entry_of("/dev/wave/0"), 0);
}

} // namespace
} // namespace zk::dsound
