#include "input/stream/line_reader.h"

#include "platform/net/socket.h"

namespace zk::stream {

int32_t LineReader::read_line(std::string& line) {
    line.clear();
    for (;;) {
        if (budget_ == 0) return too_long_error_;
        char byte;
        const int32_t got = platform::receive_within(fd_, &byte, 1, byte_timeout_ms_);
        if (got < 0) return got;
        --budget_;
        if (byte == '\n') return 0;
        if (byte != '\r' && line.size() < keep_) line += byte;
    }
}

} // namespace zk::stream
