// A wave device: blocks of PCM are queued in order and a feeder thread
// hands them to a sink (ALSA or the silent device), applying the volume word
// and the playback rate on the way. A block is done once the sink has taken
// it, or when it is discarded; the completion callback runs once per
// submitted block, on the feeder thread or in reset/close.
#pragma once

#include "platform/audio/pcm_sink.h"
#include "platform/audio/rate_shifter.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zk::audio {

struct WaveBlock {
    const int16_t* data = nullptr;
    uint32_t bytes = 0;
    std::atomic<bool> done{true};
};

class WaveOut {
public:
    using Completion = std::function<void(WaveBlock&)>;

    WaveOut() = default;
    WaveOut(const WaveOut&) = delete;
    WaveOut& operator=(const WaveOut&) = delete;
    ~WaveOut();

    bool is_open() const { return feeder_.joinable(); }
    const PcmFormat& format() const { return format_; }

    // Starts feeding sink with blocks of at most max_block_bytes. The volume
    // word starts as it was last left for volume_key (a device name) in this
    // process, at full volume the first time.
    void open(std::unique_ptr<PcmSink> sink, PcmFormat format, uint32_t max_block_bytes, std::string volume_key,
              Completion on_done);
    // Plays out what the sink holds, stops the feeder and releases the sink.
    // Blocks still queued are discarded.
    void close();

    // Queues a block (its memory must stay valid until it is done). 0, -1
    // when the device is not open, -101 for a block too large, or the
    // device's failure.
    int32_t submit(WaveBlock& block);
    // Waits until the block is done or the timeout passes; true when done.
    bool wait_done(const WaveBlock& block, std::chrono::milliseconds timeout);

    void pause();
    void restart();
    // Discards every queued block (each completes) and what the sink holds;
    // a block being handed to the sink completes when the sink returns.
    void reset();

    uint32_t volume() const;
    // remember: the device keeps the word for its next open (mute does not).
    void set_volume(uint32_t volume, bool remember);
    // A supported 16.16 playback rate (RateShifter::supports).
    void set_rate(uint32_t rate);

    // Bytes the sink has taken and not yet played, in the device's format.
    uint32_t held_bytes() const;

    // 0 while the device works; the negative errno code with which the sink
    // failed for good otherwise (every block is then done, new ones refused).
    int failure() const { return failure_.load(); }

private:
    void feed();
    // Copies the block through volume and rate into the feeder's scratch;
    // returns the frames to play. Called with the lock held.
    uint32_t prepare(const WaveBlock& block);
    void complete(WaveBlock& block);
    void complete_queued();
    // The feeder notes what the sink holds now; draining: it plays on.
    void note_held(uint32_t frames, bool draining);

    std::unique_ptr<PcmSink> sink_;
    PcmFormat format_;
    std::string volume_key_;
    Completion on_done_;
    std::vector<int16_t> volume_scratch_;
    std::vector<int16_t> rate_scratch_;
    const int16_t* ready_ = nullptr; // what prepare() made

    mutable std::mutex mutex_;
    std::condition_variable wake_; // the feeder's
    std::condition_variable done_; // waiters for a block
    std::deque<WaveBlock*> queue_;
    bool paused_ = false;
    bool discard_pending_ = false;
    bool stopping_ = false;
    uint32_t volume_ = 0xFFFFFFFFu;
    RateShifter shifter_;
    // What the sink held when last asked, and when.
    uint32_t held_frames_ = 0;
    std::chrono::steady_clock::time_point held_at_{};
    bool held_draining_ = false;
    std::atomic<int> failure_{0};
    std::thread feeder_;
};

} // namespace zk::audio
