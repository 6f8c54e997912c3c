#include "input/stream/icy_stream.h"

#include "zelkor.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace zk::stream {

namespace {

constexpr size_t kMetadataLimit = 255 * 16;

} // namespace

bool stream_title_of(std::string_view metadata, std::string& title) {
    constexpr std::string_view key = "StreamTitle='";
    const size_t start = metadata.find(key);
    if (start == std::string_view::npos) return false;
    std::string_view value = metadata.substr(start + key.size());
    // Titles may hold quotes: the value ends at "';", or at the last quote.
    size_t end = value.find("';");
    if (end == std::string_view::npos) end = value.rfind('\'');
    if (end == std::string_view::npos) end = value.find('\0');
    value = value.substr(0, end);
    title.assign(value.begin(), value.end());
    for (char& c : title)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return true;
}

IcyStream::IcyStream(std::unique_ptr<platform::Transport> inner, uint32_t metaint, const StreamTrace& trace)
    : inner_(std::move(inner)), metaint_(metaint), trace_(trace), left_(metaint) {
    metadata_.reserve(kMetadataLimit);
    title_.reserve(kMetadataLimit);
    parsed_.reserve(kMetadataLimit);
}

int32_t IcyStream::receive_within(void* buffer, size_t size, int timeout_ms) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeout_ms, 0));
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const int wait_ms = static_cast<int>(std::max<long long>(left, 0));
        const int32_t got = inner_->receive_within(buffer, size, wait_ms);
        if (got < 0) return got;
        const size_t kept = strip(static_cast<uint8_t*>(buffer), static_cast<size_t>(got));
        if (kept > 0) return static_cast<int32_t>(kept);
        if (wait_ms == 0) return ZK_ERROR_TIMEOUT;
    }
}

size_t IcyStream::strip(uint8_t* bytes, size_t count) {
    size_t kept = 0;
    for (size_t at = 0; at < count;) {
        switch (part_) {
        case Part::audio: {
            const size_t run = std::min<size_t>(left_, count - at);
            std::memmove(bytes + kept, bytes + at, run);
            kept += run;
            at += run;
            left_ -= static_cast<uint32_t>(run);
            if (left_ == 0) part_ = Part::length;
            break;
        }
        case Part::length:
            left_ = 16u * bytes[at++];
            metadata_.clear();
            part_ = left_ ? Part::metadata : Part::audio;
            if (!left_) left_ = metaint_;
            break;
        case Part::metadata: {
            const size_t run = std::min<size_t>(left_, count - at);
            metadata_.append(reinterpret_cast<const char*>(bytes + at), run);
            at += run;
            left_ -= static_cast<uint32_t>(run);
            if (left_ == 0) {
                metadata_complete();
                part_ = Part::audio;
                left_ = metaint_;
            }
            break;
        }
        }
    }
    return kept;
}

void IcyStream::metadata_complete() {
    if (!stream_title_of(metadata_, parsed_) || (has_title_ && parsed_ == title_)) return;
    title_ = parsed_;
    has_title_ = true;
    trace_.debug(1, "stream title", title_);
    trace_.progress(ZK_PROGRESS_STREAM_TITLE, 0, title_.c_str());
}

} // namespace zk::stream
