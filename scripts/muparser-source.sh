#!/usr/bin/env bash
# Prints the folder holding the source of muparser, the formula parser, as this Debian release
# packages it, for the browser build to compile with emscripten. The first time, it fetches the
# source package with apt-get source through a source list of its own (the system's apt sources
# stay as they are) into a cache outside the project (NORMALS_CACHE, by default
# ~/.cache/normals); nothing of muparser is kept in the project. Needs dpkg-dev.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -eq 0 ] || usage ""
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[ -n "$release" ] || { echo "$(basename "$0"): /etc/os-release names no Debian release" >&2; exit 1; }
cache=${NORMALS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/normals}/muparser-$release
if [ ! -f "$cache/source/include/muParser.h" ]; then
  # The system's own Debian mirror, where its sources name one; Debian's own otherwise.
  mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
    /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -oE 'https?://[^ ]+' |
    grep -E '/debian/?$' | head -n 1 || true)
  apt=$cache/apt
  rm -rf "$cache" && mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
    "${mirror:-http://deb.debian.org/debian} $release main" >"$apt/sources.list"
  options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o Debug::NoLocking=true)
  echo "Fetching muparser's source package for Debian $release into $cache ..." >&2
  apt-get "${options[@]}" update >"$cache/fetch.log" 2>&1 || {
    cat "$cache/fetch.log" >&2
    echo "$(basename "$0"): cannot read Debian's source index; the log is $cache/fetch.log" >&2
    exit 1
  }
  if (cd "$cache" && apt-get "${options[@]}" source muparser) >>"$cache/fetch.log" 2>&1; then
    mv "$cache"/muparser-*/ "$cache/source"
  else
    # A mirror may serve the package's upstream tarball without its Debian description and
    # changes (seen for Debian 13's on this workplace's mirror): then the tarball alone, as
    # apt fetched it and checked it against the release's source index.
    orig=$(ls "$cache"/muparser_*.orig.tar.* 2>/dev/null | head -n 1 || true)
    if [ -z "$orig" ]; then
      cat "$cache/fetch.log" >&2
      echo "$(basename "$0"): could not fetch muparser's source; the log is $cache/fetch.log" >&2
      exit 1
    fi
    echo "Only $(basename "$orig") could be fetched: building from it, without Debian's" \
      "changes, if any." >&2
    mkdir "$cache/source"
    tar -xf "$orig" -C "$cache/source" --strip-components=1
  fi
fi
echo "$cache/source"
