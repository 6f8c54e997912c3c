// A playback device as the feeder thread sees it: it takes interleaved
// signed 16-bit frames in native byte order and blocks while it is full.
// Only one thread (the feeder) calls a sink.
#pragma once

#include <cstdint>

namespace zk::audio {

struct PcmFormat {
    uint32_t rate = 44100;
    uint32_t channels = 2;

    bool operator==(const PcmFormat&) const = default;
};

class PcmSink {
public:
    virtual ~PcmSink() = default;

    // Plays frames; 0 once the device has taken them all, or a negative
    // errno code when the device failed for good (unplugged, gone).
    virtual int write(const int16_t* samples, uint32_t frames) = 0;
    // Holds or resumes what the device has taken but not yet played.
    virtual void pause(bool paused) = 0;
    // Drops what the device holds and gets ready for new frames.
    virtual void discard() = 0;
    // Waits until everything taken has been played.
    virtual void drain() = 0;
    // Frames taken and not yet played (the device's own buffer); a device
    // that cannot tell holds none.
    virtual uint32_t held_frames() { return 0; }
};

} // namespace zk::audio
