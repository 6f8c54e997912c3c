#include "engine/player/fake_output.h"
#include "engine/player/player_client.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using zk::test::PlayerClient;

TEST(PlayerCommands, InputOpenNotifiesInOrderThenAcks) {
    PlayerClient client;
    ASSERT_TRUE(client.wait_for(ZK_MSG_NOTIFY_READY));
    EXPECT_EQ(client.received().front().message.code, static_cast<uint32_t>(ZK_MSG_NOTIFY_READY))
        << "ready comes first";
    client.clear();
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_INPUT_OPEN, TAERIN_DEMO_TRACK);
    ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_INPUT_OPEN), 0);
    std::vector<uint32_t> codes;
    for (const auto& n : client.received()) codes.push_back(n.message.code);
    std::vector<uint32_t> expected = {ZK_MSG_NOTIFY_INPUT_STATE,       ZK_MSG_NOTIFY_INPUT_NAME,
                                      ZK_MSG_NOTIFY_INPUT_CAPS,        ZK_MSG_NOTIFY_INPUT_DURATION,
                                      ZK_MSG_NOTIFY_INPUT_STREAM_INFO, ZK_MSG_NOTIFY_ACK};
    EXPECT_EQ(codes, expected);
    const auto& received = client.received();
    EXPECT_EQ(received[0].message.byte.state, ZK_NOTIFIED_STATE_OPEN);
    EXPECT_EQ(received[1].text, TAERIN_DEMO_TRACK);
    EXPECT_EQ(received[2].message.value.caps, ZK_INPUT_CAN_SEEK);
    EXPECT_EQ(received[3].message.value.duration, 20u);
    EXPECT_EQ(received[4].message.stream_info.layer, 3);
    EXPECT_EQ(received[4].message.stream_info.frequency, 44100);
}

TEST(PlayerCommands, OpeningAMissingFileIsNacked) {
    PlayerClient client;
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_INPUT_OPEN, "/nonexistent/file.mp3");
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_INPUT_OPEN), ZK_ERROR_NO_SUCH_FILE);
    auto states = client.of_code(ZK_MSG_NOTIFY_INPUT_STATE);
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(states[0].message.byte.state, ZK_NOTIFIED_STATE_CLOSED);
}

TEST(PlayerCommands, CommandsThatNeedAnInput) {
    PlayerClient client;
    control_message_send_N(client.channel(), ZK_MSG_COMMAND_PAUSE);
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_PAUSE), ZK_ERROR_INTERNAL);
    control_message_send_N(client.channel(), ZK_MSG_COMMAND_STOP);
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_STOP), ZK_ERROR_INTERNAL);
    control_message_send_II(client.channel(), ZK_MSG_COMMAND_SEEK, 1, 0);
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_SEEK), ZK_ERROR_INVALID_PARAMETERS);
    control_message_send_II(client.channel(), ZK_MSG_COMMAND_SEEK, 1, 400);
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_SEEK), ZK_FAILURE);
}

TEST(PlayerCommands, SeekPositionsAndNotifies) {
    PlayerClient client;
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_INPUT_OPEN, TAERIN_DEMO_TRACK);
    ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_INPUT_OPEN), 0);
    client.clear();
    control_message_send_II(client.channel(), ZK_MSG_COMMAND_SEEK, 200, 400);
    ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_SEEK), 0);
    auto positions = client.of_code(ZK_MSG_NOTIFY_INPUT_POSITION);
    ASSERT_EQ(positions.size(), 1u);
    EXPECT_EQ(positions[0].message.seek.offset, 200u);
    EXPECT_EQ(positions[0].message.seek.range, 400u);
    auto timecodes = client.of_code(ZK_MSG_NOTIFY_INPUT_TIMECODE);
    ASSERT_EQ(timecodes.size(), 1u);
    EXPECT_NEAR(timecodes[0].message.timecode.seconds, 10, 1);
}

TEST(PlayerCommands, ModulesByName) {
    PlayerClient client;
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER, "libnonexistent-zk.so");
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER), ZK_ERROR_LIBRARY_NOT_FOUND);
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER, "no_such_symbol_zk@libc.so.6");
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER), ZK_ERROR_SYMBOL_NOT_FOUND);
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER, "");
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER), ZK_ERROR_INVALID_PARAMETERS);

    std::string name = zk::test::fake_output_module_name();
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER, name.c_str());
    ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER), 0);
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_OUTPUT_OPEN, "fake");
    ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_OUTPUT_OPEN), 0);
    auto names = client.of_code(ZK_MSG_NOTIFY_OUTPUT_NAME);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].text, "fake");
    EXPECT_EQ(client.of_code(ZK_MSG_NOTIFY_OUTPUT_PCM_LEVEL).size(), 1u);
    EXPECT_EQ(client.of_code(ZK_MSG_NOTIFY_OUTPUT_PORTS).size(), 1u);

    // Volume values above 100 are left out of the request.
    control_message_send_III(client.channel(), ZK_MSG_SET_OUTPUT_VOLUME, 255, 50, 255);
    ASSERT_EQ(client.result_of(ZK_MSG_SET_OUTPUT_VOLUME), 0);
    EXPECT_EQ(zk::test::fake_output_log().last_request, ZK_OUTPUT_REQUEST_PCM_LEVEL);
    EXPECT_EQ(zk::test::fake_output_log().last_pcm_level, 50);
}

TEST(PlayerCommands, ModuleIdsAreChecked) {
    PlayerClient client;
    control_message_send_I(client.channel(), ZK_MSG_SET_INPUT_MODULE, -2);
    EXPECT_EQ(client.result_of(ZK_MSG_SET_INPUT_MODULE), ZK_ERROR_MODULE_NOT_FOUND);
    control_message_send_I(client.channel(), ZK_MSG_SET_INPUT_MODULE, 100);
    EXPECT_EQ(client.result_of(ZK_MSG_SET_INPUT_MODULE), ZK_ERROR_MODULE_NOT_FOUND);
    control_message_send_I(client.channel(), ZK_MSG_SET_INPUT_MODULE, -1);
    EXPECT_EQ(client.result_of(ZK_MSG_SET_INPUT_MODULE), 0);
    control_message_send_N(client.channel(), ZK_MSG_GET_INPUT_MODULE);
    ASSERT_TRUE(client.wait_for(ZK_MSG_NOTIFY_INPUT_MODULE));
    EXPECT_EQ(client.of_code(ZK_MSG_NOTIFY_INPUT_MODULE)[0].message.module_id.id, -1);
}

TEST(PlayerCommands, SettingsReadBack) {
    PlayerClient client;
    control_message_send_SI(client.channel(), ZK_MSG_SET_PLAYER_ENVIRONMENT_INTEGER, "A.B", 7);
    control_message_send_S(client.channel(), ZK_MSG_GET_PLAYER_ENVIRONMENT_INTEGER, "A.B");
    ASSERT_TRUE(client.wait_for(ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER));
    EXPECT_EQ(client.of_code(ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER)[0].message.environment_integer.value, 7);
    control_message_send_S(client.channel(), ZK_MSG_GET_PLAYER_ENVIRONMENT_STRING, "A.B");
    EXPECT_EQ(client.result_of(ZK_MSG_GET_PLAYER_ENVIRONMENT_STRING), ZK_ERROR_INVALID_VARIABLE_TYPE);

    control_message_send_I(client.channel(), ZK_MSG_SET_INPUT_POSITION_RANGE, 0);
    EXPECT_EQ(client.result_of(ZK_MSG_SET_INPUT_POSITION_RANGE), ZK_ERROR_INVALID_PARAMETERS);
    control_message_send_I(client.channel(), ZK_MSG_SET_FEEDBACK_RATE, 20);
    control_message_send_N(client.channel(), ZK_MSG_GET_FEEDBACK_RATE);
    ASSERT_TRUE(client.wait_for(ZK_MSG_NOTIFY_OUTPUT_FEEDBACK_RATE));
    control_message_send_N(client.channel(), ZK_MSG_GET_CODEC_EQUALIZER);
    ASSERT_TRUE(client.wait_for(ZK_MSG_NOTIFY_CODEC_EQUALIZER));
    EXPECT_EQ(client.of_code(ZK_MSG_NOTIFY_CODEC_EQUALIZER)[0].message.equalizer.equalizer, nullptr);
}

// Settings that could never work are refused where they are set, and what
// was set before stays.
TEST(PlayerCommands, UnworkableSettingsAreNacked) {
    PlayerClient client;
    control_message_send_I(client.channel(), ZK_MSG_SET_OUTPUT_CHANNELS, 7);
    EXPECT_EQ(client.result_of(ZK_MSG_SET_OUTPUT_CHANNELS), ZK_ERROR_INVALID_PARAMETERS);
    control_message_send_I(client.channel(), ZK_MSG_SET_OUTPUT_CHANNELS, ZK_OUTPUT_CHANNELS_MIX);
    EXPECT_EQ(client.result_of(ZK_MSG_SET_OUTPUT_CHANNELS), 0);

    const struct {
        const char* name;
        int32_t value;
        int32_t result;
    } settings[] = {
        {"INPUT.STREAM.BUFFER-SIZE", 65536, 0},
        {"INPUT.STREAM.BUFFER-SIZE", 16385, ZK_ERROR_INVALID_PARAMETERS}, // two packets and one byte
        {"INPUT.STREAM.READ-TIMEOUT", 0, ZK_ERROR_INVALID_PARAMETERS},
        {"INPUT.STREAM.MAX-PACKET-SIZE", 40000, ZK_ERROR_INVALID_PARAMETERS},
        {"INPUT.STREAM.READ-TIMEOUT", 50, 0},
    };
    for (const auto& s : settings) {
        control_message_send_SI(client.channel(), ZK_MSG_SET_PLAYER_ENVIRONMENT_INTEGER, s.name, s.value);
        EXPECT_EQ(client.result_of(ZK_MSG_SET_PLAYER_ENVIRONMENT_INTEGER), s.result) << s.name << "=" << s.value;
    }
    for (const auto& [name, value] :
         {std::pair{"INPUT.STREAM.BUFFER-SIZE", 65536}, {"INPUT.STREAM.READ-TIMEOUT", 50}}) {
        client.clear();
        control_message_send_S(client.channel(), ZK_MSG_GET_PLAYER_ENVIRONMENT_INTEGER, name);
        ASSERT_TRUE(client.wait_for(ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER));
        EXPECT_EQ(client.of_code(ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER)[0].message.environment_integer.value, value)
            << name;
    }
}

TEST(PlayerCommands, NotificationCodesSentToThePlayerAreIgnored) {
    PlayerClient client;
    ASSERT_TRUE(client.wait_for(ZK_MSG_NOTIFY_READY));
    control_message_send_N(client.channel(), ZK_MSG_NOTIFY_READY);
    control_message_send_I(client.channel(), ZK_MSG_NOTIFY_PLAYER_STATE, 1);
    control_message_send_I(client.channel(), ZK_MSG_COMMAND_PING, 5);
    ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_PING), 0);
    EXPECT_EQ(client.of_code(ZK_MSG_NOTIFY_ACK).size(), 1u);
    EXPECT_TRUE(client.of_code(ZK_MSG_NOTIFY_NACK).empty());
    EXPECT_TRUE(client.of_code(ZK_MSG_NOTIFY_PLAYER_STATE).empty());
}

TEST(PlayerCommands, MaskSilencesOptionalNotifications) {
    PlayerClient client;
    control_message_send_I(client.channel(), ZK_MSG_SET_NOTIFICATION_MASK,
                           static_cast<int32_t>(ZK_NOTIFY_MASK_ALL & ~ZK_NOTIFY_MASK_ACK & ~ZK_NOTIFY_MASK_INPUT_NAME));
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_INPUT_OPEN, TAERIN_DEMO_TRACK);
    control_message_send_I(client.channel(), ZK_MSG_COMMAND_PING, 1);
    ASSERT_TRUE(client.wait_for(ZK_MSG_NOTIFY_PONG));
    for (const auto& n : client.of_code(ZK_MSG_NOTIFY_ACK)) ADD_FAILURE() << "ack of " << int(n.message.byte.command);
    EXPECT_TRUE(client.of_code(ZK_MSG_NOTIFY_INPUT_NAME).empty());
    EXPECT_EQ(client.of_code(ZK_MSG_NOTIFY_INPUT_STATE).size(), 1u);
}

} // namespace
