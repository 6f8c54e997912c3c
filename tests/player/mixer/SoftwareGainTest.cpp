// The wave volume through the engine's gain where no mixer element exists.
#include "player/mixer/SoftwareGain.h"

#include "player/mixer/LxMultimedia.h"
#include "player/mixer/VirtualMixer.h"
#include "tests/desktop/ScopedEnvironment.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// One card whose wave element exists or not.
class OneCard : public TVirtualMixer {
public:
    explicit OneCard(bool waveElement) : m_waveElement(waveElement) {}
    int DeviceCount(TMixerKind) override { return 1; }
    bool HasVolumeControl(TMixerKind kind, int) override { return m_waveElement || kind != TMixerKind::Wave; }

private:
    bool m_waveElement;
};

struct Sent {
    std::vector<TEngineLevel> levels;
    TSoftwareGainMixer::TSendLevel Sink() {
        return [this](TEngineLevel level) { levels.push_back(level); };
    }
};

TEST(SoftwareGain, EngineLevelsOfVolumeWords) {
    EXPECT_EQ(EngineLevelOfWord(0xFFFFFFFF), (TEngineLevel{50, 100}));
    EXPECT_EQ(EngineLevelOfWord(0), (TEngineLevel{50, 0})) << "silence stays centred";
    EXPECT_EQ(EngineLevelOfWord(0x0000FFFF), (TEngineLevel{0, 100})) << "left only";
    EXPECT_EQ(EngineLevelOfWord(0xFFFF0000), (TEngineLevel{100, 100})) << "right only";
    EXPECT_EQ(EngineLevelOfWord(0x7D007D00), (TEngineLevel{50, 49})) << "slider 125 of 250";
}

TEST(SoftwareGain, WaveVolumeReachesTheEngineOnlyWithoutAWaveElement) {
    ScopedEnvironment audio;
    audio.Set("ZELKOR_AUDIO", "alsa");
    Sent withElement;
    TSoftwareGainMixer hardware(std::make_unique<OneCard>(true), withElement.Sink());
    EXPECT_FALSE(hardware.SoftwareGain());
    TLxSoundControl(nullptr, hardware).SetWaveVolume(100);
    EXPECT_TRUE(withElement.levels.empty());

    Sent without;
    auto software = std::make_unique<TSoftwareGainMixer>(std::make_unique<OneCard>(false), without.Sink());
    TSoftwareGainMixer& mixer = *software;
    EXPECT_TRUE(mixer.SoftwareGain());
    TLxSoundControl control(nullptr, std::move(software));
    mixer.OutputOpened();
    EXPECT_TRUE(without.levels.empty()) << "nothing set yet: the engine keeps its level";
    control.SetWaveVolume(125);
    control.SetCdVolume(10); // other kinds stay with the mixer
    EXPECT_EQ(control.WaveVolume(), 125) << "the volume reads back from the mixer";
    ASSERT_FALSE(without.levels.empty());
    EXPECT_EQ(without.levels.back(), (TEngineLevel{50, 49}));
    const size_t sent = without.levels.size();
    mixer.OutputOpened();
    EXPECT_EQ(without.levels.size(), sent + 1);
    EXPECT_EQ(without.levels.back(), (TEngineLevel{50, 49}));
}

TEST(SoftwareGain, TheSilentDeviceAlwaysUsesTheEngineGain) {
    ScopedEnvironment audio;
    audio.Set("ZELKOR_AUDIO", "null");
    Sent sent;
    TSoftwareGainMixer mixer(std::make_unique<OneCard>(true), sent.Sink());
    EXPECT_TRUE(mixer.SoftwareGain());
    TSoftwareGainMixer noCards(std::make_unique<TVirtualMixer>(), {});
    noCards.WriteVolume(TMixerKind::Wave, 0, 0); // no sink: nothing to call
    EXPECT_TRUE(noCards.SoftwareGain());
}

} // namespace
