// What a playback device still holds: the frames it reported when it last
// took some, less what it has played since at its rate.
#pragma once

#include <chrono>
#include <cstdint>

namespace zk::audio {

// Frames still held `elapsed` after the device held `held` frames, playing
// `rate` frames a second (never below 0; a rate of 0 plays nothing).
uint32_t frames_still_held(uint32_t held, std::chrono::nanoseconds elapsed, uint32_t rate);

// The frames an ALSA delay query reports: its delay, or 0 when the query
// failed or the device ran dry (a negative delay).
uint32_t held_frames_of_delay(int query_result, long delay);

} // namespace zk::audio
