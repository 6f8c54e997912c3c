#include "input/leading_tag.h"

namespace zk {

bool could_begin_tag(const uint8_t* bytes, uint32_t count) {
    static const uint8_t magic[] = {'I', 'D', '3'};
    for (uint32_t i = 0; i < count && i < kTagHeaderSize; ++i) {
        if (i < 3 && bytes[i] != magic[i]) return false;
        if ((i == 3 || i == 4) && bytes[i] == 0xFF) return false;
        if (i >= 6 && (bytes[i] & 0x80)) return false;
    }
    return true;
}

uint32_t leading_tag_length(const uint8_t header[kTagHeaderSize]) {
    if (!could_begin_tag(header, kTagHeaderSize)) return 0;
    uint32_t size = 0;
    for (uint32_t i = 6; i < kTagHeaderSize; ++i) size = (size << 7) | header[i]; // syncsafe
    const bool footer = header[5] & 0x10;
    return kTagHeaderSize + size + (footer ? kTagHeaderSize : 0);
}

} // namespace zk
