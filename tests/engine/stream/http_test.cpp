// The HTTP exchange against a scripted server: requests, replies, redirects,
// stalls and broken replies.
#include "scripted_server.h"
#include "trace_log.h"

#include <gtest/gtest.h>

#include <sys/socket.h>

namespace zk::stream {
namespace {

using test::ScriptedServer;
using test::ServerConnection;

struct Opened {
    int32_t result = 0;
    uint32_t size = 0;
    std::string body; // what the data connection delivers up to its end
};

Opened open_url(const std::string& text, test::TraceLog& log, OpenContext context) {
    Opened opened;
    StreamUrl url;
    EXPECT_EQ(parse_stream_url(text, url), 0);
    StreamConnection connection;
    opened.result = open_stream(url, context, connection, opened.size);
    if (opened.result == 0) {
        char buffer[4096];
        ssize_t got;
        while ((got = ::recv(connection.data.fd(), buffer, sizeof buffer, 0)) > 0) opened.body.append(buffer, got);
    }
    (void)log;
    return opened;
}

Opened open_url(const std::string& text, test::TraceLog& log) { return open_url(text, log, log.context()); }

ScriptedServer::Script reply(const std::string& text) {
    return [text](ServerConnection& c) {
        c.read_request();
        c.send(text);
    };
}

TEST(HttpExchange, RequestsThePathAndDeliversTheBody) {
    ScriptedServer server(reply("HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\n\r\nMPEG-DATA"));
    test::TraceLog log;
    Opened opened = open_url(server.url("/music/a.mp3"), log);
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.body, "MPEG-DATA");
    EXPECT_EQ(opened.size, 0u);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
              "GET /music/a.mp3 HTTP/1.0\r\nHost: 127.0.0.1\r\nUser-Agent: Zelkor/1.0\r\nAccept: */*\r\n\r\n");
    EXPECT_TRUE(log.has_debug("0 connecting: host 127.0.0.1, port " + std::to_string(server.port())));
    EXPECT_TRUE(log.has_debug("1 requesting data: /music/a.mp3"));
    EXPECT_TRUE(log.has_debug("1 got http reply: HTTP/1.0 200 OK"));
    EXPECT_TRUE(log.has_debug("1 http header: Content-Type: audio/mpeg"));
    EXPECT_TRUE(log.has_debug("0 http request successfull"));
}

TEST(HttpExchange, ContentLengthGivesTheSize) {
    ScriptedServer server(reply("HTTP/1.1 200 OK\r\nContent-Length: 1234\r\n\r\n"));
    test::TraceLog log;
    EXPECT_EQ(open_url(server.url("/a.mp3"), log).size, 1234u);
    ScriptedServer lower(reply("HTTP/1.1 200 OK\r\ncontent-length: 99\r\n\r\n"));
    EXPECT_EQ(open_url(lower.url("/a.mp3"), log).size, 99u);
    ScriptedServer bad(reply("HTTP/1.1 200 OK\r\nContent-Length: lots\r\n\r\n"));
    EXPECT_EQ(open_url(bad.url("/a.mp3"), log).size, 0u);
}

TEST(HttpExchange, RadioServerStatusAndEmptyStatusLine) {
    ScriptedServer icy(reply("ICY 200 OK\r\nicy-name: Test\r\n\r\nICYDATA"));
    test::TraceLog log;
    EXPECT_EQ(open_url(icy.url("/"), log).body, "ICYDATA");
    // An empty first line: the stream follows at once.
    ScriptedServer bare(reply("\r\nRAW"));
    Opened opened = open_url(bare.url("/"), log);
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.body, "RAW");
}

TEST(HttpExchange, ErrorStatusesGiveTheirCodes) {
    test::TraceLog log;
    ScriptedServer missing(reply("HTTP/1.0 404 Not Found\r\n\r\n"));
    EXPECT_EQ(open_url(missing.url("/none.mp3"), log).result, ZK_ERROR_HTTP_ERROR_REPLY);
    EXPECT_TRUE(log.has_debug("0 http request failed: HTTP/1.0 404 Not Found"));
    ScriptedServer odd(reply("HTTP/1.0 600 Strange\r\n\r\n"));
    EXPECT_EQ(open_url(odd.url("/"), log).result, ZK_ERROR_HTTP);
    ScriptedServer zero(reply("HTTP/1.0 000 Zero\r\n\r\n"));
    EXPECT_EQ(open_url(zero.url("/"), log).result, ZK_ERROR_INVALID_HTTP_REPLY);
}

TEST(HttpExchange, GarbageAndTruncatedReplies) {
    test::TraceLog log;
    ScriptedServer garbage(reply(std::string("\x01\x02garbage\xff\n", 12)));
    EXPECT_EQ(open_url(garbage.url("/"), log).result, ZK_ERROR_INVALID_HTTP_REPLY);
    ScriptedServer closes_at_once([](ServerConnection& c) { c.read_request(); });
    EXPECT_EQ(open_url(closes_at_once.url("/"), log).result, ZK_ERROR_SOCKET_CLOSED);
    ScriptedServer truncated(reply("HTTP/1.0 200 OK\r\nContent-Le"));
    EXPECT_EQ(open_url(truncated.url("/"), log).result, ZK_ERROR_SOCKET_CLOSED);
}

TEST(HttpExchange, EndlessHeadersAreCutOff) {
    test::TraceLog log;
    ScriptedServer endless_lines([](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 200 OK\r\n");
        for (int i = 0; i < 20000; ++i) c.send("X-Padding: 0123456789\r\n");
    });
    // Limits long enough for 64 KiB read byte by byte under a sanitizer.
    EXPECT_EQ(open_url(endless_lines.url("/"), log, log.context(20000)).result, ZK_ERROR_INVALID_HTTP_REPLY);
    ScriptedServer endless_line([](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 200 OK\r\nX-Long: ");
        const std::string chunk(4096, 'a');
        for (int i = 0; i < 40; ++i) c.send(chunk);
    });
    EXPECT_EQ(open_url(endless_line.url("/"), log, log.context(20000)).result, ZK_ERROR_INVALID_HTTP_REPLY);
}

TEST(HttpExchange, ServerThatNeverAnswersTimesOut) {
    test::TraceLog log;
    ScriptedServer silent([](ServerConnection& c) {
        c.read_request();
        c.wait_for_close();
    });
    EXPECT_EQ(open_url(silent.url("/"), log).result, ZK_ERROR_TIMEOUT);
    ScriptedServer stalls_in_headers([](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 200 OK\r\nServer: slow");
        c.wait_for_close();
    });
    EXPECT_EQ(open_url(stalls_in_headers.url("/"), log).result, ZK_ERROR_TIMEOUT);
}

TEST(HttpExchange, RedirectLeadsToASecondRequest) {
    ScriptedServer target(reply("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nFINAL"));
    ScriptedServer first(reply("HTTP/1.0 302 Found\r\nContent-Length: 77\r\nLocation: " + target.url("/b.mp3") +
                               "\r\n\r\n"));
    test::TraceLog log;
    Opened opened = open_url(first.url("/a.mp3"), log);
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.body, "FINAL");
    EXPECT_EQ(opened.size, 5u);
    ASSERT_EQ(target.requests().size(), 1u);
    EXPECT_EQ(target.requests()[0].substr(0, 21), "GET /b.mp3 HTTP/1.0\r\n");
    EXPECT_TRUE(log.has_debug("0 http redirect, new location: " + target.url("/b.mp3")));
}

TEST(HttpExchange, LongRedirectTargetsAreKeptWhole) {
    const std::string path = "/cdn/" + std::string(1500, 'x') + ".mp3?token=" + std::string(500, '7');
    ScriptedServer server([&path](ServerConnection& c) {
        const std::string request = c.read_request();
        if (request.find("GET " + path + " ") == 0) c.send("HTTP/1.0 200 OK\r\n\r\nLONG");
        else c.send("HTTP/1.0 302 Found\r\nLocation: " + path + "\r\n\r\n");
    });
    test::TraceLog log;
    EXPECT_EQ(open_url(server.url("/a.mp3"), log).body, "LONG");
}

TEST(HttpExchange, RelativeRedirectStaysOnTheServer) {
    ScriptedServer server([](ServerConnection& c) {
        const std::string request = c.read_request();
        if (request.find("GET /old/a.mp3 ") == 0) c.send("HTTP/1.0 301 Moved\r\nLocation: /new/a.mp3\r\n\r\n");
        else if (request.find("GET /new/a.mp3 ") == 0) c.send("HTTP/1.0 307 Again\r\nLocation: b.mp3\r\n\r\n");
        else if (request.find("GET /new/b.mp3 ") == 0) c.send("HTTP/1.0 200 OK\r\n\r\nB");
        else c.send("HTTP/1.0 404 Not Found\r\n\r\n");
    });
    test::TraceLog log;
    Opened opened = open_url(server.url("/old/a.mp3"), log);
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.body, "B");
    EXPECT_EQ(server.requests().size(), 3u);
}

TEST(HttpExchange, RedirectsThatMustNotBeFollowed) {
    test::TraceLog log;
    ScriptedServer loop(reply("HTTP/1.0 302 Found\r\nLocation: /a.mp3\r\n\r\n"));
    EXPECT_EQ(open_url(loop.url("/a.mp3"), log).result, ZK_ERROR_HTTP);
    EXPECT_TRUE(log.has_debug("http redirect loop"));
    EXPECT_EQ(loop.connections(), 1);

    int hops = 0;
    ScriptedServer endless([&hops](ServerConnection& c) {
        c.read_request();
        c.send("HTTP/1.0 302 Found\r\nLocation: /hop" + std::to_string(++hops) + "\r\n\r\n");
    });
    EXPECT_EQ(open_url(endless.url("/start"), log).result, ZK_ERROR_HTTP);
    EXPECT_EQ(endless.connections(), kMaxRedirects + 1);
    EXPECT_TRUE(log.has_debug("too many http redirects"));

    ScriptedServer to_file(reply("HTTP/1.0 302 Found\r\nLocation: file:///etc/passwd\r\n\r\n"));
    EXPECT_EQ(open_url(to_file.url("/"), log).result, ZK_ERROR_UNSUPPORTED_URL_SCHEME);
    ScriptedServer to_gopher(reply("HTTP/1.0 302 Found\r\nLocation: gopher://x/\r\n\r\n"));
    EXPECT_EQ(open_url(to_gopher.url("/"), log).result, ZK_ERROR_UNSUPPORTED_URL_SCHEME);
    ScriptedServer without_location(reply("HTTP/1.0 302 Found\r\nContent-Length: 0\r\n\r\n"));
    EXPECT_EQ(open_url(without_location.url("/"), log).result, ZK_ERROR_INVALID_HTTP_REPLY);
    EXPECT_TRUE(log.has_debug("http redirect without location"));
    ScriptedServer empty_location(reply("HTTP/1.0 302 Found\r\nLocation: \r\n\r\n"));
    EXPECT_EQ(open_url(empty_location.url("/"), log).result, ZK_ERROR_INVALID_HTTP_REPLY);
}

TEST(HttpExchange, ProxyGetsTheFullUrl) {
    ScriptedServer proxy(reply("HTTP/1.0 200 OK\r\n\r\nVIA-PROXY"));
    test::TraceLog log;
    OpenContext context = log.context();
    context.proxy = HttpProxy{"127.0.0.1", proxy.port()};
    Opened opened = open_url("http://radio.invalid:8000/live.mp3", log, context);
    EXPECT_EQ(opened.result, 0);
    EXPECT_EQ(opened.body, "VIA-PROXY");
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0], "GET http://radio.invalid:8000/live.mp3 HTTP/1.0\r\nHost: radio.invalid\r\n"
                                   "User-Agent: Zelkor/1.0\r\nAccept: */*\r\n\r\n");
}

} // namespace
} // namespace zk::stream
