#include "decoder/input_byte_source.h"

#include <algorithm>
#include <cstring>

namespace zk {

int32_t InputByteSource::read(void* buffer, uint32_t count) {
    auto* out = static_cast<uint8_t*>(buffer);
    uint32_t got = std::min(held_, count);
    std::memcpy(out, held_bytes_, got);
    std::memmove(held_bytes_, held_bytes_ + got, held_ - got);
    held_ -= got;
    while (got < count) {
        const int32_t result = decoder_input_read(decoder_, out + got, count - got);
        if (result < 0) {
            held_ = std::min<uint32_t>(got, sizeof held_bytes_);
            std::memcpy(held_bytes_, out, held_);
            return result;
        }
        got += static_cast<uint32_t>(result);
    }
    return static_cast<int32_t>(count);
}

} // namespace zk
