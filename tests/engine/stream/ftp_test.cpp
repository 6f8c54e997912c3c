// The active FTP dialogue: against pyftpdlib for real logins and transfers,
// against a scripted server for exact commands, odd replies and stalls.
#include "child_process.h"
#include "scripted_server.h"
#include "stream_fixture.h"
#include "trace_log.h"

#include <arpa/inet.h>
#include <filesystem>
#include <fstream>
#include <sys/socket.h>
#include <unistd.h>

namespace zk::test {
namespace {

// The data connection a PORT command asks for.
int connect_to_port_command(const std::string& command) {
    unsigned a, b, c, d, high, low;
    if (std::sscanf(command.c_str(), "PORT %u,%u,%u,%u,%u,%u", &a, &b, &c, &d, &high, &low) != 6) return -1;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(a << 24 | b << 16 | c << 8 | d);
    address.sin_port = htons(static_cast<uint16_t>(high * 256 + low));
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

struct FtpOpened {
    int32_t result = 0;
    uint32_t size = 0;
    std::string data;
};

FtpOpened open_ftp(const std::string& text, TraceLog& log, int limit_ms = 2000) {
    FtpOpened opened;
    stream::StreamUrl url;
    EXPECT_EQ(stream::parse_stream_url(text, url), 0);
    stream::StreamConnection connection;
    opened.result = stream::open_stream(url, log.context(limit_ms), connection, opened.size);
    if (opened.result == 0) {
        char buffer[4096];
        ssize_t got;
        while ((got = ::recv(connection.data.fd(), buffer, sizeof buffer, 0)) > 0) opened.data.append(buffer, got);
    }
    return opened;
}

std::string ftp_url(const ScriptedServer& server, const std::string& path) {
    return "ftp://127.0.0.1:" + std::to_string(server.port()) + path;
}

TEST(FtpDialogue, CommandsInOrderAndTheSizeFromTheReply) {
    std::vector<std::string> commands;
    ScriptedServer server([&](ServerConnection& c) {
        c.send("220-Welcome\r\n220-to the test\r\n220 Ready\r\n");
        commands.push_back(c.read_line());
        c.send("331 Password please\r\n");
        commands.push_back(c.read_line());
        c.send("230 Logged in\r\n");
        commands.push_back(c.read_line());
        c.send("200 Binary\r\n");
        commands.push_back(c.read_line());
        const int data = connect_to_port_command(commands.back());
        c.send("200 PORT ok\r\n");
        commands.push_back(c.read_line());
        c.send("150 Opening BINARY mode data connection for a.mp3 (5 bytes).\r\n");
        ::send(data, "HELLO", 5, MSG_NOSIGNAL);
        ::close(data);
        c.send("226 Done\r\n");
    });
    TraceLog log;
    FtpOpened opened = open_ftp(ftp_url(server, "/music/a.mp3"), log);
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.size, 5u);
    EXPECT_EQ(opened.data, "HELLO");
    ASSERT_EQ(commands.size(), 5u);
    EXPECT_EQ(commands[0], "USER anonymous");
    EXPECT_EQ(commands[1].substr(0, 5), "PASS ");
    EXPECT_NE(commands[1].find('@'), std::string::npos);
    EXPECT_EQ(commands[2], "TYPE I");
    EXPECT_EQ(commands[3].substr(0, 15), "PORT 127,0,0,1,");
    EXPECT_EQ(commands[4], "RETR /music/a.mp3");
    EXPECT_TRUE(log.has_debug("1 logging in as: anonymous"));
    EXPECT_TRUE(log.has_debug("2 sending PASS"));
    EXPECT_TRUE(log.has_debug("2 sending RETR: /music/a.mp3"));
    EXPECT_TRUE(log.has_debug("1 got connection on data socket"));
    EXPECT_TRUE(log.has_debug("0 connected and receiving"));
}

TEST(FtpDialogue, LoginWithoutPasswordStep) {
    std::vector<std::string> commands;
    ScriptedServer server([&](ServerConnection& c) {
        c.send("220 Ready\r\n");
        commands.push_back(c.read_line());
        c.send("230 Welcome, no password needed\r\n");
        commands.push_back(c.read_line());
        c.send("200 Binary\r\n");
        commands.push_back(c.read_line());
        const int data = connect_to_port_command(commands.back());
        c.send("200 PORT ok\r\n");
        commands.push_back(c.read_line());
        c.send("150 Here it comes\r\n");
        ::send(data, "X", 1, MSG_NOSIGNAL);
        ::close(data);
    });
    TraceLog log;
    FtpOpened opened = open_ftp(ftp_url(server, "/a.mp3"), log);
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.size, 0u);
    EXPECT_EQ(opened.data, "X");
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[1], "TYPE I");
}

TEST(FtpDialogue, RefusedStepsEndWithTheFtpErrorReply) {
    TraceLog log;
    ScriptedServer busy([](ServerConnection& c) { c.send("421 Too many users\r\n"); });
    EXPECT_EQ(open_ftp(ftp_url(busy, "/a.mp3"), log).result, ZK_ERROR_FTP_ERROR_REPLY);
    EXPECT_TRUE(log.has_debug("2 errror code returned: 421"));

    ScriptedServer garbage([](ServerConnection& c) { c.send("hello there\r\n"); });
    EXPECT_EQ(open_ftp(ftp_url(garbage, "/a.mp3"), log).result, ZK_ERROR_FTP_ERROR_REPLY);

    // A reply of a class the step does not expect.
    ScriptedServer unexpected([](ServerConnection& c) {
        c.send("220 Ready\r\n");
        c.read_line();
        c.send("150 What?\r\n");
        c.wait_for_close();
    });
    EXPECT_EQ(open_ftp(ftp_url(unexpected, "/a.mp3"), log).result, ZK_ERROR_FTP_ERROR_REPLY);

    ScriptedServer closes([](ServerConnection& c) {
        c.send("220 Ready\r\n");
        c.read_line();
    });
    EXPECT_EQ(open_ftp(ftp_url(closes, "/a.mp3"), log).result, ZK_ERROR_SOCKET_CLOSED);
}

TEST(FtpDialogue, StallsEndWithTimeouts) {
    TraceLog log;
    ScriptedServer silent([](ServerConnection& c) { c.wait_for_close(); });
    EXPECT_EQ(open_ftp(ftp_url(silent, "/a.mp3"), log, 300).result, ZK_ERROR_TIMEOUT);

    // Everything is accepted, but the data connection never comes.
    ScriptedServer no_data([](ServerConnection& c) {
        c.send("220 Ready\r\n");
        for (const char* answer : {"331 Password\r\n", "230 In\r\n", "200 Binary\r\n", "200 PORT ok\r\n"}) {
            c.read_line();
            c.send(answer);
        }
        c.read_line();
        c.send("150 Opening (10 bytes)\r\n");
        c.wait_for_close();
    });
    EXPECT_EQ(open_ftp(ftp_url(no_data, "/a.mp3"), log, 300).result, ZK_ERROR_TIMEOUT);
    EXPECT_TRUE(log.has_debug("1 cannot accept data socket"));
}

TEST(FtpDialogue, EndlessMultilineReplyIsCutOff) {
    TraceLog log;
    ScriptedServer endless([](ServerConnection& c) {
        c.send("220-Welcome\r\n");
        for (int i = 0; i < 10000; ++i) c.send("220-and more welcome text\r\n");
    });
    EXPECT_EQ(open_ftp(ftp_url(endless, "/a.mp3"), log).result, ZK_ERROR_INVALID_FTP_REPLY);
}

// pyftpdlib serving a folder on loopback, in active mode.
class PyFtpServer {
public:
    explicit PyFtpServer(const std::string& folder, const std::vector<std::string>& login = {})
        : port_(free_port()), process_(arguments(folder, login)) {}

    bool ready() { return process_.started() && wait_for_tcp_server(port_); }
    std::string url(const std::string& path, const std::string& login = "") const {
        return "ftp://" + login + "127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    std::vector<std::string> arguments(const std::string& folder, const std::vector<std::string>& login) const {
        std::vector<std::string> args{"/usr/bin/python3", "-m", "pyftpdlib", "-i", "127.0.0.1",
                                      "-p", std::to_string(port_), "-d", folder};
        args.insert(args.end(), login.begin(), login.end());
        return args;
    }
    uint16_t port_;
    ChildProcess process_;
};

class FtpServerTest : public StreamInputTest {
protected:
    void SetUp() override {
        if (::access("/usr/bin/python3", X_OK) != 0 ||
            std::system("/usr/bin/python3 -c 'import pyftpdlib' >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "python3-pyftpdlib is not installed";
        StreamInputTest::SetUp();
        folder = std::filesystem::temp_directory_path() / ("zk-ftp-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        content = pattern(70000);
        std::ofstream(folder / "a.mp3", std::ios::binary)
            .write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
    }
    void TearDown() override {
        if (!folder.empty()) std::filesystem::remove_all(folder);
        if (decoder) StreamInputTest::TearDown();
    }

    std::vector<uint8_t> read_all() {
        std::vector<uint8_t> received;
        uint8_t buffer[1000];
        int32_t got;
        while ((got = read_through_timeouts(buffer, sizeof buffer)) > 0) received.insert(received.end(), buffer, buffer + got);
        EXPECT_EQ(got, ZK_ERROR_INPUT_END);
        // What is left is less than one read.
        return received;
    }

    std::filesystem::path folder;
    std::vector<uint8_t> content;
};

TEST_F(FtpServerTest, AnonymousLoginRetrievesTheFile) {
    PyFtpServer server(folder.string());
    ASSERT_TRUE(server.ready());
    ASSERT_EQ(open(server.url("/a.mp3")), 0);
    const std::vector<uint8_t> received = read_all();
    ASSERT_EQ(received.size(), 70000u);
    EXPECT_TRUE(received == content);
    EXPECT_TRUE(has_debug("0 connected and receiving"));
}

TEST_F(FtpServerTest, UserLoginAndRefusals) {
    PyFtpServer server(folder.string(), {"-u", "joe", "-P", "secret"});
    ASSERT_TRUE(server.ready());
    EXPECT_EQ(open(server.url("/a.mp3", "joe:wrong@")), ZK_ERROR_FTP_ERROR_REPLY);
    EXPECT_EQ(open(server.url("/missing.mp3", "joe:secret@")), ZK_ERROR_FTP_ERROR_REPLY);
    ASSERT_EQ(open(server.url("/a.mp3", "joe:secret@")), 0);
    EXPECT_EQ(read_all().size(), 70000u);
}

} // namespace
} // namespace zk::test
