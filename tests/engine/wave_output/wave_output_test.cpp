// The wave-device output module through the decoder's output interface, on
// the silent device (ZELKOR_AUDIO=null): names, devices, the buffer ring,
// volume word, mute, balance, master level and format changes.
#include "output/wave/wave_output.h"
#include "platform/audio/silent_sink.h"
#include "platform/audio/wave_out.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using zk::wave::WaveOutput;

namespace {

constexpr uint32_t word(uint32_t left, uint32_t right) { return left | right << 16; }

// What the silent device's volume word is at its next open.
void set_silent_device_volume(uint32_t volume) {
    zk::audio::WaveOut device;
    device.open(std::make_unique<zk::audio::SilentSink>(zk::audio::PcmFormat{}), {}, 4608, "silent", nullptr);
    device.set_volume(volume, true);
}

class WaveOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("ZELKOR_AUDIO", "null", 1);
        set_silent_device_volume(0xFFFFFFFFu);
        ASSERT_EQ(decoder_new(&decoder_), 0);
        decoder_->client = this;
        decoder_->debug = [](void* client, int32_t, int32_t, const char* message, const char* detail) {
            static_cast<WaveOutputTest*>(client)->debug_.push_back(
                std::string(message) + (detail && *detail ? " | " + std::string(detail) : ""));
        };
        ZK_OutputModule module{};
        ASSERT_EQ(audio_output_module_register(&module), 0);
        ASSERT_EQ(decoder_output_module_register(decoder_, &module), 0);
    }
    void TearDown() override { decoder_delete(decoder_); }

    int32_t open(const char* name = "") {
        const int32_t result = decoder_output_new(decoder_, name, -1);
        return result < 0 ? result : decoder_output_open(decoder_);
    }
    WaveOutput& wave() { return *static_cast<WaveOutput*>(decoder_->output->instance); }

    int32_t control(uint32_t request, ZK_OutputControl values = {}) {
        return decoder_output_set_control(decoder_, &values, request);
    }
    ZK_OutputControl read(uint32_t request) {
        ZK_OutputControl values{};
        EXPECT_EQ(decoder_output_get_control(decoder_, &values, request), 0);
        return values;
    }
    // Fills the next ring buffer with count bytes and queues it.
    int32_t play(uint32_t count) {
        void* buffer = wave().get_buffer(count);
        if (!buffer) return -1;
        std::memset(buffer, 0, count);
        return decoder_output_write(decoder_, buffer, count, 2, 1, 44100);
    }
    bool debugged(const std::string& line) const {
        return std::find(debug_.begin(), debug_.end(), line) != debug_.end();
    }

    ZK_Decoder* decoder_ = nullptr;
    std::vector<std::string> debug_;
};

TEST_F(WaveOutputTest, NamesOfDevices) {
    EXPECT_EQ(open(""), 0);
    EXPECT_EQ(open("/dev/wave/0"), 0);
    EXPECT_EQ(open("/dev/wave/1"), 0);
    EXPECT_EQ(decoder_output_new(decoder_, "/dev/wave/10", -1), ZK_ERROR_NO_SUCH_OUTPUT_DEVICE);
    EXPECT_EQ(decoder_output_new(decoder_, "/dev/wave/a", -1), ZK_ERROR_NO_SUCH_OUTPUT_DEVICE);
    EXPECT_EQ(decoder_output_new(decoder_, "/dev/wav", -1), ZK_ERROR_UNSUPPORTED_OUTPUT_TYPE);
    // A device index beyond the list is refused when opened.
    ASSERT_EQ(decoder_output_new(decoder_, "/dev/wave/7", -1), 0);
    EXPECT_EQ(decoder_output_open(decoder_), ZK_ERROR_NO_SUCH_OUTPUT_DEVICE);
}

TEST_F(WaveOutputTest, QueryListsTheSilentDeviceLastAndOpenGivesTheCaps) {
    ZK_ModuleInfo info{};
    ASSERT_EQ(decoder_output_module_query(decoder_, 0, &info, ZK_MODULE_QUERY_DEVICE_COUNT), 0);
    ASSERT_EQ(info.index_or_count, 2);
    info.index_or_count = 1;
    ASSERT_EQ(decoder_output_module_query(decoder_, 0, &info, ZK_MODULE_QUERY_DEVICE), 0);
    EXPECT_STREQ(info.name, "/dev/wave/1");
    EXPECT_STREQ(info.description, "Silent device");
    info.index_or_count = 2;
    EXPECT_EQ(decoder_output_module_query(decoder_, 0, &info, ZK_MODULE_QUERY_DEVICE), ZK_ERROR_INVALID_PARAMETERS);
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(decoder_->output->caps, 0x07FFFFBFu);
}

TEST_F(WaveOutputTest, MasterLevelGoesThroughTheMixer) {
    ASSERT_EQ(open(), 0);
    ZK_OutputControl values{};
    values.master_level = 40;
    ASSERT_EQ(control(ZK_OUTPUT_REQUEST_MASTER_LEVEL, values), 0);
    EXPECT_EQ(read(ZK_OUTPUT_REQUEST_MASTER_LEVEL).master_level, 40);
    values.master_level = 100;
    control(ZK_OUTPUT_REQUEST_MASTER_LEVEL, values);
    EXPECT_EQ(read(ZK_OUTPUT_REQUEST_MASTER_LEVEL).master_level, 100);
}

TEST_F(WaveOutputTest, PcmLevelAndBalanceMakeTheVolumeWord) {
    ASSERT_EQ(open(), 0);
    ZK_OutputControl values{};
    values.pcm_level = 100;
    values.balance = 25;
    ASSERT_EQ(control(ZK_OUTPUT_REQUEST_PCM_LEVEL | ZK_OUTPUT_REQUEST_BALANCE, values), 0);
    EXPECT_EQ(wave().device_volume(), word(65535, 32767));
    const ZK_OutputControl back = read(ZK_OUTPUT_REQUEST_PCM_LEVEL | ZK_OUTPUT_REQUEST_BALANCE);
    EXPECT_EQ(back.pcm_level, 100);
    EXPECT_EQ(back.balance, 25);
}

TEST_F(WaveOutputTest, BalanceAloneStartsFromTheDeviceVolume) {
    set_silent_device_volume(word(40000, 20000));
    ASSERT_EQ(open(), 0);
    EXPECT_EQ(read(ZK_OUTPUT_REQUEST_BALANCE).balance, 33); // 20000 / 60000
    ZK_OutputControl values{};
    values.balance = 75;
    ASSERT_EQ(control(ZK_OUTPUT_REQUEST_BALANCE, values), 0);
    EXPECT_EQ(wave().volume_word(), word(20000, 40000));
}

// A level set while muted is heard on unmute; a format change keeps the mute.
TEST_F(WaveOutputTest, MuteHoldsThroughLevelAndFormatChanges) {
    ASSERT_EQ(open(), 0);
    ASSERT_EQ(control(ZK_OUTPUT_REQUEST_MUTE), 0);
    EXPECT_EQ(wave().device_volume(), 0u);
    ZK_OutputControl values{};
    values.pcm_level = 50;
    values.sample_rate = 32000;
    values.stereo = 1;
    ASSERT_EQ(control(ZK_OUTPUT_REQUEST_PCM_LEVEL, values), 0);
    ASSERT_EQ(control(ZK_OUTPUT_REQUEST_SAMPLE_RATE, values), 0);
    EXPECT_EQ(wave().device_volume(), 0u);
    EXPECT_EQ(read(ZK_OUTPUT_REQUEST_PCM_LEVEL).pcm_level, 49); // 32767 of 65535
    ASSERT_EQ(control(ZK_OUTPUT_REQUEST_UNMUTE), 0);
    EXPECT_EQ(wave().device_volume(), word(32767, 32767));
}

TEST_F(WaveOutputTest, FormatChangesReopenTheDevice) {
    ASSERT_EQ(open(), 0);
    ZK_OutputControl format = read(ZK_OUTPUT_REQUEST_SAMPLE_RATE | ZK_OUTPUT_REQUEST_STEREO);
    EXPECT_EQ(format.sample_rate, 44100);
    EXPECT_EQ(format.stereo, 1);
    ASSERT_EQ(play(4608), 4608);
    format.sample_rate = 22050;
    format.stereo = 0;
    ASSERT_EQ(control(ZK_OUTPUT_REQUEST_STEREO | ZK_OUTPUT_REQUEST_SAMPLE_RATE, format), 0);
    EXPECT_EQ(wave().queued_bytes(), 0u) << "queued audio is played out before the reopen";
    format = read(ZK_OUTPUT_REQUEST_SAMPLE_RATE | ZK_OUTPUT_REQUEST_STEREO);
    EXPECT_EQ(format.sample_rate, 22050);
    EXPECT_EQ(format.stereo, 0);
    format.sample_rate = 0;
    EXPECT_EQ(control(ZK_OUTPUT_REQUEST_SAMPLE_RATE, format), ZK_ERROR_INVALID_PARAMETERS);
}

TEST_F(WaveOutputTest, TheSixtyFifthBufferWaitsForTheFirst) {
    ASSERT_EQ(open(), 0);
    control(ZK_OUTPUT_REQUEST_PAUSE);
    for (uint32_t i = 0; i < WaveOutput::kBufferCount; ++i) ASSERT_EQ(play(4608), 4608);
    EXPECT_EQ(wave().queued_bytes(), 64u * 4608);

    std::atomic<bool> returned{false};
    std::thread next([&] {
        wave().get_buffer(4608);
        returned = true;
    });
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(returned) << "every buffer is queued on a paused device";
    control(ZK_OUTPUT_REQUEST_RESUME);
    next.join();
    // The device also holds what it took ahead, at most 50 ms.
    EXPECT_LE(wave().queued_bytes(), 63u * 4608 + 2205u * 4);
    control(ZK_OUTPUT_REQUEST_RESET);
    EXPECT_EQ(wave().queued_bytes(), 0u);
}

TEST_F(WaveOutputTest, WritesOfOtherMemoryAndLargerCountsAreCopiedIntoTheRing) {
    ASSERT_EQ(open(), 0);
    control(ZK_OUTPUT_REQUEST_PAUSE);
    std::vector<uint8_t> samples(4608 * 2 + 100, 1);
    EXPECT_EQ(decoder_output_write(decoder_, samples.data(), uint32_t(samples.size()), 2, 1, 44100),
              int32_t(samples.size()));
    EXPECT_EQ(wave().queued_bytes(), samples.size()); // every byte written counts, whatever the buffer sizes
    control(ZK_OUTPUT_REQUEST_RESET);
}

TEST_F(WaveOutputTest, PlaybackRateListener) {
    ASSERT_EQ(open(), 0);
    ASSERT_EQ(decoder_set_environment_integer(decoder_, WaveOutput::kRateVariable, 0x20000), 0);
    EXPECT_FALSE(debugged("playback rate not supported | 0x20000"));
    ASSERT_EQ(decoder_set_environment_integer(decoder_, WaveOutput::kRateVariable, 0), 0);
    EXPECT_TRUE(debugged("playback rate not supported | 0x0"));
    ASSERT_EQ(play(4608), 4608);
    EXPECT_EQ(decoder_output_close(decoder_), 0);
    // The rate set before opening holds from the open on.
    debug_.clear();
    ASSERT_EQ(decoder_set_environment_integer(decoder_, WaveOutput::kRateVariable, 0x7FFFFFFF), 0);
    ASSERT_EQ(decoder_output_open(decoder_), 0);
    EXPECT_TRUE(debugged("playback rate not supported | 0x7FFFFFFF"));
}

// Without ZELKOR_AUDIO=null the default device is ALSA's, or the silent
// device (with a debug message) where ALSA has none.
TEST_F(WaveOutputTest, TheDefaultDeviceFallsBackToTheSilentOne) {
    unsetenv("ZELKOR_AUDIO");
    const int32_t opened = open();
    setenv("ZELKOR_AUDIO", "null", 1);
    ASSERT_EQ(opened, 0);
    EXPECT_TRUE(std::any_of(debug_.begin(), debug_.end(),
                            [](const std::string& line) { return line.rfind("mixer caps: ", 0) == 0; }));
    EXPECT_EQ(decoder_output_close(decoder_), 0);
}

} // namespace
