#include "platform/messaging/message_port.h"

#include "zelkor.h"

#include <cerrno>
#include <unistd.h>

namespace zk::platform {

bool post_to_port(intptr_t port, const PostedMessage& message) {
    ZK_PortRecord record{message.number, 0, message.wparam, message.lparam};
    static_assert(sizeof record <= PIPE_BUF, "port records must be written atomically");
    ssize_t written;
    do {
        written = ::write(static_cast<int>(port), &record, sizeof record);
    } while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(sizeof record);
}

} // namespace zk::platform
