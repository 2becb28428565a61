#!/usr/bin/env bash
# Builds, then measures on a virtual display: the cost of a frame against an empty frame and
# against a vertex-array replay of the same picture (bench/), and the real program's frame
# rate, time to first frame and peak memory after 5 s and 60 s. Takes about three minutes.
set -euo pipefail
if [ $# -ne 0 ]; then
  echo "usage: $0" >&2
  exit 2
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh"

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$root/build/bench/normals_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true
echo
echo "The real program at 400 x 400:"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$root/build/tools/normals-probe" --seconds 60 --memory-at 5,60
