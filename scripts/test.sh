#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test on a virtual X display of its own.
set -euo pipefail
if [ $# -ne 0 ]; then
  echo "usage: $0" >&2
  exit 2
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh"

# -noreset: a server whose last client leaves would otherwise reset between two tests and
# refuse the next one's connection meanwhile.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)"
