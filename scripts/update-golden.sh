#!/usr/bin/env bash
# Regenerates the reference images of the golden-image tests (the cases in
# tests/golden/cases.txt), on purpose: run it only when a change to the picture is intended,
# then look at every image before committing them. With FOLDER it writes there instead, which
# the tests use to check that this script still redraws the references. NORMALS_BUILD names a
# build folder to draw with, already built; by default it builds the viewer into build/.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -le 1 ] || usage "[FOLDER]"
golden=$root/tests/golden
out=${1:-$golden}
use_build run
while read -r file surface phase; do
  case $file in '' | '#'*) continue ;; esac
  if [ "$phase" = rest ]; then state=(--at-rest); else state=(--phase "$phase"); fi
  mkdir -p "$(dirname "$out/$file")"
  "$build/tools/normals-snapshot" --surface "$surface" "${state[@]}" --out "$out/$file"
done <"$golden/cases.txt"
