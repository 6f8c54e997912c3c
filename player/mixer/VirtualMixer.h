#pragma once

#include "player/mixer/MixerDevices.h"

#include <array>

// A mixer without devices that keeps one volume word per kind, starting at
// full volume, so that volume controls work where the system has no mixer.
class TVirtualMixer : public TMixerDevices {
public:
    int DeviceCount(TMixerKind) override { return 0; }
    bool HasVolumeControl(TMixerKind, int) override { return false; }
    uint32_t ReadVolume(TMixerKind kind, int device) override;
    void WriteVolume(TMixerKind kind, int device, uint32_t word) override;

    // The one virtual mixer of this process.
    static TVirtualMixer& Process();

private:
    std::array<uint32_t, 3> m_words{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
};
