// A decoder with the network input registered, recording the module's
// progress and debug reports.
#pragma once

#include "trace_log.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zk::test {

class StreamInputTest : public ::testing::Test, protected TraceLog {
protected:
    void SetUp() override {
        ASSERT_EQ(decoder_new(&decoder), 0);
        listen(*decoder);
        ZK_InputModule file{};
        file_input_module_register(&file);
        decoder_input_module_register(decoder, &file);
        ASSERT_EQ(stream_input_module_register(&module), 0);
        stream_module = decoder_input_module_register(decoder, &module);
        ASSERT_EQ(stream_module, 1);
    }
    void TearDown() override {
        for (const Progress& p : progress) EXPECT_EQ(p.source, stream_module) << p.message;
        decoder_delete(decoder);
    }

    int32_t open(const std::string& url, int32_t module_id = -1) {
        const int32_t created = decoder_input_new(decoder, url.c_str(), module_id);
        return created != 0 ? created : decoder_input_open(decoder);
    }

    // The module's own read on the open input (the input layer in between
    // may split reads while it looks for a leading tag).
    int32_t read(void* buffer, uint32_t count) { return module.read(decoder->input->instance, buffer, count); }

    // Reads count bytes, retrying while the ring is still filling; the
    // result of the last read.
    int32_t read_through_timeouts(void* buffer, uint32_t count) {
        int32_t result = ZK_ERROR_TIMEOUT;
        for (int attempt = 0; attempt < 2000 && result == ZK_ERROR_TIMEOUT; ++attempt) result = read(buffer, count);
        return result;
    }

    ZK_Decoder* decoder = nullptr;
    ZK_InputModule module{};
    int32_t stream_module = -1;
};

// Bytes 0, 1, 2, ... 250, 0, 1, ... (a period that no power of two divides).
inline std::vector<uint8_t> pattern(size_t size, size_t from = 0) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>((from + i) % 251);
    return bytes;
}

} // namespace zk::test
