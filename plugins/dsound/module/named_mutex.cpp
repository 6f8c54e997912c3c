#include "module/named_mutex.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <time.h>

namespace zk::dsound {

namespace {

constexpr time_t kWaitSeconds = 5;

} // namespace

NamedMutex::NamedMutex(const char* name) {
    semaphore_ = sem_open(("/" + std::string(name)).c_str(), O_CREAT, 0600, 1);
    if (semaphore_ == SEM_FAILED) semaphore_ = nullptr;
}

NamedMutex::~NamedMutex() {
    if (semaphore_) sem_close(semaphore_);
}

bool NamedMutex::lock() {
    if (!semaphore_) return false;
    timespec deadline{};
    clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += kWaitSeconds;
    int result;
    do result = sem_timedwait(semaphore_, &deadline);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

void NamedMutex::unlock() {
    if (semaphore_) sem_post(semaphore_);
}

} // namespace zk::dsound
