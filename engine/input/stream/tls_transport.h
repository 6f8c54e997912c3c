// TLS over a connected socket, through OpenSSL: the server's certificate
// chain verified against the system's store (which honours SSL_CERT_FILE and
// SSL_CERT_DIR) and its name against the host.
#pragma once

#include "input/stream/stream_trace.h"
#include "platform/net/transport.h"

#include <memory>
#include <string>

namespace zk::stream {

// Makes the TLS handshake for host on socket within timeout_ms. 0 with the
// transport; ZK_ERROR_CERTIFICATE_REFUSED or ZK_ERROR_TLS_FAILED with the
// reason in an error report; ZK_ERROR_TIMEOUT; ZK_ERROR_OUT_OF_MEMORY.
int32_t open_tls(platform::Socket socket, const std::string& host, int timeout_ms, const StreamTrace& trace,
                 std::unique_ptr<platform::Transport>& out);

} // namespace zk::stream
