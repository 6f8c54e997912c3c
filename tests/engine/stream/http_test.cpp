// The HTTP exchange against a scripted server: requests, replies, redirects,
// stalls and broken replies.
#include "scripted_server.h"
#include "trace_log.h"

#include <gtest/gtest.h>

namespace zk::stream {
namespace {

using test::ScriptedServer;
using test::ServerConnection;

using test::Opened;

ScriptedServer::Script reply(const std::string& text) {
    return [text](ServerConnection& c) {
        c.read_request();
        c.send(text);
    };
}

TEST(HttpExchange, RequestsThePathAndDeliversTheBody) {
    ScriptedServer server(reply("HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\n\r\nMPEG-DATA"));
    test::TraceLog log;
    Opened opened = log.open(server.url("/music/a.mp3"));
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.body, "MPEG-DATA");
    EXPECT_EQ(opened.size, 0u);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0], "GET /music/a.mp3 HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()) +
                                        "\r\nUser-Agent: Zelkor/1.0\r\nAccept: */*\r\nIcy-MetaData: 1\r\n"
                                        "Connection: close\r\n\r\n");
    EXPECT_TRUE(log.has_debug("0 connecting: host 127.0.0.1, port " + std::to_string(server.port())));
    EXPECT_TRUE(log.has_debug("1 requesting data: /music/a.mp3"));
    EXPECT_TRUE(log.has_debug("1 got http reply: HTTP/1.0 200 OK"));
    EXPECT_TRUE(log.has_debug("1 http header: Content-Type: audio/mpeg"));
    EXPECT_TRUE(log.has_debug("0 http request successfull"));
}

// Replies that open, and replies that fail with their codes.
TEST(HttpExchange, RepliesAndTheirResults) {
    struct Case {
        std::string reply;
        int32_t result;
        uint32_t size;
        std::string body;
    } cases[] = {
        {"HTTP/1.1 200 OK\r\ncontent-length: 99\r\n\r\n", 0, 99, ""},
        {"HTTP/1.1 200 OK\r\nContent-Length: lots\r\n\r\n", 0, 0, ""},
        {"ICY 200 OK\r\nicy-name: Test\r\n\r\nICYDATA", 0, 0, "ICYDATA"},
        {"\r\nRAW", 0, 0, "RAW"}, // an empty first line: the stream follows at once
        {"HTTP/1.0 404 Not Found\r\n\r\n", ZK_ERROR_HTTP_ERROR_REPLY, 0, ""},
        {"HTTP/1.0 600 Strange\r\n\r\n", ZK_ERROR_HTTP, 0, ""},
        {"HTTP/1.0 000 Zero\r\n\r\n", ZK_ERROR_INVALID_HTTP_REPLY, 0, ""},
        {std::string("\x01\x02garbage\xff\n", 12), ZK_ERROR_INVALID_HTTP_REPLY, 0, ""},
        {"", ZK_ERROR_SOCKET_CLOSED, 0, ""},
        {"HTTP/1.0 200 OK\r\nContent-Le", ZK_ERROR_SOCKET_CLOSED, 0, ""},
    };
    for (const Case& c : cases) {
        ScriptedServer server(reply(c.reply));
        test::TraceLog log;
        const Opened opened = log.open(server.url("/none.mp3"));
        EXPECT_EQ(opened.result, c.result) << c.reply;
        EXPECT_EQ(opened.size, c.size) << c.reply;
        EXPECT_EQ(opened.body, c.body) << c.reply;
        EXPECT_TRUE(c.result != ZK_ERROR_HTTP_ERROR_REPLY ||
                    log.has_debug("0 http request failed: HTTP/1.0 404 Not Found"));
    }
}

// What a reply says of its stream's size, start and byte ranges.
TEST(HttpExchange, ExtentsOfReplies) {
    struct Case {
        std::string reply;
        uint32_t from;
        stream::StreamExtent extent;
    } cases[] = {
        {"HTTP/1.1 200 OK\r\nContent-Length: 99\r\n\r\n", 0, {99, 0, false}},
        {"HTTP/1.1 200 OK\r\nContent-Length: 99\r\nAccept-Ranges: bytes\r\n\r\n", 0, {99, 0, true}},
        {"HTTP/1.1 200 OK\r\nAccept-Ranges: bytes\r\n\r\n", 0, {0, 0, false}}, // no size to seek in
        {"HTTP/1.1 200 OK\r\nContent-Length: 99\r\nAccept-Ranges: none\r\n\r\n", 0, {99, 0, false}},
        {"HTTP/1.1 200 OK\r\nContent-Length: 99\r\nAccept-Ranges: bytes\r\nicy-metaint: 8\r\n\r\n",
         0,
         {99, 0, false}}, // metadata blocks move the bytes
        {"HTTP/1.1 206 Partial Content\r\nContent-Length: 90\r\nContent-Range: bytes 10-99/100\r\n\r\n",
         10,
         {100, 10, true}},
        {"HTTP/1.1 206 Partial Content\r\nContent-Length: 90\r\nContent-Range: bytes 10-99/*\r\n\r\n",
         10,
         {100, 10, true}},
        {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n", 10, {100, 0, false}}, // the range ignored
    };
    for (const Case& c : cases) {
        ScriptedServer server(reply(c.reply));
        test::TraceLog log;
        const Opened opened = log.open(server.url("/a.mp3"), 300, c.from);
        EXPECT_EQ(opened.result, 0) << c.reply;
        EXPECT_EQ(opened.extent.size, c.extent.size) << c.reply;
        EXPECT_EQ(opened.extent.start, c.extent.start) << c.reply;
        EXPECT_EQ(opened.extent.byte_ranges, c.extent.byte_ranges) << c.reply;
        ASSERT_EQ(server.requests().size(), 1u);
        const bool asked = server.requests()[0].find("\r\nRange: bytes=10-\r\n") != std::string::npos;
        EXPECT_EQ(asked, c.from == 10) << server.requests()[0];
    }
}

TEST(HttpExchange, EndlessHeadersAreCutOff) {
    test::TraceLog log;
    ScriptedServer endless_lines([](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 200 OK\r\n");
        for (int i = 0; i < 20000; ++i) c.send("X-Padding: 0123456789\r\n");
    });
    // Limits long enough for 64 KiB read byte by byte under a sanitizer.
    EXPECT_EQ(log.open(endless_lines.url("/"), 20000).result, ZK_ERROR_INVALID_HTTP_REPLY);
    ScriptedServer endless_line([](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 200 OK\r\nX-Long: ");
        const std::string chunk(4096, 'a');
        for (int i = 0; i < 40; ++i) c.send(chunk);
    });
    EXPECT_EQ(log.open(endless_line.url("/"), 20000).result, ZK_ERROR_INVALID_HTTP_REPLY);
}

TEST(HttpExchange, ServerThatNeverAnswersTimesOut) {
    test::TraceLog log;
    ScriptedServer silent([](ServerConnection& c) {
        c.read_request();
        c.wait_for_close();
    });
    EXPECT_EQ(log.open(silent.url("/")).result, ZK_ERROR_TIMEOUT);
    ScriptedServer stalls_in_headers([](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 200 OK\r\nServer: slow");
        c.wait_for_close();
    });
    EXPECT_EQ(log.open(stalls_in_headers.url("/")).result, ZK_ERROR_TIMEOUT);
}

TEST(HttpExchange, RedirectLeadsToASecondRequest) {
    ScriptedServer target(reply("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nFINAL"));
    ScriptedServer first(
        reply("HTTP/1.0 302 Found\r\nContent-Length: 77\r\nLocation: " + target.url("/b.mp3") + "\r\n\r\n"));
    test::TraceLog log;
    Opened opened = log.open(first.url("/a.mp3"));
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.body, "FINAL");
    EXPECT_EQ(opened.size, 5u);
    ASSERT_EQ(target.requests().size(), 1u);
    EXPECT_EQ(target.requests()[0].substr(0, 21), "GET /b.mp3 HTTP/1.1\r\n");
    EXPECT_TRUE(log.has_debug("0 http redirect, new location: " + target.url("/b.mp3")));
}

TEST(HttpExchange, RelativeAndLongRedirectsStayOnTheServer) {
    const std::string long_path = "/cdn/" + std::string(1500, 'x') + ".mp3?token=" + std::string(500, '7');
    ScriptedServer server([&long_path](ServerConnection& c) {
        const std::string request = c.read_request();
        if (request.find("GET /old/a.mp3 ") == 0)
            c.send("HTTP/1.0 301 Moved\r\nLocation: /new/a.mp3\r\n\r\n");
        else if (request.find("GET /new/a.mp3 ") == 0)
            c.send("HTTP/1.0 307 Again\r\nLocation: b.mp3\r\n\r\n");
        else if (request.find("GET /new/b.mp3 ") == 0)
            c.send("HTTP/1.0 302 Found\r\nLocation: " + long_path + "\r\n\r\n");
        else if (request.find("GET " + long_path + " ") == 0)
            c.send("HTTP/1.0 200 OK\r\n\r\nLONG");
        else
            c.send("HTTP/1.0 404 Not Found\r\n\r\n");
    });
    test::TraceLog log;
    Opened opened = log.open(server.url("/old/a.mp3"));
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.body, "LONG");
    EXPECT_EQ(server.requests().size(), 4u);
}

TEST(HttpExchange, RedirectsThatMustNotBeFollowed) {
    test::TraceLog log;
    ScriptedServer loop(reply("HTTP/1.0 302 Found\r\nLocation: /a.mp3\r\n\r\n"));
    EXPECT_EQ(log.open(loop.url("/a.mp3")).result, ZK_ERROR_HTTP);
    EXPECT_TRUE(log.has_debug("http redirect loop"));
    EXPECT_EQ(loop.connections(), 1);

    int hops = 0;
    ScriptedServer endless([&hops](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 302 Found\r\nLocation: /hop" + std::to_string(++hops) + "\r\n\r\n");
    });
    EXPECT_EQ(log.open(endless.url("/start")).result, ZK_ERROR_HTTP);
    EXPECT_EQ(endless.connections(), kMaxRedirects + 1);
    EXPECT_TRUE(log.has_debug("too many http redirects"));

    ScriptedServer to_file(reply("HTTP/1.0 302 Found\r\nLocation: file:///etc/passwd\r\n\r\n"));
    EXPECT_EQ(log.open(to_file.url("/")).result, ZK_ERROR_UNSUPPORTED_URL_SCHEME);
    ScriptedServer to_gopher(reply("HTTP/1.0 302 Found\r\nLocation: gopher://x/\r\n\r\n"));
    EXPECT_EQ(log.open(to_gopher.url("/")).result, ZK_ERROR_UNSUPPORTED_URL_SCHEME);
    ScriptedServer without_location(reply("HTTP/1.0 302 Found\r\nContent-Length: 0\r\n\r\n"));
    EXPECT_EQ(log.open(without_location.url("/")).result, ZK_ERROR_INVALID_HTTP_REPLY);
    EXPECT_TRUE(log.has_debug("http redirect without location"));
    ScriptedServer empty_location(reply("HTTP/1.0 302 Found\r\nLocation: \r\n\r\n"));
    EXPECT_EQ(log.open(empty_location.url("/")).result, ZK_ERROR_INVALID_HTTP_REPLY);
}

TEST(HttpExchange, ProxyGetsTheFullUrl) {
    ScriptedServer proxy(reply("HTTP/1.0 200 OK\r\n\r\nVIA-PROXY"));
    test::TraceLog log;
    OpenContext context = log.context();
    context.proxies.configured = HttpProxy{"127.0.0.1", proxy.port()};
    Opened opened = test::open_and_receive("http://radio.invalid:8000/live.mp3", context);
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.body, "VIA-PROXY");
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0], "GET http://radio.invalid:8000/live.mp3 HTTP/1.1\r\nHost: radio.invalid:8000\r\n"
                                   "User-Agent: Zelkor/1.0\r\nAccept: */*\r\nIcy-MetaData: 1\r\n"
                                   "Connection: close\r\n\r\n");
}

} // namespace
} // namespace zk::stream
