#!/usr/bin/env bash
# CTest's emulator for the Windows tests: runs one Qt Test executable under Wine, in the build's
# own Wine prefix, with Qt's and the MinGW runtime's DLLs on Wine's search path and Qt's Windows
# platform plugin on an X display (Qt's offscreen plugin does not start under Wine), within a
# time limit so that a message box nobody closes cannot hold the run. Wine leaves a Qt Test
# executable's redirected output empty, so the results go to a file that is printed here; the
# exit code is the number of failed test functions. What Wine itself said (its standard error) is
# printed when the test fails.
#   ORV52_WINE_PREFIX    the Wine prefix, made on first use
#   ORV52_WINE_DLL_DIRS  the DLL folders, separated by ':'
#   ORV52_WINE_TIME_LIMIT seconds (default 100)
#   DISPLAY              used when set, otherwise the run gets an Xvfb of its own
set -uo pipefail
here=$(dirname "$0")
exe=$1
shift

source "$here/wine-environment.sh"

results=$(mktemp --suffix=.txt)
wine_said=$(mktemp)
trap 'rm -f "$results" "$wine_said"' EXIT
run=(timeout -k 5 "${ORV52_WINE_TIME_LIMIT:-100}" wine "$exe" "$@" -o "Z:$results,txt")
if [[ -z ${DISPLAY:-} ]]; then
  run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
fi
"${run[@]}" 2>"$wine_said"
status=$?
cat "$results"
if ((status != 0)); then
  echo "run-test.sh: $(basename "$exe") ended with $status; Wine's standard error:"
  cat "$wine_said"
fi
exit "$status"
