// A TCP server on loopback for the network input tests: each accepted
// connection is handed to a script that decides what the client gets
// (replies, stalls, closes). Connections are served one after another.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zk::test {

class ServerConnection {
public:
    ServerConnection(int fd, int stop_fd) : fd_(fd), stop_fd_(stop_fd) {}

    int fd() const { return fd_; }
    // Bytes up to and including the first empty line ("\r\n\r\n"); empty
    // when the client closes first.
    std::string read_request();
    // One line without its end, as an FTP server reads commands.
    std::string read_line();
    void send(const std::string& text);
    void send(const void* data, size_t size);
    // Blocks until the client closes or the server stops.
    void wait_for_close();

private:
    bool wait_readable();
    int fd_;
    int stop_fd_;
};

class ScriptedServer {
public:
    using Script = std::function<void(ServerConnection&)>;

    explicit ScriptedServer(Script script);
    ~ScriptedServer();

    uint16_t port() const { return port_; }
    std::string url(const std::string& path = "/") const;
    // Everything each connection's read_request returned, in order.
    std::vector<std::string> requests() const;
    int connections() const;

private:
    void serve();

    Script script_;
    int listener_ = -1;
    int stop_pipe_[2] = {-1, -1};
    uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    int connections_ = 0;
    std::thread thread_;
    friend class ServerConnection;
};

// A free port on loopback for servers started elsewhere (TCP or UDP).
uint16_t free_port(bool udp = false);

} // namespace zk::test
