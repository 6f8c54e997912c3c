#include "platform/audio/output_devices.h"

#include "platform/audio/alsa_quiet.h"
#include "platform/audio/alsa_sink.h"
#include "platform/audio/silent_sink.h"

#include <alsa/asoundlib.h>
#include <cstdlib>
#include <cstring>

namespace zk::audio {

namespace {

OutputDevice default_device() {
    OutputDevice device;
    device.pcm = null_audio_requested() ? "" : "default";
    device.mixer = device.pcm;
    device.description = "Default audio device";
    device.is_default = true;
    return device;
}

OutputDevice silent_device() {
    OutputDevice device;
    device.description = "Silent device";
    return device;
}

// The playback devices of one card, as "plughw:C,D" so that ALSA converts
// rates and channel counts the hardware lacks.
void add_card_devices(int card, std::vector<OutputDevice>& devices) {
    const std::string control = "hw:" + std::to_string(card);
    snd_ctl_t* ctl = nullptr;
    if (snd_ctl_open(&ctl, control.c_str(), 0) < 0) return;
    snd_ctl_card_info_t* card_info;
    snd_ctl_card_info_alloca(&card_info);
    const char* card_name = snd_ctl_card_info(ctl, card_info) >= 0 ? snd_ctl_card_info_get_name(card_info) : "";
    snd_pcm_info_t* pcm_info;
    snd_pcm_info_alloca(&pcm_info);
    int index = -1;
    while (snd_ctl_pcm_next_device(ctl, &index) >= 0 && index >= 0) {
        snd_pcm_info_set_device(pcm_info, static_cast<unsigned>(index));
        snd_pcm_info_set_subdevice(pcm_info, 0);
        snd_pcm_info_set_stream(pcm_info, SND_PCM_STREAM_PLAYBACK);
        if (snd_ctl_pcm_info(ctl, pcm_info) < 0) continue; // a capture-only device
        OutputDevice device;
        device.pcm = "plughw:" + std::to_string(card) + "," + std::to_string(index);
        device.mixer = control;
        device.description = std::string(card_name) + ": " + snd_pcm_info_get_name(pcm_info);
        devices.push_back(std::move(device));
    }
    snd_ctl_close(ctl);
}

} // namespace

bool null_audio_requested() {
    const char* value = std::getenv("ZELKOR_AUDIO");
    return value && std::strcmp(value, "null") == 0;
}

std::vector<OutputDevice> list_output_devices() {
    std::vector<OutputDevice> devices{default_device()};
    if (!null_audio_requested()) {
        silence_alsa_errors();
        int card = -1;
        while (snd_card_next(&card) >= 0 && card >= 0) add_card_devices(card, devices);
    }
    devices.push_back(silent_device());
    return devices;
}

SinkOpening open_sink(const OutputDevice& device, PcmFormat format) {
    SinkOpening opening;
    if (device.is_silent()) {
        opening.sink = std::make_unique<SilentSink>(format);
        return opening;
    }
    opening.sink = AlsaSink::open(device.pcm, format, opening.error);
    if (!opening.sink) opening.detail = snd_strerror(opening.error);
    return opening;
}

} // namespace zk::audio
