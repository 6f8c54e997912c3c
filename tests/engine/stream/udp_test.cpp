// The UDP receiver against a Python sender on loopback: datagrams of any
// size up to the protocol's largest arrive whole and in order, whatever the
// ring's room and maximum packet size.
#include "child_process.h"
#include "platform/net/socket.h"
#include "scripted_server.h"
#include "stream_fixture.h"

#include <arpa/inet.h>
#include <numeric>
#include <sys/socket.h>
#include <unistd.h>

namespace zk::test {
namespace {

class UdpInputTest : public StreamInputTest {
protected:
    // Opens a receiver, then starts the sender with the datagram sizes; the
    // stream's bytes in the order they came, up to its end.
    std::vector<uint8_t> receive(const std::vector<size_t>& sizes, const char* pause = "0.01") {
        const uint16_t port = free_port(true);
        EXPECT_EQ(open("udp://0.0.0.0:" + std::to_string(port)), 0);
        std::vector<std::string> argv = {"/usr/bin/python3", TAERIN_SOURCE_DIR "/tests/engine/stream/udp_sender.py",
                                         std::to_string(port), pause};
        for (size_t size : sizes) argv.push_back(std::to_string(size));
        ChildProcess sender(argv);
        EXPECT_TRUE(sender.started());
        std::vector<uint8_t> received;
        uint8_t byte;
        for (int32_t got; (got = read_through_timeouts(&byte, 1)) == 1;) received.push_back(byte);
        EXPECT_EQ(sender.wait(), 0);
        return received;
    }

    static size_t total(const std::vector<size_t>& sizes) {
        return std::accumulate(sizes.begin(), sizes.end(), size_t{0});
    }
};

// 65507 bytes is the largest UDP payload over IPv4.
TEST_F(UdpInputTest, DatagramsBeyondTheMaximumPacketSizeArriveWhole) {
    const std::vector<size_t> sizes = {100, 8192, 8193, 20000, 65507, 1, 65507, 3000};
    const std::vector<uint8_t> received = receive(sizes);
    EXPECT_EQ(received, pattern(total(sizes)));
    EXPECT_EQ(count_progress(ZK_PROGRESS_END_OF_STREAM), 1);
}

// A ring smaller than one datagram takes it over several refills.
TEST_F(UdpInputTest, ASmallRingTakesALargeDatagramOverSeveralRefills) {
    decoder_set_environment_integer(decoder, "INPUT.STREAM.BUFFER-SIZE", 8192);
    decoder_set_environment_integer(decoder, "INPUT.STREAM.MAX-PACKET-SIZE", 1024);
    decoder_set_environment_integer(decoder, "INPUT.STREAM.HIGH-MARK", 2048);
    const std::vector<size_t> sizes = {65507, 700, 30000, 1024, 1025};
    const std::vector<uint8_t> received = receive(sizes);
    EXPECT_EQ(received, pattern(total(sizes)));
}

// The length comes before the datagram is taken; a take too small for it
// fails instead of cutting it.
TEST(DatagramSocket, LengthIsKnownFirstAndATooSmallTakeFails) {
    platform::Socket receiver;
    const uint16_t port = free_port(true);
    ASSERT_EQ(platform::open_udp_receiver(port, receiver), 0);
    EXPECT_EQ(platform::next_datagram_within(receiver.fd(), 0), ZK_ERROR_TIMEOUT);
    const int sender = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(port);
    const std::vector<uint8_t> body = pattern(3000);
    for (int copy = 0; copy < 2; ++copy)
        ASSERT_EQ(::sendto(sender, body.data(), body.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to), 3000);
    ::close(sender);

    EXPECT_EQ(platform::next_datagram_within(receiver.fd(), 5000), 3000);
    EXPECT_EQ(platform::next_datagram_within(receiver.fd(), 0), 3000); // still queued
    std::vector<uint8_t> small(2999);
    EXPECT_EQ(platform::take_datagram(receiver.fd(), small.data(), small.size()), ZK_ERROR_READ_FAILED);
    std::vector<uint8_t> whole(3000);
    EXPECT_EQ(platform::next_datagram_within(receiver.fd(), 5000), 3000);
    EXPECT_EQ(platform::take_datagram(receiver.fd(), whole.data(), whole.size()), 3000);
    EXPECT_EQ(whole, body);
}

} // namespace
} // namespace zk::test
