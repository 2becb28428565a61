#!/usr/bin/env bash
# Regenerates the reference images of the golden-image tests, on purpose: run it only when a
# change to the picture is intended, then look at every image before committing them.
set -euo pipefail
if [ $# -ne 0 ]; then
  echo "usage: $0" >&2
  exit 2
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh"
snapshot=$root/build/tools/normals-snapshot
golden=$root/tests/golden

"$snapshot" --all --at-rest --out "$golden"
# Animated frames: the state before the first idle call, and two phases on the move.
for shot in "0 1" "0.75 3" "0.3 5"; do
  read -r phase surface <<<"$shot"
  "$snapshot" --surface "$surface" --phase "$phase" --out "$golden/phase-$phase"
done
