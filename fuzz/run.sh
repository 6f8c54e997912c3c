#!/bin/sh
# Builds the fuzz harnesses with clang in BUILD (default build-fuzz) and runs
# each for FUZZ_SECONDS (default 60), one after the other. New inputs go to
# BUILD/corpus/<harness> (the committed seeds in fuzz/corpus stay as they are);
# findings are written to BUILD/findings/<harness>/ and make the script fail.
# Usage: fuzz/run.sh [harness...]   (default: every harness)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build-fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-60}
HARNESSES=${*:-"frame_decoder control_message stream_url http_reply ftp_reply pcx jpeg skin_bmp skin_ini m3u id3v1 id3v2"}
GENERATOR=$(command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

CC=clang CXX=clang++ cmake -S "$ROOT/fuzz" -B "$BUILD" -G "$GENERATOR" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=""
for h in $HARNESSES; do targets="$targets fuzz_$h"; done
# shellcheck disable=SC2086
cmake --build "$BUILD" --parallel 2 --target $targets

export QT_QPA_PLATFORM=offscreen
failed=""
for h in $HARNESSES; do
    mkdir -p "$BUILD/corpus/$h" "$BUILD/findings/$h"
    echo "== $h: $SECONDS_EACH s"
    if ! "$BUILD/bin/fuzz_$h" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$BUILD/findings/$h/" "$BUILD/corpus/$h" "$ROOT/fuzz/corpus/$h" \
            >"$BUILD/findings/$h.log" 2>&1; then
        failed="$failed $h"
        tail -n 40 "$BUILD/findings/$h.log"
    fi
    grep -E '^#[0-9]+[[:space:]]+DONE' "$BUILD/findings/$h.log" || true
done
if [ -n "$failed" ]; then
    echo "findings in:$failed (inputs in $BUILD/findings/)"
    exit 1
fi
