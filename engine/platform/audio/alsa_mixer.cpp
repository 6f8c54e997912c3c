// The ALSA simple mixer behind Mixer.
#include "platform/audio/alsa_quiet.h"
#include "platform/audio/mixer.h"

#include <alsa/asoundlib.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace zk::audio {

namespace {

class AlsaMixer final : public Mixer {
public:
    AlsaMixer(snd_mixer_t* mixer, snd_mixer_elem_t* element, MixerInfo info)
        : mixer_(mixer), element_(element), info_(std::move(info)), name_(snd_mixer_selem_get_name(element)) {
        snd_mixer_selem_get_playback_volume_range(element_, &minimum_, &maximum_);
    }
    ~AlsaMixer() override { snd_mixer_close(mixer_); }

    const MixerInfo& info() const override { return info_; }
    const std::string& control_name() const override { return name_; }
    long minimum() const override { return minimum_; }
    long maximum() const override { return maximum_; }

    bool read(long& value) override {
        snd_mixer_handle_events(mixer_);
        return snd_mixer_selem_get_playback_volume(element_, SND_MIXER_SCHN_FRONT_LEFT, &value) >= 0;
    }
    bool write(long value) override { return snd_mixer_selem_set_playback_volume_all(element_, value) >= 0; }

private:
    snd_mixer_t* mixer_;
    snd_mixer_elem_t* element_;
    MixerInfo info_;
    std::string name_;
    long minimum_ = 0;
    long maximum_ = 0;
};

MixerInfo describe(snd_mixer_t* mixer, const std::string& control) {
    MixerInfo info;
    if (control.rfind("hw:", 0) == 0) info.manufacturer = std::atoi(control.c_str() + 3);
    info.version_major = SND_LIB_MAJOR;
    info.version_minor = SND_LIB_MINOR;
    info.name = control;
    snd_hctl_t* hctl = nullptr;
    snd_ctl_card_info_t* card;
    snd_ctl_card_info_alloca(&card);
    if (snd_mixer_get_hctl(mixer, control.c_str(), &hctl) >= 0 && snd_ctl_card_info(snd_hctl_ctl(hctl), card) >= 0)
        info.name = snd_ctl_card_info_get_mixername(card);
    for (snd_mixer_elem_t* e = snd_mixer_first_elem(mixer); e; e = snd_mixer_elem_next(e))
        if (snd_mixer_selem_has_playback_volume(e)) ++info.controls;
    return info;
}

snd_mixer_elem_t* find_element(snd_mixer_t* mixer, const char* name) {
    for (snd_mixer_elem_t* e = snd_mixer_first_elem(mixer); e; e = snd_mixer_elem_next(e))
        if (std::strcmp(snd_mixer_selem_get_name(e), name) == 0 && snd_mixer_selem_has_playback_volume(e)) return e;
    return nullptr;
}

} // namespace

std::unique_ptr<Mixer> open_alsa_mixer(const std::string& control, std::initializer_list<const char*> elements,
                                       int& error) {
    silence_alsa_errors();
    snd_mixer_t* mixer = nullptr;
    error = snd_mixer_open(&mixer, 0);
    if (error < 0) return nullptr;
    error = snd_mixer_attach(mixer, control.c_str());
    if (error >= 0) error = snd_mixer_selem_register(mixer, nullptr, nullptr);
    if (error >= 0) error = snd_mixer_load(mixer);
    if (error >= 0) {
        for (const char* name : elements)
            if (snd_mixer_elem_t* element = find_element(mixer, name))
                return std::make_unique<AlsaMixer>(mixer, element, describe(mixer, control));
        error = -ENOENT;
    }
    snd_mixer_close(mixer);
    return nullptr;
}

} // namespace zk::audio
