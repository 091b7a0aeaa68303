#!/usr/bin/env bash
# Runs a command on a made-up machine: in a private mount namespace the kernel's tty class, its
# device tree and /dev hold only the serial devices described, so that Qt's enumeration (through
# libudev) and the kernel's own records are the ones a machine of that layout shows. Needs root.
#
# serial_layout.sh STYLE DEVICE... -- COMMAND...
#   STYLE   new: a ttyS's parent is a serial-base port device (driver "port"), as since Linux 6.5;
#           old: its parent is the serial8250 platform device, which Qt probes by opening the node
#   ttySn=uart[@PTY]        a UART behind ttySn, its node bound to the pseudo-terminal PTY if given
#   ttySn=none              a placeholder: the kernel records no UART
#   ttyUSBn=PTY[@MODEL@VENDOR], ttyACMn=...   a USB adapter (spaces as _ in MODEL and VENDOR)
#   /dev/PATH=NAME          a symbolic link to /dev/NAME, e.g. a by-id name
set -euo pipefail

if [[ -z ${ORV52_SERIAL_LAYOUT:-} ]]; then
  exec unshare --mount --propagation private env ORV52_SERIAL_LAYOUT=1 bash "$0" "$@"
fi

style=$1
shift
devices=()
while (($#)) && [[ $1 != -- ]]; do
  devices+=("$1")
  shift
done
shift

devtree=/sys/devices/platform
# The new /dev is built where this namespace alone sees it, and leaves nothing behind.
newdev=/mnt
mount -t tmpfs orv52-fake /sys/class/tty
mount -t tmpfs orv52-fake "$devtree"
mount -t tmpfs orv52-fake "$newdev"
# Qt's lock files name a device by its node's name alone: the machine's own ttyS0, probed by
# another test at the same time, would hold the made-up machine's ttyS0 locked.
mount -t tmpfs orv52-fake "$(readlink -f /var/lock)"
: >"$newdev/null"
mount --bind /dev/null "$newdev/null"

# tty_node NAME MAJOR MINOR PARENT DRIVER [PROPERTY...]: the tty device NAME below PARENT, a
# device bound to DRIVER.
tty_node() {
  local name=$1 major=$2 minor=$3 parent=$4 driver=$5
  shift 5
  mkdir -p "$parent/tty/$name"
  if [[ ! -e $parent/uevent ]]; then
    printf 'DRIVER=%s\n' "$driver" >"$parent/uevent"
    ln -s "/sys/bus/platform/drivers/$driver" "$parent/driver"
  fi
  local node=$parent/tty/$name
  printf 'MAJOR=%s\nMINOR=%s\nDEVNAME=%s\n' "$major" "$minor" "$name" >"$node/uevent"
  printf '%s\n' "$@" >>"$node/uevent"
  echo "$major:$minor" >"$node/dev"
  ln -s /sys/class/tty "$node/subsystem"
  ln -s "$parent" "$node/device"
  ln -s "$node" "/sys/class/tty/$name"
}

# bind_node NAME PTY: /dev/NAME is the pseudo-terminal PTY.
bind_node() {
  : >"$newdev/$1"
  mount --bind "$(readlink -f "$2")" "$newdev/$1"
}

for device in "${devices[@]}"; do
  name=${device%%=*}
  setting=${device#*=}
  case $name in
    ttyS*)
      index=${name#ttyS}
      if [[ $style == new ]]; then
        parent=$devtree/serial8250/serial8250:0/serial8250:0.$index
        mkdir -p "$parent"
        printf 'DEVTYPE=port\nDRIVER=port\n' >"$parent/uevent"
        ln -s /sys/bus/serial-base/drivers/port "$parent/driver"
      else
        parent=$devtree/serial8250
        mkdir -p "$parent"
      fi
      tty_node "$name" 4 $((64 + index)) "$parent" serial8250
      kind=${setting%%@*}
      [[ $kind == uart ]] && echo 4 >"/sys/class/tty/$name/type" || echo 0 >"/sys/class/tty/$name/type"
      [[ $setting == *@* ]] && bind_node "$name" "${setting#*@}"
      ;;
    ttyUSB* | ttyACM*)
      IFS=@ read -r pty model vendor <<<"$setting"
      index=${name//[!0-9]/}
      major=188
      [[ $name == ttyACM* ]] && major=166
      parent=$devtree/usb1/1-1/1-1:1.$index/$name
      mkdir -p "$parent"
      tty_node "$name" "$major" "$index" "$parent" usb-serial \
        ${model:+ID_MODEL=$model} ${vendor:+ID_VENDOR=$vendor}
      bind_node "$name" "$pty"
      ;;
    /dev/*)
      mkdir -p "$newdev/$(dirname "${name#/dev/}")"
      ln -s "/dev/$setting" "$newdev/${name#/dev/}"
      ;;
    *)
      echo "serial_layout.sh: unknown device '$device'" >&2
      exit 2
      ;;
  esac
done

mkdir "$newdev/pts"
mount --rbind /dev/pts "$newdev/pts"
: >"$newdev/ptmx"
mount --bind /dev/ptmx "$newdev/ptmx"
# Recursively, or the nodes bound above are left behind.
mount --rbind "$newdev" /dev
export SYSTEMD_DEVICE_VERIFY_SYSFS=0
exec "$@"
