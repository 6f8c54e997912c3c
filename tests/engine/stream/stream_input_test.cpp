// The module through the decoder's input layer: probe, creation,
// prebuffering and refills, the end of a stream, sizes and settings.
#include "scripted_server.h"
#include "child_process.h"
#include "stream_fixture.h"

#include <arpa/inet.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <future>

namespace zk::test {
namespace {

TEST_F(StreamInputTest, ProbeAcceptsTheNetworkSchemesInAnyCase) {
    for (const char* name : {"http://a/b", "HTTP://A/B", "https://a/b", "Ftp://a/b", "udp://0.0.0.0:9"})
        EXPECT_EQ(module.probe(name), 0) << name;
    for (const char* name : {"", "a.mp3", "httpx://a/b", "http:/a", "file:///a.mp3"})
        EXPECT_NE(module.probe(name), 0) << name;
}

TEST_F(StreamInputTest, CloseWithoutConnectionAndReadsBeforeOpen) {
    void* instance = nullptr;
    ASSERT_EQ(module.new_instance(&instance, "http://127.0.0.1:1/", stream_module, decoder), 0);
    EXPECT_EQ(module.close(instance), ZK_ERROR_INTERNAL);
    char byte;
    EXPECT_EQ(module.read(instance, &byte, 1), ZK_ERROR_INTERNAL);
    EXPECT_EQ(module.get_caps(instance), 0u);
    EXPECT_EQ(module.get_size(instance), 0u);
    EXPECT_EQ(module.seek(instance, 100), ZK_ERROR_INTERNAL);
    module.delete_instance(instance);
}

TEST_F(StreamInputTest, OpenFailuresComeBackAsTheirCodes) {
    EXPECT_EQ(decoder_input_new(decoder, "", stream_module), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_TRUE(has_debug("0 internal error: null params or null/empty output name"));
    EXPECT_EQ(open("http:/127.0.0.1/a.mp3", stream_module), ZK_ERROR_INVALID_URL_SYNTAX);
    EXPECT_EQ(open("gopher://127.0.0.1/a.mp3", stream_module), ZK_ERROR_UNSUPPORTED_URL_SCHEME);
    EXPECT_EQ(open("http://127.0.0.1:0/a.mp3"), ZK_ERROR_INVALID_URL_SYNTAX);
    EXPECT_EQ(open("http://127.0.0.1:" + std::to_string(free_port()) + "/"), ZK_ERROR_CONNECTION_REFUSED);
    EXPECT_TRUE(has_debug("0 connection failed: host 127.0.0.1"));
    EXPECT_EQ(open("http://no-such-host.invalid/a.mp3"), ZK_ERROR_HOST_UNKNOWN);
    EXPECT_EQ(count_progress(ZK_PROGRESS_CONNECTING), 2);
    EXPECT_EQ(count_progress(ZK_PROGRESS_CONNECTED), 0);
    EXPECT_EQ(decoder->input->state, 0);
}

TEST_F(StreamInputTest, PrebuffersToTheHighMarkThenPlaysWithoutThreshold) {
    const std::vector<uint8_t> body = pattern(40000);
    std::promise<void> release; // the server holds back the rest until then
    std::shared_future<void> released = release.get_future();
    ScriptedServer server([&](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 200 OK\r\n\r\n");
        c.send(body.data(), 10000);
        released.wait();
        c.send(body.data() + 10000, body.size() - 10000);
        c.wait_for_close();
    });
    ASSERT_EQ(open(server.url("/live.mp3")), 0);
    EXPECT_EQ(progress[0].code, ZK_PROGRESS_CONNECTING);
    EXPECT_EQ(progress[1].code, ZK_PROGRESS_CONNECTED);
    EXPECT_EQ(decoder->input->caps, 0u);

    std::vector<uint8_t> got(417);
    // Until 16384 bytes are there, reads time out and tell how full the ring is.
    while (progress.back().code != ZK_PROGRESS_BUFFER_FILLING || progress.back().value < 61)
        ASSERT_EQ(read(got.data(), 417), ZK_ERROR_TIMEOUT);
    EXPECT_EQ(progress.back().value, 10000 * 100 / 16384);
    EXPECT_EQ(read(got.data(), 417), ZK_ERROR_TIMEOUT);
    for (const Progress& p : progress) EXPECT_TRUE(p.code != ZK_PROGRESS_BUFFER_FILLING || p.value <= 61);
    EXPECT_EQ(count_progress(ZK_PROGRESS_BUFFER_REFILLED), 0);

    release.set_value();
    std::vector<uint8_t> received;
    ASSERT_EQ(read_through_timeouts(got.data(), 417), 417);
    received.insert(received.end(), got.begin(), got.end());
    EXPECT_EQ(count_progress(ZK_PROGRESS_BUFFER_REFILLED), 0);
    while (received.size() + 417 <= body.size()) {
        ASSERT_EQ(read_through_timeouts(got.data(), 417), 417);
        received.insert(received.end(), got.begin(), got.end());
    }
    EXPECT_EQ(count_progress(ZK_PROGRESS_BUFFER_REFILLED), 1);
    EXPECT_EQ(count_progress(ZK_PROGRESS_BUFFER_UNDERFLOW), 0);
    EXPECT_TRUE(std::equal(received.begin(), received.end(), body.begin()));
    // The rest is less than a read: the ring runs short and rebuffers.
    EXPECT_EQ(read(got.data(), 417), ZK_ERROR_TIMEOUT);
    EXPECT_EQ(count_progress(ZK_PROGRESS_BUFFER_UNDERFLOW), 1);
    EXPECT_EQ(decoder_input_close(decoder), 0);
}

TEST_F(StreamInputTest, ServerCloseDrainsTheRingThenEnds) {
    const std::vector<uint8_t> body = pattern(5000);
    ScriptedServer server([&](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n");
        c.send(body.data(), body.size());
    });
    ASSERT_EQ(open(server.url("/a.mp3")), 0);
    EXPECT_EQ(decoder->input->size, 5000u);
    EXPECT_EQ(module.get_size(decoder->input->instance), 5000u);
    std::vector<uint8_t> received(5000);
    for (int i = 0; i < 5; ++i) ASSERT_EQ(read_through_timeouts(received.data() + i * 1000, 1000), 1000);
    EXPECT_EQ(received, body);
    EXPECT_EQ(read(received.data(), 1), ZK_ERROR_INPUT_END);
    ASSERT_EQ(count_progress(ZK_PROGRESS_END_OF_STREAM), 1);
    for (const Progress& p : progress)
        EXPECT_TRUE(p.code != ZK_PROGRESS_END_OF_STREAM || p.message == "reached end of stream") << p.message;
}

TEST_F(StreamInputTest, EndOfStreamNeverDeliversAPartialRead) {
    ScriptedServer server([&](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 200 OK\r\n\r\n0123456789");
    });
    ASSERT_EQ(open(server.url("/a.mp3")), 0);
    char buffer[16];
    EXPECT_EQ(read_through_timeouts(buffer, 16), ZK_ERROR_INPUT_END);
    EXPECT_EQ(read(buffer, 10), 10);
    EXPECT_EQ(std::string(buffer, 10), "0123456789");
    EXPECT_EQ(read(buffer, 1), ZK_ERROR_INPUT_END);
}

TEST_F(StreamInputTest, WithoutHighMarkReadsStillWaitForWholeCounts) {
    decoder_set_environment_integer(decoder, "INPUT.STREAM.HIGH-MARK", 0);
    std::promise<void> release; // the server holds back the rest until then
    std::shared_future<void> released = release.get_future();
    ScriptedServer server([&](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 200 OK\r\n\r\n0123456789");
        released.wait();
        c.send("abcdef");
        c.wait_for_close();
    });
    ASSERT_EQ(open(server.url("/a.mp3")), 0);
    char buffer[16];
    EXPECT_EQ(read_through_timeouts(buffer, 4), 4);
    EXPECT_EQ(read(buffer, 16), ZK_ERROR_TIMEOUT); // 6 bytes are there, 16 are asked for
    release.set_value();
    ASSERT_EQ(read_through_timeouts(buffer, 12), 12);
    EXPECT_EQ(std::string(buffer, 12), "456789abcdef");
}

TEST_F(StreamInputTest, SettingsComeFromTheEnvironment) {
    decoder_set_environment_integer(decoder, "INPUT.STREAM.BUFFER-SIZE", 6144);
    decoder_set_environment_integer(decoder, "INPUT.STREAM.MAX-PACKET-SIZE", 1024);
    decoder_set_environment_integer(decoder, "INPUT.STREAM.HIGH-MARK", 1000000); // more than the ring holds
    const std::vector<uint8_t> body = pattern(20000);
    ScriptedServer server([&](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 200 OK\r\n\r\n");
        c.send(body.data(), body.size());
    });
    ASSERT_EQ(open(server.url("/a.mp3")), 0);
    std::vector<uint8_t> received(body.size());
    for (size_t at = 0; at < body.size(); at += 500) ASSERT_EQ(read_through_timeouts(&received[at], 500), 500);
    EXPECT_EQ(received, body);
    // A ring that cannot hold a read.
    EXPECT_EQ(read(received.data(), 4097), ZK_ERROR_INVALID_PARAMETERS);
    decoder_input_close(decoder);

    // Too small for the decoder's largest read, and a zero read timeout.
    decoder_set_environment_integer(decoder, "INPUT.STREAM.BUFFER-SIZE", 6143);
    EXPECT_EQ(decoder_input_new(decoder, "http://127.0.0.1:1/other.mp3", -1), ZK_ERROR_INVALID_PARAMETERS);
    decoder_set_environment_integer(decoder, "INPUT.STREAM.BUFFER-SIZE", 6144);
    decoder_set_environment_integer(decoder, "INPUT.STREAM.READ-TIMEOUT", 0);
    EXPECT_EQ(decoder_input_new(decoder, "http://127.0.0.1:1/other.mp3", -1), ZK_ERROR_INVALID_PARAMETERS);
}

TEST_F(StreamInputTest, ReopeningStartsAFreshConnection) {
    ScriptedServer server([&](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 200 OK\r\n\r\nAB");
    });
    ASSERT_EQ(open(server.url("/a.mp3")), 0);
    char buffer[2];
    EXPECT_EQ(read_through_timeouts(buffer, 1), 1);
    ASSERT_EQ(decoder_input_close(decoder), 0);
    ASSERT_EQ(decoder_input_open(decoder), 0);
    ASSERT_EQ(read_through_timeouts(buffer, 2), 2);
    EXPECT_EQ(std::string(buffer, 2), "AB");
    EXPECT_EQ(server.connections(), 2);
}

TEST_F(StreamInputTest, ThroughTinyproxyTheOriginGetsTheRequest) {
    if (::access("/usr/bin/tinyproxy", X_OK) != 0) GTEST_SKIP() << "tinyproxy is not installed";
    const std::vector<uint8_t> body = pattern(30000);
    ScriptedServer origin([&](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 200 OK\r\nContent-Length: 30000\r\n\r\n");
        c.send(body.data(), body.size());
    });
    const uint16_t proxy_port = free_port();
    const std::string config =
        std::filesystem::temp_directory_path() / ("zk-tinyproxy-" + std::to_string(::getpid()) + ".conf");
    std::ofstream(config) << "Port " << proxy_port << "\nListen 127.0.0.1\nTimeout 30\nMaxClients 4\n"
                          << "Allow 127.0.0.1\nLogLevel Critical\n";
    ChildProcess proxy({"/usr/bin/tinyproxy", "-d", "-c", config});
    ASSERT_TRUE(proxy.started());
    ASSERT_TRUE(wait_for_tcp_server(proxy_port));
    decoder_set_environment_string(decoder, "NETWORK.HTTP.PROXY.HOSTNAME", "127.0.0.1");
    decoder_set_environment_integer(decoder, "NETWORK.HTTP.PROXY.PORT", proxy_port);

    ASSERT_EQ(open(origin.url("/radio/a.mp3")), 0);
    EXPECT_TRUE(has_debug("0 connecting: host 127.0.0.1, port " + std::to_string(proxy_port)));
    EXPECT_TRUE(has_debug("1 requesting data: " + origin.url("/radio/a.mp3")));
    EXPECT_EQ(decoder->input->size, 30000u);
    std::vector<uint8_t> received(body.size());
    for (size_t at = 0; at < body.size(); at += 1000) ASSERT_EQ(read_through_timeouts(&received[at], 1000), 1000);
    EXPECT_EQ(received, body);
    ASSERT_EQ(origin.requests().size(), 1u);
    EXPECT_EQ(origin.requests()[0].substr(0, 17), "GET /radio/a.mp3 ");
    std::filesystem::remove(config);
}

TEST_F(StreamInputTest, UdpDatagramsFillTheRingUntilAnEmptyOne) {
    const uint16_t port = free_port(true);
    ASSERT_EQ(open("udp://0.0.0.0:" + std::to_string(port)), 0);
    const std::vector<uint8_t> body = pattern(30 * 1000);
    const int sender = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(port);
    for (size_t at = 0; at < body.size(); at += 1000)
        ASSERT_EQ(::sendto(sender, &body[at], 1000, 0, reinterpret_cast<sockaddr*>(&to), sizeof to), 1000);
    ASSERT_EQ(::sendto(sender, "", 0, 0, reinterpret_cast<sockaddr*>(&to), sizeof to), 0);
    ::close(sender);

    std::vector<uint8_t> received(body.size());
    for (size_t at = 0; at < body.size(); at += 600) ASSERT_EQ(read_through_timeouts(&received[at], 600), 600);
    EXPECT_EQ(received, body);
    uint8_t byte;
    EXPECT_EQ(read_through_timeouts(&byte, 1), ZK_ERROR_INPUT_END);
    EXPECT_EQ(count_progress(ZK_PROGRESS_END_OF_STREAM), 1);
}

} // namespace
} // namespace zk::test
