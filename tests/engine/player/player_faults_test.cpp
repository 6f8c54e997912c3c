// The player under load: a storm of commands while decoding, and a client
// port that stops being drained.
#include "engine/player/fake_output.h"
#include "engine/player/player_client.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

using zk::test::PlayerClient;

TEST(PlayerFaults, EveryCommandOfAStormIsAnsweredWhileDecoding) {
    PlayerClient client;
    std::string name = zk::test::fake_output_module_name();
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER, name.c_str());
    control_message_send_S(client.channel(), ZK_MSG_SET_OUTPUT_NAME, "fake");
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_INPUT_OPEN, TAERIN_DEMO_TRACK);
    control_message_send_N(client.channel(), ZK_MSG_COMMAND_PLAY);
    ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_PLAY), 0);

    constexpr int kRounds = 1000;
    for (int i = 0; i < kRounds; ++i) {
        control_message_send_I(client.channel(), ZK_MSG_COMMAND_PING, i);
        control_message_send_II(client.channel(), ZK_MSG_COMMAND_SEEK, i % 400, 400);
        control_message_send_I(client.channel(), ZK_MSG_SET_INPUT_TIMECODE_GRANULARITY, 1 + i % 100);
        if (i % 100 == 0) control_message_send_N(client.channel(), ZK_MSG_COMMAND_PLAY);
    }
    for (int i = 0; i < kRounds; ++i) {
        ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_PING, 20000), 0) << i;
        ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_SEEK, 20000), 0) << i;
        ASSERT_EQ(client.result_of(ZK_MSG_SET_INPUT_TIMECODE_GRANULARITY, 20000), 0) << i;
    }
    auto pongs = client.of_code(ZK_MSG_NOTIFY_PONG);
    ASSERT_EQ(pongs.size(), static_cast<size_t>(kRounds));
    for (int i = 0; i < kRounds; ++i) EXPECT_EQ(pongs[i].message.tag.tag, i);
    EXPECT_TRUE(client.of_code(ZK_MSG_NOTIFY_NACK).empty());
}

// A track that cannot go on ends within seconds: the error is notified with
// its code and text, the player stops and still answers.
TEST(PlayerFaults, PersistentErrorsEndTheTrack) {
    const std::string text_file = testing::TempDir() + "player-faults-text.mp3";
    {
        std::ofstream out(text_file);
        for (int i = 0; i < 200; ++i) out << "This is a text file, not MPEG audio.\n";
    }
    const struct {
        const char* what;
        std::string input, output;
        int32_t code;
    } cases[] = {
        {"text input", text_file, "raw:/dev/null", ZK_ERROR_NO_AUDIO},
        {"full disk", TAERIN_DEMO_TRACK, "wav:/dev/full", ZK_ERROR_WRITE_FAILED},
        {"unreadable input", "/proc/self/mem", "raw:/dev/null", ZK_ERROR_READ_FAILED},
    };
    for (const auto& c : cases) {
        PlayerClient client;
        control_message_send_S(client.channel(), ZK_MSG_COMMAND_OUTPUT_OPEN, c.output.c_str());
        control_message_send_S(client.channel(), ZK_MSG_COMMAND_INPUT_OPEN, c.input.c_str());
        control_message_send_N(client.channel(), ZK_MSG_COMMAND_PLAY);
        ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_PLAY), 0) << c.what;
        bool stopped = false;
        while (!stopped && client.wait_for(ZK_MSG_NOTIFY_PLAYER_STATE, 10000)) {
            auto states = client.of_code(ZK_MSG_NOTIFY_PLAYER_STATE);
            stopped = states.back().message.byte.state == ZK_PLAYER_STATE_STOPPED;
            if (!stopped) client.wait_for(ZK_MSG_NOTIFY_EXITED, 100); // keep receiving
        }
        ASSERT_TRUE(stopped) << c.what;
        auto errors = client.of_code(ZK_MSG_NOTIFY_ERROR);
        ASSERT_FALSE(errors.empty()) << c.what;
        EXPECT_EQ(errors.back().message.error.code, c.code) << c.what;
        EXPECT_EQ(errors.back().text, zelkor_error_string(c.code)) << c.what;
        EXPECT_LE(errors.size(), 2u) << c.what; // no storm
        control_message_send_I(client.channel(), ZK_MSG_COMMAND_PING, 1);
        EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_PING), 0) << c.what;
    }
    std::remove(text_file.c_str());
}

// Reads and converts every record waiting on the port; returns how many.
int drain_port(int fd, ZK_ControlChannel* channel, std::vector<uint32_t>& codes) {
    int count = 0;
    ZK_PortRecord record{};
    while (read(fd, &record, sizeof record) == static_cast<ssize_t>(sizeof record)) {
        ZK_Message m{};
        control_win32_params_to_message(channel, &m, record.message, record.wparam, record.lparam);
        codes.push_back(m.code);
        ++count;
    }
    return count;
}

TEST(PlayerFaults, AStalledPortRefusesPostsAndRecovers) {
    int fds[2];
    ASSERT_EQ(pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0);
    ZK_WindowHandle port = fds[1];
    ZK_ControlChannel* channel = nullptr;
    ASSERT_EQ(player_new(&channel, &port), 0);
    // Nobody reads while the player answers far more than the pipe holds.
    constexpr int kCommands = 20000;
    for (int i = 0; i < kCommands; ++i) control_message_send_S(channel, ZK_MSG_GET_PLAYER_ENVIRONMENT_STRING, "X");
    control_message_send_I(channel, ZK_MSG_COMMAND_PING, 1);
    std::vector<uint32_t> codes;
    // Let the player get through the storm against the full pipe, then drain
    // until it has nothing more to say.
    usleep(200000);
    for (int quiet = 0; quiet < 3;) {
        pollfd pfd{fds[0], POLLIN, 0};
        poll(&pfd, 1, 100);
        quiet = drain_port(fds[0], channel, codes) == 0 ? quiet + 1 : 0;
    }
    EXPECT_LT(codes.size(), static_cast<size_t>(kCommands + 2)); // some posts were refused
    // Once drained, the player answers again.
    codes.clear();
    control_message_send_I(channel, ZK_MSG_COMMAND_PING, 2);
    bool pong = false;
    for (int attempt = 0; attempt < 50 && !pong; ++attempt) {
        pollfd pfd{fds[0], POLLIN, 0};
        poll(&pfd, 1, 100);
        drain_port(fds[0], channel, codes);
        for (uint32_t code : codes) pong = pong || code == ZK_MSG_NOTIFY_PONG;
    }
    EXPECT_TRUE(pong);
    drain_port(fds[0], channel, codes);
    player_delete(channel); // what it posts while ending carries no payload
    close(fds[0]);
    close(fds[1]);
}

} // namespace
