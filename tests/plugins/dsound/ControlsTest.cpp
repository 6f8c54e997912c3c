// Levels, marks, the play-state table and device names.
#include "module/device_table.h"
#include "module/levels.h"
#include "module/play_state.h"

#include <gtest/gtest.h>

namespace zk::dsound {
namespace {

TEST(DsoundLevels, PcmLevelAttenuationAndReadBack) {
    const std::pair<int32_t, int32_t> level_volume[] = {{0, -10000}, {1, -6643}, {25, -1999},  {50, -999},
                                                        {70, -514},  {100, 0},   {-5, -10000}, {250, 0}};
    for (auto [level, volume] : level_volume) EXPECT_EQ(volume_of_level(level), volume) << level;
    const std::pair<int32_t, int32_t> read_back[] = {{50, 91}, {25, 81}, {100, 100}, {0, 0}};
    for (auto [level, read] : read_back) EXPECT_EQ(level_of_volume(volume_of_level(level)), read) << level;
}

TEST(DsoundLevels, BalanceAndPan) {
    EXPECT_EQ(pan_of_balance(0), -10000);
    EXPECT_EQ(pan_of_balance(50), 0);
    EXPECT_EQ(pan_of_balance(130), 10000);
    EXPECT_EQ(balance_of_pan(-10000), 0);
    EXPECT_EQ(balance_of_pan(pan_of_balance(73)), 73);
}

TEST(DsoundPlayState, TableAtTheMarksOf44100Stereo) {
    const BufferMarks m = BufferMarks::of_byte_rate(176400);
    EXPECT_EQ(m.silence, 176400u);
    struct Case {
        PlayState from;
        uint32_t queued;
        PlayState next;
        PlayAction action;
    } cases[] = {
        {PlayState::Idle, 88200, PlayState::Idle, PlayAction::None},
        {PlayState::Idle, 88201, PlayState::Playing, PlayAction::Start},
        {PlayState::Draining, 176400, PlayState::Draining, PlayAction::None},
        {PlayState::Draining, 176399, PlayState::Idle, PlayAction::StopAndReset},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(next_play_step(c.from, c.queued, m).next, c.next) << c.queued;
        EXPECT_EQ(next_play_step(c.from, c.queued, m).action, c.action) << c.queued;
    }
    for (PlayState state : {PlayState::Playing, PlayState::Full}) {
        EXPECT_EQ(next_play_step(state, 264599, m).next, PlayState::Playing);
        EXPECT_EQ(next_play_step(state, 264600, m).next, PlayState::Full);
        EXPECT_EQ(next_play_step(state, 44100, m).action, PlayAction::None);
        EXPECT_EQ(next_play_step(state, 44099, m).next, PlayState::Draining);
        EXPECT_EQ(next_play_step(state, 44099, m).action, PlayAction::AppendSilence);
    }
    EXPECT_EQ(queued_bytes(40, 100, 1000), 940u);
    EXPECT_EQ(queued_bytes(7, 7, 1000), 0u);
}

TEST(DsoundDeviceNames, EntryOfName) {
    const std::pair<const char*, int> cases[] = {{"", 0},
                                                 {"/dev/dsound/0", 1},
                                                 {"/dev/dsound/8", 9},
                                                 {"/dev/dsound/9", -1},
                                                 {"/dev/dsound/x", -1},
                                                 {"/dev/dsound/10", 0},
                                                 {"/dev/dsound/", 0},
                                                 {"/dev/dsound//", 0}, // the character just below "0" still counts
                                                 {"/dev/wave/0", 0}};
    for (auto [name, entry] : cases) EXPECT_EQ(device_entry_of(name), entry) << name;
}

} // namespace
} // namespace zk::dsound
