// Progress, error and debug reports of the network input, with its module id as source.
#pragma once

#include "decoder/debug_report.h"
#include "zelkor.h"

#include <string>

namespace zk::stream {

struct StreamTrace {
    ZK_Decoder* decoder = nullptr;
    int32_t source = 0;

    void debug(int32_t level, const char* message, const std::string& detail = std::string()) const {
        report_debug(decoder, level, message, detail.c_str(), source);
    }
    // An error report, which the player turns into an error notification.
    void error(int32_t code, const char* message, const std::string& detail) const {
        if (decoder && decoder->error) decoder->error(decoder->client, source, code, message, detail.c_str());
    }
    void progress(int32_t code, int32_t value, const char* message) const {
        if (decoder && decoder->progress) decoder->progress(decoder->client, source, code, value, message);
    }
};

} // namespace zk::stream
