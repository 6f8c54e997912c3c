// A procedure for channel tests: answers ping with pong, echoes every other
// message back unchanged, and ends on exit.
#pragma once

#include "zelkor.h"

namespace zk::test {

inline int32_t echo_procedure(ZK_ControlChannel* channel, void*) {
    for (;;) {
        ZK_Message m{};
        if (control_message_wait(channel, &m, -1) != 0) return -1;
        if (m.code == ZK_MSG_COMMAND_EXIT) return 0;
        if (m.code == ZK_MSG_COMMAND_PING) {
            control_message_send(channel, ZK_MSG_NOTIFY_PONG, m.tag.tag);
            continue;
        }
        uint32_t number;
        uintptr_t w;
        intptr_t l;
        if (control_message_to_win32_params(&m, &number, &w, &l) == 0) {
            ZK_Message copy{};
            control_win32_params_to_message(channel, &copy, number, w, l);
        }
    }
}

} // namespace zk::test
