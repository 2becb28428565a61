#!/usr/bin/env bash
# Builds, then measures on a virtual display: the cost of a frame against an empty frame and
# against a vertex-array replay of the same picture (bench/), the real program's frame rate,
# time to first frame and peak memory after 5 s and 60 s, and the browser page's frame in
# Chromium and Firefox. Takes about four minutes; --short measures surface 0 once, the program
# for 3 s and the page for a few frames, to see that it all still runs. NORMALS_BUILD names a
# build folder to use, already built (the page and the browser driver's packages too).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -eq 0 ] || { [ $# -eq 1 ] && [ "$1" = --short ]; } || usage "[--short]"
if [ $# -eq 0 ]; then
  benchmarks=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
  probe=(--seconds 60 --memory-at 5,60)
  frames=200
else
  benchmarks=("--benchmark_filter=/surface:0(/|$)")
  probe=(--seconds 3 --memory-at 1,3)
  frames=5
fi
if [ -z "${NORMALS_BUILD:-}" ]; then
  "$root/scripts/web.sh"
  install_browser_driver
fi
use_build test
page=$root/build-web/web/normals.html

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
xvfb-run -a -s "$xvfb_screen" "$build/bench/normals_bench" "${benchmarks[@]}"
echo
echo "The real program at 400 x 400:"
xvfb-run -a -s "$xvfb_screen" "$build/bench/normals-probe" "${probe[@]}"
echo
echo "The browser page ($page):"
node "$root/bench/web_bench.mjs" --browser chromium --page "$page" --frames "$frames"
xvfb-run -a -s "$xvfb_screen" node "$root/bench/web_bench.mjs" --browser firefox --page "$page" \
  --frames "$frames"
