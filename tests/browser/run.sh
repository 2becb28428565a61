#!/usr/bin/env bash
# One browser test: the page PAGE in BROWSER (chromium or firefox), once it is known to be made
# from the sources as they are (web/page/check_page.cmake). With FRAMES (the browser tests' own
# page), the whole suite: the viewer's checks (browser_test.mjs: the golden frames judged by
# normals-compare-golden, each off its reference by what tests/golden/cases.txt measured for
# the case in this browser, give or take its slack) and the page's in every hand (page_test.mjs).
# Without, the short start-up check the committed page needs.
# NORMALS_BUILD names the build holding the comparer.
set -euo pipefail
[ $# -eq 2 ] || [ $# -eq 3 ] || { echo "usage: $(basename "$0") chromium|firefox PAGE [FRAMES]" >&2; exit 2; }
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
if [ $# -eq 2 ]; then
  node "$here/browser_test.mjs" --browser "$1" --page "$2" --out "$out" --judge "$judge" \
    --short yes || status=1
else
  node "$here/browser_test.mjs" --browser "$1" --page "$2" --out "$out" --judge "$judge" \
    --frames "$3" --snapshot "$NORMALS_BUILD/tools/normals-snapshot" || status=1
  node "$here/page_test.mjs" --browser "$1" --page "$2" --out "$out/page" \
    --judge "$judge" --snapshot "$NORMALS_BUILD/tools/normals-snapshot" || status=1
  # The page as a phone shows it, for a person to look at.
  if [ -f "$out/page/phone.png" ] && [ -d "$NORMALS_BUILD/tests" ]; then
    cp "$out/page/phone.png" "$NORMALS_BUILD/tests/browser-phone.png"
  fi
fi
if [ "$status" -ne 0 ] && [ -d "$NORMALS_BUILD/tests" ]; then
  # Kept for a person to look at, as the golden tests keep theirs.
  kept=$NORMALS_BUILD/tests/browser-$1
  rm -rf "$kept" && cp -r "$out" "$kept" && echo "The frames and their differences: $kept"
fi
exit "$status"
