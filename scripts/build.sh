#!/usr/bin/env bash
# Installs what is missing and builds the viewer, its tests, tools and benchmarks, optimised,
# into build/ (or the folder given).
set -euo pipefail
if [ $# -gt 1 ]; then
  echo "usage: $0 [build-dir]" >&2
  exit 2
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
