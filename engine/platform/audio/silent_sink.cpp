#include "platform/audio/silent_sink.h"

#include <cstdlib>
#include <thread>

namespace zk::audio {

SilentSink::SilentSink(PcmFormat format) : format_(format), played_until_(Clock::now()) {
    const char* path = std::getenv(kCaptureVariable);
    if (path && *path) capture_.reset(std::fopen(path, "ab"));
}

SilentSink::Clock::duration SilentSink::duration_of(uint32_t frames) const {
    using namespace std::chrono;
    return duration_cast<Clock::duration>(nanoseconds(uint64_t(frames) * 1000000000u / format_.rate));
}

int SilentSink::write(const int16_t* samples, uint32_t frames) {
    if (capture_) {
        std::fwrite(samples, sizeof *samples * format_.channels, frames, capture_.get());
        std::fflush(capture_.get());
    }
    if (paused_) pause(false); // a paused device that is fed plays again
    const Clock::time_point now = Clock::now();
    if (played_until_ < now) played_until_ = now; // ran dry: start afresh
    played_until_ += duration_of(frames);
    std::this_thread::sleep_until(played_until_ - kDeviceBuffer);
    return 0;
}

void SilentSink::pause(bool paused) {
    if (paused == paused_) return;
    const Clock::time_point now = Clock::now();
    if (paused) {
        held_ = played_until_ > now ? played_until_ - now : Clock::duration{};
    } else {
        played_until_ = now + held_;
        held_ = {};
    }
    paused_ = paused;
}

void SilentSink::discard() {
    played_until_ = Clock::now();
    held_ = {};
}

void SilentSink::drain() {
    if (paused_) pause(false);
    std::this_thread::sleep_until(played_until_);
}

uint32_t SilentSink::held_frames() {
    using namespace std::chrono;
    const Clock::duration left = paused_ ? held_ : played_until_ - Clock::now();
    if (left <= Clock::duration{}) return 0;
    return static_cast<uint32_t>(uint64_t(duration_cast<nanoseconds>(left).count()) * format_.rate / 1000000000u);
}

} // namespace zk::audio
