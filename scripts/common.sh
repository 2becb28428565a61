# Sourced by every script here: strict mode, the repository's root found from the script's own
# location (never the caller's), and the pieces several scripts share.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[1]}")/.." && pwd)

# usage 'ARGS': the script's usage line on standard error, and status 2.
usage() {
  echo "usage: $(basename "$0") $1" >&2
  exit 2
}

# The virtual X screen every script and test draws on; -noreset keeps a server whose last
# client leaves from resetting and refusing the next one's connection meanwhile.
xvfb_screen="-screen 0 1280x1024x24 -noreset"

# as_root COMMAND...: runs the command as root, through sudo when the caller is not root.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "$(basename "$0"): '$*' needs root, and sudo is not installed." >&2
    echo "Ask an administrator to run it, or install the packages named in README.md." >&2
    exit 1
  fi
}

# use_build run|test: sets `build` to the build folder to use: NORMALS_BUILD when set (a build
# already made, as the tests pass it), else build/, built now with build.sh.
use_build() {
  build=${NORMALS_BUILD:-}
  if [ -z "$build" ]; then
    build=$root/build
    "$root/scripts/build.sh" "$1"
  fi
}

# has_display: whether DISPLAY names an X server that answers.
has_display() {
  [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

# cmake_build WHAT BUILD [--emcmake] CMAKE_ARGS...: configures the repository into BUILD, through
# emscripten's emcmake when asked, optimised unless CMAKE_ARGS say otherwise, and builds it.
# Its output goes to BUILD/build.log, shown when it fails. Under CI (CI=true) warnings are
# errors.
cmake_build() {
  local what=$1 build=$2
  shift 2
  local launcher=()
  if [ "${1:-}" = --emcmake ]; then
    launcher=(emcmake)
    shift
  fi
  local werror=OFF
  [ "${CI:-}" = true ] && werror=ON
  mkdir -p "$build"
  local log=$build/build.log
  echo "Building $what into $build ..."
  {
    "${launcher[@]}" cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DNORMALS_WERROR=$werror "$@" && cmake --build "$build" -j "$(nproc)"
  } >"$log" 2>&1 || { cat "$log"; echo "The build failed; its log is $log." >&2; exit 1; }
}

# The sides of the application's icons, in pixels (data/icons/SIZE.png).
icon_sizes="16 32 48 64 128 256"

# install_browser_driver: the browser driver's Node.js packages, as its package-lock.json
# pins them (driver/browser: the browser tests and the page's benchmark use them).
install_browser_driver() {
  echo "Installing the browser driver's Node.js packages (driver/browser/package-lock.json) ..."
  (cd "$root/driver/browser" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
}
