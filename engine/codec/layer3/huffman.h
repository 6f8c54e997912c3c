// Layer III Huffman decoding through the multi-level lookup tables: each
// level reads its width of bits at once and gives back what the code word
// did not use.
#pragma once

#include "codec/tables/layer3_tables.h"

#include <cstdint>

namespace zk {

// Bits: any reader with read_bits(n) and put_back_bits(n), n up to 16.
// Returns x << 4 | y for pair tables, v w x y for the quadruple tables.
template <class Bits>
inline uint32_t huffman_decode(const tables::HuffmanTable& table, Bits& bits) {
    const uint16_t* level = table.entries;
    int width = table.first_bits;
    for (;;) {
        const uint16_t entry = level[bits.read_bits(width)];
        if (!(entry & tables::kHuffmanLink)) {
            bits.put_back_bits(width - (entry >> 8));
            return entry & 0xFFu;
        }
        width = (entry >> 11) & 15;
        level = table.entries + (entry & 0x7FF);
    }
}

} // namespace zk
