#!/usr/bin/env bash
# Runs the real viewer for MINUTES minutes (10 by default), or --seconds N, on a virtual
# display and reports frames drawn, memory at the start, half way and the end, and anything it
# wrote to its standard error; then ends it with Escape and checks its status. NORMALS_BUILD
# names a build folder to use, already built.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
arguments="[MINUTES | --seconds N]"
if [ $# -eq 2 ] && [ "$1" = --seconds ] && [[ $2 =~ ^[1-9][0-9]*$ ]]; then
  seconds=$2
elif [ $# -le 1 ] && [[ ${1:-10} =~ ^[1-9][0-9]*$ ]]; then
  seconds=$((${1:-10} * 60))
else
  usage "$arguments"
fi
use_build test
first=$((seconds < 10 ? seconds / 2 : 5))
xvfb-run -a -s "$xvfb_screen" "$build/bench/normals-probe" --seconds "$seconds" \
  --memory-at "$first,$((seconds / 2)),$seconds"
