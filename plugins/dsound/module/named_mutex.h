// A mutex shared by every process of the user: a POSIX named semaphore with
// a count of one. A holder that died would block everyone for good, so a
// lock gives up waiting after a while; callers guard their own process's
// data with a mutex of their own as well.
#pragma once

#include <semaphore.h>

namespace zk::dsound {

class NamedMutex {
public:
    // name without the leading slash; a mutex that the system refuses (no
    // shared memory, another user's semaphore) locks nothing.
    explicit NamedMutex(const char* name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // True when the mutex was taken, false when it could not be within the
    // wait limit; unlock only after a true.
    bool lock();
    void unlock();

private:
    sem_t* semaphore_;
};

} // namespace zk::dsound
