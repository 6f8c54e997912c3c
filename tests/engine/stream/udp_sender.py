#!/usr/bin/env python3
"""Sends bytes 0, 1, ... 250, 0, 1, ... to 127.0.0.1:PORT in datagrams of the
given sizes, PAUSE seconds apart, then one empty datagram.
Usage: udp_sender.py PORT PAUSE SIZE..."""
import socket
import sys
import time

port, pause, sizes = int(sys.argv[1]), float(sys.argv[2]), [int(s) for s in sys.argv[3:]]
sender = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
at = 0
for size in sizes:
    sender.sendto(bytes((at + i) % 251 for i in range(size)), ("127.0.0.1", port))
    at += size
    time.sleep(pause)
sender.sendto(b"", ("127.0.0.1", port))
