#!/usr/bin/env bash
# Checks the Debian package and what it installs for the desktop, with Debian's own checkers:
#   lintian   builds the package (cpack, into the build folder), checks that it holds exactly
#             the files of package_files.txt and that its viewer does not link the formula
#             parser (normals-snapshot does), and runs lintian on it: no error and no warning
#             may remain, and lintian may say nothing else on standard error;
#   metadata  the desktop entry (desktop-file-validate), the AppStream file (appstreamcli,
#             without network) and the manual pages (man --warnings: nothing to say).
# NORMALS_BUILD names the build folder, already built.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${NORMALS_BUILD:?names the build to test}"
cd "$NORMALS_BUILD"

case ${1:-} in
  lintian)
    rm -f normals_*.deb
    cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }
    deb=$(ls normals_*.deb)
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./|/|' | sort >contents.txt
    diff -u "$root/tests/package_files.txt" contents.txt ||
      { echo "$deb does not hold the files it must (- missing, + not expected)"; exit 1; }
    # The desktop viewer stays the program its manual describes: no parser of formulas.
    rm -rf unpacked && dpkg-deb -x "$deb" unpacked
    needs() { objdump -p "unpacked/usr/bin/$1" | awk '$1 == "NEEDED" { print $2 }'; }
    if needs normals | grep -q muparser || ! needs normals-snapshot | grep -q muparser; then
      echo "normals needs $(needs normals | tr '\n' ' '); normals-snapshot $(needs normals-snapshot |
        tr '\n' ' ')"
      exit 1
    fi
    echo "$deb depends on: $(dpkg-deb -f "$deb" Depends)"
    echo "$deb: $(stat -c %s "$deb") bytes, the $(wc -l <contents.txt) files it must hold;" \
      "lintian $(lintian --version | cut -d' ' -f2) says:"
    status=0
    lintian --display-info --fail-on error,warning "$deb" 2>lintian.err || status=$?
    # As root lintian says so on standard error, and refuses nothing: that line alone is
    # dropped.
    said=$(grep -v -x -F "running with root privileges is not recommended!" lintian.err || true)
    if [ -n "$said" ]; then
      printf 'lintian said on standard error:\n%s\n' "$said"
      status=1
    fi
    [ "$status" -eq 0 ] || { echo "lintian failed (status $status)"; exit 1; }
    echo "no error and no warning" ;;
  metadata)
    desktop-file-validate "$root"/data/*.desktop
    appstreamcli validate --no-net data/*.metainfo.xml
    for page in man/*.1; do
      warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
      [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
      echo "$page: rendered without warnings"
    done ;;
  *)
    echo "usage: $(basename "$0") lintian|metadata" >&2
    exit 2 ;;
esac
