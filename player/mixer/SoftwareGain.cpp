#include "player/mixer/SoftwareGain.h"

#include "player/mixer/MixerWord.h"
#include "player/mixer/SystemMixer.h"

#include <QByteArray>
#include <algorithm>
#include <cmath>

namespace {

bool SilentDeviceChosen() { return qgetenv("ZELKOR_AUDIO") == "null"; }

} // namespace

TEngineLevel EngineLevelOfWord(uint32_t word) {
    const TChannelLevels levels = TChannelLevels::FromWord(word);
    const uint32_t louder = std::max(levels.Left, levels.Right);
    const uint32_t sum = levels.Left + levels.Right;
    const auto percent = [](double part) {
        return static_cast<uint8_t>(std::lround(std::clamp(part, 0.0, 1.0) * 100));
    };
    return {sum == 0 ? uint8_t(50) : percent(double(levels.Right) / sum), percent(double(louder) / MaxChannelLevel)};
}

TSoftwareGainMixer::TSoftwareGainMixer(std::unique_ptr<TMixerDevices> devices, TSendLevel sendLevel)
    : m_devices(std::move(devices)), m_sendLevel(std::move(sendLevel)),
      m_softwareGain(SilentDeviceChosen() || m_devices->DeviceCount(TMixerKind::Wave) == 0 ||
                     !m_devices->HasVolumeControl(TMixerKind::Wave, 0)) {}

std::unique_ptr<TSoftwareGainMixer> TSoftwareGainMixer::OverSystem(TSendLevel sendLevel) {
    return std::make_unique<TSoftwareGainMixer>(std::make_unique<TSystemMixer>(), std::move(sendLevel));
}

bool TSoftwareGainMixer::HasVolumeControl(TMixerKind kind, int device) {
    return m_devices->HasVolumeControl(kind, device);
}

void TSoftwareGainMixer::WriteVolume(TMixerKind kind, int device, uint32_t word) {
    m_devices->WriteVolume(kind, device, word);
    if (kind != TMixerKind::Wave || !m_softwareGain) return;
    m_lastWave = word;
    if (m_sendLevel) m_sendLevel(EngineLevelOfWord(word));
}

void TSoftwareGainMixer::OutputOpened() {
    if (m_lastWave && m_sendLevel) m_sendLevel(EngineLevelOfWord(*m_lastWave));
}
