#!/usr/bin/env bash
# One browser test: the page PAGE in BROWSER (chromium or firefox), its checks, its golden
# frames judged by normals-compare-golden among them: at least MIN_SHARE percent of each
# frame's pixels within 2 levels of the reference. NORMALS_BUILD names the build holding the
# comparer.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $(basename "$0") chromium|firefox PAGE MIN_SHARE" >&2; exit 2; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${NORMALS_BUILD:?names the build to test}"
[ -f "$2" ] || { echo "no page at $2: build it with ./scripts/web.sh" >&2; exit 1; }
out=$(mktemp -d /tmp/normals-browser-XXXXXX)
trap 'rm -rf "$out"' EXIT
echo "$2: $(stat -c %s "$2") bytes"
status=0
node "$here/browser_test.mjs" --browser "$1" --page "$2" --out "$out" \
  --judge "$NORMALS_BUILD/tests/normals-compare-golden" --min-share "$3" || status=1
if [ "$status" -ne 0 ] && [ -d "$NORMALS_BUILD/tests" ]; then
  # Kept for a person to look at, as the golden tests keep theirs.
  kept=$NORMALS_BUILD/tests/browser-$1
  rm -rf "$kept" && cp -r "$out" "$kept" && echo "The frames and their differences: $kept"
fi
exit "$status"
