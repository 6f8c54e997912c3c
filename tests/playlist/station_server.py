#!/usr/bin/env python3
"""HTTP server for the station list tests, on 127.0.0.1 and a free port,
which it prints first; with a certificate and key file after the folder it
speaks HTTPS. Serves the files of the folder given as argument by
their base name, with the Content-Type of the "type" query (text/plain when
there is none). /redirect?to=X answers 302 to X, /stream sends audio without
end, /silent accepts and never answers."""
import http.server
import os
import socketserver
import ssl
import sys
import time
import urllib.parse

FOLDER = sys.argv[1]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def reply(self, status, content_type, body, headers=()):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query)
        if url.path == "/silent" or url.path.startswith("/silent."):
            time.sleep(60)
            return
        if url.path == "/redirect":
            self.reply(302, "text/plain", b"", [("Location", query["to"][0])])
            return
        if url.path == "/stream":
            self.send_response(200)
            self.send_header("Content-Type", "audio/mpeg")
            self.end_headers()
            try:
                while True:
                    self.wfile.write(b"\xff\xfb\x90\x00" * 256)
                    time.sleep(0.01)
            except OSError:
                return
        name = os.path.basename(url.path)
        path = os.path.join(FOLDER, name)
        if not name or not os.path.isfile(path):
            self.reply(404, "text/plain", b"not found")
            return
        with open(path, "rb") as served:
            body = served.read()
        self.reply(200, query.get("type", ["text/plain"])[0], body)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


server = Server(("127.0.0.1", 0), Handler)
if len(sys.argv) > 3:
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(sys.argv[2], sys.argv[3])
    server.socket = context.wrap_socket(server.socket, server_side=True)
print(server.server_address[1], flush=True)
server.serve_forever()
