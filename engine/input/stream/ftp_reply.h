// The texts of the FTP dialogue: reply lines and the commands built from numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zk::stream {

// A reply line whose fourth character is "-" opens a multi-line reply.
bool ftp_opens_multiline_reply(std::string_view line);
// Whether line ends the multi-line reply that first opened.
bool ftp_ends_multiline_reply(std::string_view first, std::string_view line);

// The size in the first "(N bytes)" of a reply text, 0 when there is none.
uint32_t ftp_reply_size(std::string_view text);

// The port of a passive reply: "229 ... (|||port|)" for EPSV (any delimiter),
// "227 ... (h1,h2,h3,h4,p1,p2)" for PASV. False when the reply has none.
bool ftp_epsv_port(std::string_view reply, uint16_t& port);
bool ftp_pasv_port(std::string_view reply, uint16_t& port);

// "PORT a,b,c,d,p1,p2\r\n" for an IPv4 address and port (host byte order).
std::string ftp_port_command(uint32_t address, uint16_t port);

} // namespace zk::stream
