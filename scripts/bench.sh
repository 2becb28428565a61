#!/usr/bin/env bash
# Builds, then measures on a virtual display: the cost of a frame against an empty frame and
# against a vertex-array replay of the same picture (bench/), the real program's frame rate,
# time to first frame and peak memory after 5 s and 60 s, and the browser page's frame in
# Chromium and Firefox, each frame's own work beside the desktop's. Takes about five minutes;
# --short measures surface 0 once, the program for 3 s and the page for a moment, to see that it
# all still runs. NORMALS_BUILD names a
# build folder to use, already built (the page and the browser driver's packages too).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -eq 0 ] || { [ $# -eq 1 ] && [ "$1" = --short ]; } || usage "[--short]"
if [ $# -eq 0 ]; then
  benchmarks=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
  probe=(--seconds 60 --memory-at 5,60)
  seconds=2
else
  benchmarks=("--benchmark_filter=/surface:0(/|$)|EmptyFrame")
  probe=(--seconds 3 --memory-at 1,3)
  seconds=0.2
fi
if [ -z "${NORMALS_BUILD:-}" ]; then
  "$root/scripts/web.sh"
  install_browser_driver
fi
use_build test
page=$root/build-web/web/normals.html

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
xvfb-run -a -s "$xvfb_screen" "$build/bench/normals_bench" "${benchmarks[@]}" |
  tee "$build/bench/frames.txt"
desktop=$(sed -n 's/^own work a frame, ms: //p' "$build/bench/frames.txt")
echo
echo "The real program at 400 x 400:"
xvfb-run -a -s "$xvfb_screen" "$build/bench/normals-probe" "${probe[@]}"
echo
echo "The cells' geometry in the page's WebAssembly (Node.js, Chromium's engine):"
node "$root/build-web/bench/web/normals_geometry_web.js"
echo
echo "The browser page ($page), animating as fast as each browser draws it:"
node "$root/bench/web_bench.mjs" --browser chromium --page "$page" --desktop "$desktop" \
  --seconds "$seconds"
xvfb-run -a -s "$xvfb_screen" node "$root/bench/web_bench.mjs" --browser firefox --page "$page" \
  --desktop "$desktop" --seconds "$seconds"
