#pragma once

#include "zelkor.h"

// The port the engine posts notifications to: a non-blocking pipe whose write
// end is the "window handle" given to player_new and whose read end the GUI
// thread watches. Both ends are closed on destruction.
class TNotifyPort {
public:
    // Throws std::system_error when the pipe cannot be created.
    TNotifyPort();
    ~TNotifyPort();
    TNotifyPort(const TNotifyPort&) = delete;
    TNotifyPort& operator=(const TNotifyPort&) = delete;

    ZK_WindowHandle WriteHandle() const { return m_write; }
    int ReadDescriptor() const { return m_read; }

    // Takes one whole record; false when none is waiting.
    bool Read(ZK_PortRecord& record);
    // Waits up to timeout_ms for a record to arrive; false on expiry.
    bool WaitReadable(int timeout_ms) const;

private:
    int m_read = -1;
    int m_write = -1;
};
