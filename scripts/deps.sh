#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that building and running the viewer need (run),
# or also those its tests and benchmarks need (test), when any is missing. Uses sudo when not
# run as root.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -eq 1 ] && [[ $1 =~ ^(run|test|clang|web)$ ]] || usage "run|test|clang|web"

packages=(
  g++ cmake make                      # toolchain
  libglut-dev libglu1-mesa-dev libgl-dev libgl1-mesa-dri  # the viewer, and Mesa's renderer
  libpng-dev libgif-dev libx11-dev   # normals-snapshot
  libmuparser-dev                     # its surfaces of one's own
  xvfb xauth x11-utils                # a virtual display, and a probe for a real one
)
case $1 in
  web) packages=(emscripten cmake make dpkg-dev) ;;  # dpkg-dev: muparser's source package
  test | clang)
    packages+=(
      libgtest-dev libbenchmark-dev     # tests and benchmarks
      libtinyobjloader-dev              # OBJ files read back
      admesh                            # STL files checked by a second program
      libxtst-dev                       # driving the program through the X server
      apitrace                          # the viewer's OpenGL calls, recorded
      valgrind                          # the memory check
      dpkg-dev file lintian             # the Debian package, built and checked
      desktop-file-utils appstream man-db  # the desktop entry, AppStream file, manual pages
      emscripten chromium firefox-esr nodejs  # the browser build, and the browsers it is tried in
    ) ;;&
  clang) packages+=(clang libclang-rt-dev) ;;  # and the fuzzer's and sanitizers' runtime
esac

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
    missing+=("$package")
done
# npm comes with some builds of Node.js, and Debian's package would clash with those.
if [ "$1" = test ] && ! command -v npm >/dev/null; then missing+=(npm); fi
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing ${#missing[@]} missing packages: ${missing[*]}"
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
