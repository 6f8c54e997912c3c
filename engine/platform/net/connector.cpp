#include "platform/net/connector.h"

#include "platform/net/helper_task.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>

namespace zk::platform {

namespace {

struct Attempt {
    int32_t code = ZK_FAILURE;
    int error = 0;
    Socket socket;
};

// A non-blocking connect waited for with poll; the socket is made blocking
// again once connected. The helper thus gives up by itself about when its
// caller does.
Attempt attempt_connect(const NetAddress& address, int timeout_ms) {
    Attempt attempt;
    Socket s(::socket(address.family(), SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!s.is_open()) {
        attempt.error = errno;
        return attempt;
    }
    int error = 0;
    if (::connect(s.fd(), reinterpret_cast<const sockaddr*>(&address.storage), address.length) != 0) {
        error = errno;
        if (error == EINPROGRESS || error == EINTR) {
            pollfd entry{s.fd(), POLLOUT, 0};
            int ready;
            while ((ready = ::poll(&entry, 1, timeout_ms)) < 0 && errno == EINTR) {
            }
            socklen_t size = sizeof error;
            if (ready == 0)
                error = ETIMEDOUT;
            else if (ready < 0)
                error = errno;
            else if (::getsockopt(s.fd(), SOL_SOCKET, SO_ERROR, &error, &size) != 0)
                error = errno;
        }
    }
    if (error == 0 && ::fcntl(s.fd(), F_SETFL, ::fcntl(s.fd(), F_GETFL) & ~O_NONBLOCK) != 0) error = errno;
    attempt.error = error;
    if (error == 0) {
        attempt.code = ZK_OK;
        attempt.socket = std::move(s);
    } else if (error == ECONNREFUSED) {
        attempt.code = ZK_ERROR_CONNECTION_REFUSED;
    } else if (error == ETIMEDOUT) {
        attempt.code = ZK_ERROR_TIMEOUT;
    }
    return attempt;
}

} // namespace

int32_t connect_tcp(const NetAddress& address, int timeout_ms, Socket& connected, int& system_error) {
    system_error = 0;
    Attempt attempt;
    const int32_t waited = run_with_limit<Attempt>(
        [address, timeout_ms] { return attempt_connect(address, timeout_ms); }, timeout_ms, attempt);
    if (waited != ZK_OK) return waited;
    system_error = attempt.error;
    if (attempt.code == ZK_OK) connected = std::move(attempt.socket);
    return attempt.code;
}

} // namespace zk::platform
