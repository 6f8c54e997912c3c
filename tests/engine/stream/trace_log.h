// Reports of the stream module for the tests: what a dialogue or the module
// traced, and the opening of a url for the dialogue tests.
#pragma once

#include "input/stream/stream_open.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zk::test {

struct Opened {
    int32_t result = 0;
    uint32_t size = 0;
    stream::StreamExtent extent;
    std::string body; // what the data connection delivers up to its end
    int32_t end = 0;  // how the body ended: ZK_ERROR_SOCKET_CLOSED in order
};

// Opens the url with the context (from a byte offset) and receives what the
// data connection brings.
inline Opened open_and_receive(const std::string& text, const stream::OpenContext& context, uint32_t from = 0) {
    Opened opened;
    stream::StreamUrl url;
    EXPECT_EQ(stream::parse_stream_url(text, url), 0) << text;
    stream::StreamConnection connection;
    opened.result = stream::open_stream(url, context, connection, opened.extent, from);
    opened.size = opened.extent.size;
    if (opened.result != 0) return opened;
    char buffer[4096];
    int32_t got;
    while ((got = connection.data->receive_within(buffer, sizeof buffer, 5000)) > 0)
        opened.body.append(buffer, static_cast<size_t>(got));
    opened.end = got;
    return opened;
}

// The debug reports (as "level message: detail" lines), progress and error
// reports of a decoder record: its own, or one it listens to.
struct TraceLog {
    struct Progress {
        int32_t source, code, value;
        std::string message;
    };

    TraceLog() { listen(record); }
    TraceLog(const TraceLog&) = delete;

    void listen(ZK_Decoder& decoder) {
        decoder.client = this;
        decoder.debug = [](void* client, int32_t, int32_t level, const char* message, const char* detail) {
            static_cast<TraceLog*>(client)->debug.push_back(std::to_string(level) + " " + message +
                                                            (detail && *detail ? std::string(": ") + detail : ""));
        };
        decoder.progress = [](void* client, int32_t source, int32_t code, int32_t value, const char* message) {
            static_cast<TraceLog*>(client)->progress.push_back({source, code, value, message ? message : ""});
        };
        decoder.error = [](void* client, int32_t, int32_t code, const char* message, const char* detail) {
            static_cast<TraceLog*>(client)->errors.push_back(
                {code, std::string(message ? message : "") + ": " + (detail ? detail : "")});
        };
    }
    // Short limits so that stalls end quickly.
    stream::OpenContext context(int limit_ms = 300) {
        stream::OpenContext c;
        c.limits = {limit_ms, limit_ms, limit_ms, limit_ms, limit_ms};
        c.trace = stream::StreamTrace{&record, 1};
        return c;
    }
    Opened open(const std::string& url, int limit_ms = 300, uint32_t from = 0) {
        return open_and_receive(url, context(limit_ms), from);
    }
    bool has_debug(const std::string& text) const {
        for (const std::string& line : debug)
            if (line.find(text) != std::string::npos) return true;
        return false;
    }
    int count_progress(int32_t code) const {
        int count = 0;
        for (const Progress& p : progress) count += p.code == code;
        return count;
    }

    struct Error {
        int32_t code;
        std::string text; // "message: detail"
    };

    ZK_Decoder record{};
    std::vector<std::string> debug;
    std::vector<Progress> progress;
    std::vector<Error> errors;
};

} // namespace zk::test
