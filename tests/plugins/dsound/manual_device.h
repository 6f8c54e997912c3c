// Test helpers: a device whose buffers play only when a test moves their
// clock, and a decoder whose debug and error reports are kept.
#pragma once

#include "buffer/sound_device.h"
#include "zelkor.h"

#include <string>
#include <vector>

namespace zk::dsound::testing {

class ManualDevice final : public SoundDevice {
public:
    BufferCreation create_buffer(BufferFormat format, uint32_t bytes) override {
        ++buffers_made;
        BufferCreation creation;
        creation.buffer = std::make_unique<LoopingBuffer>(format, bytes);
        return creation;
    }

    int buffers_made = 0;
};

// Plays bytes of the buffer as a device would: takes them at the play cursor.
inline uint32_t play_bytes(LoopingBuffer& buffer, uint32_t bytes) {
    std::vector<int16_t> samples(bytes / 2 + 2);
    PlaybackSettings settings;
    return buffer.take(samples.data(), bytes / buffer.format().frame_bytes(), settings) * buffer.format().frame_bytes();
}

struct Report {
    int32_t level_or_code;
    std::string message;
    std::string detail;
};

// A decoder of the engine with its debug and error callbacks recorded.
class RecordingDecoder {
public:
    RecordingDecoder() {
        decoder_new(&decoder);
        decoder->client = this;
        decoder->debug = [](void* client, int32_t, int32_t level, const char* message, const char* detail) {
            static_cast<RecordingDecoder*>(client)->debugs.push_back({level, message, detail ? detail : ""});
        };
        decoder->error = [](void* client, int32_t, int32_t code, const char* message, const char* detail) {
            static_cast<RecordingDecoder*>(client)->errors.push_back({code, message, detail ? detail : ""});
        };
    }
    ~RecordingDecoder() { decoder_delete(decoder); }
    RecordingDecoder(const RecordingDecoder&) = delete;
    RecordingDecoder& operator=(const RecordingDecoder&) = delete;

    void set_window() { decoder_set_environment_integer(decoder, "OUTPUT.DIRECTSOUND.WINDOW", 1); }

    bool has_debug(const std::string& message) const {
        for (const Report& report : debugs)
            if (report.message == message) return true;
        return false;
    }

    ZK_Decoder* decoder = nullptr;
    std::vector<Report> debugs;
    std::vector<Report> errors;
};

} // namespace zk::dsound::testing
