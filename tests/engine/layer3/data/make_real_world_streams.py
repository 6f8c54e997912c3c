#!/usr/bin/env python3
"""Synthesises the test signals listed in signals.csv and encodes each with
Debian's lame (package "lame") into the .mp3 beside this script. The layer III
tests regenerate the same signals from signals.csv and compare them with the
decoded streams. Run again only to change the streams; the results are
committed."""

import csv
import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

HERE = os.path.dirname(os.path.abspath(__file__))


def xorshift32(state):
    state ^= (state << 13) & 0xFFFFFFFF
    state ^= state >> 17
    state ^= (state << 5) & 0xFFFFFFFF
    return state


def channel_signal(kind, rate, frames, frequency, amplitude, channel):
    """One channel as floats in [-1, 1); the C++ test mirrors this."""
    if kind == "tone":
        return [amplitude * math.sin(2 * math.pi * frequency * n / rate) for n in range(frames)]
    if kind == "sweep":
        # Exponential sweep from `frequency` to 40 times it over the stream;
        # the right channel runs a quarter period ahead.
        duration = frames / rate
        ratio = 40.0
        k = 2 * math.pi * frequency * duration / math.log(ratio)
        offset = math.pi / 2 * channel
        return [amplitude * math.sin(k * (ratio ** (n / rate / duration) - 1) + offset) for n in range(frames)]
    if kind == "bursts":
        # A quiet tone with 50 ms noise bursts every 300 ms.
        state = 12345 + channel
        out = []
        for n in range(frames):
            state = xorshift32(state)
            value = 0.2 * math.sin(2 * math.pi * frequency * n / rate)
            if (n % (rate * 3 // 10)) < rate // 20:
                value += amplitude * (state / 2147483648.0 - 1.0)
            out.append(value)
        return out
    raise ValueError(kind)


def to_pcm16(value):
    return max(-32768, min(32767, int(math.floor(value * 32767 + 0.5))))


def main():
    with open(os.path.join(HERE, "signals.csv"), newline="") as f:
        rows = [r for r in csv.DictReader(line for line in f if not line.startswith("#"))]
    for row in rows:
        rate, channels = int(row["rate"]), int(row["channels"])
        frames = int(float(row["seconds"]) * rate)
        per_channel = [channel_signal(row["kind"], rate, frames, float(row["frequency"]) * (1 + 0.5 * c),
                                      float(row["amplitude"]), c) for c in range(channels)]
        with tempfile.TemporaryDirectory() as temp:
            wav_path = os.path.join(temp, "source.wav")
            with wave.open(wav_path, "wb") as wav:
                wav.setnchannels(channels)
                wav.setsampwidth(2)
                wav.setframerate(rate)
                wav.writeframes(b"".join(struct.pack("<h", to_pcm16(per_channel[c][n]))
                                         for n in range(frames) for c in range(channels)))
            out = os.path.join(HERE, row["name"] + ".mp3")
            command = ["lame", "--quiet", "-t", "--resample", str(rate / 1000)] + row["lame"].split() + [wav_path, out]
            subprocess.run(command, check=True)
            print(f"wrote {os.path.relpath(out)} ({os.path.getsize(out)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
