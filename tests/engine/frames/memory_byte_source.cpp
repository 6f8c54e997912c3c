#include "memory_byte_source.h"

#include "zelkor.h"

#include <algorithm>
#include <cstring>

namespace zk::test {

int32_t MemoryByteSource::read(void* buffer, uint32_t count) {
    if (calls_++ == failing_call_)
        return failure_code_;
    if (delivery_limit_ != 0)
        count = std::min(count, delivery_limit_);
    // Like the file input: a request beyond the end delivers nothing.
    if (count > bytes_.size() - offset_)
        return ZK_ERROR_INPUT_END;
    std::memcpy(buffer, bytes_.data() + offset_, count);
    offset_ += count;
    return static_cast<int32_t>(count);
}

} // namespace zk::test
