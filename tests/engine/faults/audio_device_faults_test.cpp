// The player on an audio device that fails mid-play: ALSA's default device
// is configured as a file plugin writing to /dev/full, which takes the first
// periods and then fails for good. The player reports the lost device once
// and goes on answering.
#include "engine/faults/fault_player.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

using zk::test::PlayerClient;

// Points ALSA at a configuration of its own whose default device fails;
// the tests otherwise play on the silent device.
void use_failing_default_device() {
    const std::string path = testing::TempDir() + "faults_asound.conf";
    std::ofstream(path) << "pcm.!default {\n"
                           "    type file\n"
                           "    slave.pcm { type null }\n"
                           "    file \"/dev/full\"\n"
                           "    format \"raw\"\n"
                           "}\n";
    setenv("ALSA_CONFIG_PATH", path.c_str(), 1);
    unsetenv("ZELKOR_AUDIO");
}

TEST(AudioDeviceFaults, ADeviceThatFailsMidPlayIsReportedAndEndsTheTrack) {
    use_failing_default_device();
    PlayerClient client;
    control_message_send_S(client.channel(), ZK_MSG_SET_OUTPUT_NAME, "/dev/wave/0");
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_INPUT_OPEN, TAERIN_DEMO_TRACK);
    control_message_send_N(client.channel(), ZK_MSG_COMMAND_PLAY);
    ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_PLAY, 30000), 0) << "the device opens";
    ASSERT_TRUE(zk::test::wait_until(
        client, [&] { return !zk::test::errors(client).empty(); }, 60000));
    const zk::test::Notification lost = zk::test::errors(client).front();
    EXPECT_EQ(lost.message.error.code, ZK_ERROR_WRITE_FAILED);
    EXPECT_NE(lost.text.find("wave device lost"), std::string::npos) << lost.text;
    // The next write fails: the track ends, stopped, with that error.
    ASSERT_TRUE(zk::test::wait_until(
        client, [&] { return zk::test::last_player_state(client) == ZK_PLAYER_STATE_STOPPED; }, 60000));
    const auto errors = zk::test::errors(client);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1].message.error.code, ZK_ERROR_WRITE_FAILED);
    EXPECT_EQ(errors[1].text, "write failed");

    EXPECT_EQ(zk::test::send_timed(client, ZK_MSG_COMMAND_OUTPUT_CLOSE).result, 0);
    control_message_send_I(client.channel(), ZK_MSG_COMMAND_PING, 1);
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_PING, 30000), 0);
}

} // namespace
