// The multi-level Huffman lookup tables against every code word of the ISO
// code tables.
#include "codec/layer3/huffman.h"
#include "engine/layer3/huffman_code_book.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace zk::test {
namespace {

// Bits as characters, read with the bit reader's interface.
class StringBits {
public:
    explicit StringBits(std::string bits) : bits_(std::move(bits)) {}
    uint32_t read_bits(int n) {
        uint32_t value = 0;
        for (int i = 0; i < n; ++i, ++position_)
            value = value << 1 | (position_ < bits_.size() && bits_[position_] == '1' ? 1u : 0u);
        return value;
    }
    void put_back_bits(int n) { position_ -= static_cast<size_t>(n); }
    size_t position() const { return position_; }

private:
    std::string bits_;
    size_t position_ = 0;
};

TEST(HuffmanLookup, EveryCodeWordDecodesToItsValueWithItsLength) {
    const HuffmanCodeBook book = HuffmanCodeBook::load();
    ASSERT_FALSE(book.empty()) << "ISO Huffman code words unreadable";
    std::mt19937 random(4);
    int checked = 0;
    for (int table = 1; table < 34; ++table) {
        const tables::HuffmanTable& lookup = tables::kHuffmanTables[table];
        ASSERT_EQ(lookup.entries == nullptr, book.words(table).empty()) << "table " << table;
        if (!lookup.entries) continue;
        EXPECT_EQ(lookup.linbits, book.linbits(table)) << "table " << table;
        for (const HuffmanCodeWord& word : book.words(table)) {
            // Whatever follows the code word must not matter.
            for (const char* tail : {"0000000000000000000", "1111111111111111111", ""}) {
                std::string bits = word.bits + tail;
                for (int i = 0; tail[0] == '\0' && i < 19; ++i) bits += static_cast<char>('0' + (random() & 1));
                StringBits reader(bits);
                EXPECT_EQ(huffman_decode(lookup, reader), word.value) << "table " << table << " code " << word.bits;
                EXPECT_EQ(reader.position(), word.bits.size()) << "table " << table << " code " << word.bits;
            }
            ++checked;
        }
    }
    EXPECT_EQ(checked, 4994);
}

} // namespace
} // namespace zk::test
