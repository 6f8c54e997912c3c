#!/usr/bin/env python3
"""Synthesizes the bundled demo track and encodes it with lame.

Writes data/demo/demo.mp3: 16 seconds of a small arpeggiated chord progression
with a bass line, 44.1 kHz joint stereo at 128 kbit/s, with ID3v1 and ID3v2 tags.
Only needed to regenerate the committed file; the build never runs it.
"""
import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 44100
BPM = 96
BEAT = 60.0 / BPM
# I - vi - IV - V in C major, one bar of four beats each, played twice.
CHORDS = [(60, 64, 67), (57, 60, 64), (53, 57, 60), (55, 59, 62)] * 2


def freq(note):
    return 440.0 * 2 ** ((note - 69) / 12)


def pluck(t, f, length):
    """A soft plucked tone: a few harmonics under an exponential decay."""
    if t < 0 or t > length:
        return 0.0
    env = math.exp(-3.0 * t / length) * min(1.0, t / 0.005)
    return env * (math.sin(2 * math.pi * f * t)
                  + 0.35 * math.sin(4 * math.pi * f * t)
                  + 0.12 * math.sin(6 * math.pi * f * t))


def render():
    seconds = len(CHORDS) * 4 * BEAT
    frames = int(seconds * RATE)
    left = [0.0] * frames
    right = [0.0] * frames
    eighth = BEAT / 2
    for bar, chord in enumerate(CHORDS):
        start = bar * 4 * BEAT
        notes = [chord[0], chord[1], chord[2], chord[1] + 12] * 2
        for step, note in enumerate(notes):
            onset = start + step * eighth
            pan = 0.3 + 0.4 * (step % 2)
            add_note(left, right, onset, freq(note), 0.9, 0.22, pan)
        add_note(left, right, start, freq(chord[0] - 24), 4 * BEAT, 0.35, 0.5)
    return left, right


def add_note(left, right, onset, f, length, gain, pan):
    first = int(onset * RATE)
    for i in range(int(length * RATE)):
        n = first + i
        if n >= len(left):
            break
        s = gain * pluck(i / RATE, f, length)
        left[n] += s * (1 - pan)
        right[n] += s * pan


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = os.path.join(root, "data", "demo", "demo.mp3")
    left, right = render()
    peak = max(max(abs(x) for x in left), max(abs(x) for x in right))
    scale = 0.8 * 32767 / peak
    with tempfile.TemporaryDirectory() as tmp:
        wav_path = os.path.join(tmp, "demo.wav")
        with wave.open(wav_path, "wb") as w:
            w.setnchannels(2)
            w.setsampwidth(2)
            w.setframerate(RATE)
            w.writeframes(b"".join(struct.pack("<hh", int(l * scale), int(r * scale))
                                   for l, r in zip(left, right)))
        subprocess.run(["lame", "--quiet", "-m", "j", "-b", "128", "--add-id3v2",
                        "--tt", "Taerin Demo", "--ta", "The Taerin Team",
                        "--tl", "Demo Tracks", "--ty", "2026", "--tn", "1",
                        "--tg", "Ambient", "--tc", "synthesized",
                        wav_path, out], check=True)
    print(out, os.path.getsize(out), "bytes")


if __name__ == "__main__":
    sys.exit(main())
