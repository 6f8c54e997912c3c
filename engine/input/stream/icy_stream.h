// A radio server's stream with metadata: after every metaint bytes of audio a
// length byte (in units of 16) and that much metadata text, which this layer
// takes out, reporting each new stream title.
#pragma once

#include "input/stream/stream_trace.h"
#include "platform/net/transport.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zk::stream {

// The title in a metadata text ("StreamTitle='Artist - Song';StreamUrl='';"),
// control characters made blanks. False when the text names no title.
bool stream_title_of(std::string_view metadata, std::string& title);

class IcyStream final : public platform::Transport {
public:
    IcyStream(std::unique_ptr<platform::Transport> inner, uint32_t metaint, const StreamTrace& trace);

    int32_t send_all(const void* data, size_t size) override { return inner_->send_all(data, size); }
    // As the transport's, the audio bytes only.
    int32_t receive_within(void* buffer, size_t size, int timeout_ms) override;
    int fd() const override { return inner_->fd(); }

private:
    enum class Part { audio, length, metadata };

    // Takes the metadata out of count received bytes in place; the audio kept.
    size_t strip(uint8_t* bytes, size_t count);
    void metadata_complete();

    std::unique_ptr<platform::Transport> inner_;
    const uint32_t metaint_;
    const StreamTrace trace_;
    Part part_ = Part::audio;
    uint32_t left_; // of the audio or metadata part
    std::string metadata_;
    std::string parsed_; // the title of the last metadata
    std::string title_;  // the last title reported
    bool has_title_ = false;
};

} // namespace zk::stream
