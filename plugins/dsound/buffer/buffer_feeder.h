// The clock of a looping buffer on a real device: a thread that takes what
// the buffer plays in steps of 10 ms, resamples it when the buffer's
// frequency differs from its format's rate, spreads it to stereo with the
// volume and pan applied, and writes it to a sink, whose pace moves the play
// cursor on in real time. A sink that fails for good is replaced by the
// silent device, so that the cursor keeps moving, and the buffer is marked
// lost.
#pragma once

#include "buffer/looping_buffer.h"
#include "platform/audio/pcm_sink.h"
#include "platform/audio/rate_shifter.h"

#include <memory>
#include <thread>
#include <vector>

namespace zk::dsound {

class BufferFeeder {
public:
    // sink: opened for the buffer's rate in stereo.
    BufferFeeder(LoopingBuffer& buffer, std::unique_ptr<audio::PcmSink> sink);
    ~BufferFeeder();
    BufferFeeder(const BufferFeeder&) = delete;
    BufferFeeder& operator=(const BufferFeeder&) = delete;

private:
    void run();
    // Plays one taken step; false when the sink failed.
    bool play(uint32_t frames, const PlaybackSettings& settings);

    LoopingBuffer& buffer_;
    std::unique_ptr<audio::PcmSink> sink_;
    const uint32_t step_frames_;
    audio::RateShifter shifter_;
    std::vector<int16_t> taken_;
    std::vector<int16_t> shifted_;
    std::vector<int16_t> stereo_;
    std::vector<int16_t> output_;
    std::thread thread_;
};

} // namespace zk::dsound
