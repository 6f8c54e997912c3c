#include "platform/audio/device_delay.h"

namespace zk::audio {

uint32_t frames_still_held(uint32_t held, std::chrono::nanoseconds elapsed, uint32_t rate) {
    if (elapsed.count() <= 0) return held;
    const uint64_t played = static_cast<uint64_t>(elapsed.count()) * rate / 1000000000u;
    return played >= held ? 0 : held - static_cast<uint32_t>(played);
}

uint32_t held_frames_of_delay(int query_result, long delay) {
    if (query_result < 0 || delay <= 0) return 0;
    return delay > long{UINT32_MAX} ? UINT32_MAX : static_cast<uint32_t>(delay);
}

} // namespace zk::audio
