// The looping buffer, its gains and its feeder.
#include "buffer/buffer_feeder.h"
#include "buffer/gain.h"
#include "buffer/looping_buffer.h"
#include "manual_device.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <condition_variable>
#include <mutex>

namespace zk::dsound {
namespace {

using testing::play_bytes;

TEST(DsoundLoopingBuffer, LocksOneRegionOrTwoWhenWrapping) {
    LoopingBuffer buffer({8000, 2}, 1000);
    LockedRegions regions;
    ASSERT_TRUE(buffer.lock(100, 200, regions));
    EXPECT_EQ(regions.first_bytes, 200u);
    EXPECT_EQ(regions.second, nullptr);
    ASSERT_TRUE(buffer.lock(900, 300, regions));
    EXPECT_EQ(regions.first_bytes, 100u);
    EXPECT_EQ(regions.second_bytes, 200u);
    EXPECT_EQ(regions.second + 900, regions.first);
    EXPECT_FALSE(buffer.lock(0, 1001, regions));
    EXPECT_FALSE(buffer.lock(1000, 4, regions));
    EXPECT_FALSE(buffer.lock(0, 0, regions));
    // A lost buffer refuses locks until restored.
    buffer.mark_lost();
    EXPECT_FALSE(buffer.lock(0, 4, regions));
    buffer.restore();
    EXPECT_TRUE(buffer.lock(0, 4, regions));
    // Sizes are whole frames.
    EXPECT_EQ(LoopingBuffer({8000, 2}, 1003).size(), 1000u);
    EXPECT_EQ(LoopingBuffer({8000, 1}, 1003).size(), 1002u);
}

TEST(DsoundLoopingBuffer, TakesOnlyWhilePlayingAndWrapsTheCursor) {
    LoopingBuffer buffer({8000, 1}, 20);
    LockedRegions regions;
    ASSERT_TRUE(buffer.lock(0, 20, regions));
    for (uint32_t i = 0; i < 20; ++i) regions.first[i] = static_cast<uint8_t>(i);
    buffer.unlock(regions);

    int16_t out[16];
    PlaybackSettings settings;
    EXPECT_EQ(buffer.take(out, 4, settings), 0u);
    buffer.play();
    EXPECT_EQ(buffer.take(out, 8, settings), 8u);
    EXPECT_EQ(buffer.take(out, 4, settings), 4u);
    EXPECT_EQ(buffer.play_cursor(), 4u);
    // The last two frames, then the first two: bytes 16..19, 0..3.
    const auto* bytes = reinterpret_cast<const uint8_t*>(out);
    EXPECT_EQ(bytes[0], 16);
    EXPECT_EQ(bytes[3], 19);
    EXPECT_EQ(bytes[4], 0);
    EXPECT_EQ(bytes[7], 3);

    // Moving the cursor starts a new epoch.
    const uint64_t epoch = settings.epoch;
    buffer.set_play_cursor(23); // wraps, and down to a whole frame
    EXPECT_EQ(buffer.play_cursor(), 2u);
    buffer.take(out, 1, settings);
    EXPECT_NE(settings.epoch, epoch);
}

TEST(DsoundLoopingBuffer, RefusesVolumePanAndFrequencyOutOfRange) {
    LoopingBuffer buffer({44100, 2}, 4000);
    EXPECT_FALSE(buffer.set_volume(1));
    EXPECT_FALSE(buffer.set_volume(-10001));
    EXPECT_FALSE(buffer.set_pan(10001));
    EXPECT_TRUE(buffer.set_frequency(88200));
    EXPECT_FALSE(buffer.set_frequency(44100 * 8 + 100));
    EXPECT_FALSE(buffer.set_frequency(44100 / 8 - 100));
    EXPECT_EQ(buffer.frequency(), 88200u);
    EXPECT_TRUE(buffer.set_frequency(0));
    EXPECT_EQ(buffer.frequency(), 44100u);
}

TEST(DsoundGain, AttenuationAndPanBecomeChannelGains) {
    EXPECT_EQ(gain_of_attenuation(0), 0xFFFFu);
    EXPECT_EQ(gain_of_attenuation(-10000), 0u);
    EXPECT_EQ(gain_of_attenuation(-600), 32845u);      // -6 dB: about half
    EXPECT_EQ(volume_word_of(0, -10000), 0x0000FFFFu); // right silent
    EXPECT_EQ(volume_word_of(0, 10000), 0xFFFF0000u);  // left silent
    EXPECT_EQ(volume_word_of(-10000, 0), 0u);
    EXPECT_EQ(volume_word_of(-600, 600), 32845u << 16 | gain_of_attenuation(-1200));
}

// Keeps what the feeder writes until it has enough, then holds the next
// write until released, and fails for good after that.
class RecordingSink final : public audio::PcmSink {
public:
    explicit RecordingSink(uint32_t frames) : capacity_(frames) {}

    int write(const int16_t* samples, uint32_t frames) override {
        std::unique_lock lock(mutex_);
        if (full()) {
            holding_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return released_; });
            return -ENODEV;
        }
        recorded_.insert(recorded_.end(), samples, samples + frames * 2);
        changed_.notify_all();
        return 0;
    }
    void pause(bool) override {}
    void discard() override {}
    void drain() override {}

    // Waits until the write after the last one recorded is held.
    std::vector<int16_t> wait_until_full() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return holding_; });
        return recorded_;
    }
    // Lets the held write fail; the feeder then drops this sink.
    void release() {
        std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

private:
    bool full() const { return recorded_.size() >= capacity_ * 2; }

    const uint32_t capacity_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int16_t> recorded_;
    bool holding_ = false;
    bool released_ = false;
};

void fill(LoopingBuffer& buffer, int16_t value) {
    LockedRegions regions;
    ASSERT_TRUE(buffer.lock(0, buffer.size(), regions));
    auto* samples = reinterpret_cast<int16_t*>(regions.first);
    for (uint32_t i = 0; i < regions.first_bytes / 2; ++i) samples[i] = value;
    buffer.unlock(regions);
}

TEST(DsoundBufferFeeder, PlaysMonoAsStereoWithVolumeAndPan) {
    LoopingBuffer buffer({8000, 1}, 1600);
    fill(buffer, 10000);
    buffer.set_pan(-10000);
    buffer.set_volume(-600);
    auto sink = std::make_unique<RecordingSink>(500);
    RecordingSink& recording = *sink;
    {
        BufferFeeder feeder(buffer, std::move(sink));
        buffer.play();
        const std::vector<int16_t> played = recording.wait_until_full();
        recording.release();
        ASSERT_GE(played.size(), 1000u);
        for (size_t i = 0; i < played.size(); i += 2) {
            ASSERT_NEAR(played[i], 5012, 1) << i;
            ASSERT_EQ(played[i + 1], 0) << i;
        }
    }
    // Once the sink failed, a silent device took over and the buffer was lost.
    EXPECT_TRUE(buffer.lost());
}

TEST(DsoundBufferFeeder, DoubleFrequencyPlaysHalfTheFramesTaken) {
    LoopingBuffer buffer({8000, 2}, 32000);
    fill(buffer, 1000);
    ASSERT_TRUE(buffer.set_frequency(16000));
    auto sink = std::make_unique<RecordingSink>(400);
    RecordingSink& recording = *sink;
    BufferFeeder feeder(buffer, std::move(sink));
    buffer.play();
    const std::vector<int16_t> played = recording.wait_until_full();
    buffer.stop();
    // The feeder holds one more step of 81 frames in the held write.
    const uint32_t taken = buffer.play_cursor() / 4 - 81;
    const uint32_t steps = taken / 81;
    EXPECT_NEAR(double(played.size() / 2), taken / 2.0, steps);
    for (int16_t sample : played) ASSERT_EQ(sample, 1000);
    recording.release();
}

} // namespace
} // namespace zk::dsound
