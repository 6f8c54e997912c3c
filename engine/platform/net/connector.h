// TCP connections with a time limit.
#pragma once

#include "platform/net/address.h"
#include "platform/net/socket.h"

#include <cstdint>

namespace zk::platform {

// Connects to the address (either family) on a helper thread waited for at
// most timeout_ms. 0 with the socket; ZK_ERROR_TIMEOUT, ZK_ERROR_CONNECTION_REFUSED,
// ZK_ERROR_INTERNAL (no helper) or ZK_FAILURE otherwise. system_error gets the
// errno of a failed attempt (0 when there is none).
int32_t connect_tcp(const NetAddress& address, int timeout_ms, Socket& connected, int& system_error);

} // namespace zk::platform
