// FTP replies: single and multi-line replies as the network input reads them
// from its control connection, and the size announced in a reply text.
#include "input/stream/ftp_reply.h"
#include "input/stream/line_reader.h"
#include "support/reply_socket.h"
#include "zelkor.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 200000) return 0;
    ReplySocket server(data, size);
    zk::stream::LineReader reader(server.transport(), 1000, 256, 65536, ZK_ERROR_INVALID_FTP_REPLY);
    std::string line;
    while (reader.read_line(line) == 0) {
        std::string reply = line;
        if (zk::stream::ftp_opens_multiline_reply(reply)) {
            bool ended = false;
            while (!ended && reader.read_line(line) == 0) {
                reply += '\n';
                reply += line;
                ended = zk::stream::ftp_ends_multiline_reply(reply, line);
            }
            if (!ended) break;
        }
        zk::stream::ftp_reply_size(reply);
    }
    return 0;
}
