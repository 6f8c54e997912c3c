#include "input/stream/tls_transport.h"

#include "zelkor.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <fcntl.h>
#include <new>

namespace zk::stream {

namespace {

using Clock = std::chrono::steady_clock;

struct ContextFree {
    void operator()(SSL_CTX* context) const { SSL_CTX_free(context); }
};
struct SessionFree {
    void operator()(SSL* session) const { SSL_free(session); }
};

int left_ms(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<long long>(left, 0));
}

// Waits as the last call on session asks: 1 to go on, 0 when the time is up
// (or the wait was cut short), an error code otherwise.
int32_t wait_as_asked(SSL* session, int fd, int result, int timeout_ms) {
    switch (SSL_get_error(session, result)) {
    case SSL_ERROR_WANT_READ: return platform::wait_readable(fd, timeout_ms);
    case SSL_ERROR_WANT_WRITE: return platform::wait_writable(fd, timeout_ms);
    case SSL_ERROR_ZERO_RETURN: return ZK_ERROR_SOCKET_CLOSED;
    default: return ZK_ERROR_TLS_FAILED;
    }
}

// The first error OpenSSL queued, as text.
std::string queued_error() {
    char text[256] = "unknown reason";
    if (const unsigned long code = ERR_get_error()) ERR_error_string_n(code, text, sizeof text);
    ERR_clear_error();
    return text;
}

bool is_address(const std::string& host) {
    unsigned char bytes[16];
    return ::inet_pton(AF_INET, host.c_str(), bytes) == 1 || ::inet_pton(AF_INET6, host.c_str(), bytes) == 1;
}

class TlsTransport final : public platform::Transport {
public:
    TlsTransport(platform::Socket socket, std::unique_ptr<SSL_CTX, ContextFree> context,
                 std::unique_ptr<SSL, SessionFree> session)
        : socket_(std::move(socket)), context_(std::move(context)), session_(std::move(session)) {}

    int32_t send_all(const void* data, size_t size) override {
        const auto* bytes = static_cast<const uint8_t*>(data);
        const auto deadline = Clock::now() + std::chrono::milliseconds(kSendLimitMs);
        while (size > 0) {
            size_t sent = 0;
            const int result = SSL_write_ex(session_.get(), bytes, size, &sent);
            if (result == 1) {
                bytes += sent;
                size -= sent;
                continue;
            }
            const int32_t waited = wait_as_asked(session_.get(), socket_.fd(), result, left_ms(deadline));
            ERR_clear_error();
            if (waited == 0) return ZK_ERROR_TIMEOUT;
            if (waited < 0) return ZK_ERROR_WRITE_FAILED;
        }
        return ZK_OK;
    }

    int32_t receive_within(void* buffer, size_t size, int timeout_ms) override {
        const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeout_ms, 0));
        for (;;) {
            size_t got = 0;
            const int result = SSL_read_ex(session_.get(), buffer, size, &got);
            if (result == 1) return static_cast<int32_t>(got);
            const int32_t waited = wait_as_asked(session_.get(), socket_.fd(), result, left_ms(deadline));
            ERR_clear_error();
            if (waited == 0) return ZK_ERROR_TIMEOUT;
            if (waited < 0) return waited == ZK_ERROR_TLS_FAILED ? ZK_ERROR_READ_FAILED : waited;
        }
    }

    int fd() const override { return socket_.fd(); }

private:
    static constexpr int kSendLimitMs = 10000;

    platform::Socket socket_;
    std::unique_ptr<SSL_CTX, ContextFree> context_;
    std::unique_ptr<SSL, SessionFree> session_;
};

} // namespace

int32_t open_tls(platform::Socket socket, const std::string& host, int timeout_ms, const StreamTrace& trace,
                 std::unique_ptr<platform::Transport>& out) {
    ERR_clear_error();
    std::unique_ptr<SSL_CTX, ContextFree> context(SSL_CTX_new(TLS_client_method()));
    if (!context) return ZK_ERROR_OUT_OF_MEMORY;
    SSL_CTX_set_min_proto_version(context.get(), TLS1_2_VERSION);
    SSL_CTX_set_default_verify_paths(context.get());
    SSL_CTX_set_verify(context.get(), SSL_VERIFY_PEER, nullptr);
    // Servers that close without a closing alert end their streams as well;
    // the reply's framing tells whether the body is whole.
    SSL_CTX_set_options(context.get(), SSL_OP_IGNORE_UNEXPECTED_EOF);
    std::unique_ptr<SSL, SessionFree> session(SSL_new(context.get()));
    if (!session) return ZK_ERROR_OUT_OF_MEMORY;
    if (is_address(host)) {
        X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(session.get()), host.c_str());
    } else {
        SSL_set_tlsext_host_name(session.get(), host.c_str());
        SSL_set1_host(session.get(), host.c_str());
    }
    ::fcntl(socket.fd(), F_SETFL, ::fcntl(socket.fd(), F_GETFL) | O_NONBLOCK);
    SSL_set_fd(session.get(), socket.fd());

    trace.debug(1, "starting tls", host);
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeout_ms, 0));
    for (;;) {
        const int result = SSL_connect(session.get());
        if (result == 1) break;
        const int32_t waited = wait_as_asked(session.get(), socket.fd(), result, left_ms(deadline));
        if (waited == 1) continue;
        if (waited == 0) {
            trace.debug(0, "tls handshake timed out", host);
            return ZK_ERROR_TIMEOUT;
        }
        const long verified = SSL_get_verify_result(session.get());
        if (verified != X509_V_OK) {
            ERR_clear_error();
            const char* reason = X509_verify_cert_error_string(verified);
            trace.debug(0, "certificate refused", reason);
            trace.error(ZK_ERROR_CERTIFICATE_REFUSED, "certificate refused", host + ": " + reason);
            return ZK_ERROR_CERTIFICATE_REFUSED;
        }
        const std::string reason = waited == ZK_ERROR_SOCKET_CLOSED ? "connection closed" : queued_error();
        trace.debug(0, "tls handshake failed", reason);
        trace.error(ZK_ERROR_TLS_FAILED, "tls handshake failed", host + ": " + reason);
        return ZK_ERROR_TLS_FAILED;
    }
    trace.debug(1, "tls established", SSL_get_version(session.get()));
    auto* transport = new (std::nothrow) TlsTransport(std::move(socket), std::move(context), std::move(session));
    if (!transport) return ZK_ERROR_OUT_OF_MEMORY;
    out.reset(transport);
    return 0;
}

} // namespace zk::stream
