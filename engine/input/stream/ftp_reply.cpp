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

std::string ftp_port_command(uint32_t address, uint16_t port) {
    char text[64];
    std::snprintf(text, sizeof text, "PORT %u,%u,%u,%u,%u,%u\r\n", address >> 24, (address >> 16) & 0xFF,
                  (address >> 8) & 0xFF, address & 0xFF, port / 256u, port % 256u);
    return text;
}

} // namespace zk::stream
