#!/usr/bin/env bash
# Installs what the browser build needs (Debian's emscripten, and this release's muparser
# source package, fetched into a cache outside the project) and builds the viewer for the
# browser into build-web/ (or BUILD_DIR): one page, build-web/web/normals.html, that holds
# everything and opens from disk. --docs also writes it to docs/normals.html, the page the
# README links. Under CI (CI=true) warnings are errors.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
docs=false
if [ "${1:-}" = --docs ]; then
  docs=true
  shift
fi
[ $# -le 1 ] || usage "[--docs] [BUILD_DIR]"
build=${1:-$root/build-web}

"$root/scripts/deps.sh" web
# emscripten's tools use Debian's Node.js modules, which a Node.js from elsewhere does not
# look for.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
muparser=$("$root/scripts/muparser-source.sh")
cmake_build "the browser page" "$build" --emcmake "-DMUPARSER_SOURCE_DIR=$muparser"
page=$build/web/normals.html
echo "Built $page ($(stat -c %s "$page") bytes, emscripten $(emcc --version 2>/dev/null |
  sed -n "1s/.* \([0-9][0-9.]*\) .*/\1/p"))."
if [ "$docs" = true ]; then
  cp "$page" "$root/docs/normals.html"
  echo "Wrote docs/normals.html."
fi
