// The name of a static memory input: "size@address", both hexadecimal.
#pragma once

#include <cstdint>

namespace zk {

struct MemoryBlock {
    uint32_t size;
    const uint8_t* address;
};

// True when the whole name is two hexadecimal numbers (an optional "0x"
// before each) joined by '@', the size fits 32 bits and the address is not 0.
bool parse_memory_name(const char* name, MemoryBlock& block);

} // namespace zk
