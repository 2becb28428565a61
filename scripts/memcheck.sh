#!/usr/bin/env bash
# Runs the real viewer under valgrind memcheck on the current X display for FRAMES frames
# (2000 by default), then ends it with Escape. Fails on any error valgrind reports (invalid
# reads or writes, uses of uninitialised values, definitely lost blocks) but those of the system
# libraries named in tests/valgrind.supp. Without a display, run it under xvfb-run, as the
# test command does. NORMALS_BUILD names a build folder to use, already built; by default it
# builds everything into build/.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ $# -le 1 ] && [[ ${1:-2000} =~ ^[0-9]+$ ]] || usage "[FRAMES]"
frames=${1:-2000}
use_build test
log=$(mktemp /tmp/normals-memcheck-XXXXXX.log)

# --keep-debuginfo names the frames of Mesa's driver although it is unloaded before the leak
# check.
"$build/bench/normals-probe" --frames "$frames" --memory-at 0 -- valgrind --tool=memcheck \
  --leak-check=full --errors-for-leak-kinds=definite --keep-debuginfo=yes --num-callers=40 \
  "--suppressions=$root/tests/valgrind.supp" "--log-file=$log" || {
  echo "memcheck: the program did not run or end as it should; valgrind's log: $log" >&2
  exit 1
}

errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9]*\) errors.*/\1/p' "$log" | tail -n 1)
if [ -z "$errors" ]; then
  echo "memcheck: valgrind's log has no ERROR SUMMARY line, so nothing was checked: $log" >&2
  exit 1
fi
echo "memcheck after $frames frames: $errors errors of the program's own"
grep -E 'Invalid (read|write)|definitely lost:|ERROR SUMMARY' "$log" |
  sed 's/^==[0-9]*== *//' | sort | uniq -c
if [ "$errors" -ne 0 ]; then
  echo "memcheck: $errors errors; valgrind's log: $log" >&2
  exit 1
fi
rm -f "$log"
