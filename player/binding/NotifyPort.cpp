#include "player/binding/NotifyPort.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <system_error>
#include <unistd.h>

TNotifyPort::TNotifyPort() {
    int ends[2];
    if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0)
        throw std::system_error(errno, std::generic_category(), "notification port");
    m_read = ends[0];
    m_write = ends[1];
}

TNotifyPort::~TNotifyPort() {
    close(m_read);
    close(m_write);
}

bool TNotifyPort::Read(ZK_PortRecord& record) {
    // Records are written whole (smaller than PIPE_BUF), so a read returns whole records.
    ssize_t got;
    do {
        got = read(m_read, &record, sizeof record);
    } while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(sizeof record);
}

bool TNotifyPort::WaitReadable(int timeout_ms) const {
    pollfd watch{m_read, POLLIN, 0};
    int ready;
    do {
        ready = poll(&watch, 1, timeout_ms);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}
