// Host names to IPv4 and IPv6 addresses.
#pragma once

#include "platform/net/address.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zk::platform {

// A host written as a dotted address: four decimal numbers up to 255, each
// pair separated by one character. True with the address (host byte order).
bool parse_dotted_address(const std::string& host, uint32_t& address);

// The host's addresses with port: a dotted address when the host begins with
// a digit 0-8 and reads as one, an IPv6 literal as it stands, otherwise the
// resolver's answers (IPv4 and IPv6, in its order), looked up on a helper
// thread waited for at most timeout_ms. 0, ZK_ERROR_HOST_UNKNOWN,
// ZK_ERROR_TIMEOUT, or ZK_ERROR_INTERNAL when no helper could be started.
int32_t resolve_host(const std::string& host, uint16_t port, int timeout_ms, std::vector<NetAddress>& addresses);

} // namespace zk::platform
