#!/usr/bin/env bash
# One browser test: the page PAGE in BROWSER (chromium or firefox), once it is known to be made
# from the sources as they are (web/page/check_page.cmake), and its checks, among them its golden
# frames judged by normals-compare-golden: at least the share of each frame's pixels within 2
# levels of the reference that min_shares.txt gives for the case in this browser. NORMALS_BUILD
# names the build holding the comparer.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $(basename "$0") chromium|firefox PAGE" >&2; exit 2; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${NORMALS_BUILD:?names the build to test}"
root=$(cd "$here/../.." && pwd)
remake=./scripts/web.sh
[ "$(realpath -m "$2")" = "$root/docs/normals.html" ] && remake="./scripts/web.sh --docs"
# A page made from other sources than these would pass or fail for the wrong reasons.
cmake -DROOT="$root" -DPAGE="$2" -DREMAKE="$remake" -P "$root/web/page/check_page.cmake" || exit 1
out=$(mktemp -d /tmp/normals-browser-XXXXXX)
trap 'rm -rf "$out"' EXIT
echo "$2: $(stat -c %s "$2") bytes"
status=0
node "$here/browser_test.mjs" --browser "$1" --page "$2" --out "$out" \
  --judge "$NORMALS_BUILD/tests/normals-compare-golden" --min-shares "$here/min_shares.txt" ||
  status=1
if [ "$status" -ne 0 ] && [ -d "$NORMALS_BUILD/tests" ]; then
  # Kept for a person to look at, as the golden tests keep theirs.
  kept=$NORMALS_BUILD/tests/browser-$1
  rm -rf "$kept" && cp -r "$out" "$kept" && echo "The frames and their differences: $kept"
fi
exit "$status"
