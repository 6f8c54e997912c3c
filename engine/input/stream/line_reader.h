// Reply lines read from a transport one byte at a time, so that nothing after
// the last line (the start of a stream) is consumed.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zk::platform {
class Transport;
}

namespace zk::stream {

class LineReader {
public:
    // Each byte is waited for at most byte_timeout_ms; a line keeps at most
    // keep characters; the whole reply may not exceed budget bytes, else
    // read_line fails with too_long_error. With total_timeout_ms >= 0 the
    // lines must also arrive within that time from construction, so that a
    // server sending a byte now and then cannot hold the reader for days.
    LineReader(platform::Transport& transport, int byte_timeout_ms, size_t keep, size_t budget, int32_t too_long_error,
               int total_timeout_ms = -1)
        : transport_(transport), byte_timeout_ms_(byte_timeout_ms), keep_(keep), budget_(budget),
          too_long_error_(too_long_error),
          deadline_(total_timeout_ms < 0 ? Clock::time_point::max()
                                         : Clock::now() + std::chrono::milliseconds(total_timeout_ms)) {}

    // The next line without its end: a carriage return is dropped, a line
    // feed ends the line. 0, or the error of the transport
    // (ZK_ERROR_TIMEOUT, ZK_ERROR_SOCKET_CLOSED, ...) or too_long_error.
    int32_t read_line(std::string& line);

private:
    using Clock = std::chrono::steady_clock;
    // The wait for the next byte: the byte limit, shortened by the deadline;
    // -1 once the deadline has passed.
    int next_wait_ms() const;

    platform::Transport& transport_;
    int byte_timeout_ms_;
    size_t keep_;
    size_t budget_;
    int32_t too_long_error_;
    Clock::time_point deadline_;
};

} // namespace zk::stream
