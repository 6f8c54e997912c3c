#include "input/leading_tag.h"

namespace zk {

uint32_t leading_tag_length(const uint8_t header[kTagHeaderSize]) {
    if (header[0] != 'I' || header[1] != 'D' || header[2] != '3') return 0;
    if (header[3] == 0xFF || header[4] == 0xFF) return 0;
    uint32_t size = 0;
    for (int i = 6; i < 10; ++i) {
        if (header[i] & 0x80) return 0; // not syncsafe
        size = (size << 7) | header[i];
    }
    const bool footer = header[5] & 0x10;
    return kTagHeaderSize + size + (footer ? kTagHeaderSize : 0);
}

} // namespace zk
