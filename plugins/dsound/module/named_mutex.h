// A mutex shared by every process of the user: an exclusive lock on a lock
// file. The kernel releases it with its holder, so a process that died
// holding it blocks nobody. A lock gives up waiting after a while all the
// same; callers guard their own process's data with a mutex of their own.
#pragma once

namespace zk::dsound {

class NamedMutex {
public:
    // The lock file is NAME-UID.lock in $XDG_RUNTIME_DIR, or in /tmp; a file
    // that cannot be opened locks nothing.
    explicit NamedMutex(const char* name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // True when the mutex was taken, false when it could not be within the
    // wait limit; unlock only after a true.
    bool lock();
    void unlock();

private:
    int fd_ = -1;
};

} // namespace zk::dsound
