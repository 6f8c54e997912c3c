#include "module/named_mutex.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

namespace zk::dsound {

namespace {

constexpr int kWaitMilliseconds = 5000;
constexpr int kPollMilliseconds = 10;

std::string lock_path(const char* name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string folder = runtime && *runtime ? runtime : "/tmp";
    return folder + "/" + name + "-" + std::to_string(getuid()) + ".lock";
}

} // namespace

NamedMutex::NamedMutex(const char* name)
    : fd_(::open(lock_path(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {}

NamedMutex::~NamedMutex() {
    if (fd_ >= 0) ::close(fd_);
}

bool NamedMutex::lock() {
    if (fd_ < 0) return false;
    for (int waited = 0;; waited += kPollMilliseconds) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (waited >= kWaitMilliseconds) return false;
        const timespec pause{0, kPollMilliseconds * 1000000L};
        nanosleep(&pause, nullptr);
    }
}

void NamedMutex::unlock() {
    if (fd_ >= 0) ::flock(fd_, LOCK_UN);
}

} // namespace zk::dsound
