#!/usr/bin/env python3
"""A web radio server for the network input tests, on a loopback address.

It serves one file to every request, framed as the options say: plain or
TLS, with a Content-Length, chunked, or up to the close; with radio metadata
(stream titles) when the request asks for it; stalling or cut short on
purpose. It runs until it is terminated.
"""
import argparse
import re
import socket
import socketserver
import ssl
import threading


def options():
    parser = argparse.ArgumentParser()
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--file", required=True)
    parser.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"))
    parser.add_argument("--framing", choices=["close", "length", "chunked"], default="close")
    parser.add_argument("--metaint", type=int, default=0)
    parser.add_argument("--titles", default="", help="titles separated by '|', one per metadata block")
    parser.add_argument("--name", default="")
    parser.add_argument("--stall-after", type=int, default=-1, help="bytes sent before the server goes silent")
    parser.add_argument("--cut-after", type=int, default=-1, help="bytes sent before the server closes")
    parser.add_argument("--keep-open", action="store_true", help="hold the connection after the body")
    parser.add_argument("--ranges", choices=["none", "honoured", "advertised"], default="none",
                        help="byte ranges: not offered, sent when asked for, or offered and then ignored")
    return parser.parse_args()


def metadata_block(text):
    data = text.encode("utf-8")
    padded = data + b"\0" * (-len(data) % 16)
    return bytes([len(padded) // 16]) + padded


def with_metadata(body, metaint, titles):
    """The body with a metadata block after every metaint bytes: the titles
    in turn, each block after the last title empty."""
    out = bytearray()
    for block, start in enumerate(range(0, len(body), metaint)):
        part = body[start:start + metaint]
        out += part
        if len(part) == metaint:
            out += metadata_block("StreamTitle='%s';" % titles[block]) if block < len(titles) else b"\0"
    return bytes(out)


def chunked(body):
    """The body in chunks of varying sizes, one with an extension, and a trailer."""
    out = bytearray()
    sizes = [1, 7, 4096, 100, 65536, 3, 1000]
    at, turn = 0, 0
    while at < len(body):
        size = sizes[turn % len(sizes)]
        part = body[at:at + size]
        extension = ";name=value" if turn == 2 else ""
        out += b"%x%s\r\n" % (len(part), extension.encode()) + part + b"\r\n"
        at += len(part)
        turn += 1
    return bytes(out + b"0\r\nX-Trailer: done\r\n\r\n")


class Handler(socketserver.BaseRequestHandler):
    def handle(self):
        settings = self.server.settings
        connection = self.request
        if settings.tls:
            try:
                connection = self.server.tls.wrap_socket(connection, server_side=True)
            except (ssl.SSLError, OSError):
                return
        request = b""
        while b"\r\n\r\n" not in request:
            data = connection.recv(4096)
            if not data:
                return
            request += data
        with open(self.server.requests_file, "ab") as log:
            log.write(request)
        body = self.server.body
        headers = ["HTTP/1.1 200 OK", "Content-Type: audio/mpeg"]
        if settings.ranges != "none":
            headers.append("Accept-Ranges: bytes")
        asked = re.search(rb"\r\nrange: bytes=(\d+)-\r\n", request.lower())
        if settings.ranges == "honoured" and asked and int(asked.group(1)) < len(body):
            first = int(asked.group(1))
            headers[0] = "HTTP/1.1 206 Partial Content"
            headers.append("Content-Range: bytes %d-%d/%d" % (first, len(body) - 1, len(body)))
            body = body[first:]
        if settings.name:
            headers.append("icy-name: " + settings.name)
        if settings.metaint and b"icy-metadata: 1" in request.lower():
            headers.append("icy-metaint: %d" % settings.metaint)
            body = with_metadata(body, settings.metaint, settings.titles.split("|") if settings.titles else [])
        if settings.framing == "length":
            headers.append("Content-Length: %d" % len(body))
        elif settings.framing == "chunked":
            headers.append("Transfer-Encoding: chunked")
            body = chunked(body)
        reply = ("\r\n".join(headers) + "\r\n\r\n").encode() + body
        try:
            if settings.stall_after >= 0:
                connection.sendall(reply[:len(reply) - len(body) + settings.stall_after])
                self.server.stopping.wait()
            elif settings.cut_after >= 0:
                connection.sendall(reply[:len(reply) - len(body) + settings.cut_after])
            else:
                connection.sendall(reply)
                if settings.keep_open:
                    self.server.stopping.wait()
        except OSError:
            pass


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    settings = options()
    Server.address_family = socket.AF_INET6 if ":" in settings.host else socket.AF_INET
    server = Server((settings.host, settings.port), Handler)
    server.settings = settings
    server.stopping = threading.Event()
    server.requests_file = settings.file + ".requests"
    with open(settings.file, "rb") as source:
        server.body = source.read()
    if settings.tls:
        server.tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        server.tls.load_cert_chain(settings.tls[0], settings.tls[1])
    try:
        server.serve_forever()
    finally:
        server.stopping.set()


if __name__ == "__main__":
    main()
