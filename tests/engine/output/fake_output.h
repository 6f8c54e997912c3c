// A recording output module for tests of the output layer.
#pragma once

#include "zelkor.h"

#include <string>
#include <vector>

namespace zk::test {

struct FakeOutputWrite {
    const void* samples;
    uint32_t count;
    int32_t sample_size, stereo, sample_rate;
};

struct FakeOutputControl {
    bool had_record;
    ZK_OutputControl control;
    uint32_t request;
};

struct FakeOutputScript {
    std::string accepted_prefix = "fake:";
    uint32_t caps = ZK_OUTPUT_CAP_PCM16;
    bool lends_buffers = false;
    int32_t write_result = -1; // -1: accept everything
    uint32_t queued_bytes = 0;
    int news = 0, deletes = 0, opens = 0, closes = 0;
    std::vector<FakeOutputWrite> writes;
    std::vector<FakeOutputControl> controls;
    std::vector<int32_t> messages;
    std::vector<uint8_t> lent = std::vector<uint8_t>(4608);
};

// The module record for the script (one script at a time). With get_buffer
// when the script lends buffers, with get_status.
ZK_OutputModule fake_output_module(FakeOutputScript& script);

} // namespace zk::test
