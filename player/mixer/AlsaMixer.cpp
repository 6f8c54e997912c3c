#include "player/mixer/AlsaMixer.h"

#include "player/mixer/MixerWord.h"

#include <alsa/asoundlib.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

// An open simple mixer of one card; closed on destruction.
class CardMixer {
public:
    explicit CardMixer(int card) {
        const std::string name = "hw:" + std::to_string(card);
        if (snd_mixer_open(&m_mixer, 0) < 0) {
            m_mixer = nullptr;
            return;
        }
        if (snd_mixer_attach(m_mixer, name.c_str()) < 0 || snd_mixer_selem_register(m_mixer, nullptr, nullptr) < 0 ||
            snd_mixer_load(m_mixer) < 0) {
            snd_mixer_close(m_mixer);
            m_mixer = nullptr;
        }
    }
    ~CardMixer() {
        if (m_mixer) snd_mixer_close(m_mixer);
    }
    CardMixer(const CardMixer&) = delete;
    CardMixer& operator=(const CardMixer&) = delete;

    // The kind's element with a playback volume, or null.
    snd_mixer_elem_t* Element(TMixerKind kind) const {
        if (!m_mixer) return nullptr;
        for (const char* name : ElementNames(kind)) {
            if (!name) break;
            snd_mixer_selem_id_t* id;
            snd_mixer_selem_id_alloca(&id);
            snd_mixer_selem_id_set_index(id, 0);
            snd_mixer_selem_id_set_name(id, name);
            snd_mixer_elem_t* element = snd_mixer_find_selem(m_mixer, id);
            if (element && snd_mixer_selem_has_playback_volume(element)) return element;
        }
        return nullptr;
    }

private:
    static std::array<const char*, 2> ElementNames(TMixerKind kind) {
        switch (kind) {
        case TMixerKind::Wave: return {"PCM", "Master"};
        case TMixerKind::Cd: return {"CD", nullptr};
        case TMixerKind::Midi: return {"Synth", "MIDI"};
        }
        return {nullptr, nullptr};
    }

    snd_mixer_t* m_mixer = nullptr;
};

} // namespace

namespace AlsaMixer {

std::vector<int> SoundCards() {
    std::vector<int> cards;
    int card = -1;
    while (snd_card_next(&card) == 0 && card >= 0) cards.push_back(card);
    return cards;
}

bool HasElement(int card, TMixerKind kind) { return CardMixer(card).Element(kind) != nullptr; }

std::optional<uint32_t> ReadVolume(int card, TMixerKind kind) {
    CardMixer mixer(card);
    snd_mixer_elem_t* element = mixer.Element(kind);
    long min = 0, max = 0, left = 0, right = 0;
    if (!element || snd_mixer_selem_get_playback_volume_range(element, &min, &max) < 0 ||
        snd_mixer_selem_get_playback_volume(element, SND_MIXER_SCHN_FRONT_LEFT, &left) < 0)
        return std::nullopt;
    if (snd_mixer_selem_is_playback_mono(element) ||
        snd_mixer_selem_get_playback_volume(element, SND_MIXER_SCHN_FRONT_RIGHT, &right) < 0)
        right = left;
    return TChannelLevels{LevelOfElementValue(left, min, max), LevelOfElementValue(right, min, max)}.Word();
}

bool WriteVolume(int card, TMixerKind kind, uint32_t word) {
    CardMixer mixer(card);
    snd_mixer_elem_t* element = mixer.Element(kind);
    long min = 0, max = 0;
    if (!element || snd_mixer_selem_get_playback_volume_range(element, &min, &max) < 0) return false;
    const TChannelLevels levels = TChannelLevels::FromWord(word);
    if (snd_mixer_selem_is_playback_mono(element))
        return snd_mixer_selem_set_playback_volume(
                   element, SND_MIXER_SCHN_MONO, ElementValueOfLevel((levels.Left + levels.Right) / 2, min, max)) >= 0;
    return snd_mixer_selem_set_playback_volume(element, SND_MIXER_SCHN_FRONT_LEFT,
                                               ElementValueOfLevel(levels.Left, min, max)) >= 0 &&
           snd_mixer_selem_set_playback_volume(element, SND_MIXER_SCHN_FRONT_RIGHT,
                                               ElementValueOfLevel(levels.Right, min, max)) >= 0;
}

uint32_t LevelOfElementValue(long value, long min, long max) {
    if (max <= min) return 0;
    value = std::clamp(value, min, max);
    return static_cast<uint32_t>(std::lround(double(value - min) * MaxChannelLevel / double(max - min)));
}

long ElementValueOfLevel(uint32_t level, long min, long max) {
    if (max <= min) return min;
    level = std::min(level, MaxChannelLevel);
    return min + std::lround(double(level) * double(max - min) / MaxChannelLevel);
}

} // namespace AlsaMixer
