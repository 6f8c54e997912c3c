#include "input/stream/ftp_reply.h"

#include <cstdio>

namespace zk::stream {

bool ftp_opens_multiline_reply(std::string_view line) { return line.size() >= 4 && line[3] == '-'; }

bool ftp_ends_multiline_reply(std::string_view first, std::string_view line) {
    return line.size() >= 3 && line.substr(0, 3) == first.substr(0, 3) && (line.size() == 3 || line[3] != '-');
}

uint32_t ftp_reply_size(std::string_view text) {
    constexpr std::string_view unit = " bytes)";
    for (size_t open = text.find('('); open != std::string_view::npos; open = text.find('(', open + 1)) {
        size_t at = open + 1;
        uint64_t number = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && number <= 0xFFFFFFFFu)
            number = number * 10 + static_cast<uint64_t>(text[at++] - '0');
        if (at == open + 1 || text.substr(at, unit.size()) != unit) continue;
        return number > 0xFFFFFFFFu ? 0 : static_cast<uint32_t>(number);
    }
    return 0;
}

namespace {

// A decimal number of at most max at text[at], moving at past it.
bool read_number(std::string_view text, size_t& at, uint32_t max, uint32_t& number) {
    const size_t start = at;
    number = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 6)
        number = number * 10 + static_cast<uint32_t>(text[at++] - '0');
    return at > start && number <= max;
}

} // namespace

bool ftp_epsv_port(std::string_view reply, uint16_t& port) {
    size_t at = reply.find('(');
    if (at == std::string_view::npos || at + 4 >= reply.size()) return false;
    const char delimiter = reply[++at];
    if (reply[at + 1] != delimiter || reply[at + 2] != delimiter) return false;
    at += 3;
    uint32_t number = 0;
    if (!read_number(reply, at, 65535, number) || number == 0 || at >= reply.size() || reply[at] != delimiter)
        return false;
    port = static_cast<uint16_t>(number);
    return true;
}

bool ftp_pasv_port(std::string_view reply, uint16_t& port) {
    // The six numbers follow the first digit after the reply code.
    size_t at = reply.find_first_of("0123456789", 4);
    if (reply.size() < 4 || at == std::string_view::npos) return false;
    uint32_t numbers[6];
    for (int i = 0; i < 6; ++i) {
        if (i > 0 && (at >= reply.size() || reply[at++] != ',')) return false;
        if (!read_number(reply, at, 255, numbers[i])) return false;
    }
    const uint32_t number = numbers[4] * 256 + numbers[5];
    if (number == 0) return false;
    port = static_cast<uint16_t>(number);
    return true;
}

std::string ftp_port_command(uint32_t address, uint16_t port) {
    char text[64];
    std::snprintf(text, sizeof text, "PORT %u,%u,%u,%u,%u,%u\r\n", address >> 24, (address >> 16) & 0xFF,
                  (address >> 8) & 0xFF, address & 0xFF, port / 256u, port % 256u);
    return text;
}

} // namespace zk::stream
