// Reply lines from a server that sends a byte now and then, never letting
// the per-byte wait run out: the reply's overall limit ends the wait.
#include "input/stream/line_reader.h"
#include "platform/net/transport.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using zk::stream::LineReader;

class SlowReply : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds_), 0); }
    void TearDown() override {
        stop_ = true;
        if (sender_.joinable()) sender_.join();
        close(fds_[0]);
        close(fds_[1]);
    }
    // Sends text one byte every interval until it is sent or the test ends.
    void trickle(std::string text, std::chrono::milliseconds interval) {
        sender_ = std::thread([this, text, interval] {
            for (char byte : text) {
                if (stop_) return;
                (void)send(fds_[1], &byte, 1, MSG_NOSIGNAL);
                std::this_thread::sleep_for(interval);
            }
        });
    }

    // The reading end as the reader takes it (a copy of the descriptor).
    zk::platform::PlainTransport& reading() {
        if (!reading_) reading_ = std::make_unique<zk::platform::PlainTransport>(zk::platform::Socket(::dup(fds_[0])));
        return *reading_;
    }

    int fds_[2] = {-1, -1};
    std::unique_ptr<zk::platform::PlainTransport> reading_;
    std::atomic<bool> stop_{false};
    std::thread sender_;
};

TEST_F(SlowReply, ATrickledHeaderRunsIntoTheReplyLimit) {
    trickle(std::string(1000, 'x') + "\r\n", 5ms);
    LineReader reader(reading(), 10000, 4096, 65536, ZK_ERROR_INVALID_HTTP_REPLY, 200);
    std::string line;
    EXPECT_EQ(reader.read_line(line), ZK_ERROR_TIMEOUT);
    EXPECT_EQ(reader.read_line(line), ZK_ERROR_TIMEOUT) << "the limit holds for the lines that follow";
}

TEST_F(SlowReply, ReplyLinesWithinTheLimitAreRead) {
    trickle("HTTP/1.0 200 OK\r\nServer: slow\r\n\r\n", 1ms);
    LineReader reader(reading(), 10000, 4096, 65536, ZK_ERROR_INVALID_HTTP_REPLY, 60000);
    std::string line;
    ASSERT_EQ(reader.read_line(line), 0);
    EXPECT_EQ(line, "HTTP/1.0 200 OK");
    ASSERT_EQ(reader.read_line(line), 0);
    EXPECT_EQ(line, "Server: slow");
    ASSERT_EQ(reader.read_line(line), 0);
    EXPECT_EQ(line, "");
}

} // namespace
