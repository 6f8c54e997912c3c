#pragma once

#include <QString>
#include <cstdint>

// The time labels: the total time from the duration notification, and the
// current time from the timecode as elapsed time or as the time left. The
// duration is remembered for the time left (it is the main window's tag);
// until the current track's first duration arrives, and while it is 0 (a
// stream of unknown length), the time left is unknown.
class TTimeDisplay {
public:
    // A track starts: its duration is not known yet.
    void TrackStarted() { m_durationKnown = false; }

    // Keeps the duration and returns the total time text.
    QString Duration(uint32_t seconds);
    int64_t DurationTag() const { return m_duration; }

    bool Elapsed() const { return m_elapsed; }
    void SetElapsed(bool value) { m_elapsed = value; }

    // The current time text; hours count only for the time left.
    QString Timecode(int hours, int minutes, int seconds) const;

private:
    int64_t m_duration = 0;
    bool m_durationKnown = false;
    bool m_elapsed = true;
};
