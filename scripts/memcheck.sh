#!/usr/bin/env bash
# Runs the real viewer under valgrind memcheck on the current X display for FRAMES frames
# (2000 by default), then ends it with Escape. Fails on any invalid read or write, and on any
# definitely lost block that the program's own code allocated. Without a display, run it as
#   xvfb-run -a -s "-screen 0 1280x1024x24" scripts/memcheck.sh [FRAMES]
set -euo pipefail
if [ $# -gt 1 ] || { [ $# -eq 1 ] && ! [[ $1 =~ ^[0-9]+$ ]]; }; then
  echo "usage: $0 [FRAMES]" >&2
  exit 2
fi
frames=${1:-2000}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${NORMALS_BUILD:-$root/build}
program=$build/normals
log=$(mktemp /tmp/normals-memcheck-XXXXXX.log)

# Each leak record shows the allocator and 40 callers; --keep-debuginfo names the frames of
# Mesa's driver even though it is unloaded before the leak check.
"$build/tools/normals-probe" --frames "$frames" --memory-at 0 --wrapper \
  "valgrind --tool=memcheck --leak-check=full --keep-debuginfo=yes --num-callers=40 --log-file=$log" ||
  { echo "memcheck: the program did not run or end as it should; valgrind's log: $log"; exit 1; }

invalid=$(grep -c -E '== Invalid (read|write)' "$log" || true)
# A record is the program's own when the allocator's immediate caller is in the program: a
# frame in its binary, or, in a build with debugging information, in one of its source files.
own=$(awk -v program="$program" '
  /are definitely lost in loss record/ { record = 1; depth = 0; next }
  record && /^==[0-9]+==    (at|by) / {
    depth++
    if (depth == 2 && (index($0, "(in " program ")") > 0 ||
        $0 ~ /\((viewer_state|handlers|startup|main|surface|frame|mesh)\.(cpp|h):[0-9]+\)/)) count++
    next
  }
  { record = 0 }
  END { print count + 0 }' "$log")
summary=$(grep -E 'definitely lost:|ERROR SUMMARY' "$log" | sed 's/^==[0-9]*== *//')

echo "memcheck after $frames frames: $invalid invalid reads or writes, $own leaks of the program's own"
echo "$summary"
if [ "$invalid" -ne 0 ] || [ "$own" -ne 0 ]; then
  echo "memcheck: failed; valgrind's log: $log"
  exit 1
fi
rm -f "$log"
