#!/usr/bin/env bash
# Runs commands in this project as a new user would on a brand-new Debian machine: a minimal
# Debian root (debootstrap, built once and then kept as a tarball), the committed HEAD copied
# into it, nothing installed but the base system, no X server, a clean environment. Each
# COMMAND runs with bash in the copy, one after the other; the exit status is the first
# failing command's. --with copies a file (a built package, say) into the copy first; --take
# copies the files that match a pattern (relative to the copy) out of it afterwards, into the
# --logs folder or else the current one. CI is passed on, so that a CI run builds with warnings
# as errors there too. Needs root.
#
# Downloaded packages are kept between runs (NORMALS_FRESH_CACHE, by default
# /var/cache/normals-fresh-debian) to spare the network; every run still installs them anew.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

arguments="[--release 12|13] [--dir PATH] [--logs DIR] [--with FILE]... [--take PATTERN]..."
arguments+=" 'COMMAND'..."
release=12
dir="/home/user/normals project"
logs=
with=()
take=()
while [ $# -gt 0 ]; do
  case $1 in
    --release | --dir | --logs | --with | --take)
      [ $# -ge 2 ] || usage "$arguments"
      case $1 in
        --release) release=$2 ;;
        --dir) dir=$2 ;;
        --logs) logs=$2 ;;
        --with) with+=("$2") ;;
        --take) take+=("$2") ;;
      esac
      shift 2 ;;
    -*) usage "$arguments" ;;
    *) break ;;
  esac
done
case $release in
  12) suite=bookworm ;;
  13) suite=trixie ;;
  *) usage "$arguments" ;;
esac
[ $# -ge 1 ] && [[ $dir == /* ]] || usage "$arguments"
if [ "$(id -u)" -ne 0 ]; then
  echo "$(basename "$0"): needs root (it builds a root file system and mounts into it)" >&2
  exit 2
fi

cache=${NORMALS_FRESH_CACHE:-/var/cache/normals-fresh-debian}
mkdir -p "$cache/archives-$suite/partial"
tarball=$cache/debian-$suite.tgz
if [ ! -f "$tarball" ]; then
  command -v debootstrap >/dev/null ||
    { apt-get update -qq && apt-get install -y -qq --no-install-recommends debootstrap >/dev/null; }
  # The same mirror this machine uses.
  mirror=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
  [ -n "$mirror" ] ||
    mirror=$(awk '/^deb / { print $2; exit }' /etc/apt/sources.list 2>/dev/null || true)
  [ -n "$mirror" ] || { echo "no Debian mirror found in this machine's apt sources" >&2; exit 1; }
  staging=$(mktemp -d)
  echo "Building a minimal Debian $release ($suite) root, once ..."
  if ! debootstrap --variant=minbase "$suite" "$staging" "$mirror" \
    >"$cache/debootstrap-$suite.log" 2>&1; then
    echo "debootstrap failed; see $cache/debootstrap-$suite.log" >&2
    rm -rf "$staging"
    exit 1
  fi
  tar -C "$staging" -czf "$tarball.partial" . && mv "$tarball.partial" "$tarball"
  rm -rf "$staging"
fi

machine=$(mktemp -d /tmp/normals-fresh-XXXXXX)
mounts=(proc dev dev/pts sys var/cache/apt/archives)
cleanup() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount -l "$machine/${mounts[i]}" 2>/dev/null || true
  done
  rm -rf --one-file-system "$machine"
}
trap cleanup EXIT
tar -C "$machine" -xzf "$tarball"
chmod 755 "$machine"
cp /etc/resolv.conf "$machine/etc/"
# The certificate authorities this machine's network needs beyond Debian's own (those of a
# proxy that inspects TLS, say): the copy reaches the package registries as this machine does.
if [ -n "$(ls -A /usr/local/share/ca-certificates 2>/dev/null)" ]; then
  mkdir -p "$machine/usr/local/share/ca-certificates" "$machine/etc/ssl/certs"
  cp -r /usr/local/share/ca-certificates/. "$machine/usr/local/share/ca-certificates/"
  cp /etc/ssl/certs/ca-certificates.crt "$machine/etc/ssl/certs/" 2>/dev/null || true
fi
mkdir -p "$machine$dir"
git -C "$root" archive HEAD | tar -x -C "$machine$dir"
for file in "${with[@]}"; do cp "$file" "$machine$dir/"; done
mount -t proc proc "$machine/proc"
mount --bind /dev "$machine/dev"
mount --bind /dev/pts "$machine/dev/pts"
mount --bind /sys "$machine/sys"
mount --bind "$cache/archives-$suite" "$machine/var/cache/apt/archives"

echo "Debian $release, project at '$dir', HEAD $(git -C "$root" rev-parse --short HEAD)"
status=0
n=0
[ -z "$logs" ] || mkdir -p "$logs"
for command in "$@"; do
  n=$((n + 1))
  log=$machine.log
  echo "\$ $command"
  start=$SECONDS
  chroot "$machine" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c 'cd "$1" && eval "$2"' fresh "$dir" "$command" </dev/null >"$log" 2>&1 && r=0 || r=$?
  # The end of what it printed; more of it when it failed.
  tail -n "$([ "$r" -eq 0 ] && echo 6 || echo 80)" "$log" | sed 's/^/  | /'
  echo "  -> status $r after $((SECONDS - start)) s"
  [ -z "$logs" ] || cp "$log" "$logs/debian-$release-command-$n.log"
  rm -f "$log"
  [ "$r" -eq 0 ] || [ "$status" -ne 0 ] || status=$r
done
for pattern in "${take[@]}"; do
  taken=$(cd "$machine$dir" && compgen -G "$pattern" || true)
  if [ -z "$taken" ]; then
    echo "nothing matches $pattern to take out" >&2
    [ "$status" -ne 0 ] || status=1
  fi
  while read -r file; do
    [ -z "$file" ] || cp "$machine$dir/$file" "${logs:-.}/"
  done <<<"$taken"
done
exit "$status"
