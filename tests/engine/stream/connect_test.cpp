// Resolving and connecting with limits: unknown hosts, a server
// whose accept queue is full, waits cut short by their thread.
#include "platform/net/connector.h"
#include "platform/net/helper_task.h"
#include "platform/net/resolver.h"
#include "platform/threads/wait_interruption.h"
#include "trace_log.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <atomic>
#include <chrono>
#include <thread>
#include <unistd.h>

namespace zk::test {
namespace {

TEST(Connect, ResolvesNamesDottedAndIpv6Addresses) {
    std::vector<platform::NetAddress> found;
    EXPECT_EQ(platform::resolve_host("127.0.0.1", 80, 1000, found), 0);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].ipv4(), 0x7F000001u);
    EXPECT_EQ(found[0].port(), 80);
    EXPECT_EQ(platform::resolve_host("localhost", 8000, 5000, found), 0);
    ASSERT_FALSE(found.empty());
    EXPECT_TRUE(found[0].text() == "::1" || found[0].ipv4() >> 24 == 127u) << found[0].text();
    EXPECT_EQ(platform::resolve_host("::1", 443, 1000, found), 0);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].family(), AF_INET6);
    EXPECT_EQ(found[0].text(), "::1");
    EXPECT_EQ(found[0].port(), 443);
    EXPECT_EQ(platform::resolve_host("no-such-host.invalid", 80, 5000, found), ZK_ERROR_HOST_UNKNOWN);
    EXPECT_EQ(platform::resolve_host("", 80, 1000, found), ZK_ERROR_HOST_UNKNOWN);
    EXPECT_EQ(platform::resolve_host("::zz", 80, 1000, found), ZK_ERROR_HOST_UNKNOWN);
}

TEST(Connect, LongHostNamesAreShortenedInTraces) {
    TraceLog log;
    platform::Socket socket;
    const std::string host(300, 'h');
    EXPECT_EQ(stream::connect_host(host, 80, log.context(), socket), ZK_ERROR_HOST_UNKNOWN);
    EXPECT_EQ(log.debug[0], "0 connecting: host " + std::string(200, 'h') + ", port 80");
}

TEST(Connect, ServerThatNeverAcceptsTimesOut) {
    // A listener with a full accept queue drops further connection requests.
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size), 0);

    std::vector<platform::Socket> queued;
    int32_t result = 0;
    for (int attempt = 0; attempt < 8 && result == 0; ++attempt) {
        platform::Socket socket;
        int error = 0;
        result = platform::connect_tcp(platform::NetAddress::from_ipv4(0x7F000001, ntohs(address.sin_port)), 300,
                                       socket, error);
        if (result == 0) queued.push_back(std::move(socket));
    }
    EXPECT_EQ(result, ZK_ERROR_TIMEOUT);
    ::close(listener);
}

bool flag_is_set(void* flag) { return static_cast<std::atomic<bool>*>(flag)->load(); }

TEST(Connect, AnInstalledInterruptionCutsSocketAndHelperWaitsShort) {
    using Clock = std::chrono::steady_clock;
    int fds[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
    std::atomic<bool> interrupt{false};
    platform::set_wait_interruption(flag_is_set, &interrupt);

    // Not interrupted: data that arrives during the wait is received.
    std::thread sender([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        (void)::send(fds[1], "x", 1, MSG_NOSIGNAL);
    });
    char byte = 0;
    EXPECT_EQ(platform::receive_within(fds[0], &byte, 1, 20000), 1);
    sender.join();

    interrupt = true;
    auto started = Clock::now();
    EXPECT_EQ(platform::receive_within(fds[0], &byte, 1, 20000), ZK_ERROR_TIMEOUT);
    int job_result = 0;
    EXPECT_EQ(platform::run_with_limit<int>(
                  [] {
                      std::this_thread::sleep_for(std::chrono::milliseconds(500));
                      return 1;
                  },
                  20000, job_result),
              ZK_ERROR_TIMEOUT);
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(10)) << "the waits ran towards their 20 s limits";

    platform::set_wait_interruption(nullptr, nullptr);
    EXPECT_EQ(platform::run_with_limit<int>([] { return 7; }, 20000, job_result), 0);
    EXPECT_EQ(job_result, 7);
    ::close(fds[0]);
    ::close(fds[1]);
}

} // namespace
} // namespace zk::test
