#!/usr/bin/env bash
# Builds everything with Clang, warnings as errors, into build-clang/, and runs the tests that
# need no display, the formula fuzzer's minute among them. CI runs it beside the test command.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -eq 0 ] || usage ""
"$root/scripts/deps.sh" clang
muparser=$("$root/scripts/muparser-source.sh")
CXX=clang++ NORMALS_CMAKE_ARGS="-DNORMALS_WERROR=ON -DNORMALS_FUZZ=ON -DMUPARSER_SOURCE_DIR=$muparser" \
  "$root/scripts/build.sh" test "$root/build-clang"
ctest --test-dir "$root/build-clang" -L no-display --output-on-failure
