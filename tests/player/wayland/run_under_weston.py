#!/usr/bin/env python3
"""Runs a test program as a native Wayland client of a headless weston that
this script starts on a private socket and stops afterwards.

Usage: run_under_weston.py PROGRAM [ARGS...]"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

runtime = tempfile.mkdtemp(prefix="taerin-weston-")
os.chmod(runtime, 0o700)
env = dict(os.environ, XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY="taerin-test", QT_QPA_PLATFORM="wayland")
env.pop("DISPLAY", None)
weston = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=taerin-test", "--idle-time=0",
                           "--width=1024", "--height=768"], env=env, stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, text=True)
try:
    socket = os.path.join(runtime, "taerin-test")
    deadline = time.monotonic() + 20
    while not os.path.exists(socket) and weston.poll() is None and time.monotonic() < deadline:
        time.sleep(0.05)
    if not os.path.exists(socket):
        sys.stderr.write("weston did not start:\n" + (weston.stderr.read() if weston.poll() is not None else ""))
        sys.exit(1)
    sys.exit(subprocess.run(sys.argv[1:], env=env, timeout=240).returncode)
finally:
    weston.terminate()
    try:
        weston.wait(timeout=10)
    except subprocess.TimeoutExpired:
        weston.kill()
        weston.wait()
    shutil.rmtree(runtime, ignore_errors=True)
