// The reply and request texts of HTTP and FTP, parsed from buffers.
#include "input/stream/ftp_reply.h"
#include "input/stream/http_reply.h"
#include "platform/net/resolver.h"

#include "zelkor.h"

#include <gtest/gtest.h>

namespace zk::stream {
namespace {

int32_t status_of(const std::string& line, char* status_class = nullptr) {
    char found = 0;
    const int32_t result = check_http_status_line(line, found);
    if (status_class) *status_class = found;
    return result;
}

TEST(HttpReply, StatusClassesDecide) {
    char status_class = 0;
    EXPECT_EQ(status_of("HTTP/1.0 200 OK", &status_class), 0);
    EXPECT_EQ(status_class, '2');
    EXPECT_EQ(status_of("HTTP/1.1 302 Found", &status_class), 0);
    EXPECT_EQ(status_class, '3');
    EXPECT_EQ(status_of("HTTP/1.1 100 Continue"), 0);
    EXPECT_EQ(status_of("HTTP/1.0 404 Not Found"), ZK_ERROR_HTTP_ERROR_REPLY);
    EXPECT_EQ(status_of("HTTP/1.0 503 Busy"), ZK_ERROR_HTTP_ERROR_REPLY);
    EXPECT_EQ(status_of("HTTP/1.0 600 Odd"), ZK_ERROR_HTTP);
    EXPECT_EQ(status_of("HTTP/1.0 x00 Odd"), ZK_ERROR_HTTP);
    EXPECT_EQ(status_of("HTTP/1.0 099 Odd"), ZK_ERROR_INVALID_HTTP_REPLY);
}

TEST(HttpReply, RadioServersAndMissingReasonsAreAccepted) {
    char status_class = 0;
    EXPECT_EQ(status_of("ICY 200 OK", &status_class), 0);
    EXPECT_EQ(status_class, '2');
    EXPECT_EQ(status_of("ICY 404 Resource Not Found"), ZK_ERROR_HTTP_ERROR_REPLY);
    EXPECT_EQ(status_of("HTTP/1.1 200"), 0);
}

TEST(HttpReply, MalformedStatusLines) {
    for (const char* line : {"", "HTTP/1.0", "HTTP/1.0 20", "HTTP/10 200 OK", "HTTP/1.0 2000 OK", "200 OK", "<html>",
                             "http/1.0 200 OK", "\x89PNG\x01\x02", "HTTP/1.0     "})
        EXPECT_EQ(status_of(line), ZK_ERROR_INVALID_HTTP_REPLY) << line;
}

TEST(HttpReply, HeaderNamesInAnyLetterCase) {
    std::string_view value;
    EXPECT_TRUE(header_value("Location: http://b/x", "Location", value));
    EXPECT_EQ(value, "http://b/x");
    EXPECT_TRUE(header_value("location:http://b/x  ", "Location", value));
    EXPECT_EQ(value, "http://b/x");
    EXPECT_TRUE(header_value("Content-length: 1234", "Content-Length", value));
    EXPECT_EQ(value, "1234");
    EXPECT_FALSE(header_value("Content-Location: /x", "Location", value));
    EXPECT_FALSE(header_value("Location", "Location", value));
    EXPECT_FALSE(header_value("X-Location: /x", "Location", value));
}

TEST(HttpReply, ContentLengthFitsThirtyTwoBits) {
    uint32_t size = 7;
    EXPECT_TRUE(parse_content_length("1234", size));
    EXPECT_EQ(size, 1234u);
    EXPECT_TRUE(parse_content_length("4294967295", size));
    EXPECT_EQ(size, 4294967295u);
    EXPECT_FALSE(parse_content_length("4294967296", size));
    EXPECT_FALSE(parse_content_length("99999999999999999999999", size));
    EXPECT_FALSE(parse_content_length("", size));
    EXPECT_FALSE(parse_content_length("12ab", size));
    EXPECT_FALSE(parse_content_length("-1", size));
}

TEST(FtpReply, MultilineReplies) {
    EXPECT_TRUE(ftp_opens_multiline_reply("220-Welcome"));
    EXPECT_FALSE(ftp_opens_multiline_reply("220 Ready"));
    EXPECT_FALSE(ftp_opens_multiline_reply("22"));
    EXPECT_FALSE(ftp_ends_multiline_reply("220-Welcome", "220-more"));
    EXPECT_FALSE(ftp_ends_multiline_reply("220-Welcome", "   230 inside text"));
    EXPECT_FALSE(ftp_ends_multiline_reply("220-Welcome", "221 other code"));
    EXPECT_TRUE(ftp_ends_multiline_reply("220-Welcome", "220 Ready"));
    EXPECT_TRUE(ftp_ends_multiline_reply("220-Welcome", "220"));
}

TEST(FtpReply, SizeFromTheFirstByteCount) {
    EXPECT_EQ(ftp_reply_size("150 Opening BINARY mode data connection for a.mp3 (321409 bytes)."), 321409u);
    EXPECT_EQ(ftp_reply_size("150 Opening (binary) for a (12 bytes) (34 bytes)"), 12u);
    EXPECT_EQ(ftp_reply_size("150 Opening data connection"), 0u);
    EXPECT_EQ(ftp_reply_size("150 (bytes) (x bytes) (12 byte)"), 0u);
    EXPECT_EQ(ftp_reply_size("150 (99999999999999999999 bytes)"), 0u);
}

TEST(FtpReply, PortCommandFromAddressAndPort) {
    EXPECT_EQ(ftp_port_command(0x7F000001, 0x1234), "PORT 127,0,0,1,18,52\r\n");
    EXPECT_EQ(ftp_port_command(0xC0A80A05, 21), "PORT 192,168,10,5,0,21\r\n");
}

TEST(DottedAddress, FourNumbersWithSingleSeparators) {
    uint32_t address = 0;
    EXPECT_TRUE(platform::parse_dotted_address("127.0.0.1", address));
    EXPECT_EQ(address, 0x7F000001u);
    EXPECT_TRUE(platform::parse_dotted_address("10-1-2-3", address));
    EXPECT_EQ(address, 0x0A010203u);
    for (const char* host :
         {"127.0.0", "127.0.0.1.", "127..0.1", "256.0.0.1", "12345.1.1", "1.2.3.4x", "3com.example", ""})
        EXPECT_FALSE(platform::parse_dotted_address(host, address)) << host;
}

} // namespace
} // namespace zk::stream
