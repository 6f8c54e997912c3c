#include "input/stream/stream_settings.h"

#include "input/stream/proxy_choice.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace zk::stream {

namespace {

void read_integer(ZK_Decoder* decoder, const char* name, int32_t& value) {
    int32_t set = 0;
    if (decoder && decoder->get_integer && decoder->get_integer(decoder, name, &set) == 0) value = set;
}

// The first of the environment variables that is set and not empty.
std::string environment_text(std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (const char* value = std::getenv(name); value && *value) return value;
    return {};
}

} // namespace

int32_t read_stream_settings(ZK_Decoder* decoder, StreamSettings& settings) {
    read_integer(decoder, "INPUT.STREAM.BUFFER-SIZE", settings.buffer_size);
    read_integer(decoder, "INPUT.STREAM.MAX-PACKET-SIZE", settings.max_packet);
    read_integer(decoder, "INPUT.STREAM.HIGH-MARK", settings.high_mark);
    read_integer(decoder, "INPUT.STREAM.READ-TIMEOUT", settings.read_timeout);
    read_integer(decoder, "INPUT.STREAM.MAX-ACCU", settings.max_accu);
    read_integer(decoder, "INPUT.STREAM.FORCE-FILL-ZONE", settings.force_fill_zone);
    read_integer(decoder, "INPUT.STREAM.STALL-TIMEOUT", settings.stall_timeout);
    if (settings.max_packet <= 0 || settings.buffer_size < 2 * int64_t{settings.max_packet} + kLargestDecoderRead ||
        settings.high_mark < 0 || settings.read_timeout <= 0 || settings.max_accu < 0 || settings.force_fill_zone < 0 ||
        settings.stall_timeout <= 0)
        return ZK_ERROR_INVALID_PARAMETERS;
    settings.high_mark = std::min(settings.high_mark, settings.fillable());
    return 0;
}

ProxySettings read_proxy_settings(ZK_Decoder* decoder) {
    ProxySettings proxies;
    char host[1024];
    if (decoder && decoder->get_string_sized &&
        decoder->get_string_sized(decoder, "NETWORK.HTTP.PROXY.HOSTNAME", host, sizeof host) == 0) {
        proxies.configured.host = host;
        int32_t port = 0;
        read_integer(decoder, "NETWORK.HTTP.PROXY.PORT", port);
        if (port > 0 && port <= 65535) proxies.configured.port = static_cast<uint16_t>(port);
    }
    // The upper-case HTTP_PROXY is left out: web servers set it from a request's "Proxy:" header.
    parse_proxy_text(environment_text({"http_proxy"}), proxies.http);
    parse_proxy_text(environment_text({"https_proxy", "HTTPS_PROXY"}), proxies.https);
    proxies.no_proxy = environment_text({"no_proxy", "NO_PROXY"});
    return proxies;
}

} // namespace zk::stream
