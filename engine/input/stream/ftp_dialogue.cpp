#include "input/stream/ftp_reply.h"
#include "input/stream/line_reader.h"
#include "input/stream/stream_open.h"
#include "platform/net/connector.h"

#include <cerrno>
#include <cstring>

namespace zk::stream {

namespace {

constexpr size_t kFtpLineKept = 256;
constexpr size_t kFtpDialogueBudget = 65536; // replies longer than this in all are refused

// The steps of the dialogue, named by what the last command was.
enum class Step { greeting, user, password, type, extended_passive, passive, port, retrieve };

// Steps whose refusal moves on to the next way of opening the data connection.
bool has_fallback(Step step) { return step == Step::extended_passive || step == Step::passive; }

// One reply, multi-line replies as their first line followed by the others.
int32_t read_reply(LineReader& reader, const StreamTrace& trace, std::string& reply) {
    std::string line;
    int32_t result = reader.read_line(line);
    if (result != 0) return result;
    trace.debug(2, "ftp reply", line);
    reply = line;
    if (!ftp_opens_multiline_reply(reply)) return 0;
    do {
        if ((result = reader.read_line(line)) != 0) return result;
        trace.debug(2, "ftp reply", line);
        reply += '\n';
        reply += line;
    } while (!ftp_ends_multiline_reply(reply, line));
    return 0;
}

// Whether a reply of this class lets the dialogue go on after step.
bool expected(Step step, char reply_class) {
    switch (step) {
    case Step::greeting: return reply_class == '2';
    case Step::user: return reply_class == '3' || reply_class == '2'; // 2: logged in without a password
    case Step::retrieve: return reply_class == '1';
    default: return reply_class == '2';
    }
}

class FtpDialogue {
public:
    FtpDialogue(const StreamUrl& url, const OpenContext& context, StreamConnection& connection, uint32_t& size)
        : url_(url), context_(context), trace_(context.trace), connection_(connection), size_(size) {}

    int32_t run() {
        platform::Socket control;
        int32_t result = connect_host(url_.host, url_.port, context_, control);
        if (result != 0) return result;
        connection_.control = std::make_unique<platform::PlainTransport>(std::move(control));
        size_ = 0;
        LineReader reader(*connection_.control, context_.limits.ftp_byte, kFtpLineKept, kFtpDialogueBudget,
                          ZK_ERROR_INVALID_FTP_REPLY, context_.limits.ftp_replies);
        Step step = Step::greeting;
        std::string reply;
        for (;;) {
            if ((result = read_reply(reader, trace_, reply)) != 0) break;
            const char reply_class = reply[0];
            if (!has_fallback(step)) {
                if (reply_class < '1' || reply_class > '3') {
                    trace_.debug(2, "errror code returned", reply.substr(0, 3));
                    break;
                }
                if (!expected(step, reply_class)) break;
            }
            if ((result = act(step, reply_class, reply)) != 0) break;
            if (receiving_) return 0;
        }
        connection_.close();
        return result != 0 ? result : ZK_ERROR_FTP_ERROR_REPLY;
    }

private:
    int32_t send(const std::string& command) {
        if (connection_.control->send_all(command.data(), command.size()) != 0) {
            trace_.debug(0, "error while sending request", std::strerror(errno));
            return ZK_FAILURE;
        }
        return 0;
    }

    // The answer to an expected reply: the next command, or the data connection.
    int32_t act(Step& step, char reply_class, const std::string& reply) {
        switch (step) {
        case Step::greeting:
            trace_.debug(1, "logging in as", *url_.user);
            step = Step::user;
            return send("USER " + *url_.user + "\r\n");
        case Step::user:
            if (reply_class == '3') {
                trace_.debug(2, "sending PASS");
                step = Step::password;
                return send("PASS " + *url_.password + "\r\n");
            }
            [[fallthrough]];
        case Step::password: step = Step::type; return send("TYPE I\r\n");
        case Step::type:
            trace_.debug(2, "sending EPSV");
            step = Step::extended_passive;
            return send("EPSV\r\n");
        case Step::extended_passive:
            if (reply_class == '2' && connect_passive(reply, ftp_epsv_port)) return send_retrieve(step);
            trace_.debug(2, "sending PASV");
            step = Step::passive;
            return send("PASV\r\n");
        case Step::passive:
            if (reply_class == '2' && connect_passive(reply, ftp_pasv_port)) return send_retrieve(step);
            return send_port(step);
        case Step::port: return send_retrieve(step);
        case Step::retrieve: size_ = ftp_reply_size(reply); return connection_.data ? start_receiving() : accept_data();
        }
        return ZK_ERROR_INTERNAL;
    }

    int32_t send_retrieve(Step& step) {
        trace_.debug(2, "sending RETR", url_.path);
        step = Step::retrieve;
        return send("RETR " + url_.path + "\r\n");
    }

    // Connects to the port a passive reply names, on the address of the
    // control connection: an address in the reply may be one the server
    // cannot be reached at (behind NAT) or another host altogether.
    bool connect_passive(const std::string& reply, bool (*port_of)(std::string_view, uint16_t&)) {
        uint16_t port = 0;
        if (!port_of(reply, port)) {
            trace_.debug(1, "passive reply without port", reply);
            return false;
        }
        const platform::NetAddress server = platform::NetAddress::peer_of(connection_.control->fd());
        platform::Socket data;
        int system_error = 0;
        if (server.length == 0 ||
            platform::connect_tcp(server.with_port(port), context_.limits.connect, data, system_error) != 0) {
            trace_.debug(1, "cannot connect passive data socket", std::to_string(port));
            return false;
        }
        trace_.debug(1, "passive data connection", server.text() + " port " + std::to_string(port));
        connection_.data = std::make_unique<platform::PlainTransport>(std::move(data));
        return true;
    }

    int32_t start_receiving() {
        trace_.debug(0, "connected and receiving");
        receiving_ = true;
        return 0;
    }

    int32_t send_port(Step& step) {
        // The listener takes the address the server already reaches us at.
        uint32_t address = 0;
        uint16_t control_port = 0, port = 0;
        int32_t result = platform::local_endpoint(connection_.control->fd(), address, control_port);
        if (result == 0) result = platform::open_listener(address, connection_.listener);
        if (result == 0) result = platform::local_endpoint(connection_.listener.fd(), address, port);
        if (result != 0) return result;
        trace_.debug(2, "sending PORT", std::to_string(port));
        step = Step::port;
        return send(ftp_port_command(address, port));
    }

    int32_t accept_data() {
        trace_.debug(1, "accepting data socket");
        platform::Socket data;
        const int32_t result = platform::accept_within(connection_.listener, context_.limits.accept, data);
        if (result != 0) {
            const char* reason = result == ZK_ERROR_ACCEPT_FAILED ? std::strerror(errno) : zelkor_error_string(result);
            trace_.debug(1, "cannot accept data socket", reason);
            return result;
        }
        trace_.debug(1, "got connection on data socket");
        connection_.listener.close();
        connection_.data = std::make_unique<platform::PlainTransport>(std::move(data));
        return start_receiving();
    }

    const StreamUrl& url_;
    const OpenContext& context_;
    const StreamTrace& trace_;
    StreamConnection& connection_;
    uint32_t& size_;
    bool receiving_ = false;
};

} // namespace

int32_t ftp_dialogue(const StreamUrl& url, const OpenContext& context, StreamConnection& connection, uint32_t& size) {
    return FtpDialogue(url, context, connection, size).run();
}

} // namespace zk::stream
