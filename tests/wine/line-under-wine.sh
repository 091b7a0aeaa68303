#!/usr/bin/env bash
# The Windows programs' exchanges under Wine, with the receiver simulator (a Linux program) behind
# COM n: $WINEPREFIX/dosdevices/comN links to its pseudo-terminal. Qt's Windows serial port, the
# COM numbering and the Windows console are what this tests; the exchange itself is tested on
# Linux, where the same code above the port runs. Before each program opens the line, the line is
# set to 9600 baud and 2 stop bits, so that the simulator's LINE record shows what the program set
# (a Linux pseudo-terminal keeps 8 data bits and no parity whatever is asked of it).
#   line-under-wine.sh window SIMULATOR WINDOW_TEST_EXE
#   line-under-wine.sh cli SIMULATOR ORV52_CLI_EXE
#   line-under-wine.sh arguments SIMULATOR ORV52_CLI_EXE ORV52_PROG_EXE
# with the environment of run-test.sh. Prints each failed check; the exit code is their number.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mode=$1 simulator=$2 exe=$3 window_exe=${4:-}
source "$here/wine-environment.sh"
# Wine takes its code page and the file names' encoding from the Unix locale: UTF-8 here, whatever
# the caller's LC_ALL says (a locale not installed would turn the Polish letters into "?").
export LC_ALL=C.UTF-8

# Wine 10 (the release after 8 tried here) fails the wait for a COM port's events when the device
# behind it has no modem lines, as a pseudo-terminal has none (TIOCMGET fails there), and Qt's
# Windows port takes the failed wait for a failed device, as it would on Windows. The simulator can
# only sit behind a pseudo-terminal, so the exchanges through a Wine COM port need Wine 8.
wine_major=$(wine --version 2>/dev/null | sed -n 's/^wine-\([0-9]*\).*/\1/p')
if ((${wine_major:-0} > 8)); then
  echo "SKIP: Wine $wine_major fails the wait for events on a COM port over a pseudo-terminal" \
    "(no modem lines), so the exchanges behind a Wine COM port are tested with Wine 8 (Debian 12)"
  exit 77
fi

work=$(mktemp -d)
simulator_pid=
cleanup() {
  [[ -n $simulator_pid ]] && kill "$simulator_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
[[ -n ${ORV52_KEEP_WORK:-} ]] && trap - EXIT

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
check() { # what, then a command that must succeed
  local what=$1
  shift
  "$@" || fail "$what"
}

# The window's start-up settings as the programming frame carries them, and the query.
readonly startup_frame="RX 50 52 47 00 00 00 00 00 01 01 00 00 01 01 00 00 00 00 00 00 13"
readonly query="RX 43 46 47 00 3F"

start_simulator() { # COM number, simulator options...
  local number=$1
  shift
  "$simulator" --log --log-line --no-pacing --link "$WINEPREFIX/dosdevices/com$number" "$@" \
    >"$work/line" 2>"$work/simulator.log" &
  simulator_pid=$!
  for _ in $(seq 50); do
    [[ -s $work/line ]] && return
    sleep 0.1
  done
  fail "the simulator did not start"
}

stop_simulator() {
  kill "$simulator_pid"
  wait "$simulator_pid" 2>/dev/null
  simulator_pid=
}

unset_line() { stty -F "$(head -1 "$work/line")" 9600 cstopb; }

received() { grep -qxF "$1" "$work/simulator.log"; }

# A line of a file, whether it ends in CR LF or LF.
has_line() { tr -d '\r' <"$1" | grep -qxF "$2"; }

# Every line ends in CR LF, as a text file written on Windows does.
crlf_only() { ! grep -qv $'\r$' "$1" && test -s "$1"; }

# One record per request the simulator received: the request, then the line settings then.
every_request_at_1200_8n1() {
  ! grep '^LINE' "$work/simulator.log" | grep -qvxF "LINE 1200 8N1" &&
    grep -q '^LINE' "$work/simulator.log"
}

# The roaming application data folder of the prefix's user.
set_app_data() {
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
    /v AppData /t REG_EXPAND_SZ /d "$1" /f >/dev/null 2>&1
}

# After a failed check: where backups written since the marker went, and what the program said.
show_backups_since() { # marker, output file of the program
  find "$WINEPREFIX/drive_c/users" -name '*_wersja-2.3.txt' -newer "$1"
  cat "$2.out" "$2.err"
  return 1
}

locale=() # the Unix locale Wine runs in, as env's assignments; the host's when empty
cli() { # output file, arguments...: the exit code
  local output=$1
  shift
  timeout -k 5 30 env "${locale[@]}" wine "$exe" "$@" >"$output.out" 2>"$output.err"
}

if [[ $mode == window ]]; then
  export ORV52_WINE_COM=2
  start_simulator 2
  unset_line
  bash "$here/run-test.sh" "$exe" || fail "the window's exchanges (above)"
  stop_simulator
  check "the window's Prześlij put the start-up frame on COM 2" received "$startup_frame"
  check "the window's Odbierz put the query on COM 2" received "$query"
  check "the window set 1200 baud, 8N1" every_request_at_1200_8n1
  exit "$failures"
fi

# orv52-cli.exe. Its messages go to a file here: UTF-8 bytes, CR LF or not.
printf '%s\r\n' "druzyny =" "opoznienie_przekaznik_gorny = 0" "opoznienie_przekaznik_dolny = 0" \
  "czas_zalaczenia_przekaznik_gorny = 1" "czas_zalaczenia_przekaznik_dolny = 1" \
  "swiecenie_strzalka_gora = 0" "swiecenie_strzalka_dol = 0" "wyswietl_polecenie = Środek" \
  "tryb_buzera = Bez dźwięku" >"$work/startup.txt"

if [[ $mode == arguments ]]; then
  # Polish letters in every path and pin both programs take, under the ANSI code page of a Polish
  # Windows (1250) and of a Western one (1252), which has no "Ł" at all. Wine takes the code page
  # from the Unix locale, made here for these runs alone. COM6, so that the exchanges of the cli
  # mode, which may run at the same time in the same prefix, keep their COM3.
  mkdir "$work/locales"
  localedef -i pl_PL -f UTF-8 "$work/locales/pl_PL.UTF-8" &&
    localedef -i en_US -f UTF-8 "$work/locales/en_US.UTF-8" || fail "the locales could not be made"
  for name_and_page in pl_PL:1250 en_US:1252; do
    locale=("LOCPATH=$work/locales" "LC_ALL=${name_and_page%:*}.UTF-8")
    page=${name_and_page#*:}
    dir="$work/Łódź $page/żółć"
    mkdir -p "$dir"
    cp "$work/startup.txt" "$dir/Łódź.txt"
    start_simulator 6
    cli "$work/polish" program --port COM6 --backup "Z:$dir/kopie żółć" \
      --log "Z:$dir/dziennik Łódź.jsonl" "Z:$dir/Łódź.txt"
    check "$page: Łódź.txt programmed with its backup and log" test $? -eq 0
    check "$page: the backup in „kopie żółć”" compgen -G "$dir/kopie żółć/*_wersja-2.3.txt"
    check "$page: the log names the backup" grep -q 'kopie żółć' "$dir/dziennik Łódź.jsonl"
    cli "$work/polish" read --port COM6 --output "Z:$dir/odczyt żółć.txt"
    check "$page: read into „odczyt żółć.txt”" has_line "$dir/odczyt żółć.txt" "wersja = 2.3"
    # The default backup folder, in a profile whose name has Polish letters. The registry is the
    # prefix's, which is why CTest runs this test alone.
    profile='C:\users\Łukasz Żółć\AppData\Roaming'
    rm -rf "$WINEPREFIX/drive_c/users/Łukasz Żółć"
    check "$page: the profile set in the registry" set_app_data "$profile"
    touch "$work/before-profile"
    cli "$work/profile" program --port COM6 "Z:$work/startup.txt"
    check "$page: programmed with its backup in the profile" test $? -eq 0
    check "$page: the backup in „Łukasz Żółć”'s profile" compgen -G \
      "$WINEPREFIX/drive_c/users/Łukasz Żółć/AppData/Roaming/orv52-cli/kopie/*_wersja-2.3.txt" ||
      show_backups_since "$work/before-profile" "$work/profile"
    check "$page: the profile reset in the registry" set_app_data '%USERPROFILE%\AppData\Roaming'
    stop_simulator
    cli "$work/pin" ports --com 2=Łódź-żółć
    check "$page: orv52-cli's pin arrives whole" grep -q "Łódź-żółć" "$work/pin.out"
    timeout -k 5 30 env "${locale[@]}" wine "$window_exe" --com 5=Łódź >/dev/null 2>"$work/window.err"
    check "$page: orv52-prog's pin arrives whole" grep -qF "„5=Łódź”" "$work/window.err"
  done
  exit "$failures"
fi

start_simulator 3
unset_line
cli "$work/read" read --port COM3 --output "Z:$work/read.txt"
check "read on COM3 ends done" test $? -eq 0
check "read wrote the receiver's version" has_line "$work/read.txt" "wersja = 2.3"
check "read wrote CR LF line ends" crlf_only "$work/read.txt"
unset_line
cli "$work/program" program --port COM3 --backup "Z:$work/kopie" "Z:$work/startup.txt"
check "program from a CR LF file ends done" test $? -eq 0
check "program's messages, in UTF-8" \
  has_line "$work/program.err" "orv52-cli: Programowanie zakończone !"
check "program wrote a backup" compgen -G "$work/kopie/*_wersja-2.3.txt"
stop_simulator
check "read and program put the query on COM3" received "$query"
check "program put the start-up frame on COM3" received "$startup_frame"
check "the backup has CR LF line ends" crlf_only "$(compgen -G "$work/kopie/*.txt" | head -1)"
check "read and program set 1200 baud, 8N1" every_request_at_1200_8n1

# A receiver that does not answer: the timeout's message. Meanwhile a second program opens the
# same port. Windows refuses that opening, and the program says "Port zajęty" (exit 6), but Wine 8
# does not refuse it: both share the line, and the second also ends by the timeout. This checks
# that Wine behaviour, so that a Wine that starts refusing shows here.
start_simulator 3 --fault silent
cli "$work/silent" read --port COM3 &
first=$!
sleep 1
cli "$work/second" read --port COM3
check "Wine lets a second program open a held port (exit 3)" test $? -eq 3
wait "$first"
check "no answer gives exit 3" test $? -eq 3
check "no answer's message" \
  has_line "$work/silent.err" "orv52-cli: Brak połączenia z odbiornikiem !!!"
stop_simulator

rm -f "$WINEPREFIX/dosdevices/com9"
cli "$work/absent" read --port COM9
check "a COM port with nothing behind it gives exit 5" test $? -eq 5
check "its message" has_line "$work/absent.err" "orv52-cli: Błędny numer portu !!!"

# In a console (Wine's, on a terminal) the Polish letters arrive whole, and Ctrl-C ends a series
# waiting for a receiver, with its summary.
(sleep 4 && printf '\003') | timeout -k 5 30 script -qec \
  "wine '$exe' program --series --no-backup --port COM9 'Z:$work/startup.txt'" /dev/null |
  sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g' >"$work/console" 2>&1
check "Ctrl-C ends the series" grep -q "Zaprogramowano 0 z 0 odbiorników" "$work/console"
check "the console shows Polish letters" grep -q "Błędny numer portu !!!" "$work/console"
exit "$failures"
