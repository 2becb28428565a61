#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages that building, running and testing the viewer need,
# when any is missing. Uses sudo when not run as root.
set -euo pipefail
if [ $# -ne 0 ]; then
  echo "usage: $0" >&2
  exit 2
fi

packages=(
  g++ cmake make                                 # toolchain
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev # the viewer
  libgl1-mesa-dri                                # Mesa's software renderer
  xvfb xauth x11-utils                           # a virtual display, and a probe for a real one
  libgtest-dev libbenchmark-dev                  # tests and benchmarks
  libx11-dev libxtst-dev                         # driving the program through the X server
  libpng-dev                                     # snapshots
  valgrind                                       # the memory check
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Installing ${missing[*]} needs root or sudo." >&2; exit 1; }
  sudo=(sudo)
fi
echo "Installing missing packages: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
