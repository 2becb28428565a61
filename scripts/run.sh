#!/usr/bin/env bash
# Installs what is missing, builds, and starts the viewer. Arguments go to the viewer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$root/build/normals" "$@"
fi

seconds=5
echo "No X display is reachable (DISPLAY is '${DISPLAY:-}'): running the viewer on a virtual display for $seconds seconds."
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" timeout "$seconds" "$root/build/normals" "$@" || status=$?
# timeout's 124 is the planned stop.
[ "$status" -eq 124 ] && status=0
exit "$status"
