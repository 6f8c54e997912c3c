// Writes bits most significant first, for hand-built frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zk::test {

class BitWriter {
public:
    void put(uint32_t value, int bits) {
        for (int i = bits - 1; i >= 0; --i) put_bit((value >> i) & 1);
    }
    void put_code(const std::string& code) { // '0' and '1'
        for (char c : code) put_bit(c == '1');
    }
    void append(const BitWriter& other) {
        for (size_t i = 0; i < other.bits_; ++i) put_bit((other.bytes_[i / 8] >> (7 - i % 8)) & 1);
    }
    size_t bits() const { return bits_; }
    // Exactly `length` bytes: zero bits after what was written, or cut.
    std::vector<uint8_t> finish(size_t length) const {
        std::vector<uint8_t> out = bytes_;
        out.resize(length, 0);
        return out;
    }

private:
    void put_bit(bool bit) {
        if (bits_ % 8 == 0) bytes_.push_back(0);
        if (bit) bytes_.back() |= static_cast<uint8_t>(0x80 >> (bits_ % 8));
        ++bits_;
    }
    std::vector<uint8_t> bytes_;
    size_t bits_ = 0;
};

} // namespace zk::test
