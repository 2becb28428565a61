#!/usr/bin/env bash
# Installs what the tests need, builds everything, and runs every test on a virtual X display
# of its own: first the whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# (in build-sanitize/), then the optimised build (in build/), which also runs the viewer under
# valgrind memcheck for a short run and tries the browser page (build-web/, and the one in
# docs/) in Chromium and Firefox.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -eq 0 ] || usage ""
"$root/scripts/build.sh" test
"$root/scripts/web.sh"
install_browser_driver
NORMALS_CMAKE_ARGS="-DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORMALS_SANITIZE=ON" \
  "$root/scripts/build.sh" test "$root/build-sanitize"

xvfb-run -a -s "$xvfb_screen" bash -c '
  set -u
  echo "== Under the sanitizers"
  ctest --test-dir "$1/build-sanitize" --output-on-failure -j "$(nproc)"
  sanitized=$?
  echo "== Optimised"
  ctest --test-dir "$1/build" --output-on-failure -j "$(nproc)"
  optimised=$?
  if [ "$sanitized" -ne 0 ]; then
    echo "The tests under the sanitizers failed: see \"== Under the sanitizers\" above." >&2
  fi
  [ "$sanitized" -eq 0 ] && [ "$optimised" -eq 0 ]' run-tests "$root"
