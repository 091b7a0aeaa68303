#!/bin/bash
# Runs inside the guest, on the host's root: loads the serial drivers, starts udev, plugs in a
# CDC-ACM adapter with a receiver on its gadget side, and runs the cases of both programs against
# the kernel's real ports. Each case writes "PASS name" or "FAIL name: why" to RESULTS/cases;
# measurements go to RESULTS/measured. Powers the guest off at the end.
#   guest-cases.sh RESULTS      (RESULTS/env says where the programs are)
results=$1
# shellcheck source=/dev/null
source "$results/env"
# The root is the host's under a writable overlay: the guest's own places are new folders, and
# udev starts from an empty database, not from what the host's udev left in /run.
guest=$(mktemp -d /tmp/orv52-guest.XXXXXX)
export PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=$guest/home TMPDIR=$guest LANG=C.UTF-8
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$guest/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$guest/work"
chmod 700 "$XDG_RUNTIME_DIR"
rm -rf /run/udev
work=$guest/work
cases=$results/cases
measured=$results/measured
trap 'echo DONE >>"$cases"; sync; echo o >/proc/sysrq-trigger; sleep 30' EXIT
exec >"$results/guest.log" 2>&1

uptime() { cut -d' ' -f1 /proc/uptime; }
pass() { echo "PASS $1" >>"$cases"; echo "$(uptime) PASS $1"; }
fail() { echo "FAIL $1: $2" >>"$cases"; echo "$(uptime) FAIL $1: $2"; }
check() { # name, failure message, command that must succeed
  local name=$1 why=$2
  shift 2
  if "$@"; then pass "$name"; else fail "$name" "$why"; fi
}
has_line() { grep -qxF -- "$2" "$1"; }
has_text() { grep -qF -- "$2" "$1"; }
lacks_text() { ! grep -qF -- "$2" "$1"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
authorize() { echo "$2" >"$1/authorized"; }
settle() { udevadm settle -t 10; }
wait_for() { # path, present (1) or gone (0)
  local i
  for i in $(seq 100); do
    settle
    if [[ $2 == 1 ]]; then [[ -e $1 ]] && return 0; else [[ ! -e $1 ]] && return 0; fi
    sleep 0.1
  done
  return 1
}

echo "$(uptime) started"
check host-file-under-tmp "the host's $HOST_FILE is not in sight" has_line "$HOST_FILE" "$HOST_FILE_TEXT"

# The drivers, from the kernel's own modules; then udev names what they made.
# usb_f_acm too: the kernel cannot load it on demand from the unpacked tree.
for module in xhci_pci ftdi_sio cdc_acm dummy_hcd usb_f_acm; do
  modprobe -d "$KERNEL_ROOT" "$module" || fail "driver-$module" "modprobe $module failed"
done
/lib/systemd/systemd-udevd --daemon
udevadm trigger --action=add
settle
echo "$(uptime) udev settled"
# A CDC-ACM adapter: a USB gadget on a virtual host controller, its device side ttyGS0.
modprobe -d "$KERNEL_ROOT" g_serial use_acm=1 || fail driver-g_serial "modprobe g_serial failed"
wait_for /dev/ttyACM0 1 || fail cdc-acm-adapter "no /dev/ttyACM0"
"$SIMULATOR" --device /dev/ttyGS0 --version 25 >/dev/null 2>"$work/acm-sim.log" &
acm_simulator=$!
wait_for /dev/ttyUSB1 1 || fail ftdi-adapters "no /dev/ttyUSB1"

by_id() { # tty: its by-id name
  local link
  for link in /dev/serial/by-id/*; do
    [[ $(readlink -f "$link") == "/dev/$1" ]] && echo "$link" && return
  done
}
usb_device() { readlink -f "/sys/class/tty/$1/device/../.."; }
answering=$(by_id ttyUSB0) answering_usb=$(usb_device ttyUSB0)
silent=$(by_id ttyUSB1) silent_usb=$(usb_device ttyUSB1)
echo "answering $answering $answering_usb, silent $silent $silent_usb"
ls -l /dev/serial/by-id/ /sys/class/tty/ttyS*/type
grep . /sys/class/tty/ttyS*/type

cli() { # name, arguments...: stdout and stderr in $work/name.out and .err, the code in $work/name.code
  local name=$1
  shift
  timeout 20 "$CLI" "$@" >"$work/$name.out" 2>"$work/$name.err"
  echo $? >"$work/$name.code"
}
code_is() { [[ $(cat "$work/$1.code") == "$2" ]]; }

# What COM 1-4 lead to on this machine: two UARTs (ttyS0 the console), the placeholders ttyS2
# and ttyS3 that go to the adapters, then the adapters in the order of their names.
acm=$(udevadm info -q property -n /dev/ttyACM0 | sed -n 's/^ID_MODEL=//p' | tr _ ' ')
acm_vendor=$(udevadm info -q property -n /dev/ttyACM0 | sed -n 's/^ID_VENDOR=//p' | tr _ ' ')
ftdi="QEMU USB SERIAL (QEMU)"
tip1="/dev/ttyS0: port szeregowy" tip2="/dev/ttyS1: port szeregowy"
tip3="/dev/ttyACM0: $acm ($acm_vendor)" tip4="/dev/ttyUSB0: $ftdi"
cli ports ports
cat "$work/ports.out"
check ports-com1-uart "COM1 is not ttyS0" has_text "$work/ports.out" "COM1  /dev/ttyS0"
check ports-com2-uart "COM2 is not ttyS1" has_text "$work/ports.out" "COM2  /dev/ttyS1"
check ports-com3-cdc-acm "COM3 is not the CDC-ACM adapter with udev's description" \
  has_line "$work/ports.out" "COM3  $tip3"
check ports-com4-ftdi "COM4 is not the first FTDI adapter with udev's description" \
  has_line "$work/ports.out" "COM4  $tip4"
check ports-other-ftdi "the second FTDI adapter is not listed beyond COM4" \
  has_line "$work/ports.out" "  /dev/ttyUSB1: $ftdi"

# Stable names.
cli by-id-port read --port "$answering"
check by-id-port "--port with the by-id name did not read the FTDI receiver" \
  has_line "$work/by-id-port.out" "wersja = 2.3"
cli by-id-pin read --com 2="$answering" --port COM2
check by-id-pin "--com 2= the by-id name did not lead COM2 to the FTDI receiver" \
  has_line "$work/by-id-pin.out" "wersja = 2.3"

# Read, program with its backup and read-back, and verify, through each driver.
startup=$work/startup.txt
printf '%s\n' "druzyny = 1, 3, 15" "opoznienie_przekaznik_gorny = 5" "opoznienie_przekaznik_dolny = 0" \
  "czas_zalaczenia_przekaznik_gorny = 1" "czas_zalaczenia_przekaznik_dolny = 1" \
  "swiecenie_strzalka_gora = 0" "swiecenie_strzalka_dol = 0" "wyswietl_polecenie = Środek" \
  "tryb_buzera = Bez dźwięku" >"$startup"
for driver in 2:8250:2.1 3:cdc_acm:2.5 4:ftdi_sio:2.3; do
  IFS=: read -r number name version <<<"$driver"
  cli "read-$name" read --port "COM$number"
  check "cli-read-$name" "read on COM$number gave $(cat "$work/read-$name.code")" \
    has_line "$work/read-$name.out" "wersja = $version"
  cli "program-$name" program --port "COM$number" --backup "$work/kopie-$name" "$startup"
  check "cli-program-$name" "program on COM$number gave $(cat "$work/program-$name.code")" \
    code_is "program-$name" 0
  check "cli-program-backup-$name" "program on COM$number kept no backup" \
    compgen -G "$work/kopie-$name/*_wersja-$version.txt"
  cli "verify-$name" verify --port "COM$number" "$startup"
  check "cli-verify-$name" "verify on COM$number gave $(cat "$work/verify-$name.code")" \
    code_is "verify-$name" 0
done

# The window: tool tips, exchanges, an adapter pulled and plugged in.
export ORV52_TIPS="$tip1"$'\n'"$tip2"$'\n'"$tip3"$'\n'"$tip4"
export ORV52_READS="2=2.1 3=2.5 4=2.3"
export ORV52_ANSWERING="$answering" ORV52_ANSWERING_USB="$answering_usb" ORV52_ANSWERING_COM=4
export ORV52_SILENT="$silent" ORV52_SILENT_USB="$silent_usb"
export ORV52_TIP_UNPLUGGED="/dev/ttyUSB1: $ftdi"
"$WINDOW_CASES" -o "$work/window.txt,txt" >"$work/window.out" 2>&1
cat "$work/window.txt" "$work/window.out"
for slot in toolTipsTellWhereComNumbersLead odbierzAndPrzeslijThroughEachDriver \
  pinnedStableNameIsReached 'adapterPulledDuringAnExchange(Odbierz)' \
  'adapterPulledDuringAnExchange(Prześlij)' adapterPulledWhileIdleAndPutBack \
  adapterPluggedInWhileTheWindowRuns; do
  if grep -qF "PASS   : KernelWindowCases::$slot" "$work/window.txt"; then
    pass "window-$slot"
  else
    fail "window-$slot" "$(grep -A1 -F "KernelWindowCases::$slot" "$work/window.txt" | tr '\n' ' ')"
  fi
done
grep '^CPU' "$work/window.out" >>"$measured"

# orv52-cli with the adapter pulled during an exchange: it says the port went away, at once.
# --trace tells when the request is out, so the adapter goes under the exchange, not before it.
for command in read program; do
  arguments=(read --trace --port "$silent")
  [[ $command == program ]] && arguments=(program --trace --no-backup --port "$silent" "$startup")
  "$CLI" "${arguments[@]}" >"$work/pulled-$command.out" 2>"$work/pulled-$command.err" &
  pid=$!
  for _ in $(seq 100); do grep -q ' TX ' "$work/pulled-$command.err" && break; sleep 0.05; done
  sleep 0.3
  authorize "$silent_usb" 0
  pulled=$(date +%s%N)
  wait "$pid"
  code=$?
  ended_ms=$((($(date +%s%N) - pulled) / 1000000))
  echo "CLI $command, adapter pulled: exit $code after ${ended_ms} ms: $(grep -v ' TX ' "$work/pulled-$command.err")" >>"$measured"
  check "cli-pulled-$command-code" "exit $code, not 9" test "$code" -eq 9
  check "cli-pulled-$command-message" "does not say the port went away" \
    has_text "$work/pulled-$command.err" "zniknął w trakcie transmisji"
  check "cli-pulled-$command-not-silence" "gives the advice for a silent receiver" \
    lacks_text "$work/pulled-$command.err" "nie nadszedł żaden bajt"
  check "cli-pulled-$command-at-once" "ended ${ended_ms} ms after the pull" test "$ended_ms" -lt 1500
  authorize "$silent_usb" 1
  wait_for "$silent" 1
done

# A series through a pulled adapter, pinned by its stable name: pulled and put back while the
# series waits, it keeps waiting without spinning and programs the next receiver.
"$CLI" program --series --com 3="$answering" --port COM3 --backup "$work/kopie-series" \
  "$startup" >"$work/series.out" 2>"$work/series.err" &
series=$!
for _ in $(seq 150); do grep -q "nr 1 " "$work/series.out" && break; sleep 0.1; done
check series-first "the first receiver was not programmed" grep -q "nr 1 .*wykonano" "$work/series.out"
authorize "$answering_usb" 0
wait_for "$answering" 0
sleep 1
before=$(cpu_ticks "$series")
sleep 3
used=$(($(cpu_ticks "$series") - before))
echo "CLI series, adapter gone: ${used}0 ms of CPU in 3000 ms" >>"$measured"
# A query a second costs an emulated CPU some: each reads the system's serial devices, about 150
# system calls into sysfs at a few milliseconds each here (0.7 to 0.85 s in 3 s, measured with
# strace). Spinning would take all of it.
check series-no-spin "${used}0 ms of CPU in 3 s while the adapter was gone" test "$used" -lt 150
check series-alive "the series ended when the adapter was pulled" kill -0 "$series"
authorize "$answering_usb" 1
for _ in $(seq 150); do grep -q "nr 2 " "$work/series.out" && break; sleep 0.1; done
check series-next "the receiver after the adapter came back was not programmed" \
  grep -q "nr 2 .*wykonano" "$work/series.out"
kill -INT "$series"
wait "$series"
code=$?
cat "$work/series.out" "$work/series.err"
check series-stop "Ctrl-C gave $code, not 0" test "$code" -eq 0
check series-summary "no true summary" has_line "$work/series.out" "Zaprogramowano 2 z 2 odbiorników; nieudane: 0."
check series-told-once "the missing port was not told exactly once" \
  test "$(grep -c 'ponawiam' "$work/series.err")" -eq 1

# Finding the receiver's port: every port present answers the query, or is silent.
cli probe ports --probe
sed 's/^/ports --probe: /' "$work/probe.out" >>"$measured"
check probe-code "ports --probe gave $(cat "$work/probe.code") with receivers present" code_is probe 0
check probe-console-silent "ttyS0 (the console) not silent" has_line "$work/probe.out" "COM1  /dev/ttyS0: cisza"
for found in "uart|COM2  /dev/ttyS1: odbiornik, wersja 2.1" \
  "cdc-acm|COM3  /dev/ttyACM0: odbiornik, wersja 2.5" \
  "ftdi|COM4  /dev/ttyUSB0: odbiornik, wersja 2.3" "silent-ftdi|      /dev/ttyUSB1: cisza"; do
  check "probe-${found%%|*}" "no line \"${found#*|}\"" has_line "$work/probe.out" "${found#*|}"
done
cli auto-several read --port auto
check probe-auto-several "--port auto with three receivers did not refuse naming them" \
  has_text "$work/auto-several.err" "kilku portach: COM2 (/dev/ttyS1), COM3 (/dev/ttyACM0), COM4 (/dev/ttyUSB0)"
check probe-auto-several-code "gave $(cat "$work/auto-several.code"), not 2" code_is auto-several 2
# With the CDC-ACM receiver switched off and the FTDI adapter pulled, the UART's is the one.
kill "$acm_simulator"
authorize "$answering_usb" 0
wait_for "$answering" 0
cli auto-one read --port auto
check probe-auto-one "--port auto did not read the UART's receiver" \
  has_line "$work/auto-one.out" "wersja = 2.1"
check probe-auto-one-said "did not say which port" \
  has_line "$work/auto-one.err" "orv52-cli: odbiornik odpowiada na porcie COM2 (/dev/ttyS1)"
