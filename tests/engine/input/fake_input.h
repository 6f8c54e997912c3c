// A scripted input module for tests of the input layer: serves bytes from a
// vector, counts its calls, and accepts names by prefix.
#pragma once

#include "zelkor.h"

#include <string>
#include <vector>

namespace zk::test {

struct FakeInputScript {
    std::string accepted_prefix = "fake:";
    std::vector<uint8_t> bytes;
    bool seekable = true;
    bool reopens = false; // not seekable, but can be asked again from an offset (of known size)
    int32_t new_result = 0;
    int news = 0, deletes = 0, opens = 0, closes = 0;
    std::vector<uint32_t> seeks;
    std::vector<std::string> names; // names given to new
};

// The module record for the current script (one script at a time).
ZK_InputModule fake_input_module(FakeInputScript& script);

} // namespace zk::test
