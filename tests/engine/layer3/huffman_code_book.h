// The layer III Huffman code words of dist10/huffcode, read from the ISO
// table folder, for decoding tests and for writing test streams.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zk::test {

struct HuffmanCodeWord {
    unsigned value;   // x << 4 | y for pairs, v w x y for quadruples
    std::string bits; // '0' and '1'
};

class HuffmanCodeBook {
public:
    // Empty when the ISO table file cannot be read.
    static HuffmanCodeBook load() {
        HuffmanCodeBook book;
        std::ifstream in(std::string(TAERIN_ISO_TABLES_DIR) + "/dist10/huffcode");
        std::map<int, int> reference;
        int table = -1;
        for (std::string line; std::getline(in, line);) {
            std::istringstream words(line);
            std::vector<std::string> fields;
            for (std::string field; words >> field;) fields.push_back(field);
            if (fields.empty() || fields[0][0] == '#') continue;
            if (fields[0] == ".end") break;
            if (fields[0] == ".table") {
                table = std::stoi(fields.at(1));
                book.linbits_[table] = std::stoi(fields.at(4));
                book.codes_[table];
            } else if (fields[0] == ".reference" || fields[0] == ".referenz") {
                reference[table] = std::stoi(fields.at(1));
            } else if (fields.size() == 4) {
                book.codes_[table].push_back({unsigned(std::stoi(fields[0]) << 4 | std::stoi(fields[1])), fields[3]});
            } else {
                book.codes_[table].push_back({unsigned(std::stoi(fields[0])), fields.at(2)});
            }
        }
        for (const auto& [to, from] : reference) book.codes_[to] = book.codes_[from];
        return book;
    }

    bool empty() const { return codes_.empty(); }
    // Code words of a table (0..33), reference tables expanded.
    const std::vector<HuffmanCodeWord>& words(int table) const { return codes_.at(table); }
    int linbits(int table) const { return linbits_.at(table); }
    const std::string& code(int table, unsigned value) const {
        for (const HuffmanCodeWord& word : codes_.at(table))
            if (word.value == value) return word.bits;
        throw std::out_of_range("no code word for the value");
    }

private:
    std::map<int, std::vector<HuffmanCodeWord>> codes_;
    std::map<int, int> linbits_;
};

} // namespace zk::test
