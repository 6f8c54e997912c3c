// A looping sound buffer: a block of signed 16-bit PCM that plays round and
// round from a play cursor while it is playing. Writers lock one or two
// regions at an offset, fill them and unlock them; a clock (the feeder of a
// device, or a test) takes the frames at the play cursor and so moves it on.
// Volume and pan are in hundredths of a decibel, the frequency in Hz.
// Every member may be called from any thread.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

namespace zk::dsound {

struct BufferFormat {
    uint32_t rate = 44100;
    uint32_t channels = 2;

    uint32_t frame_bytes() const { return channels * 2; }
    uint32_t bytes_per_second() const { return rate * frame_bytes(); }
};

// The spans of a lock: the second one is empty unless the lock wraps past
// the end of the buffer.
struct LockedRegions {
    uint8_t* first = nullptr;
    uint32_t first_bytes = 0;
    uint8_t* second = nullptr;
    uint32_t second_bytes = 0;
};

// How the frames taken by the clock are to be played.
struct PlaybackSettings {
    int32_t volume = 0;
    int32_t pan = 0;
    uint32_t frequency = 0;
    // Changes whenever the play cursor is moved by hand: what the clock
    // holds from before is then to be dropped.
    uint64_t epoch = 0;
};

class LoopingBuffer {
public:
    static constexpr int32_t kVolumeSilent = -10000;
    static constexpr int32_t kVolumeFull = 0;
    static constexpr int32_t kPanLeft = -10000;
    static constexpr int32_t kPanRight = 10000;

    // bytes is rounded down to whole frames; the buffer starts stopped,
    // filled with zeros, at full volume, centred, at the format's rate.
    LoopingBuffer(BufferFormat format, uint32_t bytes);
    virtual ~LoopingBuffer() = default;
    LoopingBuffer(const LoopingBuffer&) = delete;
    LoopingBuffer& operator=(const LoopingBuffer&) = delete;

    const BufferFormat& format() const { return format_; }
    uint32_t size() const { return size_; }

    // Locks bytes at offset; false when the span is empty, longer than the
    // buffer or starts outside it, or while the buffer is lost.
    bool lock(uint32_t offset, uint32_t bytes, LockedRegions& regions);
    // Commits what was written into the regions.
    void unlock(const LockedRegions& regions);
    // Fills the whole buffer with zeros.
    void clear();

    void play();
    void stop();
    bool playing() const;
    uint32_t play_cursor() const;
    void set_play_cursor(uint32_t offset);

    int32_t volume() const;
    // False (and nothing changed) outside kVolumeSilent..kVolumeFull.
    bool set_volume(int32_t volume);
    int32_t pan() const;
    // False (and nothing changed) outside kPanLeft..kPanRight.
    bool set_pan(int32_t pan);
    uint32_t frequency() const;
    // 0 restores the format's rate; false (and nothing changed) for a rate
    // the clock cannot play, beyond an eighth or eight times the format's.
    bool set_frequency(uint32_t frequency);

    // The device under the buffer failed: locks fail until it is restored.
    void mark_lost();
    bool lost() const;
    void restore();

    // Clock side: copies up to frames frames at the play cursor into out and
    // moves the cursor past them, wrapping at the end; 0 while stopped.
    uint32_t take(int16_t* out, uint32_t frames, PlaybackSettings& settings);
    // Waits until the buffer plays; false once the clock is released.
    bool wait_until_playing();
    // Ends every wait of the clock for good.
    void release_clock();

private:
    const BufferFormat format_;
    const uint32_t size_;
    std::unique_ptr<uint8_t[]> memory_;

    mutable std::mutex mutex_;
    std::condition_variable started_;
    bool playing_ = false;
    bool lost_ = false;
    bool clock_released_ = false;
    uint32_t play_cursor_ = 0;
    uint64_t epoch_ = 0;
    int32_t volume_ = kVolumeFull;
    int32_t pan_ = 0;
    uint32_t frequency_;
};

} // namespace zk::dsound
