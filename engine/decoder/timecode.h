// Stream time as hours, minutes, seconds and hundredths.
#pragma once

#include "zelkor.h"

#include <cstdint>

namespace zk {

// All parts truncated; negative or undefined times count as 0.
inline ZK_Timecode timecode_from_seconds(double seconds) {
    if (!(seconds > 0)) seconds = 0;
    if (seconds > 4294967295.0) seconds = 4294967295.0;
    const uint32_t whole = static_cast<uint32_t>(seconds);
    ZK_Timecode timecode;
    timecode.hours = static_cast<int32_t>(whole / 3600);
    timecode.minutes = static_cast<int32_t>((whole % 3600) / 60);
    timecode.seconds = static_cast<int32_t>(whole % 60);
    timecode.hundredths = static_cast<int32_t>((seconds - whole) * 100);
    return timecode;
}

} // namespace zk
