// The silent device: consumes frames at the pace of a steady clock, as a
// sound card would, and plays nothing. With ZELKOR_AUDIO_CAPTURE naming a
// file, every frame it takes is appended there as raw interleaved 16-bit PCM,
// so that what a listener would hear can be checked.
#pragma once

#include "platform/audio/pcm_sink.h"

#include <chrono>
#include <cstdio>
#include <memory>

namespace zk::audio {

class SilentSink final : public PcmSink {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr const char* kCaptureVariable = "ZELKOR_AUDIO_CAPTURE";

    explicit SilentSink(PcmFormat format);

    int write(const int16_t* samples, uint32_t frames) override;
    void pause(bool paused) override;
    void discard() override;
    void drain() override;
    uint32_t held_frames() override;

private:
    // The device takes frames up to this far ahead of what it has played.
    static constexpr Clock::duration kDeviceBuffer = std::chrono::milliseconds(50);

    Clock::duration duration_of(uint32_t frames) const;

    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    PcmFormat format_;
    std::unique_ptr<std::FILE, FileCloser> capture_;
    Clock::time_point played_until_; // when the last frame taken has been played
    Clock::duration held_{};         // what was left to play when paused
    bool paused_ = false;
};

} // namespace zk::audio
