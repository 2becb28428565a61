#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test on a virtual X display of its own:
# first the whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer (in
# build-sanitize/), then the optimised build (in build/), which also runs the viewer under
# valgrind memcheck for a short run.
set -euo pipefail
if [ $# -ne 0 ]; then
  echo "usage: $0" >&2
  exit 2
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh"
NORMALS_CMAKE_ARGS="-DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORMALS_SANITIZE=ON" \
  "$root/scripts/build.sh" "$root/build-sanitize"

# -noreset: a server whose last client leaves would otherwise reset between two tests and
# refuse the next one's connection meanwhile.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
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
