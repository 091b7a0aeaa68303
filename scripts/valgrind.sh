#!/usr/bin/env bash
# Runs the main window's whole life (start, About window, close) under valgrind memcheck, built
# into the given folder as scripts/build.sh builds it. Any memory error or definite leak fails.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:?"usage: $0 <build-dir>"}

cmake --preset default -B "$dir" >/dev/null
cmake --build "$dir" --target orv52-window-lifecycle

log="$dir/valgrind.log"
if ! QT_QPA_PLATFORM=offscreen timeout 300 valgrind --tool=memcheck --error-exitcode=1 \
    --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --num-callers=40 --log-file="$log" "$dir/tools/window-lifecycle/orv52-window-lifecycle"; then
  cat "$log" >&2
  echo "valgrind: the main window's start or close failed the memory check; the log is $log." >&2
  exit 1
fi
grep -E 'ERROR SUMMARY' "$log"
