#include "input/memory/memory_name.h"

namespace zk {

namespace {

// Parses hexadecimal digits up to stop; false on anything else or overflow.
bool parse_hex(const char*& text, char stop, uint64_t& value) {
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text += 2;
    value = 0;
    int digits = 0;
    for (; *text != stop; ++text, ++digits) {
        const char c = *text;
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        if (value >> 60) return false;
        value = value << 4 | static_cast<uint64_t>(digit);
    }
    return digits > 0;
}

} // namespace

bool parse_memory_name(const char* name, MemoryBlock& block) {
    if (!name) return false;
    uint64_t size = 0, address = 0;
    if (!parse_hex(name, '@', size)) return false;
    ++name; // the '@'
    if (!parse_hex(name, '\0', address)) return false;
    if (size > 0xFFFFFFFFu || address == 0 || address > UINTPTR_MAX) return false;
    block.size = static_cast<uint32_t>(size);
    block.address = reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(address));
    return true;
}

} // namespace zk
