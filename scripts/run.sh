#!/usr/bin/env bash
# Installs what is missing, builds, and starts the viewer. Arguments go to the viewer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$root/build/normals" "$@"
fi

# Without a screen, the next best thing: the six surfaces as pictures to open.
out=$root/snapshots
echo "No X display is reachable (DISPLAY is '${DISPLAY:-}'): writing the six surfaces as PNG files into $out instead."
"$root/build/tools/normals-snapshot" --all --at-rest --out "$out"
