// URLs of the network input, and redirect locations resolved against them.
// Input: the URL, optionally followed by a newline and a location.
#include "input/stream/stream_url.h"
#include "zelkor.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t newline = input.find('\n');
    const std::string_view text = input.substr(0, newline);
    zk::stream::StreamUrl url;
    if (zk::stream::parse_stream_url(text, url) != 0) return 0;
    if ((url.scheme == zk::stream::Scheme::http || url.scheme == zk::stream::Scheme::ftp) && url.host.empty())
        std::abort();
    if (newline == std::string_view::npos) return 0;
    const std::string resolved = zk::stream::resolve_location(url, input.substr(newline + 1));
    zk::stream::StreamUrl target;
    zk::stream::parse_stream_url(resolved, target);
    return 0;
}
