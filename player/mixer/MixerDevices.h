#pragma once

#include <cstdint>

// The three sound devices whose system volume the player controls.
enum class TMixerKind { Wave, Cd, Midi };

// Access to the volume of a kind's devices, numbered from 0. Volumes are
// volume words (TChannelLevels).
class TMixerDevices {
public:
    virtual ~TMixerDevices() = default;

    virtual int DeviceCount(TMixerKind kind) = 0;
    virtual bool HasVolumeControl(TMixerKind kind, int device) = 0;
    virtual uint32_t ReadVolume(TMixerKind kind, int device) = 0;
    virtual void WriteVolume(TMixerKind kind, int device, uint32_t word) = 0;
};
