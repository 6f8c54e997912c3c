#include "input/stream/stream_settings.h"

#include <algorithm>

namespace zk::stream {

namespace {

void read_integer(ZK_Decoder* decoder, const char* name, int32_t& value) {
    int32_t set = 0;
    if (decoder && decoder->get_integer && decoder->get_integer(decoder, name, &set) == 0) value = set;
}

} // namespace

int32_t read_stream_settings(ZK_Decoder* decoder, StreamSettings& settings) {
    read_integer(decoder, "INPUT.STREAM.BUFFER-SIZE", settings.buffer_size);
    read_integer(decoder, "INPUT.STREAM.MAX-PACKET-SIZE", settings.max_packet);
    read_integer(decoder, "INPUT.STREAM.HIGH-MARK", settings.high_mark);
    read_integer(decoder, "INPUT.STREAM.READ-TIMEOUT", settings.read_timeout);
    read_integer(decoder, "INPUT.STREAM.MAX-ACCU", settings.max_accu);
    read_integer(decoder, "INPUT.STREAM.FORCE-FILL-ZONE", settings.force_fill_zone);
    if (settings.max_packet <= 0 || settings.buffer_size <= 2 * int64_t{settings.max_packet} ||
        settings.high_mark < 0 || settings.read_timeout < 0 || settings.max_accu < 0 || settings.force_fill_zone < 0)
        return ZK_ERROR_INVALID_PARAMETERS;
    settings.high_mark = std::min(settings.high_mark, settings.fillable());
    return 0;
}

HttpProxy read_http_proxy(ZK_Decoder* decoder) {
    HttpProxy proxy;
    char host[1024];
    if (!decoder || !decoder->get_string_sized ||
        decoder->get_string_sized(decoder, "NETWORK.HTTP.PROXY.HOSTNAME", host, sizeof host) != 0)
        return proxy;
    proxy.host = host;
    int32_t port = 0;
    read_integer(decoder, "NETWORK.HTTP.PROXY.PORT", port);
    if (port > 0 && port <= 65535) proxy.port = static_cast<uint16_t>(port);
    return proxy;
}

} // namespace zk::stream
