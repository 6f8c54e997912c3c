#include "zelkor.h"

#include <iterator>

namespace {

const char* const general_texts[] = {"out of memory", "invalid parameters", "internal error", "timeout"};
const char* const network_texts[] = {"connect timed out",   "connect failed",     "connection refused", "accept failed",
                                     "listen failed",       "socket failed",      "socket closed",      "bind failed",
                                     "host unknown",        "invalid http reply", "http error reply",   "http error",
                                     "invalid ftp reply",   "ftp error reply",    "ftp error",          "tls failed",
                                     "certificate refused", "stream stalled",     "stream cut short"};
const char* const pipe_texts[] = {"pipe failed",     "fork failed",         "select failed",
                                  "pipe closed",     "pipe read failed",    "pipe write failed",
                                  "invalid message", "circular queue full", "post failed"};
const char* const url_texts[] = {"unsupported url scheme", "invalid url syntax"};
const char* const device_texts[] = {"open failed",
                                    "close failed",
                                    "read failed",
                                    "write failed",
                                    "permission denied",
                                    "no such device",
                                    "ioctl failed",
                                    "plugin module not found",
                                    "unsupported input type",
                                    "unsupported output type",
                                    "device busy",
                                    "no such device",
                                    "no such file",
                                    "input end"};
const char* const frame_texts[] = {"invalid frame", "no MPEG audio found"};
const char* const library_texts[] = {"library not found", "symbol not found"};
const char* const environment_texts[] = {"no such environment variable", "invalid environment variable type"};

struct Hundred {
    const char* const* texts;
    int count;
};

template <size_t N> constexpr Hundred hundred(const char* const (&texts)[N]) { return {texts, static_cast<int>(N)}; }

// Indexed by hundred - 1: -100 .. -800.
const Hundred hundreds[] = {hundred(general_texts), hundred(network_texts),    hundred(pipe_texts),
                            hundred(url_texts),     hundred(device_texts),     hundred(frame_texts),
                            hundred(library_texts), hundred(environment_texts)};

} // namespace

extern "C" ZK_API const char* zelkor_error_string(int32_t code) {
    if (code >= 0) return "";
    const int64_t magnitude = -static_cast<int64_t>(code);
    const int64_t group = magnitude / 100;
    const int64_t remainder = magnitude % 100;
    if (group < 1 || group > static_cast<int64_t>(std::size(hundreds))) return "unknown error";
    const Hundred& texts = hundreds[group - 1];
    return remainder < texts.count ? texts.texts[remainder] : "";
}
