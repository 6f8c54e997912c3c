// Thread priorities, best effort: applied as the thread's nice value where
// the system permits, silently left as they are otherwise.
#pragma once

#include <sys/types.h>

namespace zk::platform {

// The kernel id of the calling thread.
pid_t current_thread_id();

// Applies a Win32-style priority (-15 idle, -2, -1, 0, 1, 2, 15 time
// critical) to the thread; returns whether the system accepted it.
bool apply_thread_priority(pid_t thread, int priority);

} // namespace zk::platform
