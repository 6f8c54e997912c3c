#include "engine/player/fake_output.h"
#include "engine/player/player_client.h"

#include <gtest/gtest.h>

namespace {

using zk::test::PlayerClient;

// Opens the demo track on the fake output with the given player mode and
// granularity, plays it to its end.
void play_demo(PlayerClient& client, uint32_t mode, uint32_t granularity) {
    std::string name = zk::test::fake_output_module_name();
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER, name.c_str());
    control_message_send_S(client.channel(), ZK_MSG_SET_OUTPUT_NAME, "fake");
    control_message_send_I(client.channel(), ZK_MSG_SET_PLAYER_MODE, static_cast<int32_t>(mode));
    control_message_send_I(client.channel(), ZK_MSG_SET_INPUT_TIMECODE_GRANULARITY, static_cast<int32_t>(granularity));
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_INPUT_OPEN, TAERIN_DEMO_TRACK);
    control_message_send_N(client.channel(), ZK_MSG_COMMAND_PLAY);
    ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_PLAY), 0);
    for (;;) {
        ASSERT_TRUE(client.wait_for(ZK_MSG_NOTIFY_PLAYER_STATE, 60000));
        auto states = client.of_code(ZK_MSG_NOTIFY_PLAYER_STATE);
        if (states.back().message.byte.state == ZK_PLAYER_STATE_EOF) break;
        client.wait_for(ZK_MSG_NOTIFY_EXITED, 200); // keep receiving
    }
}

TEST(PlayerPlayback, PlaysToTheEndWithRisingPositions) {
    PlayerClient client;
    play_demo(client, 0, 100);
    auto positions = client.of_code(ZK_MSG_NOTIFY_INPUT_POSITION);
    ASSERT_FALSE(positions.empty());
    uint32_t last = 0;
    for (const auto& p : positions) {
        EXPECT_GE(p.message.seek.offset, last);
        EXPECT_LE(p.message.seek.offset, 400u);
        EXPECT_EQ(p.message.seek.range, 400u);
        last = p.message.seek.offset;
    }
    EXPECT_GE(last, 390u);
    auto timecodes = client.of_code(ZK_MSG_NOTIFY_INPUT_TIMECODE);
    EXPECT_GE(timecodes.size(), 19u);
    for (const auto& t : timecodes) EXPECT_EQ(t.message.timecode.fractions, 0);
    auto states = client.of_code(ZK_MSG_NOTIFY_PLAYER_STATE);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states[0].message.byte.state, ZK_PLAYER_STATE_PLAYING);
    EXPECT_EQ(states[1].message.byte.state, ZK_PLAYER_STATE_EOF);
}

TEST(PlayerPlayback, GranularityAndCloseOnEof) {
    PlayerClient client;
    play_demo(client, ZK_PLAYER_MODE_CLOSE_OUTPUT_ON_EOF, 25);
    for (const auto& t : client.of_code(ZK_MSG_NOTIFY_INPUT_TIMECODE)) EXPECT_EQ(t.message.timecode.fractions % 25, 0);
    EXPECT_GT(client.of_code(ZK_MSG_NOTIFY_INPUT_TIMECODE).size(), 40u);
    ASSERT_TRUE(client.wait_for(ZK_MSG_NOTIFY_OUTPUT_STATE));
    auto outputs = client.of_code(ZK_MSG_NOTIFY_OUTPUT_STATE);
    EXPECT_EQ(outputs.back().message.byte.state, ZK_NOTIFIED_STATE_CLOSED);
    // The output state closed comes after the end-of-input state.
    size_t eof_at = 0, closed_at = 0;
    const auto& all = client.received();
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].message.code == ZK_MSG_NOTIFY_PLAYER_STATE && all[i].message.byte.state == ZK_PLAYER_STATE_EOF)
            eof_at = i;
        if (all[i].message.code == ZK_MSG_NOTIFY_OUTPUT_STATE) closed_at = i;
    }
    EXPECT_LT(eof_at, closed_at);
}

} // namespace
