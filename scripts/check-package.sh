#!/usr/bin/env bash
# Installs the Debian package PACKAGE as a user would, on a machine without build tools (a
# brand-new one: CI runs it in scripts/fresh-debian.sh), and checks what it installed: no build
# tool came with it, normals-snapshot --all draws the golden pictures at rest exactly, man finds
# both manual pages, and removing the package leaves none of its files behind. Uses sudo when
# not run as root.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -eq 1 ] && [ -f "$1" ] || usage "PACKAGE.deb"
package=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
fail() {
  echo "check-package: $*" >&2
  exit 1
}

echo "Installing $(basename "$package") ($(stat -c %s "$package") bytes) ..."
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$package" man-db >/dev/null
for tool in g++ c++ cc cmake make; do
  if command -v "$tool" >/dev/null; then fail "installing the package brought $tool"; fi
done
echo "No build tool was installed."

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
normals-snapshot --version
(cd "$scratch" && normals-snapshot --all >/dev/null)
drawn=0
for golden in "$root"/tests/golden/surface-*.png; do
  name=$(basename "$golden")
  cmp "$scratch/$name" "$golden" || fail "$name differs from tests/golden/$name"
  drawn=$((drawn + 1))
done
extra=$(ls "$scratch" | grep -v -x -F "$(cd "$root/tests/golden" && ls surface-*.png)" || true)
[ -z "$extra" ] || fail "normals-snapshot --all drew more than the golden pictures: $extra"
echo "normals-snapshot --all drew the $drawn golden pictures at rest, and nothing else."
man -w normals normals-snapshot

files=$(dpkg -L normals | while read -r f; do if [ -f "$f" ]; then echo "$f"; fi; done)
echo "The package installed $(wc -l <<<"$files") files."
as_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq normals >/dev/null
left=$(while read -r f; do if [ -e "$f" ]; then echo "$f"; fi; done <<<"$files")
[ -z "$left" ] || fail "removing the package left $(tr '\n' ' ' <<<"$left")"
echo "Removing it left none of them behind."
