#!/usr/bin/env bash
# Installs what is missing and builds, optimised, into build/ (or BUILD_DIR):
#   run   the viewer and normals-snapshot, nothing else;
#   test  everything: the programs, the tests (the browser page's among them), the benchmarks
#         and the measuring programs.
# Extra CMake settings may follow in NORMALS_CMAKE_ARGS. Under CI (CI=true) warnings are errors.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -ge 1 ] && [ $# -le 2 ] && [[ $1 =~ ^(run|test)$ ]] || usage "run|test [BUILD_DIR]"
kind=$1
build=${2:-$root/build}

"$root/scripts/deps.sh" "$kind"
everything=OFF
[ "$kind" = test ] && everything=ON
read -r -a extra <<<"${NORMALS_CMAKE_ARGS:-}"
cmake_build "($kind)" "$build" -DBUILD_TESTING=$everything \
  -DNORMALS_BUILD_BENCHMARKS=$everything -DNORMALS_BROWSER_TESTS=$everything "${extra[@]}"
