// A playback device of ALSA: a PCM opened for interleaved signed 16-bit
// frames at the requested rate and channel count.
#pragma once

#include "platform/audio/pcm_sink.h"

#include <memory>
#include <string>

typedef struct _snd_pcm snd_pcm_t;

namespace zk::audio {

class AlsaSink final : public PcmSink {
public:
    // Opens the PCM device; null with error set to a negative errno code
    // when it cannot be opened or configured.
    static std::unique_ptr<AlsaSink> open(const std::string& device, PcmFormat format, int& error);
    ~AlsaSink() override;

    int write(const int16_t* samples, uint32_t frames) override;
    void pause(bool paused) override;
    void discard() override;
    void drain() override;
    uint32_t held_frames() override;

private:
    AlsaSink(snd_pcm_t* pcm, uint32_t channels, bool can_pause);

    snd_pcm_t* pcm_;
    uint32_t channels_;
    bool can_pause_;
    bool paused_ = false;
};

} // namespace zk::audio
