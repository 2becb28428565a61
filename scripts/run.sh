#!/usr/bin/env bash
# Installs what running needs, builds the viewer, and starts it. Arguments go to the viewer.
# Without a reachable display it writes the six surfaces as PNG files instead.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
"$root/scripts/build.sh" run

if has_display; then
  exec "$root/build/normals" "$@"
fi

out=$root/snapshots
echo "No X display is reachable (DISPLAY is '${DISPLAY:-}'):" \
  "writing the six surfaces as PNG files into $out instead."
"$root/build/tools/normals-snapshot" --all --at-rest --out "$out"
