#!/usr/bin/env bash
# Shows the program working without a receiver: its COM 1 (/dev/ttyS0) leads to the receiver
# simulator. The program runs in a private mount namespace in which the simulator's
# pseudo-terminal is bind-mounted over /dev/ttyS0, so nothing changes for the rest of the
# system. Arguments go to the simulator, e.g. --fault er or --version 31.
set -euo pipefail
cd "$(dirname "$0")/.."

device=/dev/ttyS0

if [[ $(id -u) -ne 0 ]]; then
  echo "demo.sh: run as root: the program reaches the simulator through a bind mount over" \
    "$device in a private mount namespace, and mounting needs root." >&2
  exit 1
fi
if ! unshare --mount --propagation private true 2>/dev/null; then
  echo "demo.sh: cannot create a mount namespace here (unshare needs CAP_SYS_ADMIN; a" \
    "container must run privileged or with --cap-add SYS_ADMIN)." >&2
  exit 1
fi

bash scripts/install-deps.sh
bash scripts/build.sh build orv52-prog orv52-receiver-sim
sim=build/tools/receiver-sim/orv52-receiver-sim
program=build/app/orv52-prog

scratch=$(mktemp -d)
coproc SIM { exec "$sim" --log "$@"; }
# shellcheck disable=SC2153 # set by coproc
sim_pid=$SIM_PID
trap 'kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null; rmdir "$scratch"' EXIT
read -r slave <&"${SIM[0]}"
echo "Receiver simulator on $slave; the program's COM 1 ($device) leads to it."

# Inside the namespace. Where the device node is missing (as in many containers), a writable
# layer over /dev, seen only here, provides a file to mount over; the layer shows the /dev file
# system alone, so its submounts (pts, shm, ...) are mounted back on top of it.
status=0
# shellcheck disable=SC2016 # expanded by the inner shell
unshare --mount --propagation private -- bash -c '
  set -euo pipefail
  slave=$1 device=$2 scratch=$3
  shift 3
  if [[ ! -e $device ]]; then
    mount -t tmpfs demo "$scratch"
    mkdir "$scratch/dev" "$scratch/upper" "$scratch/work"
    mount --rbind /dev "$scratch/dev"
    mount -t overlay demo \
      -o "lowerdir=$scratch/dev,upperdir=$scratch/upper,workdir=$scratch/work" /dev
    findmnt -rn -o TARGET | { grep "^$scratch/dev/[^/]*$" || true; } | while read -r sub; do
      mount --rbind "$sub" "/dev/${sub#"$scratch/dev/"}"
    done
    touch "$device"
  fi
  mount --bind "$slave" "$device"
  exec "$@"
' demo "$slave" "$device" "$scratch" "$program" || status=$?
exit "$status"
