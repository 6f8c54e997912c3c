// The playback devices of this machine, in a fixed order: the system's
// default device first, then each sound card's PCM playback devices, and
// the silent device always last. With ZELKOR_AUDIO=null in the environment
// only the default device (played silently) and the silent device exist.
#pragma once

#include "platform/audio/pcm_sink.h"

#include <memory>
#include <string>
#include <vector>

namespace zk::audio {

struct OutputDevice {
    std::string pcm;         // ALSA PCM name; empty for the silent device
    std::string mixer;       // ALSA control name of the device's mixer; empty for none
    std::string description; // product name
    bool is_default = false;

    bool is_silent() const { return pcm.empty(); }
};

// True when the process environment sets ZELKOR_AUDIO=null.
bool null_audio_requested();

std::vector<OutputDevice> list_output_devices();

// The opened sink, or null with a negative errno code and its text.
struct SinkOpening {
    std::unique_ptr<PcmSink> sink;
    int error = 0;
    std::string detail;
};

SinkOpening open_sink(const OutputDevice& device, PcmFormat format);

} // namespace zk::audio
