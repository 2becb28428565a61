#!/usr/bin/env bash
# Runs the real viewer for MINUTES minutes (10 by default) on a virtual display and reports
# frames drawn, memory at the start, half way and the end, and anything it wrote to its
# standard error; then ends it with Escape and checks its status.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -le 1 ] && [[ ${1:-10} =~ ^[0-9]+$ ]] || usage "[MINUTES]"
minutes=${1:-10}
"$root/scripts/build.sh" test
seconds=$((minutes * 60))
xvfb-run -a -s "$xvfb_screen" "$root/build/bench/normals-probe" --seconds "$seconds" \
  --memory-at "5,$((seconds / 2)),$seconds"
