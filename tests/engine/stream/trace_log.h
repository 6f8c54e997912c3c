// A decoder-less trace for the dialogue tests: a decoder record whose debug
// and progress callbacks write into a log.
#pragma once

#include "input/stream/stream_open.h"
#include "zelkor.h"

#include <string>
#include <vector>

namespace zk::test {

struct TraceLog {
    TraceLog() {
        decoder.client = this;
        decoder.debug = [](void* client, int32_t, int32_t level, const char* message, const char* detail) {
            static_cast<TraceLog*>(client)->debug.push_back(std::to_string(level) + " " + message +
                                                            (detail && *detail ? std::string(": ") + detail : ""));
        };
        decoder.progress = [](void* client, int32_t, int32_t code, int32_t value, const char* message) {
            static_cast<TraceLog*>(client)->progress.push_back(
                {code, value, message ? std::string(message) : std::string()});
        };
    }
    TraceLog(const TraceLog&) = delete;

    // Short limits so that stalls end quickly.
    stream::OpenContext context(int limit_ms = 300) {
        stream::OpenContext c;
        c.limits = {limit_ms, limit_ms, limit_ms, limit_ms, limit_ms};
        c.trace = stream::StreamTrace{&decoder, 1};
        return c;
    }
    bool has_debug(const std::string& text) const {
        for (const std::string& line : debug)
            if (line.find(text) != std::string::npos) return true;
        return false;
    }

    struct Progress {
        int32_t code;
        int32_t value;
        std::string message;
    };
    ZK_Decoder decoder{};
    std::vector<std::string> debug;
    std::vector<Progress> progress;
};

} // namespace zk::test
