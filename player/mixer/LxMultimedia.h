#pragma once

#include "player/mixer/MixerDevices.h"

#include <QObject>
#include <cstdint>
#include <memory>

// A balance: the left channel's share in percent, 0 (all right) to 100 (all left).
using Bal = uint8_t;

// The system volume and left/right balance of the wave output, CD (auxiliary)
// and MIDI output devices. For each kind it uses the first device that has a
// volume control, or device 0. Volumes are 0 to 255.
class TLxSoundControl : public QObject {
public:
    // Over the system mixer (ALSA, or the process's virtual mixer where there is none).
    explicit TLxSoundControl(QObject* Owner = nullptr);
    // Over the given devices, which must outlive the control.
    TLxSoundControl(QObject* Owner, TMixerDevices& Devices);
    // Over the given devices, which the control owns.
    TLxSoundControl(QObject* Owner, std::unique_ptr<TMixerDevices> Devices);
    ~TLxSoundControl() override;

    uint8_t WaveVolume() const { return Volume(TMixerKind::Wave); }
    void SetWaveVolume(uint8_t value) { SetVolume(TMixerKind::Wave, value); }
    Bal WaveBalance() const { return Balance(TMixerKind::Wave); }
    void SetWaveBalance(Bal value) { SetBalance(TMixerKind::Wave, value); }

    uint8_t CdVolume() const { return Volume(TMixerKind::Cd); }
    void SetCdVolume(uint8_t value) { SetVolume(TMixerKind::Cd, value); }
    uint8_t CdBalance() const { return Balance(TMixerKind::Cd); }
    void SetCdBalance(uint8_t value) { SetBalance(TMixerKind::Cd, value); }

    uint8_t MidiVolume() const { return Volume(TMixerKind::Midi); }
    void SetMidiVolume(uint8_t value) { SetVolume(TMixerKind::Midi, value); }
    uint8_t MidiBalance() const { return Balance(TMixerKind::Midi); }
    void SetMidiBalance(uint8_t value) { SetBalance(TMixerKind::Midi, value); }

    TMixerDevices& Devices() const { return m_devices; }

    // The chosen device numbers.
    int WaveDevice() const { return m_waveDevice; }
    int CdDevice() const { return m_cdDevice; }
    int MidiDevice() const { return m_midiDevice; }

private:
    void ChooseDevices();
    int Device(TMixerKind kind) const;
    uint8_t Volume(TMixerKind kind) const;
    void SetVolume(TMixerKind kind, uint8_t value);
    uint8_t Balance(TMixerKind kind) const;
    void SetBalance(TMixerKind kind, uint8_t value);

    std::unique_ptr<TMixerDevices> m_ownDevices;
    TMixerDevices& m_devices;
    int m_waveDevice = 0;
    int m_cdDevice = 0;
    int m_midiDevice = 0;
};
