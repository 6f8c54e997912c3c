// The multi-level Huffman lookup tables against every code word of the ISO
// code tables.
#include "codec/layer3/huffman.h"
#include "engine/layer3/huffman_code_book.h"

#include <gtest/gtest.h>

#include <cmath>
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

class HuffmanLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        book_ = HuffmanCodeBook::load();
        if (book_.empty())
            GTEST_SKIP() << "ISO table folder not found";
    }
    HuffmanCodeBook book_;
};

TEST_F(HuffmanLookupTest, EveryCodeWordDecodesToItsValueWithItsLength) {
    std::mt19937 random(4);
    int checked = 0;
    for (int table = 1; table < 34; ++table) {
        const tables::HuffmanTable& lookup = tables::kHuffmanTables[table];
        ASSERT_EQ(lookup.entries == nullptr, book_.words(table).empty()) << "table " << table;
        if (!lookup.entries)
            continue;
        EXPECT_EQ(lookup.linbits, book_.linbits(table)) << "table " << table;
        for (const HuffmanCodeWord& word : book_.words(table)) {
            // Whatever follows the code word must not matter.
            for (const char* tail : {"0000000000000000000", "1111111111111111111", ""}) {
                std::string bits = word.bits + tail;
                for (int i = 0; tail[0] == '\0' && i < 19; ++i)
                    bits += static_cast<char>('0' + (random() & 1));
                StringBits reader(bits);
                EXPECT_EQ(huffman_decode(lookup, reader), word.value) << "table " << table << " code " << word.bits;
                EXPECT_EQ(reader.position(), word.bits.size()) << "table " << table << " code " << word.bits;
            }
            ++checked;
        }
    }
    EXPECT_EQ(checked, 4994);
}

TEST_F(HuffmanLookupTest, ConsecutiveCodeWordsDecodeInSequence) {
    for (int table : {1, 7, 13, 15, 16, 24, 32, 33}) {
        std::string bits;
        std::vector<unsigned> expected;
        for (const HuffmanCodeWord& word : book_.words(table)) {
            bits += word.bits;
            expected.push_back(word.value);
        }
        StringBits reader(bits);
        for (unsigned value : expected)
            ASSERT_EQ(huffman_decode(tables::kHuffmanTables[table], reader), value) << "table " << table;
        EXPECT_EQ(reader.position(), bits.size());
    }
}

TEST(Layer3Tables, PowerTableReachesTheLargestEscapeValue) {
    EXPECT_EQ(sizeof tables::kPower43 / sizeof tables::kPower43[0], 8207u);
    EXPECT_FLOAT_EQ(tables::kPower43[8206], static_cast<float>(std::pow(8206.0, 4.0 / 3.0)));
    EXPECT_FLOAT_EQ(tables::kPower43[15 + 8191], tables::kPower43[8206]);
    EXPECT_FLOAT_EQ(tables::kGain[tables::kGainOffset + 210], 1.0f);
    EXPECT_FLOAT_EQ(tables::kGain[tables::kGainOffset + 214], 2.0f);
}

} // namespace
} // namespace zk::test
