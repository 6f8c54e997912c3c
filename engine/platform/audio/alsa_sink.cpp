#include "platform/audio/alsa_sink.h"

#include "platform/audio/alsa_quiet.h"
#include "platform/audio/device_delay.h"

#include <alsa/asoundlib.h>
#include <cerrno>

namespace zk::audio {

namespace {

constexpr unsigned kBufferMicroseconds = 100000;

int configure(snd_pcm_t* pcm, PcmFormat format, bool& can_pause) {
    snd_pcm_hw_params_t* params;
    snd_pcm_hw_params_alloca(&params);
    int result = snd_pcm_hw_params_any(pcm, params);
    if (result >= 0) result = snd_pcm_hw_params_set_access(pcm, params, SND_PCM_ACCESS_RW_INTERLEAVED);
    if (result >= 0) result = snd_pcm_hw_params_set_format(pcm, params, SND_PCM_FORMAT_S16);
    if (result >= 0) result = snd_pcm_hw_params_set_channels(pcm, params, format.channels);
    unsigned rate = format.rate;
    if (result >= 0) result = snd_pcm_hw_params_set_rate_near(pcm, params, &rate, nullptr);
    if (result >= 0 && rate != format.rate) result = -EINVAL;
    unsigned buffer = kBufferMicroseconds;
    if (result >= 0) snd_pcm_hw_params_set_buffer_time_near(pcm, params, &buffer, nullptr);
    if (result >= 0) result = snd_pcm_hw_params(pcm, params);
    if (result >= 0) can_pause = snd_pcm_hw_params_can_pause(params) == 1;
    return result;
}

// Errors after which the device cannot go on.
bool is_lost(int error) { return error == -ENODEV || error == -EBADFD || error == -EIO || error == -ENXIO; }

} // namespace

std::unique_ptr<AlsaSink> AlsaSink::open(const std::string& device, PcmFormat format, int& error) {
    silence_alsa_errors();
    snd_pcm_t* pcm = nullptr;
    error = snd_pcm_open(&pcm, device.c_str(), SND_PCM_STREAM_PLAYBACK, 0);
    if (error < 0) return nullptr;
    bool can_pause = false;
    error = configure(pcm, format, can_pause);
    if (error < 0) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    return std::unique_ptr<AlsaSink>(new AlsaSink(pcm, format.channels, can_pause));
}

AlsaSink::AlsaSink(snd_pcm_t* pcm, uint32_t channels, bool can_pause)
    : pcm_(pcm), channels_(channels), can_pause_(can_pause) {}

AlsaSink::~AlsaSink() { snd_pcm_close(pcm_); }

int AlsaSink::write(const int16_t* samples, uint32_t frames) {
    if (paused_) pause(false);
    while (frames > 0) {
        const snd_pcm_sframes_t written = snd_pcm_writei(pcm_, samples, frames);
        if (written < 0) {
            const int error = static_cast<int>(written);
            if (error == -EINTR) continue;
            if (is_lost(error) || snd_pcm_recover(pcm_, error, 1) < 0) return error;
            continue;
        }
        samples += written * channels_;
        frames -= static_cast<uint32_t>(written);
    }
    return 0;
}

void AlsaSink::pause(bool paused) {
    if (paused == paused_) return;
    // Without hardware pause, what the device holds (a tenth of a second)
    // plays out and the device underruns until it is fed again.
    if (can_pause_ && snd_pcm_state(pcm_) == (paused ? SND_PCM_STATE_RUNNING : SND_PCM_STATE_PAUSED))
        snd_pcm_pause(pcm_, paused ? 1 : 0);
    paused_ = paused;
}

void AlsaSink::discard() {
    snd_pcm_drop(pcm_);
    snd_pcm_prepare(pcm_);
    paused_ = false;
}

void AlsaSink::drain() {
    if (paused_) pause(false);
    snd_pcm_drain(pcm_);
    snd_pcm_prepare(pcm_);
}

uint32_t AlsaSink::held_frames() {
    snd_pcm_sframes_t delay = 0;
    const int result = snd_pcm_delay(pcm_, &delay);
    return held_frames_of_delay(result, static_cast<long>(delay));
}

} // namespace zk::audio
