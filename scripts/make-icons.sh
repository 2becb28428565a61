#!/usr/bin/env bash
# Makes the application's icons in data/icons/ (or FOLDER) from the viewer's own picture: the
# sphere (surface 5) at rest, its middle averaged down to each size desktops look for.
# NORMALS_BUILD names a build folder to draw with, already built; by default it builds the
# viewer into build/.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -le 1 ] || usage "[FOLDER]"
out=${1:-$root/data/icons}
use_build run
mkdir -p "$out"
for size in $icon_sizes; do
  "$build/tools/normals-snapshot" --surface 5 --at-rest --icon "$size" --out "$out/$size.png"
done
