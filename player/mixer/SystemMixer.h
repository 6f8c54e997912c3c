#pragma once

#include "player/mixer/MixerDevices.h"
#include "player/mixer/VirtualMixer.h"

#include <vector>

// The system's mixer: device N of each kind is the N-th sound card's ALSA
// element for that kind. Where a card lacks the element, or there is no such
// card, the process's virtual mixer stands in.
class TSystemMixer : public TMixerDevices {
public:
    explicit TSystemMixer(TVirtualMixer& fallback = TVirtualMixer::Process());

    int DeviceCount(TMixerKind kind) override;
    bool HasVolumeControl(TMixerKind kind, int device) override;
    uint32_t ReadVolume(TMixerKind kind, int device) override;
    void WriteVolume(TMixerKind kind, int device, uint32_t word) override;

private:
    // The card number of a device, or -1.
    int Card(int device) const;

    std::vector<int> m_cards;
    TVirtualMixer& m_fallback;
};
