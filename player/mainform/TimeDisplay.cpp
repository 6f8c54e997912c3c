#include "player/mainform/TimeDisplay.h"

#include "player/mainform/LabelTexts.h"
#include "player/mainform/MainFormStrings.h"

#include <algorithm>

QString TTimeDisplay::Duration(uint32_t seconds) {
    m_duration = seconds;
    m_durationKnown = seconds > 0;
    return MinutesSeconds(m_duration);
}

QString TTimeDisplay::Timecode(int hours, int minutes, int seconds) const {
    if (m_elapsed) return TwoDigits(minutes) + u':' + TwoDigits(seconds);
    if (!m_durationKnown) return QString::fromUtf8(MainFormStrings::NoTime);
    // A duration that fell short of the track leaves no time, not negative time.
    const int64_t left = m_duration - (int64_t{hours} * 3600 + int64_t{minutes} * 60 + seconds);
    return MinutesSeconds(std::max<int64_t>(left, 0));
}
