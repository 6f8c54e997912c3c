// The player playing an http:// stream from a server that stalls, trickles
// one byte at a time, or resets the connection: it keeps answering commands
// (a stop within a second, also while the open waits for a reply), and a
// reset ends the input cleanly.
#include "engine/faults/fault_player.h"
#include "engine/player/fake_output.h"
#include "engine/stream/scripted_server.h"

#include <gtest/gtest.h>

#include <atomic>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
using zk::test::PlayerClient;
using zk::test::ScriptedServer;
using zk::test::ServerConnection;

const char kReplyHeader[] = "HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\n\r\n";
constexpr size_t kLeadBytes = 48 * 1024; // three seconds, well over the prebuffer

const std::vector<uint8_t>& track() {
    static const std::vector<uint8_t> bytes = zk::test::read_file(TAERIN_DEMO_TRACK);
    return bytes;
}

void send_lead(ServerConnection& connection) {
    connection.read_request();
    connection.send(kReplyHeader);
    connection.send(track().data(), kLeadBytes);
}

bool has_played_a_second(const PlayerClient& client) {
    for (const auto& t : client.of_code(ZK_MSG_NOTIFY_INPUT_TIMECODE))
        if (t.message.timecode.seconds >= 1) return true;
    return false;
}

// Plays url on the fake output, which takes every frame at once.
void play(PlayerClient& client, const std::string& url) {
    std::string name = zk::test::fake_output_module_name();
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER, name.c_str());
    control_message_send_S(client.channel(), ZK_MSG_SET_OUTPUT_NAME, "fake");
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_INPUT_OPEN, url.c_str());
    control_message_send_N(client.channel(), ZK_MSG_COMMAND_PLAY);
    ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_INPUT_OPEN, 30000), 0);
    ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_PLAY, 30000), 0);
}

void expect_stop_within_a_second(PlayerClient& client) {
    const zk::test::TimedAnswer stop = zk::test::send_timed(client, ZK_MSG_COMMAND_STOP);
    EXPECT_EQ(stop.result, 0);
    EXPECT_LT(stop.after, 1000ms) << "stop answered after " << stop.after.count() << " ms";
    EXPECT_EQ(zk::test::last_player_state(client), ZK_PLAYER_STATE_STOPPED);
    // And the player goes on answering.
    control_message_send_I(client.channel(), ZK_MSG_COMMAND_PING, 7);
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_PING, 30000), 0);
}

TEST(NetworkFaults, AServerThatStallsMidStreamLeavesThePlayerResponsive) {
    ScriptedServer server([](ServerConnection& connection) {
        send_lead(connection);
        connection.wait_for_close(); // and nothing more
    });
    PlayerClient client;
    play(client, server.url("/stall.mp3"));
    // The lead is played out and the input finds its ring empty.
    ASSERT_TRUE(zk::test::wait_until(
        client, [&] { return zk::test::has_progress(client, ZK_PROGRESS_BUFFER_UNDERFLOW); }, 60000));
    EXPECT_TRUE(has_played_a_second(client));
    EXPECT_EQ(zk::test::last_player_state(client), ZK_PLAYER_STATE_PLAYING);
    // Waiting on the silent server, a while longer.
    client.wait_for(ZK_MSG_NOTIFY_EXITED, 300);
    expect_stop_within_a_second(client);
    EXPECT_TRUE(zk::test::errors(client).empty());
}

TEST(NetworkFaults, AStopCutsShortAnOpenWaitingForTheReply) {
    std::atomic<bool> asked{false};
    ScriptedServer server([&](ServerConnection& connection) {
        connection.read_request();
        asked = true;
        connection.wait_for_close(); // no reply
    });
    PlayerClient client;
    const std::string url = server.url("/silent.mp3");
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_INPUT_OPEN, url.c_str());
    for (int i = 0; i < 3000 && !asked; ++i) std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(asked);
    const zk::test::TimedAnswer stop = zk::test::send_timed(client, ZK_MSG_COMMAND_STOP);
    EXPECT_LT(stop.after, 1000ms) << "stop answered after " << stop.after.count() << " ms";
    EXPECT_EQ(stop.result, ZK_ERROR_INTERNAL) << "nothing was left open to stop";
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_INPUT_OPEN, 0), ZK_ERROR_TIMEOUT) << "the open gave up";
    control_message_send_I(client.channel(), ZK_MSG_COMMAND_PING, 7);
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_PING, 30000), 0);
}

TEST(NetworkFaults, AServerThatTricklesOneByteAtATimeIsPlayedAndStopped) {
    ScriptedServer server([](ServerConnection& connection) {
        connection.read_request();
        const int on = 1;
        setsockopt(connection.fd(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        connection.send(kReplyHeader);
        // Each byte its own segment; sends give way once the server stops.
        for (uint8_t byte : track()) connection.send(&byte, 1);
        connection.wait_for_close();
    });
    PlayerClient client;
    play(client, server.url("/trickle.mp3"));
    ASSERT_TRUE(zk::test::wait_until(
        client, [&] { return has_played_a_second(client); }, 120000));
    expect_stop_within_a_second(client);
    EXPECT_TRUE(zk::test::errors(client).empty());
}

TEST(NetworkFaults, AConnectionResetMidStreamEndsTheInput) {
    std::atomic<bool> playing{false};
    ScriptedServer server([&](ServerConnection& connection) {
        send_lead(connection);
        for (int i = 0; i < 6000 && !playing; ++i) std::this_thread::sleep_for(10ms);
        // Closing with a zero linger time resets the connection.
        const linger abort{1, 0};
        setsockopt(connection.fd(), SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    });
    PlayerClient client;
    play(client, server.url("/reset.mp3"));
    ASSERT_TRUE(zk::test::wait_until(
        client, [&] { return has_played_a_second(client); }, 60000));
    playing = true;
    ASSERT_TRUE(zk::test::wait_until(
        client,
        [&] { return zk::test::last_player_state(client) == ZK_PLAYER_STATE_EOF || !zk::test::errors(client).empty(); },
        60000));
    EXPECT_TRUE(zk::test::has_progress(client, ZK_PROGRESS_END_OF_STREAM));
    // What was received before the reset was played, no more.
    auto positions = client.of_code(ZK_MSG_NOTIFY_INPUT_TIMECODE);
    ASSERT_FALSE(positions.empty());
    EXPECT_LE(positions.back().message.timecode.seconds, 4);
    // Stopped at the end, the player still answers; a stop rewinds the input.
    expect_stop_within_a_second(client);
}

} // namespace
