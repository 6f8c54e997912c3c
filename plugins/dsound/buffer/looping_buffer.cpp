#include "buffer/looping_buffer.h"

#include "platform/audio/rate_shifter.h"

#include <algorithm>
#include <cstring>

namespace zk::dsound {

LoopingBuffer::LoopingBuffer(BufferFormat format, uint32_t bytes)
    : format_(format), size_(bytes - bytes % format.frame_bytes()), memory_(new uint8_t[size_]()),
      frequency_(format.rate) {}

bool LoopingBuffer::lock(uint32_t offset, uint32_t bytes, LockedRegions& regions) {
    std::lock_guard lock(mutex_);
    if (lost_ || bytes == 0 || bytes > size_ || offset >= size_) return false;
    const uint32_t first = std::min(bytes, size_ - offset);
    regions = LockedRegions{memory_.get() + offset, first, first < bytes ? memory_.get() : nullptr, bytes - first};
    return true;
}

void LoopingBuffer::unlock(const LockedRegions&) {
    // Taking the lock orders the writer's bytes before the clock's next take.
    std::lock_guard lock(mutex_);
}

void LoopingBuffer::clear() {
    std::lock_guard lock(mutex_);
    std::memset(memory_.get(), 0, size_);
}

void LoopingBuffer::play() {
    std::lock_guard lock(mutex_);
    playing_ = true;
    started_.notify_all();
}

void LoopingBuffer::stop() {
    std::lock_guard lock(mutex_);
    playing_ = false;
}

bool LoopingBuffer::playing() const {
    std::lock_guard lock(mutex_);
    return playing_;
}

uint32_t LoopingBuffer::play_cursor() const {
    std::lock_guard lock(mutex_);
    return play_cursor_;
}

void LoopingBuffer::set_play_cursor(uint32_t offset) {
    std::lock_guard lock(mutex_);
    play_cursor_ = size_ ? (offset - offset % format_.frame_bytes()) % size_ : 0;
    ++epoch_;
}

int32_t LoopingBuffer::volume() const {
    std::lock_guard lock(mutex_);
    return volume_;
}

bool LoopingBuffer::set_volume(int32_t volume) {
    if (volume < kVolumeSilent || volume > kVolumeFull) return false;
    std::lock_guard lock(mutex_);
    volume_ = volume;
    return true;
}

int32_t LoopingBuffer::pan() const {
    std::lock_guard lock(mutex_);
    return pan_;
}

bool LoopingBuffer::set_pan(int32_t pan) {
    if (pan < kPanLeft || pan > kPanRight) return false;
    std::lock_guard lock(mutex_);
    pan_ = pan;
    return true;
}

uint32_t LoopingBuffer::frequency() const {
    std::lock_guard lock(mutex_);
    return frequency_;
}

bool LoopingBuffer::set_frequency(uint32_t frequency) {
    if (frequency == 0) frequency = format_.rate;
    const uint64_t rate = uint64_t(frequency) * audio::RateShifter::kNormal / format_.rate;
    if (rate > audio::RateShifter::kFastest || !audio::RateShifter::supports(static_cast<uint32_t>(rate))) return false;
    std::lock_guard lock(mutex_);
    frequency_ = frequency;
    return true;
}

void LoopingBuffer::mark_lost() {
    std::lock_guard lock(mutex_);
    lost_ = true;
}

bool LoopingBuffer::lost() const {
    std::lock_guard lock(mutex_);
    return lost_;
}

void LoopingBuffer::restore() {
    std::lock_guard lock(mutex_);
    lost_ = false;
}

uint32_t LoopingBuffer::take(int16_t* out, uint32_t frames, PlaybackSettings& settings) {
    std::lock_guard lock(mutex_);
    settings = PlaybackSettings{volume_, pan_, frequency_, epoch_};
    if (!playing_ || size_ == 0) return 0;
    const uint32_t bytes = std::min(frames * format_.frame_bytes(), size_);
    auto* target = reinterpret_cast<uint8_t*>(out);
    const uint32_t first = std::min(bytes, size_ - play_cursor_);
    std::memcpy(target, memory_.get() + play_cursor_, first);
    std::memcpy(target + first, memory_.get(), bytes - first);
    play_cursor_ = (play_cursor_ + bytes) % size_;
    return bytes / format_.frame_bytes();
}

bool LoopingBuffer::wait_until_playing() {
    std::unique_lock lock(mutex_);
    started_.wait(lock, [this] { return playing_ || clock_released_; });
    return !clock_released_;
}

void LoopingBuffer::release_clock() {
    std::lock_guard lock(mutex_);
    clock_released_ = true;
    started_.notify_all();
}

} // namespace zk::dsound
