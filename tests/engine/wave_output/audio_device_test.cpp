// The audio device layer: volume and rate in software, the silent device's
// clock, the wave device's feeder thread over a sink, the virtual mixer and
// the device list.
#include "platform/audio/alsa_sink.h"
#include "platform/audio/device_delay.h"
#include "platform/audio/mixer.h"
#include "platform/audio/output_devices.h"
#include "platform/audio/rate_shifter.h"
#include "platform/audio/silent_sink.h"
#include "platform/audio/volume.h"
#include "platform/audio/wave_out.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <numeric>
#include <thread>

using namespace zk::audio;
using namespace std::chrono_literals;

namespace {

TEST(Volume, EachChannelHasItsGainAndFullIsUnity) {
    const int16_t extremes[4] = {32767, -32768, 1, -1};
    int16_t out[4];
    copy_with_volume(extremes, out, 2, 2, kFullVolume);
    EXPECT_EQ(std::vector<int16_t>(out, out + 4), std::vector<int16_t>(extremes, extremes + 4));

    const int16_t in[4] = {20000, 20000, -20000, -20000};
    copy_with_volume(in, out, 2, 2, 0x0000FFFFu); // right silent
    EXPECT_EQ(std::vector<int16_t>(out, out + 4), (std::vector<int16_t>{20000, 0, -20000, 0}));
    copy_with_volume(in, out, 2, 2, 0x80008000u); // both at half
    EXPECT_EQ(out[0], 10000);
    EXPECT_EQ(out[3], -10000);
    copy_with_volume(in, out, 4, 1, 0xFFFF0000u); // one channel takes the left gain
    EXPECT_EQ(out[0], 0);
}

std::vector<int16_t> ramp(int frames, int channels) {
    std::vector<int16_t> samples(size_t(frames) * channels);
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) samples[size_t(i) * channels + c] = int16_t(i * 10 * (c ? -1 : 1));
    return samples;
}

TEST(RateShifter, DoubleSpeedTakesEveryOtherFrame) {
    RateShifter shifter;
    shifter.set_rate(2 * RateShifter::kNormal);
    const std::vector<int16_t> in = ramp(100, 2);
    std::vector<int16_t> out(RateShifter::max_output(100) * 2);
    const uint32_t made = shifter.process(in.data(), 100, 2, out.data());
    EXPECT_EQ(made, 50u);
    for (uint32_t i = 0; i < made; ++i) {
        EXPECT_EQ(out[i * 2], in[i * 4]);
        EXPECT_EQ(out[i * 2 + 1], in[i * 4 + 1]);
    }
}

TEST(RateShifter, HalfSpeedInterpolatesBetweenFrames) {
    RateShifter shifter;
    shifter.set_rate(RateShifter::kNormal / 2);
    const std::vector<int16_t> in = ramp(10, 1);
    std::vector<int16_t> out(RateShifter::max_output(10));
    const uint32_t made = shifter.process(in.data(), 10, 1, out.data());
    EXPECT_EQ(made, 18u); // from the first frame to halfway between the last two
    for (uint32_t i = 0; i < made; ++i) EXPECT_EQ(out[i], int16_t(i * 5)) << i;
}

TEST(RateShifter, PiecesMakeWhatTheWholeMakes) {
    EXPECT_FALSE(RateShifter::supports(0));
    EXPECT_FALSE(RateShifter::supports(RateShifter::kFastest + 1));
    const std::vector<int16_t> in = ramp(1000, 2);
    for (uint32_t rate : {0x8000u, 0x10000u * 3 / 2, 0x1234Du}) {
        RateShifter whole, pieces;
        whole.set_rate(rate);
        pieces.set_rate(rate);
        std::vector<int16_t> a(RateShifter::max_output(1000) * 2), b(a.size());
        const uint32_t made = whole.process(in.data(), 1000, 2, a.data());
        uint32_t split = 0;
        for (uint32_t at = 0; at < 1000; at += 137) {
            const uint32_t frames = std::min(137u, 1000 - at);
            split += pieces.process(in.data() + at * 2, frames, 2, b.data() + split * 2);
        }
        ASSERT_EQ(made, split) << rate;
        EXPECT_EQ(std::vector<int16_t>(a.begin(), a.begin() + made * 2),
                  std::vector<int16_t>(b.begin(), b.begin() + made * 2));
    }
}

// About one second of audio takes about one second; only wide bounds hold
// on a shared machine.
TEST(SilentSink, ConsumesAtRealTimePace) {
    SilentSink sink(PcmFormat{8000, 1});
    std::vector<int16_t> block(400);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) ASSERT_EQ(sink.write(block.data(), 400), 0);
    sink.drain();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GT(elapsed, 800ms);
    EXPECT_LT(elapsed, 10s);
}

// ALSA's "null" device takes frames like a card and plays nothing.
TEST(AlsaSink, PlaysOnAlsasNullDevice) {
    int error = 0;
    auto sink = AlsaSink::open("null", PcmFormat{22050, 1}, error);
    if (!sink) GTEST_SKIP() << "ALSA has no null device here: " << error;
    std::vector<int16_t> block(2205, 100);
    EXPECT_EQ(sink->write(block.data(), 2205), 0);
    sink->pause(true);
    sink->pause(false);
    EXPECT_EQ(sink->write(block.data(), 2205), 0);
    sink->discard();
    EXPECT_EQ(sink->write(block.data(), 2205), 0);
    sink->drain();
}

// ALSA would print its complaint to standard error; the engine keeps quiet.
TEST(AlsaSink, UnknownDevicesAreNotOpenedSilently) {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    FILE* capture = std::tmpfile();
    ASSERT_NE(capture, nullptr);
    dup2(fileno(capture), STDERR_FILENO);
    int error = 0;
    const bool opened = AlsaSink::open("no-such-device-here", PcmFormat{}, error) != nullptr;
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    ::close(saved);
    EXPECT_FALSE(opened);
    EXPECT_LT(error, 0);
    struct stat printed {};
    fstat(fileno(capture), &printed);
    EXPECT_EQ(printed.st_size, 0) << "nothing printed";
    std::fclose(capture);
}

// A sink that records what it is given, and can be made to fail.
class RecordingSink : public PcmSink {
public:
    struct Shared {
        std::mutex mutex;
        std::vector<int16_t> played;
        int writes = 0;
        int fail_after = -1; // writes before the device is gone
        int discards = 0;
        uint32_t held = 0; // frames the device says it holds
    };
    explicit RecordingSink(Shared& shared) : shared_(shared) {}
    int write(const int16_t* samples, uint32_t frames) override {
        std::lock_guard lock(shared_.mutex);
        if (shared_.fail_after >= 0 && shared_.writes >= shared_.fail_after) return -ENODEV;
        ++shared_.writes;
        shared_.played.insert(shared_.played.end(), samples, samples + frames * 2);
        return 0;
    }
    void pause(bool) override {}
    void discard() override {
        std::lock_guard lock(shared_.mutex);
        ++shared_.discards;
    }
    void drain() override {}
    uint32_t held_frames() override {
        std::lock_guard lock(shared_.mutex);
        return shared_.held;
    }

private:
    Shared& shared_;
};

class WaveOutTest : public ::testing::Test {
protected:
    void open() {
        wave_.open(std::make_unique<RecordingSink>(shared_), PcmFormat{44100, 2}, 64, "test-device",
                   [this](WaveBlock&) { ++completed_; });
    }
    void fill(int index, int16_t value) {
        data_[index].assign(8, value);
        blocks_[index].data = data_[index].data();
        blocks_[index].bytes = 16;
    }

    RecordingSink::Shared shared_;
    WaveOut wave_;
    std::atomic<int> completed_{0};
    std::vector<int16_t> data_[4];
    WaveBlock blocks_[4];
};

TEST_F(WaveOutTest, BlocksArePlayedInOrderAndCompleteOnce) {
    open();
    for (int i = 0; i < 4; ++i) {
        fill(i, int16_t(100 + i));
        ASSERT_EQ(wave_.submit(blocks_[i]), 0);
    }
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(wave_.wait_done(blocks_[i], 10s));
    wave_.close();
    EXPECT_EQ(completed_, 4);
    ASSERT_EQ(shared_.played.size(), 32u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(shared_.played[i * 8], 100 + i);
}

TEST_F(WaveOutTest, VolumeIsAppliedAndRememberedForTheDevice) {
    open();
    wave_.set_volume(0x0000FFFFu, true); // right silent
    fill(0, 1000);
    wave_.submit(blocks_[0]);
    ASSERT_TRUE(wave_.wait_done(blocks_[0], 10s));
    EXPECT_EQ(shared_.played[0], 1000);
    EXPECT_EQ(shared_.played[1], 0);
    EXPECT_EQ(std::as_const(data_[0])[1], 1000) << "the block itself is left as it was";
    wave_.close();
    open();
    EXPECT_EQ(wave_.volume(), 0x0000FFFFu);
    wave_.set_volume(0, false); // muting is not remembered
    wave_.close();
    open();
    EXPECT_EQ(wave_.volume(), 0x0000FFFFu);
    wave_.set_volume(kFullVolume, true);
}

TEST_F(WaveOutTest, PlaybackRateResamplesOnTheWay) {
    open();
    wave_.set_rate(2 * RateShifter::kNormal);
    for (int i = 0; i < 4; ++i) {
        fill(i, int16_t(10 * i));
        wave_.submit(blocks_[i]);
    }
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(wave_.wait_done(blocks_[i], 10s));
    wave_.close();
    EXPECT_EQ(shared_.played.size(), 4u * 2 * 2) << "half the frames at double speed";
}

TEST_F(WaveOutTest, PausedDeviceHoldsBlocksUntilRestartedOrReset) {
    open();
    wave_.pause();
    fill(0, 1);
    wave_.submit(blocks_[0]);
    EXPECT_FALSE(wave_.wait_done(blocks_[0], 50ms));
    wave_.restart();
    EXPECT_TRUE(wave_.wait_done(blocks_[0], 10s));

    wave_.pause();
    for (int i = 1; i < 4; ++i) {
        fill(i, 7);
        wave_.submit(blocks_[i]);
    }
    wave_.reset();
    for (int i = 1; i < 4; ++i) EXPECT_TRUE(blocks_[i].done);
    EXPECT_EQ(completed_, 4);
    wave_.close();
    EXPECT_EQ(shared_.played.size(), 8u) << "only the first block";
    EXPECT_EQ(shared_.discards, 1);
}

TEST(DeviceDelay, HeldFramesPlayOutAtTheRate) {
    EXPECT_EQ(frames_still_held(4410, 0ms, 44100), 4410u);
    EXPECT_EQ(frames_still_held(4410, 50ms, 44100), 2205u);
    EXPECT_EQ(frames_still_held(4410, 100ms, 44100), 0u);
    EXPECT_EQ(frames_still_held(4410, 10s, 48000), 0u) << "never below nothing";
    EXPECT_EQ(frames_still_held(4410, -5ms, 44100), 4410u) << "a clock that went back plays nothing";
    EXPECT_EQ(frames_still_held(4410, 1s, 0), 4410u);
    EXPECT_EQ(frames_still_held(UINT32_MAX, 1s, 8000), UINT32_MAX - 8000u);

    EXPECT_EQ(held_frames_of_delay(0, 1234), 1234u);
    EXPECT_EQ(held_frames_of_delay(-EPIPE, 1234), 0u) << "a failed query holds nothing";
    EXPECT_EQ(held_frames_of_delay(0, -64), 0u) << "an underrun holds nothing";
}

TEST_F(WaveOutTest, WhatTheSinkHoldsCountsUntilPlayedOrReset) {
    shared_.held = 441000; // ten seconds
    open();
    EXPECT_EQ(wave_.held_bytes(), 0u) << "nothing taken yet";
    fill(0, 1);
    wave_.submit(blocks_[0]);
    ASSERT_TRUE(wave_.wait_done(blocks_[0], 10s));
    const uint32_t held = wave_.held_bytes();
    EXPECT_LE(held, 441000u * 4);
    EXPECT_GT(held, 220500u * 4) << "it plays out at the device rate, not at once";
    wave_.reset();
    EXPECT_EQ(wave_.held_bytes(), 0u);
    wave_.close();
    EXPECT_EQ(wave_.held_bytes(), 0u);
}

TEST(SilentSinkDelay, HoldsWhatItTookAheadAndKeepsItWhilePaused) {
    unsetenv(SilentSink::kCaptureVariable);
    SilentSink sink(PcmFormat{44100, 2});
    EXPECT_EQ(sink.held_frames(), 0u);
    std::vector<int16_t> frames(2 * 4410);
    sink.write(frames.data(), 4410);
    sink.pause(true);
    const uint32_t held = sink.held_frames();
    EXPECT_LE(held, 2205u) << "it takes frames at most 50 ms ahead";
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(sink.held_frames(), held);
    sink.discard();
    EXPECT_EQ(sink.held_frames(), 0u);
}

TEST_F(WaveOutTest, ADeviceThatDisappearsCompletesEverythingAndRefusesMore) {
    shared_.fail_after = 1;
    open();
    wave_.pause();
    for (int i = 0; i < 4; ++i) {
        fill(i, 1);
        ASSERT_EQ(wave_.submit(blocks_[i]), 0);
    }
    wave_.restart();
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(wave_.wait_done(blocks_[i], 10s));
    EXPECT_EQ(wave_.failure(), -ENODEV);
    EXPECT_EQ(wave_.submit(blocks_[0]), -ENODEV);
    wave_.close();
    EXPECT_EQ(completed_, 4);
}

TEST_F(WaveOutTest, SubmissionsNeedAnOpenDeviceAndFittingBlocks) {
    fill(0, 1);
    EXPECT_EQ(wave_.submit(blocks_[0]), -1);
    open();
    std::vector<int16_t> large(64);
    WaveBlock big;
    big.data = large.data();
    big.bytes = 128;
    EXPECT_EQ(wave_.submit(big), -101);
}

TEST(VirtualMixer, LevelsAreSharedWithinTheProcess) {
    auto a = open_virtual_mixer("dev-a", "PCM");
    auto b = open_virtual_mixer("dev-a", "PCM");
    auto other = open_virtual_mixer("dev-b", "PCM");
    long value = 0;
    ASSERT_TRUE(a->read(value));
    EXPECT_EQ(value, 65535);
    ASSERT_TRUE(a->write(1234));
    ASSERT_TRUE(b->read(value));
    EXPECT_EQ(value, 1234);
    ASSERT_TRUE(other->read(value));
    EXPECT_EQ(value, 65535);
    EXPECT_FALSE(a->write(70000));
}

TEST(OutputDevices, TheSilentDeviceIsAlwaysLast) {
    setenv("ZELKOR_AUDIO", "null", 1);
    const std::vector<OutputDevice> silent = list_output_devices();
    ASSERT_EQ(silent.size(), 2u);
    EXPECT_TRUE(silent[0].is_default);
    EXPECT_TRUE(silent[0].is_silent());
    EXPECT_TRUE(silent[1].is_silent());

    unsetenv("ZELKOR_AUDIO");
    const std::vector<OutputDevice> devices = list_output_devices();
    setenv("ZELKOR_AUDIO", "null", 1);
    ASSERT_GE(devices.size(), 2u);
    EXPECT_EQ(devices.front().pcm, "default");
    EXPECT_TRUE(devices.back().is_silent());
    for (size_t i = 1; i + 1 < devices.size(); ++i) EXPECT_EQ(devices[i].pcm.rfind("plughw:", 0), 0u);
}

} // namespace
