#include "control/message_table.h"

namespace zk::control {

bool is_sendable(uint32_t code) {
    return code >= 1 && code < ZK_MSG_COUNT && code != ZK_MSG_NOTIFY_OUTPUT_VOLUME &&
           (code < ZK_MSG_COMMAND_FEEDBACK_PAUSE || code > ZK_MSG_COMMAND_FEEDBACK_FLUSH);
}

bool is_serialisable(uint32_t code) {
    return code >= 1 && code < ZK_MSG_COUNT &&
           (code < ZK_MSG_COMMAND_FEEDBACK_PAUSE || code > ZK_MSG_COMMAND_FEEDBACK_FLUSH);
}

} // namespace zk::control
