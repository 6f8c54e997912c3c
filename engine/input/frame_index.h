// Where each frame of a seekable input starts, found by one pass over the
// frame headers when the input opens (nothing is decoded). It gives the
// frame count for the duration and the byte offset of any frame for seeks.
#pragma once

#include "codec/frame_header.h"
#include "zelkor.h"

#include <cstdint>
#include <vector>

namespace zk {

class FrameIndex {
public:
    // Reads the chain from its current position, which is input offset
    // `start`, to its end. False (and empty) when no frame was found or
    // memory ran out.
    bool build(const ZK_InputNext& chain, uint32_t start);
    void clear();

    bool empty() const { return offsets_.empty(); }
    uint64_t frames() const { return offsets_.size(); }
    // Input offset of a frame; the end of the last frame for frames().
    uint32_t offset_of(uint64_t frame) const;
    // The first frame starting at or after an input offset.
    uint64_t frame_at(uint32_t offset) const;
    // The first frame of the stream, the model for the others.
    const FrameHeader& first() const { return first_; }

    // The frame to start decoding at so that `frame` comes out exactly as a
    // decode from the start gives it: the frames whose main data it can
    // reach back into, and two more for the transform overlap and the
    // synthesis history.
    uint64_t preroll_start(uint64_t frame) const;

private:
    std::vector<uint32_t> offsets_;
    uint32_t end_ = 0;
    FrameHeader first_{};
};

} // namespace zk
