#include "engine/layer3/huffman_code_book.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zk::test {

std::string HuffmanCodeBook::iso_tables_dir() {
    const std::string dir = std::string(TAERIN_SOURCE_DIR) + "/../shared/iso-tables";
    return std::filesystem::is_directory(dir) ? dir : std::string();
}

HuffmanCodeBook HuffmanCodeBook::load() {
    HuffmanCodeBook book;
    const std::string dir = iso_tables_dir();
    if (dir.empty())
        return book;
    std::ifstream in(dir + "/dist10/huffcode");
    std::map<int, int> reference;
    std::string line;
    int table = -1;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first[0] == '#')
            continue;
        if (first == ".end")
            break;
        if (first == ".table") {
            int xlen, ylen, linbits;
            words >> table >> xlen >> ylen >> linbits;
            book.linbits_[table] = linbits;
            book.codes_[table];
        } else if (first == ".reference" || first == ".referenz") {
            words >> reference[table];
        } else {
            std::vector<std::string> fields{first};
            for (std::string field; words >> field;)
                fields.push_back(field);
            HuffmanCodeWord word;
            if (fields.size() == 4)
                word = {static_cast<unsigned>(std::stoi(fields[0]) << 4 | std::stoi(fields[1])), fields[3]};
            else
                word = {static_cast<unsigned>(std::stoi(fields[0])), fields[2]};
            book.codes_[table].push_back(word);
        }
    }
    for (const auto& [to, from] : reference)
        book.codes_[to] = book.codes_[from];
    return book;
}

const std::vector<HuffmanCodeWord>& HuffmanCodeBook::words(int table) const { return codes_.at(table); }

const std::string& HuffmanCodeBook::code(int table, unsigned value) const {
    for (const HuffmanCodeWord& word : codes_.at(table))
        if (word.value == value)
            return word.bits;
    throw std::out_of_range("no code word for the value");
}

} // namespace zk::test
