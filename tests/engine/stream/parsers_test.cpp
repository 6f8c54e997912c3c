// The reply and request texts of HTTP and FTP, radio metadata and proxy
// settings, parsed from buffers.
#include "input/stream/ftp_reply.h"
#include "input/stream/http_reply.h"
#include "input/stream/icy_stream.h"
#include "input/stream/proxy_choice.h"
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

TEST(HttpReply, RequestsAndTransferEncodings) {
    EXPECT_EQ(http_request_text("/a.mp3", "[::1]:8000"),
              "GET /a.mp3 HTTP/1.1\r\nHost: [::1]:8000\r\nUser-Agent: Zelkor/1.0\r\nAccept: */*\r\n"
              "Icy-MetaData: 1\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(http_connect_text("radio.example:443"),
              "CONNECT radio.example:443 HTTP/1.1\r\nHost: radio.example:443\r\nUser-Agent: Zelkor/1.0\r\n\r\n");
    for (const char* value : {"chunked", "Chunked", "gzip, chunked", "gzip,chunked "})
        EXPECT_TRUE(is_chunked(value)) << value;
    for (const char* value : {"", "gzip", "chunked, gzip", "xchunked", "chunkedx"})
        EXPECT_FALSE(is_chunked(value)) << value;
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

TEST(HttpReply, ByteRangesAskedAndAnswered) {
    EXPECT_EQ(http_request_text("/a.mp3", "h", 1234),
              "GET /a.mp3 HTTP/1.1\r\nHost: h\r\nUser-Agent: Zelkor/1.0\r\nAccept: */*\r\nRange: bytes=1234-\r\n"
              "Icy-MetaData: 1\r\nConnection: close\r\n\r\n");
    uint32_t first = 9, total = 9;
    EXPECT_TRUE(parse_content_range("bytes 100-999/1000", first, total));
    EXPECT_EQ(first, 100u);
    EXPECT_EQ(total, 1000u);
    EXPECT_TRUE(parse_content_range("bytes 0-4294967294/4294967295", first, total));
    EXPECT_EQ(total, 4294967295u);
    EXPECT_TRUE(parse_content_range("bytes 5-9/*", first, total));
    EXPECT_EQ(first, 5u);
    EXPECT_EQ(total, 0u) << "a total the server does not know";
    for (const char* bad : {"bytes */1000", "bytes 9-5/1000", "bytes 0-1000/1000", "items 0-9/10", "bytes 0-9",
                            "bytes -9/10", "bytes 0-9/4294967296"}) {
        EXPECT_FALSE(parse_content_range(bad, first, total)) << bad;
    }
    EXPECT_TRUE(accepts_byte_ranges(" Bytes "));
    EXPECT_FALSE(accepts_byte_ranges("none"));
    EXPECT_FALSE(accepts_byte_ranges("bytes, other"));
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

TEST(FtpReply, PassivePortsAndMalformedPassiveReplies) {
    uint16_t port = 0;
    EXPECT_TRUE(ftp_epsv_port("229 Entering Extended Passive Mode (|||6446|)", port));
    EXPECT_EQ(port, 6446);
    EXPECT_TRUE(ftp_epsv_port("229 ok (!!!21!)", port));
    EXPECT_EQ(port, 21);
    for (const char* reply : {"229 ok", "229 (|||0|)", "229 (|||70000|)", "229 (||6446|)", "229 (|||6446)", "229 ("})
        EXPECT_FALSE(ftp_epsv_port(reply, port)) << reply;
    EXPECT_TRUE(ftp_pasv_port("227 Entering Passive Mode (192,168,1,2,195,149).", port));
    EXPECT_EQ(port, 195 * 256 + 149);
    EXPECT_TRUE(ftp_pasv_port("227 =10,0,0,1,0,21", port));
    EXPECT_EQ(port, 21);
    for (const char* reply : {"227 ok", "227 (1,2,3,4,5)", "227 (1,2,3,4,256,1)", "227 (1,2,3,4,0,0)", "227", ""})
        EXPECT_FALSE(ftp_pasv_port(reply, port)) << reply;
}

TEST(FtpReply, PortCommandFromAddressAndPort) {
    EXPECT_EQ(ftp_port_command(0x7F000001, 0x1234), "PORT 127,0,0,1,18,52\r\n");
    EXPECT_EQ(ftp_port_command(0xC0A80A05, 21), "PORT 192,168,10,5,0,21\r\n");
}

TEST(IcyMetadata, StreamTitles) {
    struct Case {
        std::string metadata;
        bool found;
        std::string title;
    } cases[] = {
        {"StreamTitle='Artist - Song';StreamUrl='http://x/';", true, "Artist - Song"},
        {std::string("StreamTitle='Rock n' Roll';\0\0\0", 31), true, "Rock n' Roll"},
        {"StreamTitle='';", true, ""},
        {"StreamTitle='Cut off", true, "Cut off"},
        {"StreamTitle='Tab\there\x01';", true, "Tab here "},
        {"StreamUrl='http://x/';", false, ""},
        {std::string(16, '\0'), false, ""},
    };
    for (const Case& c : cases) {
        std::string title = "unchanged";
        EXPECT_EQ(stream_title_of(c.metadata, title), c.found) << c.metadata;
        EXPECT_EQ(title, c.found ? c.title : "unchanged") << c.metadata;
    }
}

TEST(ProxyChoice, EnvironmentTextsAndExceptions) {
    HttpProxy proxy;
    EXPECT_TRUE(parse_proxy_text("http://user:pw@proxy.example:3128/", proxy));
    EXPECT_EQ(proxy.host, "proxy.example");
    EXPECT_EQ(proxy.port, 3128);
    EXPECT_TRUE(parse_proxy_text("10.0.0.1:8080", proxy));
    EXPECT_EQ(proxy.host, "10.0.0.1");
    EXPECT_TRUE(parse_proxy_text("HTTP://[::1]", proxy));
    EXPECT_EQ(proxy.host, "::1");
    EXPECT_EQ(proxy.port, 80);
    for (const char* text : {"", "socks5://proxy:1080", "https://proxy:443", "http://proxy:0"})
        EXPECT_FALSE(parse_proxy_text(text, proxy)) << text;

    EXPECT_TRUE(bypasses_proxy("*", "anything.example"));
    EXPECT_TRUE(bypasses_proxy("localhost, .example.org", "radio.Example.org"));
    EXPECT_TRUE(bypasses_proxy("example.org", "example.org"));
    EXPECT_TRUE(bypasses_proxy("127.0.0.1:8000,::1", "::1"));
    EXPECT_FALSE(bypasses_proxy("example.org", "badexample.org"));
    EXPECT_FALSE(bypasses_proxy("", "example.org"));
    EXPECT_FALSE(bypasses_proxy(",,", "example.org"));

    ProxySettings proxies;
    proxies.http = {"http-proxy", 3128};
    proxies.https = {"https-proxy", 3129};
    proxies.no_proxy = "local.example";
    StreamUrl url;
    ASSERT_EQ(parse_stream_url("http://radio.example/", url), 0);
    EXPECT_EQ(proxy_for(proxies, url)->host, "http-proxy");
    ASSERT_EQ(parse_stream_url("https://radio.example/", url), 0);
    EXPECT_EQ(proxy_for(proxies, url)->host, "https-proxy");
    ASSERT_EQ(parse_stream_url("https://a.local.example/", url), 0);
    EXPECT_EQ(proxy_for(proxies, url), nullptr);
    ASSERT_EQ(parse_stream_url("ftp://radio.example/", url), 0);
    EXPECT_EQ(proxy_for(proxies, url), nullptr);
    // The decoder's own proxy comes first and knows no exceptions.
    proxies.configured = {"configured", 8080};
    ASSERT_EQ(parse_stream_url("https://a.local.example/", url), 0);
    EXPECT_EQ(proxy_for(proxies, url)->host, "configured");
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
