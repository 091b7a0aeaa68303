#!/usr/bin/env bash
# CTest's set-up and clean-up around the Windows tests: one Wine server, kept for the whole run,
# with Wine's services started once. Tests started together would otherwise each start the
# server, or start one while the last one is shutting down, and a program that meets a server
# going away ends at once without a word.
#   wine-server.sh start|stop    with the environment of run-test.sh
set -euo pipefail
source "$(dirname "$0")/wine-environment.sh"
case $1 in
start)
  # Both leave processes behind, which must not hold CTest's output open.
  wineserver -p </dev/null >/dev/null 2>&1
  # The services also link the COM ports of the host's own serial devices, over any link there;
  # they come up now, not under a test that has just linked its own.
  wine cmd /c rem </dev/null >/dev/null 2>"$WINEPREFIX/services-start.log" || {
    cat "$WINEPREFIX/services-start.log"
    exit 1
  }
  ;;
stop) wineserver -k || true ;;
esac
