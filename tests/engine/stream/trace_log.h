// Reports of the stream module for the tests: what a dialogue or the module
// traced, and the opening of a url for the dialogue tests.
#pragma once

#include "input/stream/stream_open.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/socket.h>
#include <vector>

namespace zk::test {

struct Opened {
    int32_t result = 0;
    uint32_t size = 0;
    std::string body; // what the data connection delivers up to its end
};

// Opens the url with the context and receives what the data connection brings.
inline Opened open_and_receive(const std::string& text, const stream::OpenContext& context) {
    Opened opened;
    stream::StreamUrl url;
    EXPECT_EQ(stream::parse_stream_url(text, url), 0) << text;
    stream::StreamConnection connection;
    opened.result = stream::open_stream(url, context, connection, opened.size);
    char buffer[4096];
    ssize_t got;
    while (opened.result == 0 && (got = ::recv(connection.data.fd(), buffer, sizeof buffer, 0)) > 0)
        opened.body.append(buffer, static_cast<size_t>(got));
    return opened;
}

// The debug reports (as "level message: detail" lines) and progress reports
// of a decoder record: its own, or one it listens to.
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
    }
    // Short limits so that stalls end quickly.
    stream::OpenContext context(int limit_ms = 300) {
        stream::OpenContext c;
        c.limits = {limit_ms, limit_ms, limit_ms, limit_ms, limit_ms};
        c.trace = stream::StreamTrace{&record, 1};
        return c;
    }
    Opened open(const std::string& url, int limit_ms = 300) { return open_and_receive(url, context(limit_ms)); }
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

    ZK_Decoder record{};
    std::vector<std::string> debug;
    std::vector<Progress> progress;
};

} // namespace zk::test
