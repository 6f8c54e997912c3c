// A ByteSource over bytes in memory that can fail a chosen read or deliver
// fewer bytes than asked, to exercise the reader's resumable stages.
#pragma once

#include "codec/bitstream_reader.h"
#include "zelkor.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zk::test {

class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    // Read number call (0-based) fails with code, delivering nothing.
    void fail_call(int64_t call, int32_t code) {
        failing_call_ = call;
        failure_code_ = code;
    }
    // Every read delivers at most this many bytes (0: no limit).
    void limit_delivery(uint32_t bytes) { delivery_limit_ = bytes; }

    int32_t read(void* buffer, uint32_t count) override {
        if (calls_++ == failing_call_) return failure_code_;
        if (delivery_limit_ != 0) count = std::min(count, delivery_limit_);
        // Like the file input: a request beyond the end delivers nothing.
        if (count > bytes_.size() - offset_) return ZK_ERROR_INPUT_END;
        std::memcpy(buffer, bytes_.data() + offset_, count);
        offset_ += count;
        return static_cast<int32_t>(count);
    }

    int64_t calls() const { return calls_; }
    size_t offset() const { return offset_; }

private:
    std::vector<uint8_t> bytes_;
    size_t offset_ = 0;
    int64_t calls_ = 0;
    int64_t failing_call_ = -1;
    int32_t failure_code_ = 0;
    uint32_t delivery_limit_ = 0;
};

} // namespace zk::test
