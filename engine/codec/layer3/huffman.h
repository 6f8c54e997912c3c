// Layer III Huffman decoding through the multi-level lookup tables: each
// level reads its width of bits at once and gives back what the code word
// did not use.
#pragma once

#include "codec/tables/layer3_tables.h"

#include <cstdint>

namespace zk {

// Bits: any reader with read_bits(n) and put_back_bits(n), n up to 16; one
// that also has peek_bits(n) and skip_bits(n) is used through those.
template <class Bits> inline uint32_t peek_bits(Bits& bits, int n) {
    if constexpr (requires { bits.peek_bits(n); }) {
        return bits.peek_bits(n);
    } else {
        const uint32_t value = bits.read_bits(n);
        bits.put_back_bits(n);
        return value;
    }
}

template <class Bits> inline void skip_bits(Bits& bits, int n) {
    if constexpr (requires { bits.skip_bits(n); })
        bits.skip_bits(n);
    else
        bits.read_bits(n);
}

// Returns x << 4 | y for pair tables, v w x y for the quadruple tables.
template <class Bits> inline uint32_t huffman_decode(const tables::HuffmanTable& table, Bits& bits) {
    const uint16_t* level = table.entries;
    int width = table.first_bits;
    for (;;) {
        const uint16_t entry = level[peek_bits(bits, width)];
        if (!(entry & tables::kHuffmanLink)) {
            skip_bits(bits, entry >> 8);
            return entry & 0xFFu;
        }
        skip_bits(bits, width);
        width = (entry >> 11) & 15;
        level = table.entries + (entry & 0x7FF);
    }
}

} // namespace zk
