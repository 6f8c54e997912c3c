// Message ports: posting a record to the write end of a non-blocking pipe
// whose read end the receiver's event loop watches.
#pragma once

#include "platform/messaging/message_queue.h"

namespace zk::platform {

// Writes one record atomically; false when the pipe is full or closed.
bool post_to_port(intptr_t port, const PostedMessage& message);

} // namespace zk::platform
