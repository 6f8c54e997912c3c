// zkplay plays the demo track over HTTP (direct and through tinyproxy), FTP
// (pyftpdlib) and UDP from loopback servers; the decoded output equals the
// decode of the file read from disk.
#include "child_process.h"
#include "scripted_server.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace zk::test {
namespace {

namespace fs = std::filesystem;

std::vector<char> read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PlayStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("zk-play-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        fs::copy_file(TAERIN_DEMO_TRACK, folder / "demo.mp3", fs::copy_options::overwrite_existing);
        track = read_bytes(folder / "demo.mp3");
        ASSERT_FALSE(track.empty());
        ASSERT_EQ(zkplay({}, (folder / "demo.mp3").string(), "file.raw"), 0);
        reference = read_bytes(folder / "file.raw");
        ASSERT_FALSE(reference.empty());
    }
    void TearDown() override { fs::remove_all(folder); }

    std::vector<std::string> zkplay_arguments(const std::vector<std::string>& options, const std::string& input,
                                              const std::string& output) const {
        std::vector<std::string> args{ZKPLAY_PATH, "-q", "-o", "raw:" + (folder / output).string()};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(input);
        return args;
    }
    int zkplay(const std::vector<std::string>& options, const std::string& input, const std::string& output) {
        const fs::path log = folder / (output + ".log");
        ChildProcess player(zkplay_arguments(options, input, output), log.string());
        const int status = player.wait();
        if (status != 0) {
            const std::vector<char> text = read_bytes(log);
            ADD_FAILURE() << "zkplay " << input << " ended with " << status << ":\n" << std::string(text.begin(), text.end());
        }
        return status;
    }
    // Whether the output of a run equals the file's decode.
    void expect_same_as_file(const std::string& output) {
        const std::vector<char> decoded = read_bytes(folder / output);
        EXPECT_EQ(decoded.size(), reference.size());
        EXPECT_TRUE(decoded == reference) << output << " differs from the decode of the file";
    }
    void send_track(ServerConnection& c) const {
        c.send("HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\nContent-Length: " + std::to_string(track.size()) +
               "\r\n\r\n");
        c.send(track.data(), track.size());
    }

    fs::path folder;
    std::vector<char> track;
    std::vector<char> reference;
};

TEST_F(PlayStreamTest, Http) {
    ScriptedServer server([this](ServerConnection& c) {
        c.read_request();
        send_track(c);
    });
    ASSERT_EQ(zkplay({}, server.url("/demo.mp3"), "http.raw"), 0);
    expect_same_as_file("http.raw");
}

TEST_F(PlayStreamTest, HttpThroughTinyproxyAfterARedirect) {
    if (::access("/usr/bin/tinyproxy", X_OK) != 0) GTEST_SKIP() << "tinyproxy is not installed";
    ScriptedServer server([this](ServerConnection& c) {
        const std::string request = c.read_request();
        if (request.find("GET /old.mp3 ") == 0) c.send("HTTP/1.0 302 Found\r\nLocation: /demo.mp3\r\n\r\n");
        else send_track(c);
    });
    const uint16_t proxy_port = free_port();
    const fs::path config = folder / "tinyproxy.conf";
    std::ofstream(config) << "Port " << proxy_port << "\nListen 127.0.0.1\nTimeout 30\nMaxClients 4\n"
                          << "Allow 127.0.0.1\nLogLevel Critical\n";
    ChildProcess proxy({"/usr/bin/tinyproxy", "-d", "-c", config.string()});
    ASSERT_TRUE(proxy.started());
    ASSERT_TRUE(wait_for_tcp_server(proxy_port));
    ASSERT_EQ(zkplay({"-e", "NETWORK.HTTP.PROXY.HOSTNAME=127.0.0.1", "-e",
                      "NETWORK.HTTP.PROXY.PORT=" + std::to_string(proxy_port)},
                     server.url("/old.mp3"), "proxy.raw"),
              0);
    expect_same_as_file("proxy.raw");
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST_F(PlayStreamTest, Ftp) {
    if (std::system("/usr/bin/python3 -c 'import pyftpdlib' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3-pyftpdlib is not installed";
    const uint16_t port = free_port();
    ChildProcess server({"/usr/bin/python3", "-m", "pyftpdlib", "-i", "127.0.0.1", "-p", std::to_string(port), "-d",
                         folder.string()});
    ASSERT_TRUE(server.started());
    ASSERT_TRUE(wait_for_tcp_server(port));
    ASSERT_EQ(zkplay({}, "ftp://127.0.0.1:" + std::to_string(port) + "/demo.mp3", "ftp.raw"), 0);
    expect_same_as_file("ftp.raw");
}

TEST_F(PlayStreamTest, Udp) {
    const uint16_t port = free_port(true);
    ChildProcess player(zkplay_arguments({}, "udp://0.0.0.0:" + std::to_string(port), "udp.raw"));
    ASSERT_TRUE(player.started());
    ASSERT_TRUE(wait_for_udp_receiver(port));
    const int sender = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(port);
    auto* address = reinterpret_cast<sockaddr*>(&to);
    // Paced well below the player's speed, so that no datagram is lost.
    for (size_t at = 0; at < track.size(); at += 4096) {
        const size_t size = std::min<size_t>(4096, track.size() - at);
        ASSERT_EQ(::sendto(sender, track.data() + at, size, 0, address, sizeof to), static_cast<ssize_t>(size));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::sendto(sender, "", 0, 0, address, sizeof to); // the end of the stream
    ::close(sender);
    ASSERT_EQ(player.wait(), 0);
    expect_same_as_file("udp.raw");
}

} // namespace
} // namespace zk::test
