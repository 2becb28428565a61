#!/usr/bin/env bash
# One browser test: the page PAGE in BROWSER (chromium or firefox), once it is known to be made
# from the sources as they are (web/page/check_page.cmake): the viewer's checks
# (browser_test.mjs) and the page's in every hand (page_test.mjs), among them its golden
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
judge=$NORMALS_BUILD/tests/normals-compare-golden
node "$here/browser_test.mjs" --browser "$1" --page "$2" --out "$out" --judge "$judge" \
  --min-shares "$here/min_shares.txt" || status=1
# Averaged 2 x 2, a frame drawn at twice the pixels keeps 88.2 % to 95.2 % of its pixels within 2
# levels of the reference: the lines' edges fall inside the averaged squares.
node "$here/page_test.mjs" --browser "$1" --page "$2" --out "$out/page" --judge "$judge" \
  --min-share-at-2 87 || status=1
# The page as a phone shows it, for a person to look at.
if [ -f "$out/page/phone.png" ] && [ -d "$NORMALS_BUILD/tests" ]; then
  cp "$out/page/phone.png" "$NORMALS_BUILD/tests/browser-phone.png"
fi
if [ "$status" -ne 0 ] && [ -d "$NORMALS_BUILD/tests" ]; then
  # Kept for a person to look at, as the golden tests keep theirs.
  kept=$NORMALS_BUILD/tests/browser-$1
  rm -rf "$kept" && cp -r "$out" "$kept" && echo "The frames and their differences: $kept"
fi
exit "$status"
