#include "input/stream/line_reader.h"

#include "platform/net/transport.h"
#include "zelkor.h"

#include <algorithm>

namespace zk::stream {

int LineReader::next_wait_ms() const {
    if (deadline_ == Clock::time_point::max()) return byte_timeout_ms_;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now()).count();
    return left <= 0 ? -1 : static_cast<int>(std::min<long long>(left, byte_timeout_ms_));
}

int32_t LineReader::read_line(std::string& line) {
    line.clear();
    for (;;) {
        if (budget_ == 0) return too_long_error_;
        const int wait_ms = next_wait_ms();
        if (wait_ms < 0) return ZK_ERROR_TIMEOUT;
        char byte;
        const int32_t got = transport_.receive_within(&byte, 1, wait_ms);
        if (got < 0) return got;
        --budget_;
        if (byte == '\n') return 0;
        if (byte != '\r' && line.size() < keep_) line += byte;
    }
}

} // namespace zk::stream
