// TLxSoundControl over the virtual mixer and over devices of a test's own.
#include "player/mixer/LxMultimedia.h"

#include "player/mixer/MixerWord.h"
#include "player/mixer/SystemMixer.h"
#include "player/mixer/VirtualMixer.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

// Devices of each kind, of which some have a volume control.
class TestDevices : public TMixerDevices {
public:
    int count = 0;
    std::map<TMixerKind, std::set<int>> controllable;
    std::map<std::pair<TMixerKind, int>, uint32_t> words;

    int DeviceCount(TMixerKind) override { return count; }
    bool HasVolumeControl(TMixerKind kind, int device) override { return controllable[kind].count(device) > 0; }
    uint32_t ReadVolume(TMixerKind kind, int device) override { return words[{kind, device}]; }
    void WriteVolume(TMixerKind kind, int device, uint32_t word) override { words[{kind, device}] = word; }
};

TChannelLevels Levels(TVirtualMixer& mixer, TMixerKind kind) {
    return TChannelLevels::FromWord(mixer.ReadVolume(kind, 0));
}

} // namespace

TEST(SoundControl, EachKindStartsAtFullVolumeCentredWithItsOwnWord) {
    TVirtualMixer mixer;
    TLxSoundControl control(nullptr, mixer);
    EXPECT_EQ(control.WaveVolume(), 255);
    EXPECT_EQ(control.WaveBalance(), 50);
    EXPECT_EQ(control.CdVolume(), 255);
    EXPECT_EQ(control.MidiBalance(), 50);
    control.SetCdVolume(10);
    control.SetMidiBalance(100);
    EXPECT_EQ(Levels(mixer, TMixerKind::Cd), (TChannelLevels{2560, 2560}));
    EXPECT_EQ(Levels(mixer, TMixerKind::Midi), (TChannelLevels{65535, 0}));
    EXPECT_EQ(Levels(mixer, TMixerKind::Wave), (TChannelLevels{65535, 65535}));
    EXPECT_EQ(control.MidiBalance(), 100);
    EXPECT_EQ(control.CdVolume(), 10);
}

TEST(SoundControl, SettingTheVolumeKeepsTheBalance) {
    TVirtualMixer mixer;
    TLxSoundControl control(nullptr, mixer);
    control.SetWaveVolume(250);
    EXPECT_EQ(Levels(mixer, TMixerKind::Wave), (TChannelLevels{64000, 64000}));
    EXPECT_EQ(control.WaveVolume(), 250);

    control.SetWaveVolume(100);
    control.SetWaveBalance(25);
    EXPECT_EQ(Levels(mixer, TMixerKind::Wave), (TChannelLevels{12800, 38400}));
    control.SetWaveVolume(50);
    EXPECT_EQ(Levels(mixer, TMixerKind::Wave), (TChannelLevels{6400, 19200}));
    EXPECT_EQ(control.WaveBalance(), 25);
    EXPECT_EQ(control.WaveVolume(), 50);

    // Loud and off-centre: the louder channel is limited to its field.
    control.SetWaveVolume(250);
    EXPECT_EQ(Levels(mixer, TMixerKind::Wave), (TChannelLevels{32000, 65535}));

    // A silent device reads balance 0 and comes back centred.
    control.SetWaveVolume(0);
    EXPECT_EQ(mixer.ReadVolume(TMixerKind::Wave, 0), 0u);
    EXPECT_EQ(control.WaveBalance(), 0);
    control.SetWaveVolume(100);
    EXPECT_EQ(Levels(mixer, TMixerKind::Wave), (TChannelLevels{25600, 25600}));
    EXPECT_EQ(control.WaveBalance(), 50);
}

TEST(SoundControl, ChoosesTheFirstDeviceWithAVolumeControlPerKindOrDeviceZero) {
    TestDevices devices;
    devices.count = 4;
    devices.controllable[TMixerKind::Wave] = {2, 3};
    devices.controllable[TMixerKind::Midi] = {1};
    TLxSoundControl control(nullptr, devices);
    EXPECT_EQ(control.WaveDevice(), 2);
    EXPECT_EQ(control.MidiDevice(), 1);
    EXPECT_EQ(control.CdDevice(), 0);

    devices.words[{TMixerKind::Wave, 2}] = 0x80008000;
    EXPECT_EQ(control.WaveVolume(), 128);
    control.SetMidiVolume(1);
    EXPECT_EQ((devices.words[{TMixerKind::Midi, 1}]), 0x01000100u);
    control.SetCdVolume(2);
    EXPECT_EQ((devices.words[{TMixerKind::Cd, 0}]), 0x02000200u);
}

TEST(SoundControl, TheSystemMixerFallsBackToTheVirtualMixer) {
    TVirtualMixer fallback;
    TSystemMixer system(fallback);
    // Devices beyond the sound cards never have a control; their volume is virtual.
    const int beyond = system.DeviceCount(TMixerKind::Wave);
    EXPECT_FALSE(system.HasVolumeControl(TMixerKind::Cd, beyond));
    system.WriteVolume(TMixerKind::Cd, beyond, 0x12345678);
    EXPECT_EQ(fallback.ReadVolume(TMixerKind::Cd, 0), 0x12345678u);
    EXPECT_EQ(system.ReadVolume(TMixerKind::Cd, beyond), 0x12345678u);

    TLxSoundControl control; // the default control works on this system
    control.SetWaveVolume(control.WaveVolume());
    EXPECT_LE(control.WaveBalance(), 100);
}
