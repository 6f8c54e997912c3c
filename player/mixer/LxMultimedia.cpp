#include "player/mixer/LxMultimedia.h"

#include "player/mixer/MixerWord.h"
#include "player/mixer/SystemMixer.h"

namespace {

// The first device of a kind that has a volume control, or device 0.
int FirstControllable(TMixerDevices& devices, TMixerKind kind) {
    const int count = devices.DeviceCount(kind);
    for (int device = 0; device < count; ++device)
        if (devices.HasVolumeControl(kind, device)) return device;
    return 0;
}

uint8_t BalanceOfLevels(TMixerKind kind, TChannelLevels levels) {
    return kind == TMixerKind::Wave ? WaveBalanceOfLevels(levels) : DeviceBalanceOfLevels(levels);
}

} // namespace

TLxSoundControl::TLxSoundControl(QObject* Owner)
    : QObject(Owner), m_ownDevices(std::make_unique<TSystemMixer>()), m_devices(*m_ownDevices) {
    ChooseDevices();
}

TLxSoundControl::TLxSoundControl(QObject* Owner, TMixerDevices& Devices) : QObject(Owner), m_devices(Devices) {
    ChooseDevices();
}

TLxSoundControl::TLxSoundControl(QObject* Owner, std::unique_ptr<TMixerDevices> Devices)
    : QObject(Owner), m_ownDevices(std::move(Devices)), m_devices(*m_ownDevices) {
    ChooseDevices();
}

TLxSoundControl::~TLxSoundControl() = default;

void TLxSoundControl::ChooseDevices() {
    m_cdDevice = FirstControllable(m_devices, TMixerKind::Cd);
    m_waveDevice = FirstControllable(m_devices, TMixerKind::Wave);
    m_midiDevice = FirstControllable(m_devices, TMixerKind::Midi);
}

int TLxSoundControl::Device(TMixerKind kind) const {
    switch (kind) {
    case TMixerKind::Wave: return m_waveDevice;
    case TMixerKind::Cd: return m_cdDevice;
    case TMixerKind::Midi: return m_midiDevice;
    }
    return 0;
}

uint8_t TLxSoundControl::Volume(TMixerKind kind) const {
    return VolumeOfLevels(TChannelLevels::FromWord(m_devices.ReadVolume(kind, Device(kind))));
}

void TLxSoundControl::SetVolume(TMixerKind kind, uint8_t value) {
    const TChannelLevels before = TChannelLevels::FromWord(m_devices.ReadVolume(kind, Device(kind)));
    m_devices.WriteVolume(kind, Device(kind), LevelsOfVolume(value).Word());
    // A silent device has no balance to keep: it comes back centred.
    if (before.Left + before.Right != 0) SetBalance(kind, BalanceOfLevels(kind, before));
}

uint8_t TLxSoundControl::Balance(TMixerKind kind) const {
    return BalanceOfLevels(kind, TChannelLevels::FromWord(m_devices.ReadVolume(kind, Device(kind))));
}

void TLxSoundControl::SetBalance(TMixerKind kind, uint8_t value) {
    const TChannelLevels levels = TChannelLevels::FromWord(m_devices.ReadVolume(kind, Device(kind)));
    m_devices.WriteVolume(kind, Device(kind), RebalancedLevels(levels, value).Word());
}
