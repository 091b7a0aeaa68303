#!/usr/bin/env bash
# Both programs on one of Debian's kernels (prepare-kernel.sh), booted once under QEMU (TCG) with
# the real serial drivers: a 16550A UART and two FTDI adapters whose lines are host pseudo-terminals with the
# receiver simulator behind them, and a CDC-ACM adapter made inside the guest. The host's root is
# shared read-only, so the guest runs the programs of the build tree; guest-cases.sh runs the
# cases there and writes their results to a share of WORK.
#   run-kernel-cases.sh 6.1|6.12|deb13 KERNEL_CACHE WORK CLI WINDOW_CASES SIMULATOR
# Prints every case and measurement; the exit code is the number of failed checks, 77 when QEMU
# or the kernel cannot be had here.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
flavour=$1
# The guest sees the host's files at the same absolute paths.
mapfile -t paths < <(realpath -m "${@:2:5}")
cache=${paths[0]} work=${paths[1]} cli=${paths[2]} window_cases=${paths[3]} simulator=${paths[4]}

command -v qemu-system-x86_64 >/dev/null ||
  { echo "qemu-system-x86_64 is missing (bash scripts/install-deps.sh)"; exit 77; }
[[ -x /lib/systemd/systemd-udevd ]] ||
  { echo "systemd-udevd is missing (the udev package; bash scripts/install-deps.sh)"; exit 77; }
kernel=$(bash "$here/prepare-kernel.sh" "$flavour" "$cache")
status=$?
((status == 0)) || exit "$status"

rm -rf "$work"
mkdir -p "$work/results"
# A file in a folder under /tmp whose name has a space and Polish letters: the guest must see it,
# as it must see a checkout or a build folder there.
seen=$(mktemp -d "/tmp/orv52 próba gościa.XXXXXX")
echo "widoczny z gościa $$" >"$seen/plik"
simulators=()
cleanup() {
  for pid in "${simulators[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$seen"
}
trap cleanup EXIT

start_simulator() { # name, simulator options...: its line's path in $line
  local name=$1
  shift
  "$simulator" --log --log-line "$@" >"$work/$name.line" 2>"$work/$name.log" &
  simulators+=($!)
  for _ in $(seq 50); do
    [[ -s $work/$name.line ]] && break
    sleep 0.1
  done
  line=$(head -1 "$work/$name.line")
}
start_simulator uart --version 21
uart=$line
start_simulator ftdi-answering --version 23
answering=$line
start_simulator ftdi-silent --fault silent
silent=$line

# Where the guest's first program finds its script and the results share, and what the script
# sources: paths in files, quoted for the shell, so spaces and any other letters reach it intact.
printf '%s\n' "$here/guest-cases.sh" >"$work/results/script"
printf '%s\n' "$work/results" >"$work/results/path"
printf '%s=%q\n' CLI "$cli" WINDOW_CASES "$window_cases" SIMULATOR "$simulator" \
  KERNEL_ROOT "$kernel/root" HOST_FILE "$seen/plik" HOST_FILE_TEXT "$(cat "$seen/plik")" \
  >"$work/results/env"

started=$(date +%s)
# ttyS0 is the console, ttyS1 the UART with a receiver; the two FTDI adapters sit in the first
# two ports of the USB controller, so they are ttyUSB0 and ttyUSB1 in that order.
# The emulated CPU yields to the simulators behind its lines: one that reads a request late, as
# another guest keeps the cores busy, would read the line settings of a later reset of the adapter.
timeout -k 5 280 nice -n 5 qemu-system-x86_64 -accel tcg -m 1024 -nodefaults -no-reboot -display none \
  -kernel "$kernel/vmlinuz" -initrd "$kernel/initramfs.cpio.gz" \
  -append "console=ttyS0 quiet panic=-1" \
  -serial "file:$work/console.log" \
  -chardev "serial,id=uart,path=$uart" -serial chardev:uart \
  -device qemu-xhci,id=xhci \
  -chardev "serial,id=ftdi1,path=$answering" -device usb-serial,chardev=ftdi1,bus=xhci.0,port=1 \
  -chardev "serial,id=ftdi2,path=$silent" -device usb-serial,chardev=ftdi2,bus=xhci.0,port=2 \
  -virtfs local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap \
  -virtfs "local,path=$work/results,mount_tag=results,security_model=none" \
  >"$work/qemu.log" 2>&1
qemu_status=$?
seconds=$(($(date +%s) - started))
cleanup
sleep 0.2

failures=0
echo "Linux $(cat "$kernel/ready") under QEMU (TCG): ${seconds} s"
cases=$work/results/cases
if [[ ! -f $cases ]] || ! grep -qx DONE "$cases"; then
  echo "FAIL the guest did not finish (QEMU exit $qemu_status); the end of its console and log:"
  tail -20 "$work/console.log" "$work/qemu.log" "$work/results/guest.log" 2>/dev/null
  failures=$((failures + 1))
fi
[[ -f $cases ]] && grep -v '^DONE$' "$cases"
[[ -f $work/results/measured ]] && sed 's/^/measured: /' "$work/results/measured"
failed=$(grep -c '^FAIL' "$cases" 2>/dev/null)
failures=$((failures + ${failed:-0}))

# The line at 1200 8N1 at every request that reached a UART or an FTDI adapter.
for name in uart ftdi-answering; do
  if ! grep -q '^RX' "$work/$name.log"; then
    echo "FAIL line-$name: no request reached the receiver"
    failures=$((failures + 1))
  elif grep '^LINE' "$work/$name.log" | grep -qvxF 'LINE 1200 8N1'; then
    echo "FAIL line-$name: a request came at $(grep '^LINE' "$work/$name.log" | grep -vxF 'LINE 1200 8N1' | head -1)"
    failures=$((failures + 1))
  else
    echo "PASS line-$name-1200-8N1 ($(grep -c '^LINE' "$work/$name.log") requests)"
  fi
done
((failures)) && echo "(guest log: $work/results/guest.log)"
exit "$failures"
