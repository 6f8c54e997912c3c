#include "platform/net/connector.h"

#include "platform/net/helper_task.h"

#include <arpa/inet.h>
#include <cerrno>
#include <sys/socket.h>
#include <sys/time.h>

namespace zk::platform {

namespace {

struct Attempt {
    int32_t code = ZK_FAILURE;
    int error = 0;
    Socket socket;
};

Attempt attempt_connect(uint32_t address, uint16_t port, int timeout_ms) {
    Attempt attempt;
    Socket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!s.is_open()) {
        attempt.error = errno;
        return attempt;
    }
    // The helper gives up by itself about when its caller does.
    timeval limit{timeout_ms / 1000, (timeout_ms % 1000) * 1000};
    ::setsockopt(s.fd(), SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = htonl(address);
    peer.sin_port = htons(port);
    int result;
    do {
        result = ::connect(s.fd(), reinterpret_cast<sockaddr*>(&peer), sizeof peer);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        attempt.code = ZK_OK;
        attempt.socket = std::move(s);
        return attempt;
    }
    attempt.error = errno;
    if (errno == ECONNREFUSED) attempt.code = ZK_ERROR_CONNECTION_REFUSED;
    else if (errno == ETIMEDOUT || errno == EINPROGRESS || errno == EAGAIN) attempt.code = ZK_ERROR_TIMEOUT;
    return attempt;
}

} // namespace

int32_t connect_tcp(uint32_t address, uint16_t port, int timeout_ms, Socket& connected, int& system_error) {
    system_error = 0;
    Attempt attempt;
    const int32_t waited = run_with_limit<Attempt>(
        [address, port, timeout_ms] { return attempt_connect(address, port, timeout_ms); }, timeout_ms, attempt);
    if (waited != ZK_OK) return waited;
    system_error = attempt.error;
    if (attempt.code == ZK_OK) connected = std::move(attempt.socket);
    return attempt.code;
}

} // namespace zk::platform
