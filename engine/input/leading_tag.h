// An ID3v2 tag at the start of a stream: recognised by its 10-byte header and
// skipped by its declared size, so that decoding starts at the first frame.
#pragma once

#include <cstdint>

namespace zk {

constexpr uint32_t kTagHeaderSize = 10;

// False once the first count bytes can no longer be the start of a tag header.
bool could_begin_tag(const uint8_t* bytes, uint32_t count);

// The whole tag's length (header, body and optional footer) when the bytes
// are an ID3v2 header ("ID3", version bytes below 0xFF, syncsafe size), else 0.
uint32_t leading_tag_length(const uint8_t header[kTagHeaderSize]);

} // namespace zk
