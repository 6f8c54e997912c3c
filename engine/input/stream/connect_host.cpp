#include "input/stream/stream_open.h"

#include "platform/net/connector.h"
#include "platform/net/resolver.h"
#include "platform/threads/wait_interruption.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace zk::stream {

int32_t connect_host(const std::string& host, uint16_t port, const OpenContext& context, platform::Socket& out) {
    char where[256];
    std::snprintf(where, sizeof where, "host %.200s, port %d", host.c_str(), port);
    context.trace.debug(0, "connecting", where);
    std::vector<platform::NetAddress> addresses;
    int system_error = 0;
    int32_t result = platform::resolve_host(host, port, context.limits.resolve, addresses);
    // Each address in the resolver's order until one answers.
    for (const platform::NetAddress& address : addresses) {
        result = platform::connect_tcp(address, context.limits.connect, out, system_error);
        if (result == 0 || platform::wait_interrupted()) break;
        if (addresses.size() > 1) context.trace.debug(1, "address did not answer", address.text());
    }
    if (result != 0) {
        const char* reason = system_error ? std::strerror(system_error) : zelkor_error_string(result);
        context.trace.debug(0, "connection failed", std::string(where) + ", " + reason);
        return result;
    }
    context.trace.debug(0, "connected", where);
    return 0;
}

} // namespace zk::stream
