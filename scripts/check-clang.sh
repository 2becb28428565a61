#!/usr/bin/env bash
# Builds everything with Clang, warnings as errors, into build-clang/, and runs the tests that
# need no display. CI runs it beside the test command.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -eq 0 ] || usage ""
"$root/scripts/deps.sh" clang
CXX=clang++ NORMALS_CMAKE_ARGS="-DNORMALS_WERROR=ON" \
  "$root/scripts/build.sh" test "$root/build-clang"
ctest --test-dir "$root/build-clang" -L no-display --output-on-failure
