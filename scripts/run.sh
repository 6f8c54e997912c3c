#!/usr/bin/env bash
# Runs the furthest main job built so far on the bundled demo track.
set -euo pipefail
build=${1:-build}
demo="$(cd "$(dirname "$0")/.." && pwd)/data/demo/demo.mp3"

if [ -x "$build/bin/taerin" ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: no display; starting under a virtual X display (Xvfb)"
    export ZELKOR_AUDIO=${ZELKOR_AUDIO:-null}
    exec xvfb-run -a "$build/bin/taerin" "$demo"
  fi
  exec "$build/bin/taerin" "$demo"
fi
if [ -x "$build/bin/zkplay" ]; then
  exec "$build/bin/zkplay" "$demo"
fi
echo "run: nothing to run yet" >&2
exit 1
