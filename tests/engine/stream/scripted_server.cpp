#include "scripted_server.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace zk::test {

namespace {

thread_local ScriptedServer* serving = nullptr;

} // namespace

bool ServerConnection::wait_readable() {
    pollfd entries[2] = {{fd_, POLLIN, 0}, {stop_fd_, POLLIN, 0}};
    while (::poll(entries, 2, -1) < 0) {
    }
    return (entries[1].revents & POLLIN) == 0;
}

std::string ServerConnection::read_request() {
    std::string request;
    char byte;
    while (request.size() < 4 || request.compare(request.size() - 4, 4, "\r\n\r\n") != 0) {
        if (!wait_readable() || ::recv(fd_, &byte, 1, 0) != 1) break;
        request += byte;
    }
    if (serving) {
        std::lock_guard lock(serving->mutex_);
        serving->requests_.push_back(request);
    }
    return request;
}

std::string ServerConnection::read_line() {
    std::string line;
    char byte;
    while (wait_readable() && ::recv(fd_, &byte, 1, 0) == 1 && byte != '\n')
        if (byte != '\r') line += byte;
    return line;
}

void ServerConnection::send(const std::string& text) { send(text.data(), text.size()); }

void ServerConnection::send(const void* data, size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        // A client that stops reading must not keep the server from stopping.
        pollfd entries[2] = {{fd_, POLLOUT, 0}, {stop_fd_, POLLIN, 0}};
        if (::poll(entries, 2, -1) < 0) continue;
        if (entries[1].revents & POLLIN) return;
        const ssize_t sent = ::send(fd_, bytes, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (sent <= 0) return;
        bytes += sent;
        size -= static_cast<size_t>(sent);
    }
}

void ServerConnection::wait_for_close() {
    char byte;
    while (wait_readable() && ::recv(fd_, &byte, 1, 0) > 0) {
    }
}

ScriptedServer::ScriptedServer(Script script) : script_(std::move(script)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 8) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
        ::pipe2(stop_pipe_, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot start the test server");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

ScriptedServer::~ScriptedServer() {
    (void)::write(stop_pipe_[1], "x", 1);
    thread_.join();
    ::close(listener_);
    ::close(stop_pipe_[0]);
    ::close(stop_pipe_[1]);
}

std::string ScriptedServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> ScriptedServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

int ScriptedServer::connections() const {
    std::lock_guard lock(mutex_);
    return connections_;
}

void ScriptedServer::serve() {
    serving = this;
    for (;;) {
        pollfd entries[2] = {{listener_, POLLIN, 0}, {stop_pipe_[0], POLLIN, 0}};
        if (::poll(entries, 2, -1) < 0) continue;
        if (entries[1].revents & POLLIN) return;
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        {
            std::lock_guard lock(mutex_);
            ++connections_;
        }
        ServerConnection connection(fd, stop_pipe_[0]);
        script_(connection);
        ::close(fd);
    }
}

uint16_t free_port(bool udp) {
    const int fd = ::socket(AF_INET, udp ? SOCK_DGRAM : SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

} // namespace zk::test
