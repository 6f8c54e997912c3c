#include "platform/threads/thread_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace zk::platform {

pid_t current_thread_id() { return static_cast<pid_t>(::syscall(SYS_gettid)); }

bool apply_thread_priority(pid_t thread, int priority) {
    int nice_value;
    if (priority <= -15)
        nice_value = 19;
    else if (priority >= 15)
        nice_value = -10;
    else
        nice_value = -5 * priority;
    return ::setpriority(PRIO_PROCESS, static_cast<id_t>(thread), nice_value) == 0;
}

} // namespace zk::platform
