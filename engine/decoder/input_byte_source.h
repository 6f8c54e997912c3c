// The bitstream reader's view of the decoder's input: exact reads through
// decoder_input_read. Bytes that arrived before a read failed (a stream that
// delivers in pieces, then times out) are held for the retry, so nothing is
// lost.
#pragma once

#include "codec/bitstream_reader.h"
#include "zelkor.h"

#include <cstdint>

namespace zk {

class InputByteSource final : public ByteSource {
public:
    explicit InputByteSource(ZK_Decoder* decoder) : decoder_(decoder) {}

    int32_t read(void* buffer, uint32_t count) override;
    void reset() { held_ = 0; }

private:
    ZK_Decoder* decoder_;
    uint8_t held_bytes_[4096];
    uint32_t held_ = 0;
};

} // namespace zk
