#include "input/stream/http_body.h"

#include "zelkor.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace zk::stream {

namespace {

constexpr size_t kChunkLineLimit = 1024; // a size line with its extensions
constexpr size_t kTrailerLimit = 16384;  // all trailer lines together
constexpr unsigned kSizeDigitsLimit = 15;

int hex_value(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

HttpBody::HttpBody(std::unique_ptr<platform::Transport> inner, Framing framing, uint64_t length)
    : inner_(std::move(inner)), framing_(framing), left_(framing == Framing::length ? length : 0) {}

int32_t HttpBody::receive_within(void* buffer, size_t size, int timeout_ms) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeout_ms, 0));
    for (;;) {
        if (framing_ != Framing::until_close && finished()) return ZK_ERROR_SOCKET_CLOSED;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const int wait_ms = static_cast<int>(std::max<long long>(left, 0));
        const size_t wanted = framing_ == Framing::length ? static_cast<size_t>(std::min<uint64_t>(size, left_)) : size;
        const int32_t got = inner_->receive_within(buffer, wanted, wait_ms);
        if (got == ZK_ERROR_SOCKET_CLOSED && framing_ != Framing::until_close) return ZK_ERROR_STREAM_TRUNCATED;
        if (got < 0) return got;
        if (framing_ == Framing::until_close) return got;
        if (framing_ == Framing::length) {
            left_ -= static_cast<uint64_t>(got);
            return got;
        }
        const int32_t kept = decode_chunks(static_cast<uint8_t*>(buffer), static_cast<size_t>(got));
        if (kept != 0) return kept;
        if (wait_ms == 0) return finished() ? ZK_ERROR_SOCKET_CLOSED : ZK_ERROR_TIMEOUT;
    }
}

int32_t HttpBody::decode_chunks(uint8_t* bytes, size_t count) {
    size_t kept = 0;
    for (size_t at = 0; at < count && chunk_ != Chunk::done;) {
        if (chunk_ == Chunk::data) {
            const size_t run = static_cast<size_t>(std::min<uint64_t>(left_, count - at));
            std::memmove(bytes + kept, bytes + at, run);
            kept += run;
            at += run;
            left_ -= run;
            if (left_ == 0) chunk_ = Chunk::data_end;
            continue;
        }
        const uint8_t c = bytes[at++];
        switch (chunk_) {
        case Chunk::size:
        case Chunk::extension:
            if (++line_ > kChunkLineLimit) return ZK_ERROR_INVALID_HTTP_REPLY;
            if (c == '\n') {
                if (digits_ == 0) return ZK_ERROR_INVALID_HTTP_REPLY;
                chunk_ = left_ == 0 ? Chunk::trailer : Chunk::data;
                digits_ = 0;
                line_ = 0;
            } else if (chunk_ == Chunk::size && hex_value(c) >= 0) {
                if (++digits_ > kSizeDigitsLimit) return ZK_ERROR_INVALID_HTTP_REPLY;
                left_ = left_ * 16 + static_cast<uint64_t>(hex_value(c));
            } else if (c == ';' || c == ' ' || c == '\t' || c == '\r') {
                if (digits_ == 0) return ZK_ERROR_INVALID_HTTP_REPLY;
                chunk_ = Chunk::extension;
            } else if (chunk_ == Chunk::size) {
                return ZK_ERROR_INVALID_HTTP_REPLY;
            }
            break;
        case Chunk::data_end:
            if (c == '\n')
                chunk_ = Chunk::size;
            else if (c != '\r')
                return ZK_ERROR_INVALID_HTTP_REPLY;
            break;
        case Chunk::trailer:
            if (++trailer_ > kTrailerLimit) return ZK_ERROR_INVALID_HTTP_REPLY;
            if (c == '\n') {
                if (line_ == 0) chunk_ = Chunk::done;
                line_ = 0;
            } else if (c != '\r') {
                ++line_;
            }
            break;
        default: break;
        }
    }
    return static_cast<int32_t>(kept);
}

} // namespace zk::stream
