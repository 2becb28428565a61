#!/usr/bin/env bash
# Runs the scripts in scripts/ that nothing else runs, in short forms, so none can rot unseen:
#   update-golden  redraws the golden references into a scratch folder; they must match the
#                  committed ones by the golden tests' own tolerance;
#   make-icons     remakes the icons into a scratch folder; they must match data/icons;
#   make-glyphs    remakes the browser build's caption font; it must equal the committed one;
#   compare-golden the judge those checks and the browser tests rely on: it passes the
#                  references themselves and fails a wrong, missing or wrongly sized picture;
#   bench, soak    a few seconds each;
#   refusals       a valgrind log without a summary, and options without their value: one
#                  line on standard error and the right status.
# NORMALS_BUILD names the build folder (already built) the scripts use.
set -euo pipefail
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../scripts" && pwd)
: "${NORMALS_BUILD:?names the build to test}"
scratch=$(mktemp -d /tmp/normals-scripts-test-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# refuses STATUS TEXT SCRIPT ARGS...: the script fails with STATUS and says TEXT in one line
# on standard error.
failures=0
refuses() {
  local status=$1 text=$2
  shift 2
  local r=0
  "$scripts/$@" >"$scratch/out" 2>"$scratch/err" </dev/null || r=$?
  if [ "$r" -ne "$status" ] || [ "$(wc -l <"$scratch/err")" -ne 1 ] ||
    ! grep -q -F -- "$text" "$scratch/err"; then
    echo "FAILED: $* gave status $r (expected $status) and said on standard error:"
    cat "$scratch/err"
    failures=$((failures + 1))
  fi
}

case ${1:-} in
  update-golden)
    "$scripts/update-golden.sh" "$scratch/golden"
    "$NORMALS_BUILD/tests/normals-compare-golden" "$scratch/golden" ;;
  make-icons)
    "$scripts/make-icons.sh" "$scratch/icons"
    "$NORMALS_BUILD/tests/normals-compare-golden" --references "$scripts/../data/icons" \
      "$scratch/icons" ;;
  make-glyphs)
    "$scripts/make-glyphs.sh" "$scratch/glyphs.h"
    diff -u "$scripts/../web/platform/glyphs_8x13.h" "$scratch/glyphs.h" ;;
  compare-golden)
    golden=$scripts/../tests/golden
    compare=$NORMALS_BUILD/tests/normals-compare-golden
    # judged STATUS TEXT SETUP: a copy of the references, changed by SETUP, gets STATUS and
    # the judge says TEXT.
    judged() {
      rm -rf "$scratch/pictures" && cp -r "$golden" "$scratch/pictures" && eval "$3"
      local r=0
      "$compare" "$scratch/pictures" >"$scratch/out" 2>&1 || r=$?
      if [ "$r" -ne "$1" ] || ! grep -q -E -- "$2" "$scratch/out"; then
        echo "FAILED: '$3' gave status $r (expected $1) and said:"
        cat "$scratch/out"
        failures=$((failures + 1))
      fi
    }
    judged 0 "^9 of 9 pictures pass" ":"
    judged 1 "^surface-0.png .*FAILED" "cp '$golden/surface-1.png' '$scratch/pictures/surface-0.png'"
    judged 1 "phase-0/surface-1.png +cannot read" "rm '$scratch/pictures/phase-0/surface-1.png'"
    judged 1 "is 48 x 48, not 400 x 400" \
      "cp '$scripts/../data/icons/48.png' '$scratch/pictures/surface-5.png'"
    echo "$failures judgements failed"
    [ "$failures" -eq 0 ] ;;
  bench) "$scripts/bench.sh" --short ;;
  soak) "$scripts/soak.sh" --seconds 3 ;;
  refusals)
    # A probe that runs and ends well but leaves valgrind's log empty.
    mkdir -p "$scratch/build/bench"
    printf '#!/bin/sh\nexit 0\n' >"$scratch/build/bench/normals-probe"
    chmod +x "$scratch/build/bench/normals-probe"
    NORMALS_BUILD=$scratch/build refuses 1 "no ERROR SUMMARY" memcheck.sh 5
    # Options whose value is missing, or whose file is not there: a script that ran on would
    # build or install with an empty setting.
    for args in "--release" "--dir" "--with" "--release 14 true" "--dir relative true"; do
      # shellcheck disable=SC2086 # the arguments are words on purpose
      refuses 2 "usage: fresh-debian.sh" fresh-debian.sh $args
    done
    refuses 2 "usage: soak.sh" soak.sh --seconds
    refuses 2 "usage: check-package.sh" check-package.sh /no/such.deb
    echo "$failures refusals failed"
    [ "$failures" -eq 0 ] ;;
  *)
    echo "usage: $(basename "$0") update-golden|make-icons|make-glyphs|compare-golden|bench|soak|refusals" >&2
    exit 2 ;;
esac
