#include "platform/audio/wave_out.h"

#include "platform/audio/device_delay.h"
#include "platform/audio/volume.h"

#include "zelkor.h"

#include <map>

namespace zk::audio {

namespace {

// The volume word of each device, kept for the process as a system keeps it
// for its devices across opens.
class VolumeMemory {
public:
    uint32_t get(const std::string& device) {
        std::lock_guard lock(mutex_);
        const auto found = words_.find(device);
        return found == words_.end() ? kFullVolume : found->second;
    }
    void set(const std::string& device, uint32_t word) {
        std::lock_guard lock(mutex_);
        words_[device] = word;
    }

private:
    std::mutex mutex_;
    std::map<std::string, uint32_t> words_;
};

VolumeMemory& volume_memory() {
    static VolumeMemory memory;
    return memory;
}

} // namespace

WaveOut::~WaveOut() { close(); }

void WaveOut::open(std::unique_ptr<PcmSink> sink, PcmFormat format, uint32_t max_block_bytes, std::string volume_key,
                   Completion on_done) {
    close();
    sink_ = std::move(sink);
    format_ = format;
    volume_key_ = std::move(volume_key);
    on_done_ = std::move(on_done);
    const uint32_t max_frames = max_block_bytes / (2 * format.channels);
    volume_scratch_.assign(size_t(max_frames) * format.channels, 0);
    rate_scratch_.assign(size_t(RateShifter::max_output(max_frames)) * format.channels, 0);
    paused_ = discard_pending_ = stopping_ = false;
    volume_ = volume_memory().get(volume_key_);
    shifter_.reset();
    held_frames_ = 0;
    failure_ = 0;
    feeder_ = std::thread(&WaveOut::feed, this);
}

void WaveOut::close() {
    if (!feeder_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        complete_queued();
    }
    wake_.notify_all();
    feeder_.join();
    sink_.reset();
}

int32_t WaveOut::submit(WaveBlock& block) {
    {
        std::lock_guard lock(mutex_);
        if (failure_) return failure_;
        if (!feeder_.joinable() || stopping_) return ZK_FAILURE;
        if (block.bytes > volume_scratch_.size() * sizeof(int16_t)) return ZK_ERROR_INVALID_PARAMETERS;
        block.done = false;
        queue_.push_back(&block);
    }
    wake_.notify_all();
    return ZK_OK;
}

bool WaveOut::wait_done(const WaveBlock& block, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return done_.wait_for(lock, timeout, [&] { return block.done.load(); });
}

void WaveOut::pause() {
    {
        std::lock_guard lock(mutex_);
        paused_ = true;
    }
    wake_.notify_all();
}

void WaveOut::restart() {
    {
        std::lock_guard lock(mutex_);
        paused_ = false;
    }
    wake_.notify_all();
}

void WaveOut::reset() {
    {
        std::lock_guard lock(mutex_);
        complete_queued();
        discard_pending_ = true;
        shifter_.reset();
        held_frames_ = 0;
    }
    wake_.notify_all();
}

uint32_t WaveOut::volume() const {
    std::lock_guard lock(mutex_);
    return volume_;
}

void WaveOut::set_volume(uint32_t volume, bool remember) {
    std::lock_guard lock(mutex_);
    volume_ = volume;
    if (remember) volume_memory().set(volume_key_, volume);
}

void WaveOut::set_rate(uint32_t rate) {
    std::lock_guard lock(mutex_);
    if (rate != shifter_.rate()) shifter_.set_rate(rate);
}

uint32_t WaveOut::held_bytes() const {
    std::lock_guard lock(mutex_);
    const auto elapsed = held_draining_ ? std::chrono::steady_clock::now() - held_at_ : std::chrono::nanoseconds{};
    return frames_still_held(held_frames_, elapsed, format_.rate) * 2 * format_.channels;
}

void WaveOut::note_held(uint32_t frames, bool draining) {
    held_frames_ = frames;
    held_at_ = std::chrono::steady_clock::now();
    held_draining_ = draining;
}

void WaveOut::complete(WaveBlock& block) {
    block.done = true;
    if (on_done_) on_done_(block);
    done_.notify_all();
}

void WaveOut::complete_queued() {
    while (!queue_.empty()) {
        WaveBlock* block = queue_.front();
        queue_.pop_front();
        complete(*block);
    }
}

uint32_t WaveOut::prepare(const WaveBlock& block) {
    const uint32_t channels = format_.channels;
    const uint32_t frames = block.bytes / (2 * channels);
    copy_with_volume(block.data, volume_scratch_.data(), frames, channels, volume_);
    ready_ = volume_scratch_.data();
    if (shifter_.rate() == RateShifter::kNormal) return frames;
    ready_ = rate_scratch_.data();
    return shifter_.process(volume_scratch_.data(), frames, channels, rate_scratch_.data());
}

void WaveOut::feed() {
    std::unique_lock lock(mutex_);
    bool sink_paused = false;
    for (;;) {
        wake_.wait(lock, [&] {
            return stopping_ || discard_pending_ || paused_ != sink_paused || (!paused_ && !queue_.empty());
        });
        if (discard_pending_) {
            discard_pending_ = false;
            lock.unlock();
            sink_->discard();
            lock.lock();
            sink_paused = false;
            note_held(0, false);
            continue;
        }
        if (stopping_) break;
        if (paused_ != sink_paused) {
            sink_paused = paused_;
            lock.unlock();
            sink_->pause(sink_paused);
            const uint32_t held = sink_->held_frames();
            lock.lock();
            note_held(held, !sink_paused);
            continue;
        }
        WaveBlock& block = *queue_.front();
        queue_.pop_front();
        const uint32_t frames = prepare(block);
        lock.unlock();
        const int result = sink_->write(ready_, frames);
        const uint32_t held = result < 0 ? 0 : sink_->held_frames();
        lock.lock();
        if (!discard_pending_) note_held(held, true);
        complete(block);
        if (result < 0) {
            failure_ = result;
            complete_queued();
            return;
        }
    }
    lock.unlock();
    sink_->drain();
    lock.lock();
    note_held(0, false);
}

} // namespace zk::audio
