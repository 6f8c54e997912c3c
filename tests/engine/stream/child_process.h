// Servers and programs the tests start and stop themselves (tinyproxy,
// pyftpdlib).
#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace zk::test {

class ChildProcess {
public:
    // Starts argv[0] (searched in PATH) with its output going nowhere; check
    // started() afterwards.
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess(); // stops the process if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    // Waits for the end: the exit status, or -1 when it did not exit normally.
    int wait();

private:
    pid_t pid_ = -1;
};

// Whether a TCP server accepts connections on the loopback port, retrying
// until it does or the process has had ample time to start.
bool wait_for_tcp_server(uint16_t port);

} // namespace zk::test
