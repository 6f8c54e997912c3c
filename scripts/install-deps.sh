#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with.
# Idempotent and quiet when everything is present; works as root or through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config python3
  libgtest-dev libgmock-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libasound2-dev libjpeg62-turbo-dev
  xvfb xauth fonts-dejavu-core
  python3-pil
  tinyproxy python3-pyftpdlib
  sox lame
  clang-format
  libssl-dev openssl
  dbus-daemon playerctl
  openbox
  weston qt6-wayland
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: missing packages (${missing[*]}) and neither root nor sudo" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
apt_opts=(-o DPkg::Lock::Timeout=600 -y -q)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get "${apt_opts[@]}" update >/dev/null
"${as_root[@]}" apt-get "${apt_opts[@]}" install --no-install-recommends "${missing[@]}" >/dev/null
