#include "platform/threads/wait_interruption.h"

namespace zk::platform {

namespace {
thread_local InterruptionCheck t_check = nullptr;
thread_local void* t_context = nullptr;
} // namespace

void set_wait_interruption(InterruptionCheck check, void* context) {
    t_check = check;
    t_context = context;
}

bool wait_interruption_installed() { return t_check != nullptr; }

bool wait_interrupted() { return t_check && t_check(t_context); }

} // namespace zk::platform
