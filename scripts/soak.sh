#!/usr/bin/env bash
# Runs the real viewer for MINUTES minutes (10 by default) on a virtual display and reports
# frames drawn, memory at the start, half way and the end, and anything it wrote to its
# standard error; then ends it with Escape and checks its status.
set -euo pipefail
if [ $# -gt 1 ] || { [ $# -eq 1 ] && ! [[ $1 =~ ^[0-9]+$ ]]; }; then
  echo "usage: $0 [MINUTES]" >&2
  exit 2
fi
minutes=${1:-10}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh"
seconds=$((minutes * 60))
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$root/build/tools/normals-probe" --seconds "$seconds" \
  --memory-at "5,$((seconds / 2)),$seconds"
