#!/usr/bin/env bash
# Makes web/platform/glyphs_8x13.h (or FILE), the caption font of the browser build, from the
# toolkit's own 8 x 13 font: normals-glyphs draws every character with it on an X display (a
# virtual one when there is none) and reads the pixels back. NORMALS_BUILD names a build folder
# to use, already built; by default it builds into build/.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -le 1 ] || usage "[FILE]"
out=${1:-$root/web/platform/glyphs_8x13.h}
use_build test
if has_display; then
  "$build/tools/normals-glyphs" >"$out.partial"
else
  xvfb-run -a -s "$xvfb_screen" "$build/tools/normals-glyphs" >"$out.partial"
fi
mv "$out.partial" "$out"
