#!/usr/bin/env bash
# Regenerates the reference images of the golden-image tests (the cases in
# tests/golden/cases.txt), on purpose: run it only when a change to the picture is intended,
# then look at every image before committing them.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -eq 0 ] || usage ""
"$root/scripts/build.sh"
golden=$root/tests/golden
while read -r file surface phase; do
  case $file in '' | '#'*) continue ;; esac
  if [ "$phase" = rest ]; then state=(--at-rest); else state=(--phase "$phase"); fi
  mkdir -p "$(dirname "$golden/$file")"
  "$root/build/tools/normals-snapshot" --surface "$surface" "${state[@]}" --out "$golden/$file"
done <"$golden/cases.txt"
