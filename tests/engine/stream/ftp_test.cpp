// The active FTP dialogue: against pyftpdlib for real logins and transfers,
// against a scripted server for exact commands, odd replies and stalls.
#include "child_process.h"
#include "scripted_server.h"
#include "stream_fixture.h"
#include "trace_log.h"

#include <arpa/inet.h>
#include <filesystem>
#include <fstream>
#include <memory>
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

// A listener on a free loopback port for a passive data connection.
int passive_listener(uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 1) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

std::string ftp_url(const ScriptedServer& server, const std::string& path) {
    return "ftp://127.0.0.1:" + std::to_string(server.port()) + path;
}

// A server that greets with the first answer and answers each command with
// the next, connecting to the port a PORT command names. An answer holding
// "{pasv}" or "{epsv}" gets the port of a listener in that form, whose
// connection is accepted after the last answer. Then it sends data on the
// data connection; without data it never connects and stalls.
ScriptedServer::Script dialogue(std::vector<std::string>& commands, std::vector<std::string> answers,
                                std::string data) {
    return [&commands, answers, data](ServerConnection& c) {
        c.send(answers[0]);
        int data_fd = -1, listener = -1;
        for (size_t i = 1; i < answers.size(); ++i) {
            commands.push_back(c.read_line());
            if (!data.empty() && commands.back().rfind("PORT ", 0) == 0)
                data_fd = connect_to_port_command(commands.back());
            std::string answer = answers[i];
            for (const char* form : {"{pasv}", "{epsv}"}) {
                const size_t at = answer.find(form);
                if (at == std::string::npos) continue;
                uint16_t port = 0;
                listener = passive_listener(port);
                answer.replace(at, 6,
                               form[1] == 'p'
                                   ? "127,0,0,1," + std::to_string(port / 256) + "," + std::to_string(port % 256)
                                   : "|||" + std::to_string(port) + "|");
            }
            c.send(answer);
        }
        if (listener >= 0) {
            data_fd = ::accept(listener, nullptr, nullptr);
            ::close(listener);
        }
        if (data.empty()) return c.wait_for_close();
        ::send(data_fd, data.data(), data.size(), MSG_NOSIGNAL);
        ::close(data_fd);
        c.send("226 Done\r\n");
    };
}

// Neither passive form is offered: active mode follows.
TEST(FtpDialogue, CommandsInOrderAndTheSizeFromTheReply) {
    std::vector<std::string> commands;
    ScriptedServer server(
        dialogue(commands,
                 {"220-Welcome\r\n220-to the test\r\n220 Ready\r\n", "331 Password please\r\n", "230 Logged in\r\n",
                  "200 Binary\r\n", "500 EPSV not understood\r\n", "502 No passive mode here\r\n", "200 PORT ok\r\n",
                  "150 Opening BINARY mode data connection for a.mp3 (5 bytes).\r\n"},
                 "HELLO"));
    TraceLog log;
    Opened opened = log.open(ftp_url(server, "/music/a.mp3"), 2000);
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.size, 5u);
    EXPECT_EQ(opened.body, "HELLO");
    ASSERT_EQ(commands.size(), 7u);
    EXPECT_EQ(commands[0], "USER anonymous");
    EXPECT_EQ(commands[1].substr(0, 5), "PASS ");
    EXPECT_NE(commands[1].find('@'), std::string::npos);
    EXPECT_EQ(commands[2], "TYPE I");
    EXPECT_EQ(commands[3], "EPSV");
    EXPECT_EQ(commands[4], "PASV");
    EXPECT_EQ(commands[5].substr(0, 15), "PORT 127,0,0,1,");
    EXPECT_EQ(commands[6], "RETR /music/a.mp3");
    EXPECT_TRUE(log.has_debug("1 logging in as: anonymous"));
    EXPECT_TRUE(log.has_debug("2 sending RETR: /music/a.mp3"));
    EXPECT_TRUE(log.has_debug("0 connected and receiving"));
}

TEST(FtpDialogue, LoginWithoutPasswordStepAndExtendedPassiveMode) {
    std::vector<std::string> commands;
    ScriptedServer server(dialogue(commands,
                                   {"220 Ready\r\n", "230 Welcome, no password needed\r\n", "200 Binary\r\n",
                                    "229 Entering Extended Passive Mode ({epsv})\r\n", "150 Here it comes\r\n"},
                                   "X"));
    TraceLog log;
    Opened opened = log.open(ftp_url(server, "/a.mp3"), 2000);
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.size, 0u);
    EXPECT_EQ(opened.body, "X");
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[1], "TYPE I");
    EXPECT_EQ(commands[2], "EPSV");
    EXPECT_EQ(commands[3], "RETR /a.mp3");
    EXPECT_TRUE(log.has_debug("1 passive data connection: 127.0.0.1 port"));
}

// The address in a PASV reply is not used: the data connection goes to the
// server of the control connection.
TEST(FtpDialogue, PassiveModeWhenExtendedPassiveIsRefused) {
    std::vector<std::string> commands;
    ScriptedServer server(dialogue(commands,
                                   {"220 Ready\r\n", "230 In\r\n", "200 Binary\r\n", "500 What?\r\n",
                                    "227 Entering Passive Mode ({pasv}).\r\n", "150 Data (4 bytes)\r\n"},
                                   "DATA"));
    TraceLog log;
    Opened opened = log.open(ftp_url(server, "/a.mp3"), 2000);
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.size, 4u);
    EXPECT_EQ(opened.body, "DATA");
    ASSERT_EQ(commands.size(), 5u);
    EXPECT_EQ(commands[2], "EPSV");
    EXPECT_EQ(commands[3], "PASV");
    EXPECT_EQ(commands[4], "RETR /a.mp3");
}

TEST(FtpDialogue, RefusedStepsEndWithTheFtpErrorReply) {
    TraceLog log;
    ScriptedServer busy([](ServerConnection& c) { c.send("421 Too many users\r\n"); });
    EXPECT_EQ(log.open(ftp_url(busy, "/a.mp3"), 2000).result, ZK_ERROR_FTP_ERROR_REPLY);
    EXPECT_TRUE(log.has_debug("2 errror code returned: 421"));

    ScriptedServer garbage([](ServerConnection& c) { c.send("hello there\r\n"); });
    EXPECT_EQ(log.open(ftp_url(garbage, "/a.mp3"), 2000).result, ZK_ERROR_FTP_ERROR_REPLY);

    // A reply of a class the step does not expect.
    ScriptedServer unexpected([](ServerConnection& c) {
        c.send("220 Ready\r\n");
        c.read_line();
        c.send("150 What?\r\n");
        c.wait_for_close();
    });
    EXPECT_EQ(log.open(ftp_url(unexpected, "/a.mp3"), 2000).result, ZK_ERROR_FTP_ERROR_REPLY);

    ScriptedServer closes([](ServerConnection& c) {
        c.send("220 Ready\r\n");
        c.read_line();
    });
    EXPECT_EQ(log.open(ftp_url(closes, "/a.mp3"), 2000).result, ZK_ERROR_SOCKET_CLOSED);
}

TEST(FtpDialogue, StallsEndWithTimeouts) {
    TraceLog log;
    ScriptedServer silent([](ServerConnection& c) { c.wait_for_close(); });
    EXPECT_EQ(log.open(ftp_url(silent, "/a.mp3"), 300).result, ZK_ERROR_TIMEOUT);

    // Everything is accepted, but the data connection never comes.
    std::vector<std::string> commands;
    ScriptedServer no_data(dialogue(commands,
                                    {"220 Ready\r\n", "331 Password\r\n", "230 In\r\n", "200 Binary\r\n", "500 No\r\n",
                                     "500 No\r\n", "200 PORT ok\r\n", "150 Opening (10 bytes)\r\n"},
                                    ""));
    EXPECT_EQ(log.open(ftp_url(no_data, "/a.mp3"), 300).result, ZK_ERROR_TIMEOUT);
    EXPECT_TRUE(log.has_debug("1 cannot accept data socket"));
}

TEST(FtpDialogue, EndlessMultilineReplyIsCutOff) {
    TraceLog log;
    ScriptedServer endless([](ServerConnection& c) {
        c.send("220-Welcome\r\n");
        for (int i = 0; i < 10000; ++i) c.send("220-and more welcome text\r\n");
    });
    EXPECT_EQ(log.open(ftp_url(endless, "/a.mp3"), 2000).result, ZK_ERROR_INVALID_FTP_REPLY);
}

// pyftpdlib serving a folder with a 70000-byte a.mp3 on loopback (which
// offers passive mode).
class FtpServerTest : public StreamInputTest {
protected:
    void SetUp() override {
        if (std::system("/usr/bin/python3 -c 'import pyftpdlib' >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "python3-pyftpdlib is not installed";
        StreamInputTest::SetUp();
        folder = std::filesystem::temp_directory_path() / ("zk-ftp-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "a.mp3", std::ios::binary)
            .write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
    }
    void TearDown() override {
        if (!folder.empty()) std::filesystem::remove_all(folder);
        if (decoder) StreamInputTest::TearDown();
    }

    // Starts the server with the extra arguments; the url of path on it.
    std::string serve(const std::string& path, std::vector<std::string> arguments = {}) {
        arguments.insert(arguments.begin(), {"/usr/bin/python3", "-m", "pyftpdlib", "-i", "127.0.0.1", "-p",
                                             std::to_string(port), "-d", folder.string()});
        server = std::make_unique<ChildProcess>(arguments);
        EXPECT_TRUE(server->started() && wait_for_tcp_server(port));
        return "ftp://127.0.0.1:" + std::to_string(port) + path;
    }
    std::vector<uint8_t> read_all() {
        std::vector<uint8_t> received;
        uint8_t buffer[1000];
        int32_t got;
        while ((got = read_through_timeouts(buffer, sizeof buffer)) > 0)
            received.insert(received.end(), buffer, buffer + got);
        EXPECT_EQ(got, ZK_ERROR_INPUT_END);
        return received;
    }

    std::filesystem::path folder;
    const std::vector<uint8_t> content = pattern(70000);
    const uint16_t port = free_port();
    std::unique_ptr<ChildProcess> server;
};

TEST_F(FtpServerTest, AnonymousLoginRetrievesTheFile) {
    ASSERT_EQ(open(serve("/a.mp3")), 0);
    EXPECT_TRUE(read_all() == content);
    EXPECT_TRUE(has_debug("1 passive data connection: 127.0.0.1"));
    EXPECT_TRUE(has_debug("0 connected and receiving"));
}

TEST_F(FtpServerTest, UserLoginAndRefusals) {
    const std::string url = serve("/a.mp3", {"-u", "joe", "-P", "secret"});
    const std::string with_login = url.substr(0, 6) + "joe:secret@" + url.substr(6);
    EXPECT_EQ(open(url.substr(0, 6) + "joe:wrong@" + url.substr(6)), ZK_ERROR_FTP_ERROR_REPLY);
    EXPECT_EQ(open(with_login.substr(0, with_login.size() - 6) + "/missing.mp3"), ZK_ERROR_FTP_ERROR_REPLY);
    ASSERT_EQ(open(with_login), 0);
    EXPECT_TRUE(read_all() == content);
}

} // namespace
} // namespace zk::test
