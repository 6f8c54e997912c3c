// A ByteSource over bytes in memory that can fail chosen reads or deliver
// fewer bytes than asked, to exercise the reader's resumable stages.
#pragma once

#include "codec/bitstream_reader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zk::test {

class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    // Read number call (0-based) fails with code, delivering nothing.
    void fail_call(int64_t call, int32_t code) { failing_call_ = call; failure_code_ = code; }
    // Every read delivers at most this many bytes (0: no limit).
    void limit_delivery(uint32_t bytes) { delivery_limit_ = bytes; }

    int32_t read(void* buffer, uint32_t count) override;

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
