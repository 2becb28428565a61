#!/usr/bin/env bash
# Builds, then measures on a virtual display: the cost of a frame against an empty frame and
# against a vertex-array replay of the same picture (bench/), and the real program's frame
# rate, time to first frame and peak memory after 5 s and 60 s. Takes about three minutes.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -eq 0 ] || usage ""
"$root/scripts/build.sh" test

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
xvfb-run -a -s "$xvfb_screen" "$root/build/bench/normals_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true
echo
echo "The real program at 400 x 400:"
xvfb-run -a -s "$xvfb_screen" "$root/build/bench/normals-probe" --seconds 60 --memory-at 5,60
