#!/usr/bin/env bash
# Regenerates the reference images of the golden-image tests (the cases in
# tests/golden/cases.txt, as normals-compare-golden --list reads them), on purpose: run it only
# when a change to the picture is intended, then look at every image before committing them.
# With FOLDER it writes there instead, which the tests use to check that this script still
# redraws the references. NORMALS_BUILD names a build folder to draw with, already built; by
# default it builds everything into build/.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -le 1 ] || usage "[FOLDER]"
out=${1:-$root/tests/golden}
use_build test
cases=$("$build/tests/normals-compare-golden" --list)
while read -r file surface animate phase; do
  if [ "$animate" = 0 ]; then state=(--at-rest); else state=(--phase "$phase"); fi
  mkdir -p "$(dirname "$out/$file")"
  "$build/tools/normals-snapshot" --surface "$surface" "${state[@]}" --out "$out/$file"
done <<<"$cases"
