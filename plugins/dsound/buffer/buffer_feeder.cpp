#include "buffer/buffer_feeder.h"

#include "buffer/gain.h"
#include "platform/audio/silent_sink.h"
#include "platform/audio/volume.h"

namespace zk::dsound {

BufferFeeder::BufferFeeder(LoopingBuffer& buffer, std::unique_ptr<audio::PcmSink> sink)
    : buffer_(buffer), sink_(std::move(sink)), step_frames_(buffer.format().rate / 100 + 1),
      taken_(step_frames_ * buffer.format().channels),
      shifted_(audio::RateShifter::max_output(step_frames_) * buffer.format().channels),
      stereo_(audio::RateShifter::max_output(step_frames_) * 2), output_(stereo_.size()) {
    thread_ = std::thread([this] { run(); });
}

BufferFeeder::~BufferFeeder() {
    buffer_.release_clock();
    thread_.join();
}

void BufferFeeder::run() {
    bool sink_paused = false;
    uint64_t epoch = 0;
    for (;;) {
        if (!buffer_.playing() && !sink_paused) {
            sink_->pause(true);
            sink_paused = true;
        }
        if (!buffer_.wait_until_playing()) return;
        PlaybackSettings settings;
        const uint32_t frames = buffer_.take(taken_.data(), step_frames_, settings);
        if (frames == 0) continue; // stopped again meanwhile
        if (settings.epoch != epoch) {
            // The cursor was moved: what the sink holds is stale.
            sink_->discard();
            shifter_.reset();
            epoch = settings.epoch;
        }
        if (sink_paused) {
            sink_->pause(false);
            sink_paused = false;
        }
        if (!play(frames, settings)) {
            buffer_.mark_lost();
            sink_ = std::make_unique<audio::SilentSink>(audio::PcmFormat{buffer_.format().rate, 2});
        }
    }
}

bool BufferFeeder::play(uint32_t frames, const PlaybackSettings& settings) {
    const uint32_t channels = buffer_.format().channels;
    const uint32_t rate =
        static_cast<uint32_t>(uint64_t(settings.frequency) * audio::RateShifter::kNormal / buffer_.format().rate);
    const int16_t* samples = taken_.data();
    if (rate != audio::RateShifter::kNormal) {
        if (rate != shifter_.rate()) shifter_.set_rate(rate);
        frames = shifter_.process(taken_.data(), frames, channels, shifted_.data());
        samples = shifted_.data();
    }
    if (channels == 1) {
        for (uint32_t i = 0; i < frames; ++i) stereo_[2 * i] = stereo_[2 * i + 1] = samples[i];
        samples = stereo_.data();
    }
    audio::copy_with_volume(samples, output_.data(), frames, 2, volume_word_of(settings.volume, settings.pan));
    return frames == 0 || sink_->write(output_.data(), frames) >= 0;
}

} // namespace zk::dsound
