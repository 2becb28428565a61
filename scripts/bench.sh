#!/usr/bin/env bash
# Builds, then measures on a virtual display: the cost of a frame against an empty frame and
# against a vertex-array replay of the same picture (bench/), and the real program's frame
# rate, time to first frame and peak memory after 5 s and 60 s. Takes about three minutes;
# --short measures surface 0 once and the program for 3 s, to see that it all still runs.
# NORMALS_BUILD names a build folder to use, already built.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -eq 0 ] || { [ $# -eq 1 ] && [ "$1" = --short ]; } || usage "[--short]"
if [ $# -eq 0 ]; then
  benchmarks=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
  probe=(--seconds 60 --memory-at 5,60)
else
  benchmarks=("--benchmark_filter=/surface:0(/|$)")
  probe=(--seconds 3 --memory-at 1,3)
fi
use_build test

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
xvfb-run -a -s "$xvfb_screen" "$build/bench/normals_bench" "${benchmarks[@]}"
echo
echo "The real program at 400 x 400:"
xvfb-run -a -s "$xvfb_screen" "$build/bench/normals-probe" "${probe[@]}"
