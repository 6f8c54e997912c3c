#!/bin/sh
# The decoder benchmark (make bench): builds the release engine, makes the
# corpus and prints a Markdown report. For every corpus file:
#   - decode loop: zkbench on a memory input, audio seconds per CPU second
#     (median of RUNS runs) and instructions per audio second (callgrind,
#     counted inside decoder_decode only);
#   - index scan: the CPU time of opening the input (one pass over the frame
#     headers) as a share of the decode loop's (the target is under 2 %);
#   - pipeline: zkplay -q -o raw:/dev/null, the same two figures (callgrind
#     counts the whole process);
# then the CPU share of zkplay playing in real time on the silent device and
# the peak resident memory of zkplay and of taerin (when it is built).
#
# Environment: BUILD (build folder, default build-bench), RUNS (default 7),
# PLAY_SECONDS (real-time play, default 20).
set -eu
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build-bench}
RUNS=${RUNS:-7}
PLAY_SECONDS=${PLAY_SECONDS:-20}
GENERATOR=$(command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

command -v valgrind >/dev/null || { echo "bench: valgrind is missing (apt-get install valgrind)" >&2; exit 1; }
test -f "$BUILD/CMakeCache.txt" || cmake -S . -B "$BUILD" -G "$GENERATOR" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets="zelkor zkplay zkbench"
if cmake --build "$BUILD" --target help 2>/dev/null | grep -Eq '(^|\.\.\. )taerin(:|$)'; then targets="$targets taerin"; fi
cmake --build "$BUILD" --target $targets --parallel >/dev/null
bench/make_corpus.sh "$BUILD/bench-corpus" >/dev/null

bin=$BUILD/bin
corpus=$BUILD/bench-corpus
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Instructions that callgrind counts for a command (all threads).
instructions() {
    valgrind --tool=callgrind --callgrind-out-file="$scratch/cg.out" "$@" 2>&1 >/dev/null |
        sed -n 's/.*Collected : \([0-9]*\).*/\1/p' | tail -1
}

# Wall and CPU seconds (user + system, to the microsecond) of a command.
wall_and_cpu() {
    python3 -c '
import resource, subprocess, sys, time
def cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime
before, start = cpu(), time.monotonic()
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
print(time.monotonic() - start, cpu() - before)' "$@"
}
cpu_seconds() { wall_and_cpu "$@" | awk '{ print $2 }'; }

echo "Machine: $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1), $(nproc) cores," \
     "$(grep -o -w avx2 /proc/cpuinfo | head -1 || echo no-avx2); $(uname -sr); $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "CPU times are medians of $RUNS runs on a shared machine (noisy); instruction counts are callgrind's."
echo
echo "| file | audio s | loop: audio s per CPU s | loop: M instr per audio s | index scan, % of decode | zkplay: audio s per CPU s | zkplay: M instr per audio s |"
echo "|---|---:|---:|---:|---:|---:|---:|"
for file in "$corpus"/*.mp?; do
    line=$("$bin/zkbench" -r "$RUNS" "$file")
    audio=$(echo "$line" | awk '{ print $2 }')
    loop_speed=$(echo "$line" | awk '{ printf "%.0f", $4 }')
    index_share=$(echo "$line" | awk '{ printf "%.2f", $3 > 0 ? $8 / $3 * 100 : 0 }')
    loop_instr=$(valgrind --tool=callgrind --callgrind-out-file="$scratch/cg.out" --collect-atstart=no \
                     --toggle-collect=decoder_decode "$bin/zkbench" -r 0 "$file" 2>&1 >/dev/null |
                 sed -n 's/.*Collected : \([0-9]*\).*/\1/p' | tail -1)
    play_cpu=$(for r in $(seq "$RUNS"); do cpu_seconds "$bin/zkplay" -q -o raw:/dev/null "$file"; done | median)
    play_instr=$(instructions "$bin/zkplay" -q -o raw:/dev/null "$file")
    awk -v f="$(basename "$file")" -v a="$audio" -v ls="$loop_speed" -v li="$loop_instr" -v pc="$play_cpu" \
        -v pi="$play_instr" -v is="$index_share" 'BEGIN {
            ps = pc > 0 ? sprintf("%.0f", a / pc) : "> " sprintf("%.0f", a / 0.01)
            printf "| %s | %.1f | %s | %.2f | %s | %s | %.2f |\n", f, a, ls, li / a / 1e6, is, ps, pi / a / 1e6 }'
done

echo
reference=$corpus/l3-128-joint.mp3
ZELKOR_AUDIO=null wall_and_cpu timeout -s INT "$PLAY_SECONDS" "$bin/zkplay" -q "$reference" |
    awk '{ printf "Real-time play on the silent device (%.1f s of l3-128-joint.mp3): %.3f s CPU, %.2f%% of one core\n",
           $1, $2, $2 / $1 * 100 }'

/usr/bin/time -f '%M' -o "$scratch/rss" "$bin/zkplay" -q -o raw:/dev/null "$reference" >/dev/null 2>&1
echo "Peak resident memory, zkplay decoding l3-128-joint.mp3: $(cat "$scratch/rss") KiB"
if [ -x "$bin/taerin" ]; then
    mkdir -p "$scratch/config"
    /usr/bin/time -f '%M' -o "$scratch/rss" env QT_QPA_PLATFORM=offscreen ZELKOR_AUDIO=null \
        XDG_CONFIG_HOME="$scratch/config" timeout -s TERM 10 "$bin/taerin" "$reference" >/dev/null 2>&1 || true
    echo "Peak resident memory, taerin playing l3-128-joint.mp3 for 10 s: $(tail -1 "$scratch/rss") KiB"
else
    echo "taerin is not built in $BUILD: its peak memory is not measured"
fi
