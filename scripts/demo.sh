#!/usr/bin/env bash
# Shows the program working without a receiver: a receiver simulator on a pseudo-terminal, and
# the program with its COM 1 pinned to the simulator's line. Runs as an ordinary user; nothing
# outside the program and the simulator changes. Arguments go to the simulator, e.g. --fault er
# or --version 31.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh build orv52-prog orv52-receiver-sim
sim=build/tools/receiver-sim/orv52-receiver-sim
program=build/app/orv52-prog

scratch=$(mktemp -d)
line=$scratch/odbiornik
coproc SIM { exec "$sim" --log --link "$line" "$@"; }
# shellcheck disable=SC2153 # set by coproc
sim_pid=$SIM_PID
# The simulator ends by the kill, so its wait fails: under -e that must not skip the removal.
trap '{ kill "$sim_pid" || true; wait "$sim_pid" || true; } 2>/dev/null; rm -rf "$scratch"' EXIT
read -r slave <&"${SIM[0]}"
echo "Receiver simulator on $slave; the program's COM 1 is pinned to it ($line)."
status=0
"$program" --com "1=$line" || status=$?
exit "$status"
