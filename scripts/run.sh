#!/usr/bin/env bash
# Runs the player on the bundled demo track. Without a display it plays the
# track to its end under a virtual X display on the silent audio device,
# saves a screenshot of the window, and exits.
set -euo pipefail
build=${1:-build}
root="$(cd "$(dirname "$0")/.." && pwd)"
demo="$root/data/demo/demo.mp3"

if [ -x "$build/bin/taerin" ]; then
  if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$build/bin/taerin" "$demo"
  fi
  shot="$(cd "$build" && pwd)/taerin-screenshot.png"
  echo "run: no display; playing the demo track under a virtual X display (Xvfb) on the silent audio device"
  # A playlist folder of its own, so the run leaves the user's last.m3u alone.
  config="$(mktemp -d)"
  trap 'rm -rf "$config"' EXIT
  ZELKOR_AUDIO=${ZELKOR_AUDIO:-null} XDG_CONFIG_HOME="$config" xvfb-run -a -s "-screen 0 1024x768x24" \
    "$build/bin/taerin" --screenshot "$shot" --quit-at-end "$demo"
  echo "run: the demo track played to its end; screenshot of Taerin saved to $shot"
  exit 0
fi
if [ -x "$build/bin/zkplay" ]; then
  exec "$build/bin/zkplay" "$demo"
fi
echo "run: nothing to run yet" >&2
exit 1
