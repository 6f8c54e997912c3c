#!/bin/sh
# Makes the LAME-encoded test tracks of known source length. Run once; the
# tracks are committed and tests only read them. (sox counts "Ns" lengths
# at its default rate of 48 kHz, hence the sample counts below.)
#   sweep_v2.mp3     44.1 kHz stereo, VBR -V2, Xing frame with LAME tag, 91876 samples
#   chirp_v2.mp3     44.1 kHz stereo, VBR -V2, Xing frame with LAME tag, 71458 samples
#   tone_32k.mp3     32 kHz mono, CBR 64 kbit/s, Info frame with LAME tag, 46667 samples
#   sweep_plain.mp3  sweep_v2's source, VBR without any information frame
set -e
cd "$(dirname "$0")"
sox -n -r 44100 -c 2 -b 16 sweep.wav synth 100001s sine 200-4000 sine 300-6000 gain -6
sox -n -r 44100 -c 2 -b 16 chirp.wav synth 77777s sine 3000-100 sine 500 gain -8
sox -n -r 32000 -c 1 -b 16 tone.wav synth 70000s sine 440 gain -6
lame --quiet -V2 sweep.wav sweep_v2.mp3
lame --quiet -V2 chirp.wav chirp_v2.mp3
lame --quiet -b 64 tone.wav tone_32k.mp3
lame --quiet -V2 -t sweep.wav sweep_plain.mp3
rm -f sweep.wav chirp.wav tone.wav
