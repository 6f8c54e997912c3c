// The layer III Huffman code words of dist10/huffcode, read from the ISO
// table folder, for decoding tests and for writing test streams.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace zk::test {

struct HuffmanCodeWord {
    unsigned value;   // x << 4 | y for pairs, v w x y for quadruples
    std::string bits; // '0' and '1'
};

class HuffmanCodeBook {
public:
    // The ISO table folder beside the repository, or empty when absent.
    static std::string iso_tables_dir();
    // Reads dist10/huffcode; empty when the folder is absent.
    static HuffmanCodeBook load();

    bool empty() const { return codes_.empty(); }
    // Code words of a table (0..33), reference tables expanded.
    const std::vector<HuffmanCodeWord>& words(int table) const;
    int linbits(int table) const { return linbits_.at(table); }
    const std::string& code(int table, unsigned value) const;

private:
    std::map<int, std::vector<HuffmanCodeWord>> codes_;
    std::map<int, int> linbits_;
};

} // namespace zk::test
