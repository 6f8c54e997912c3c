#include "input/frame_index.h"

#include "codec/vbr_header.h"

#include <algorithm>
#include <new>

namespace zk {

namespace {

// Furthest a layer III frame's main data reaches back into earlier frames.
constexpr int32_t kLargestReservoirReach = 511;

} // namespace

void FrameIndex::clear() {
    offsets_.clear();
    offsets_.shrink_to_fit();
    end_ = 0;
}

bool FrameIndex::build(const ZK_InputNext& chain, uint32_t start) {
    clear();
    uint8_t bytes[4];
    uint8_t body[2048];
    uint32_t at = start;
    if (chain.read(chain.context, bytes, 4) != 4) return false;
    try {
        for (;;) {
            const uint32_t word = header_word(bytes);
            FrameHeader header;
            if (has_sync(word) && decode_frame_header(word, header) && header.frame_length() > 4) {
                const auto rest = static_cast<uint32_t>(header.frame_length() - 4);
                if (chain.read(chain.context, body, rest) != static_cast<int32_t>(rest)) break; // cut short
                if (offsets_.empty()) first_ = header;
                offsets_.push_back(at);
                at += 4 + rest;
                end_ = at;
                if (chain.read(chain.context, bytes, 4) != 4) break;
                continue;
            }
            // Not a frame here: slide on by one byte.
            bytes[0] = bytes[1];
            bytes[1] = bytes[2];
            bytes[2] = bytes[3];
            if (chain.read(chain.context, bytes + 3, 1) != 1) break;
            ++at;
        }
    } catch (const std::bad_alloc&) {
        clear();
    }
    return !offsets_.empty();
}

uint64_t FrameIndex::frame_at(uint32_t offset) const {
    return static_cast<uint64_t>(std::lower_bound(offsets_.begin(), offsets_.end(), offset) - offsets_.begin());
}

uint32_t FrameIndex::offset_of(uint64_t frame) const { return frame < offsets_.size() ? offsets_[frame] : end_; }

uint64_t FrameIndex::preroll_start(uint64_t frame) const {
    frame = std::min<uint64_t>(frame, offsets_.size());
    uint64_t start = frame >= 2 ? frame - 2 : 0;
    if (first_.layer() != 3) return start;
    const int32_t overhead = 4 + first_.side_info_length();
    int32_t reach = 0;
    while (start > 0 && reach < kLargestReservoirReach) {
        --start;
        reach += static_cast<int32_t>(offset_of(start + 1) - offset_of(start)) - overhead;
    }
    return start;
}

} // namespace zk
