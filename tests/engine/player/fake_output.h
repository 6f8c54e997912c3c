// An output module for player tests: accepts every write at once and
// records the control requests it receives.
#pragma once

#include "zelkor.h"

#include <atomic>
#include <string>

namespace zk::test {

struct FakeOutputLog {
    std::atomic<uint32_t> bytes_written{0};
    std::atomic<uint32_t> last_request{0};
    std::atomic<uint32_t> requests_seen{0}; // every request bit since it was last cleared
    std::atomic<int32_t> last_pcm_level{-1};
};

FakeOutputLog& fake_output_log();

// Fills the record (the registration function of the module).
extern "C" int32_t fake_output_register(ZK_OutputModule* module);

// "function@<address>" naming fake_output_register, for module registration by name.
std::string fake_output_module_name();

} // namespace zk::test
