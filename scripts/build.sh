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
# Extra CMake settings (the sanitizer build) may follow in NORMALS_CMAKE_ARGS.
read -r -a extra <<<"${NORMALS_CMAKE_ARGS:--DCMAKE_BUILD_TYPE=Release}"
mkdir -p "$build"
log=$build/build.log
echo "Building into $build ..."
{ cmake -S "$root" -B "$build" "${extra[@]}" && cmake --build "$build" -j "$(nproc)"; } >"$log" 2>&1 ||
  { cat "$log"; echo "The build failed; its log is $log." >&2; exit 1; }
