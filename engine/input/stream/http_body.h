// The body of an HTTP reply as its header frames it: up to the end of the
// connection, a Content-Length, or chunks. The framing is decoded in place in
// the receiving buffer, so receiving allocates nothing.
#pragma once

#include "platform/net/transport.h"

#include <cstdint>
#include <memory>

namespace zk::stream {

class HttpBody final : public platform::Transport {
public:
    enum class Framing { until_close, length, chunked };

    HttpBody(std::unique_ptr<platform::Transport> inner, Framing framing, uint64_t length = 0);

    int32_t send_all(const void* data, size_t size) override { return inner_->send_all(data, size); }
    // As the transport's, the body's bytes only. After the last byte of a
    // length or the last chunk ZK_ERROR_SOCKET_CLOSED, whatever the server
    // still sends (a connection kept alive does not hold the end up); a
    // connection that closes before then gives ZK_ERROR_STREAM_TRUNCATED,
    // broken chunk framing ZK_ERROR_INVALID_HTTP_REPLY.
    int32_t receive_within(void* buffer, size_t size, int timeout_ms) override;
    int fd() const override { return inner_->fd(); }

private:
    enum class Chunk { size, extension, data, data_end, trailer, done };

    // Decodes count received bytes in place; the body bytes kept, or an error.
    int32_t decode_chunks(uint8_t* bytes, size_t count);
    bool finished() const { return framing_ == Framing::length ? left_ == 0 : chunk_ == Chunk::done; }

    std::unique_ptr<platform::Transport> inner_;
    Framing framing_;
    uint64_t left_; // bytes of the body (length) or of the chunk (chunked) still to come
    Chunk chunk_ = Chunk::size;
    unsigned digits_ = 0; // of the chunk size read so far
    size_t line_ = 0;     // characters of the size or trailer line read so far
    size_t trailer_ = 0;  // bytes of trailer lines read so far
};

} // namespace zk::stream
