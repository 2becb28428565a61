#!/usr/bin/env bash
# The stale-page check (web/page/check_page.cmake) refuses a page made from other sources than
# the ones in the tree, a page that does not say, and a page that is not there, and passes a
# page whose fingerprint is the sources' own: a check weakened to look only at the
# fingerprint's form would pass the first.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
check() {
  cmake -DROOT="$root" -DPAGE="$1" -DREMAKE=./scripts/web.sh -P "$root/web/page/check_page.cmake" \
    >"$scratch/said" 2>&1
}
page() { printf '<!DOCTYPE html>\n<meta name="normals-sources" content="%s">\n' "$1" >"$2"; }
failed=0
expect() {  # expect pass|refuse WHAT PAGE [WORDS]
  local verdict=pass
  check "$3" || verdict=refuse
  if [ "$verdict" != "$1" ] || { [ -n "${4:-}" ] && ! grep -q "$4" "$scratch/said"; }; then
    echo "FAILED: $2: the check said ($verdict):"; cat "$scratch/said"; failed=1
  else
    echo "ok      $2 ($verdict)"
  fi
}
other=$(printf '%064d' 0)
page "$other" "$scratch/other.html"
expect refuse "a page made from other sources" "$scratch/other.html" "made from other sources"
# The sources' own fingerprint, as the refusal gives it.
own=$(tr -d '\n ' <"$scratch/said" | sed -n 's/.*theirs\([0-9a-f]\{64\}\).*/\1/p')
page "$own" "$scratch/own.html"
expect pass "a page made from these sources" "$scratch/own.html"
printf '<!DOCTYPE html>\n' >"$scratch/silent.html"
expect refuse "a page that does not say" "$scratch/silent.html" "does not say"
expect refuse "no page" "$scratch/missing.html" "no page"
exit "$failed"
