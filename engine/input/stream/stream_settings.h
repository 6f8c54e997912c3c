// Tuning and time limits of the network input.
#pragma once

#include "zelkor.h"

#include <cstdint>
#include <string>

namespace zk::stream {

// The "INPUT.STREAM." variables of the decoder's environment, read when an
// input is created.
struct StreamSettings {
    int32_t buffer_size = 131072;
    int32_t max_packet = 8192;
    int32_t high_mark = 16384;
    int32_t read_timeout = 100; // milliseconds
    int32_t max_accu = 2048;
    int32_t force_fill_zone = 2048;
    int32_t stall_timeout = 15000; // milliseconds without a byte that end an open stream

    // The most the ring can be sure to fill: a receive needs max_packet bytes
    // free, so a high mark or a read beyond this could wait for ever.
    int32_t fillable() const { return buffer_size - 2 * max_packet; }
};

// The largest single read the decoder makes: the ring must be able to hold it.
constexpr int32_t kLargestDecoderRead = 4096;

// The settings in the decoder's environment, defaults for variables not set.
// ZK_ERROR_INVALID_PARAMETERS when they cannot work together (a ring that
// cannot fill to the decoder's largest read, a zero read timeout, negative
// values); a high mark beyond what the ring can fill is lowered to it so that
// playback can start.
int32_t read_stream_settings(ZK_Decoder* decoder, StreamSettings& settings);

struct HttpProxy {
    std::string host; // empty: none
    uint16_t port = 80;
};

// The proxies at open time: the decoder's variables, which serve every HTTP
// and HTTPS URL, then the process environment's.
struct ProxySettings {
    HttpProxy configured;
    HttpProxy http;       // http_proxy
    HttpProxy https;      // https_proxy
    std::string no_proxy; // hosts reached directly, separated by commas
};
ProxySettings read_proxy_settings(ZK_Decoder* decoder);

// How long the dialogues wait, in milliseconds.
struct StreamLimits {
    int resolve = 10000;     // name resolution
    int connect = 10000;     // TCP connection
    int http_byte = 10000;   // each byte of an HTTP reply header
    int http_reply = 20000;  // the whole HTTP reply header
    int ftp_byte = 5000;     // each byte of an FTP reply
    int ftp_replies = 60000; // every reply of the FTP dialogue together
    int accept = 10000;      // the FTP data connection
};

} // namespace zk::stream
