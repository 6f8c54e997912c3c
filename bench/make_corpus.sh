#!/bin/sh
# Makes the benchmark corpus in DIR (default bench-corpus): a 60-second
# synthetic source (swept square and sine tones, pink noise with a slow
# tremolo, a noise hit every half second) encoded by lame and twolame, and
# a layer I stream made of a conformance stream repeated to 60 seconds.
# The noise is seeded (sox -R), so the corpus is the same on every run.
# Files that exist are kept.
set -eu
dir=${1:-bench-corpus}
conformance=$(cd "${2:-$(dirname "$0")/../tests/data/conformance}" && pwd)
mkdir -p "$dir"
cd "$dir"

need() { command -v "$1" >/dev/null || { echo "make_corpus: $1 is missing (apt-get install $2)" >&2; exit 1; }; }
need sox sox
need lame lame
need twolame twolame

if [ ! -f source.wav ]; then
    sox -R -n -r 44100 -c 2 -b 16 tones.wav synth 60 square 110-880 sine 330-165 vol 0.25 tremolo 0.3 40
    sox -R -n -r 44100 -c 2 -b 16 noise.wav synth 60 pinknoise pinknoise vol 0.3 tremolo 0.5 60
    sox -R -n -r 44100 -c 2 -b 16 hit.wav synth 0.04 whitenoise fade 0 0.04 0.035 pad 0 0.46 repeat 119
    sox -R -m tones.wav noise.wav hit.wav source.wav norm -3
    rm -f tones.wav noise.wav hit.wav
fi

encode() { # output, encoder command...
    out=$1
    shift
    [ -f "$out" ] || "$@" --quiet source.wav "$out"
}
encode l3-128-joint.mp3 lame -b 128 -m j
encode l3-320-stereo.mp3 lame -b 320 -m s
encode l3-vbr-v2.mp3 lame -V 2
encode l3-192-joint.mp3 lame -b 192 -m j # about the average bitrate of -V 2
encode l3-64-mono.mp3 lame -b 64 -m m
encode mpeg2-l3-22050-64.mp3 lame --resample 22.05 -b 64
encode mpeg25-l3-8000.mp3 lame --resample 8 -b 16
[ -f l2-192-stereo.mp2 ] || twolame --quiet -b 192 -m s source.wav l2-192-stereo.mp2

if [ ! -f l1-384-stereo.mp1 ]; then
    # l1-fl8: 44.1 kHz stereo layer I at 384 kbit/s, 49 frames of 384 samples.
    stream="$conformance/layer1/l1-fl8.bit"
    [ -f "$stream" ] || { echo "make_corpus: $stream is missing" >&2; exit 1; }
    : > l1-384-stereo.mp1
    for i in $(seq 141); do cat "$stream" >> l1-384-stereo.mp1; done
fi
ls *.mp?
