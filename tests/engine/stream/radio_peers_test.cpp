// The network input against real servers started here: a Python radio server
// (TLS with a CA made by the openssl tool, radio metadata, chunked and
// length-framed bodies, stalls, IPv6), tinyproxy for HTTPS tunnels, and the
// player turning stream titles into notifications.
#include "child_process.h"
#include "engine/player/fake_output.h"
#include "engine/player/player_client.h"
#include "scripted_server.h"
#include "stream_fixture.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zk::test {
namespace {

namespace fs = std::filesystem;

const char* const kTrack = TAERIN_CONFORMANCE_DIR "/layer3/l3-he_44khz.bit";

std::vector<uint8_t> file_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool has_ipv6_loopback() {
    const int fd = ::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in6 address{};
    address.sin6_family = AF_INET6;
    address.sin6_addr = in6addr_loopback;
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) ::close(fd);
    return bound;
}

bool wait_for_ipv6_server(uint16_t port) {
    sockaddr_in6 address{};
    address.sin6_family = AF_INET6;
    address.sin6_addr = in6addr_loopback;
    address.sin6_port = htons(port);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const int fd = ::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        if (connected) return true;
        ::usleep(20000);
    }
    return false;
}

// A scoped environment variable.
class Setting {
public:
    Setting(const char* name, const std::string& value) : name_(name) { ::setenv(name, value.c_str(), 1); }
    ~Setting() { ::unsetenv(name_); }

private:
    const char* name_;
};

class RadioPeerTest : public StreamInputTest {
protected:
    void SetUp() override {
        StreamInputTest::SetUp();
        folder = fs::temp_directory_path() / ("zk-radio-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        fs::copy_file(kTrack, folder / "a.mp3", fs::copy_options::overwrite_existing);
        content = file_bytes(folder / "a.mp3");
        ASSERT_GT(content.size(), 100000u);
        decoder_set_environment_integer(decoder, "INPUT.STREAM.STALL-TIMEOUT", 5000);
    }
    void TearDown() override {
        server.reset();
        fs::remove_all(folder);
        StreamInputTest::TearDown();
    }

    // Starts the radio server with the options on host; its URL for /a.mp3.
    std::string serve(const std::vector<std::string>& options, const std::string& host = "127.0.0.1",
                      const std::string& scheme = "http") {
        std::vector<std::string> argv = {"/usr/bin/python3", TAERIN_SOURCE_DIR "/tests/engine/stream/radio_server.py",
                                         "--host",           host,
                                         "--port",           std::to_string(port),
                                         "--file",           (folder / "a.mp3").string()};
        argv.insert(argv.end(), options.begin(), options.end());
        server = std::make_unique<ChildProcess>(argv);
        const bool v6 = host.find(':') != std::string::npos;
        EXPECT_TRUE(server->started() && (v6 ? wait_for_ipv6_server(port) : wait_for_tcp_server(port)));
        const std::string authority = v6 ? "[" + host + "]" : host == "127.0.0.1" ? "localhost" : host;
        return scheme + "://" + authority + ":" + std::to_string(port) + "/a.mp3";
    }

    // A CA, and a certificate it signed for the names (subjectAltName form).
    void make_certificates(const std::string& names = "DNS:localhost,IP:127.0.0.1,IP:::1") {
        const std::string in = "cd '" + folder.string() + "' && ";
        const std::string key = " -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
        ASSERT_EQ(std::system((in + "openssl req -x509" + key +
                               " -keyout ca.key -out ca.pem -days 2 -subj '/CN=Zelkor Test CA' 2>/dev/null")
                                  .c_str()),
                  0);
        std::ofstream(folder / "names.ext") << "subjectAltName=" << names << "\n";
        ASSERT_EQ(std::system((in + "openssl req" + key +
                               " -keyout server.key -out server.csr -subj '/CN=radio' 2>/dev/null && "
                               "openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial "
                               "-out server.pem -days 2 -extfile names.ext 2>/dev/null")
                                  .c_str()),
                  0);
    }
    std::vector<std::string> tls() const {
        return {"--tls", (folder / "server.pem").string(), (folder / "server.key").string()};
    }
    std::string ca_file() const { return (folder / "ca.pem").string(); }

    // Reads until the stream ends; last gets the result that ended it.
    std::vector<uint8_t> read_all(int32_t& last) {
        std::vector<uint8_t> received;
        uint8_t buffer[1000];
        while ((last = read_through_timeouts(buffer, sizeof buffer)) > 0)
            received.insert(received.end(), buffer, buffer + last);
        return received;
    }
    std::vector<uint8_t> read_all() {
        int32_t last = 0;
        std::vector<uint8_t> received = read_all(last);
        // The last bytes come with a short read at the end.
        uint8_t rest[1000];
        for (int32_t got = read(rest, 1); got > 0; got = read(rest, 1)) received.push_back(rest[0]);
        EXPECT_EQ(last, ZK_ERROR_INPUT_END);
        return received;
    }
    std::string requests() const {
        std::ifstream in(folder / "a.mp3.requests");
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> progress_texts(int32_t code) const {
        std::vector<std::string> texts;
        for (const Progress& p : progress)
            if (p.code == code) texts.push_back(p.message);
        return texts;
    }

    fs::path folder;
    std::vector<uint8_t> content;
    const uint16_t port = free_port();
    std::unique_ptr<ChildProcess> server;
};

TEST_F(RadioPeerTest, HttpsStreamArrivesLikeTheFile) {
    make_certificates();
    const std::string url = serve(tls(), "127.0.0.1", "https");
    Setting trusted("SSL_CERT_FILE", ca_file());
    ASSERT_EQ(open(url), 0);
    EXPECT_TRUE(read_all() == content);
    EXPECT_TRUE(has_debug("1 tls established: TLSv1."));
    // An address in the URL is checked against the certificate's addresses.
    decoder_input_close(decoder);
    ASSERT_EQ(open("https://127.0.0.1:" + std::to_string(port) + "/a.mp3"), 0);
    EXPECT_TRUE(read_all() == content);
}

TEST_F(RadioPeerTest, CertificatesThatDoNotVerifyAreRefusedWithTheReason) {
    make_certificates("DNS:wrong.example");
    const std::string url = serve(tls(), "127.0.0.1", "https");
    {
        Setting trusted("SSL_CERT_FILE", ca_file());
        EXPECT_EQ(open(url), ZK_ERROR_CERTIFICATE_REFUSED);
        ASSERT_FALSE(errors.empty());
        EXPECT_EQ(errors.back().code, ZK_ERROR_CERTIFICATE_REFUSED);
        EXPECT_NE(errors.back().text.find("hostname mismatch"), std::string::npos) << errors.back().text;
        EXPECT_EQ(open("https://127.0.0.1:" + std::to_string(port) + "/a.mp3"), ZK_ERROR_CERTIFICATE_REFUSED);
        EXPECT_NE(errors.back().text.find("IP address mismatch"), std::string::npos) << errors.back().text;
    }
    // The system's store does not know the test's CA.
    Setting empty_store("SSL_CERT_DIR", folder.string());
    Setting no_file("SSL_CERT_FILE", (folder / "none.pem").string());
    EXPECT_EQ(open(url), ZK_ERROR_CERTIFICATE_REFUSED);
    EXPECT_NE(errors.back().text.find("local issuer"), std::string::npos) << errors.back().text;
    EXPECT_STREQ(zelkor_error_string(ZK_ERROR_CERTIFICATE_REFUSED), "certificate refused");
}

TEST_F(RadioPeerTest, PlainServerOnTheHttpsPortFailsTheHandshake) {
    ScriptedServer plain([](ServerConnection& c) { c.send("HTTP/1.0 200 OK\r\n\r\nnot tls at all"); });
    EXPECT_EQ(open("https://127.0.0.1:" + std::to_string(plain.port()) + "/"), ZK_ERROR_TLS_FAILED);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back().code, ZK_ERROR_TLS_FAILED);
}

TEST_F(RadioPeerTest, RadioMetadataIsTakenOutAndTitlesReported) {
    ASSERT_EQ(open(serve({"--metaint", "1000", "--titles", "First|First|Second|Rock n' Roll", "--name", "Test FM"})),
              0);
    EXPECT_TRUE(read_all() == content);
    EXPECT_NE(requests().find("Icy-MetaData: 1\r\n"), std::string::npos);
    EXPECT_EQ(progress_texts(ZK_PROGRESS_STREAM_TITLE), (std::vector<std::string>{"First", "Second", "Rock n' Roll"}));
    EXPECT_EQ(progress_texts(ZK_PROGRESS_STREAM_NAME), std::vector<std::string>{"Test FM"});
}

// Metadata inside chunks inside TLS: each layer undone in turn.
TEST_F(RadioPeerTest, ChunkedRepliesArriveLikeTheFile) {
    ASSERT_EQ(open(serve({"--framing", "chunked"})), 0);
    EXPECT_EQ(decoder->input->size, 0u);
    EXPECT_TRUE(read_all() == content);

    make_certificates();
    Setting trusted("SSL_CERT_FILE", ca_file());
    server.reset();
    ASSERT_EQ(
        open(serve(
            [this] {
                auto options = tls();
                options.insert(options.end(), {"--framing", "chunked", "--metaint", "4000", "--titles", "Layered"});
                return options;
            }(),
            "127.0.0.1", "https")),
        0);
    EXPECT_TRUE(read_all() == content);
    EXPECT_EQ(progress_texts(ZK_PROGRESS_STREAM_TITLE), std::vector<std::string>{"Layered"});
}

TEST_F(RadioPeerTest, ContentLengthEndsTheStreamWhileTheServerKeepsTheConnection) {
    ASSERT_EQ(open(serve({"--framing", "length", "--keep-open"})), 0);
    EXPECT_EQ(decoder->input->size, content.size());
    EXPECT_TRUE(read_all() == content);
    EXPECT_TRUE(errors.empty());
}

TEST_F(RadioPeerTest, BodyShorterThanItsLengthEndsWithAnError) {
    ASSERT_EQ(open(serve({"--framing", "length", "--cut-after", "5000"})), 0);
    int32_t last = 0;
    const std::vector<uint8_t> received = read_all(last);
    EXPECT_EQ(last, ZK_ERROR_STREAM_TRUNCATED);
    EXPECT_TRUE(std::equal(received.begin(), received.end(), content.begin()));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].code, ZK_ERROR_STREAM_TRUNCATED);
    uint8_t byte;
    for (int32_t got = read(&byte, 1); got > 0; got = read(&byte, 1)) {
    }
    EXPECT_EQ(read(&byte, 1), ZK_ERROR_INPUT_END); // the fault is told once
}

TEST_F(RadioPeerTest, StalledStreamEndsWithAnErrorAfterTheStallTime) {
    decoder_set_environment_integer(decoder, "INPUT.STREAM.STALL-TIMEOUT", 700);
    ASSERT_EQ(open(serve({"--stall-after", "30000"})), 0);
    const auto started = std::chrono::steady_clock::now();
    int32_t last = 0;
    read_all(last);
    EXPECT_EQ(last, ZK_ERROR_STREAM_STALLED);
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(700));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].code, ZK_ERROR_STREAM_STALLED);
    EXPECT_TRUE(has_debug("0 stream ended by an error: stream stalled"));

    decoder_set_environment_integer(decoder, "INPUT.STREAM.STALL-TIMEOUT", 0);
    EXPECT_EQ(decoder_input_new(decoder, "http://127.0.0.1:1/", -1), ZK_ERROR_INVALID_PARAMETERS);
}

TEST_F(RadioPeerTest, Ipv6UrlArrivesLikeTheFile) {
    if (!has_ipv6_loopback()) GTEST_SKIP() << "this machine has no IPv6 loopback";
    const std::string url = serve({"--framing", "length"}, "::1");
    ASSERT_EQ(open(url), 0);
    EXPECT_TRUE(read_all() == content);
    EXPECT_NE(requests().find("Host: [::1]:" + std::to_string(port) + "\r\n"), std::string::npos) << requests();
}

TEST_F(RadioPeerTest, HttpsThroughTinyproxyFromTheEnvironment) {
    make_certificates();
    const std::string url = serve(tls(), "127.0.0.1", "https");
    const uint16_t proxy_port = free_port();
    const fs::path config = folder / "tinyproxy.conf";
    std::ofstream(config) << "Port " << proxy_port << "\nListen 127.0.0.1\nTimeout 30\nMaxClients 4\n"
                          << "Allow 127.0.0.1\nLogLevel Critical\n";
    ChildProcess proxy({"/usr/bin/tinyproxy", "-d", "-c", config.string()});
    ASSERT_TRUE(proxy.started() && wait_for_tcp_server(proxy_port));
    Setting trusted("SSL_CERT_FILE", ca_file());
    Setting https_proxy("https_proxy", "http://127.0.0.1:" + std::to_string(proxy_port) + "/");
    ASSERT_EQ(open(url), 0);
    EXPECT_TRUE(has_debug("0 connecting: host 127.0.0.1, port " + std::to_string(proxy_port)));
    EXPECT_TRUE(has_debug("1 requesting tunnel: localhost:" + std::to_string(port)));
    EXPECT_TRUE(read_all() == content);
    // The request inside the tunnel names the path only.
    EXPECT_EQ(requests().substr(0, 21), "GET /a.mp3 HTTP/1.1\r\n");
    {
        Setting direct("no_proxy", "localhost");
        decoder_input_close(decoder);
        debug.clear();
        ASSERT_EQ(open(url), 0);
        EXPECT_FALSE(has_debug("requesting tunnel"));
    }
}

// The player's notifications of a radio stream's title and name.
TEST_F(RadioPeerTest, PlayerNotifiesStreamTitles) {
    const std::string url = serve({"--metaint", "2000", "--titles", "Opening|Opening|Next Song", "--name", "Test FM"});
    PlayerClient client;
    const std::string output = fake_output_module_name();
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER, output.c_str());
    control_message_send_S(client.channel(), ZK_MSG_SET_OUTPUT_NAME, "fake");
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_INPUT_OPEN, url.c_str());
    control_message_send_N(client.channel(), ZK_MSG_COMMAND_PLAY);
    ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_INPUT_OPEN, 20000), 0);
    for (int wait = 0; wait < 300; ++wait) {
        const auto states = client.of_code(ZK_MSG_NOTIFY_PLAYER_STATE);
        if (!states.empty() && states.back().message.byte.state == ZK_PLAYER_STATE_EOF) break;
        client.wait_for(ZK_MSG_NOTIFY_EXITED, 200); // keeps receiving
    }
    const auto titles = client.of_code(ZK_MSG_NOTIFY_INPUT_STREAM_TITLE);
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0].text, "Opening");
    EXPECT_EQ(titles[1].text, "Next Song");
    const auto names = client.of_code(ZK_MSG_NOTIFY_INPUT_STREAM_NAME);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].text, "Test FM");
    for (const Notification& n : client.of_code(ZK_MSG_NOTIFY_PROGRESS))
        EXPECT_NE(n.message.progress.code, ZK_PROGRESS_STREAM_TITLE);
}

} // namespace
} // namespace zk::test
