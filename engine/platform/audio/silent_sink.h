// The silent device: consumes frames at the pace of a steady clock, as a
// sound card would, and plays nothing.
#pragma once

#include "platform/audio/pcm_sink.h"

#include <chrono>

namespace zk::audio {

class SilentSink final : public PcmSink {
public:
    using Clock = std::chrono::steady_clock;

    explicit SilentSink(PcmFormat format);

    int write(const int16_t* samples, uint32_t frames) override;
    void pause(bool paused) override;
    void discard() override;
    void drain() override;

private:
    // The device takes frames up to this far ahead of what it has played.
    static constexpr Clock::duration kDeviceBuffer = std::chrono::milliseconds(50);

    Clock::duration duration_of(uint32_t frames) const;

    PcmFormat format_;
    Clock::time_point played_until_; // when the last frame taken has been played
    Clock::duration held_{};         // what was left to play when paused
    bool paused_ = false;
};

} // namespace zk::audio
