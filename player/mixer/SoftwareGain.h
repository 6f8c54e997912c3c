#pragma once

#include "player/mixer/MixerDevices.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

// The engine's output level for a wave volume word: the louder channel in
// percent, and the balance as the engine takes it (0 left only, 50 centred,
// 100 right only).
struct TEngineLevel {
    uint8_t Balance;
    uint8_t PcmLevel;
    bool operator==(const TEngineLevel&) const = default;
};
TEngineLevel EngineLevelOfWord(uint32_t word);

// The system mixer, with the wave volume heard through the engine's own gain
// where no mixer element would make it heard: no wave element on the first
// device (no card, or PipeWire and USB setups without one) or the engine's
// silent device (ZELKOR_AUDIO=null). Volumes are kept by the wrapped mixer
// and every wave write is also sent to the engine.
class TSoftwareGainMixer : public TMixerDevices {
public:
    using TSendLevel = std::function<void(TEngineLevel level)>;

    TSoftwareGainMixer(std::unique_ptr<TMixerDevices> devices, TSendLevel sendLevel);

    // The system mixer in the wrapper.
    static std::unique_ptr<TSoftwareGainMixer> OverSystem(TSendLevel sendLevel);

    bool SoftwareGain() const { return m_softwareGain; }
    // Sends the last wave level again, for an output that has just opened
    // (the engine keeps no level for an output that was not open).
    void OutputOpened();

    int DeviceCount(TMixerKind kind) override { return m_devices->DeviceCount(kind); }
    bool HasVolumeControl(TMixerKind kind, int device) override;
    uint32_t ReadVolume(TMixerKind kind, int device) override { return m_devices->ReadVolume(kind, device); }
    void WriteVolume(TMixerKind kind, int device, uint32_t word) override;

private:
    std::unique_ptr<TMixerDevices> m_devices;
    TSendLevel m_sendLevel;
    bool m_softwareGain;
    std::optional<uint32_t> m_lastWave;
};
