// Playback at another speed: resamples a stream of frames by linear
// interpolation so that rate/65536 input frames make one output frame
// (the 16.16 fixed-point playback rate of a wave device; 0x10000 is
// normal speed). Carries its position across calls.
#pragma once

#include <cstdint>

namespace zk::audio {

class RateShifter {
public:
    static constexpr uint32_t kNormal = 0x10000;
    static constexpr uint32_t kSlowest = kNormal / 8;
    static constexpr uint32_t kFastest = kNormal * 8;

    static bool supports(uint32_t rate) { return rate >= kSlowest && rate <= kFastest; }
    // Output frames that frames input frames can make at most.
    static uint32_t max_output(uint32_t frames) { return frames * (kNormal / kSlowest) + 1; }

    uint32_t rate() const { return rate_; }
    // Takes a supported rate; starts afresh.
    void set_rate(uint32_t rate);
    // Starts afresh: the next input frame is the first one.
    void reset();

    // Resamples frames of channels (1 or 2) interleaved samples into out
    // (room for max_output(frames) frames); returns the frames made.
    uint32_t process(const int16_t* in, uint32_t frames, uint32_t channels, int16_t* out);

private:
    uint32_t rate_ = kNormal;
    uint64_t position_ = kNormal; // 16.16 index into [previous frame, input frames...]
    int16_t previous_[2] = {};
};

} // namespace zk::audio
