#include "player/mixer/SystemMixer.h"

#include "player/mixer/AlsaMixer.h"

TSystemMixer::TSystemMixer(TVirtualMixer& fallback) : m_cards(AlsaMixer::SoundCards()), m_fallback(fallback) {}

int TSystemMixer::Card(int device) const {
    return device >= 0 && device < static_cast<int>(m_cards.size()) ? m_cards[device] : -1;
}

int TSystemMixer::DeviceCount(TMixerKind) { return static_cast<int>(m_cards.size()); }

bool TSystemMixer::HasVolumeControl(TMixerKind kind, int device) {
    const int card = Card(device);
    return card >= 0 && AlsaMixer::HasElement(card, kind);
}

uint32_t TSystemMixer::ReadVolume(TMixerKind kind, int device) {
    const int card = Card(device);
    if (card >= 0)
        if (std::optional<uint32_t> word = AlsaMixer::ReadVolume(card, kind)) return *word;
    return m_fallback.ReadVolume(kind, device);
}

void TSystemMixer::WriteVolume(TMixerKind kind, int device, uint32_t word) {
    const int card = Card(device);
    if (card < 0 || !AlsaMixer::WriteVolume(card, kind, word)) m_fallback.WriteVolume(kind, device, word);
}
