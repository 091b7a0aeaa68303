#!/usr/bin/env bash
# The Windows setup program and the portable zip under Wine, in a Wine prefix of their own made
# afresh, where nothing of Qt or MinGW is on the search path: a silent install, the installed
# programs started, the Start-menu shortcuts (the program and its guide) and the uninstall entry,
# the guide with its pictures where orv52-cli --help says it is, orv52-cli put on PATH with /PATH
# and kept there by an update over it, a setup ended on its first page that leaves the installed
# version whole, a silent uninstall that leaves no file or key of the program but the user's
# backups, and the window started from the unpacked zip, beside the guide.
#   setup-under-wine.sh WINDOWS_BUILD_DIR VERSION
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dir=$1 version=$2
if [[ -z ${DISPLAY:-} ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
export ORV52_WINE_PREFIX=$dir/wine-setup-prefix ORV52_WINE_DLL_DIRS=
rm -rf "$ORV52_WINE_PREFIX"
source "$here/wine-environment.sh"

failures=0
check() { # what, then a command that must succeed
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAIL: $what"
    failures=$((failures + 1))
  fi
}

readonly setup=$dir/orv52-prog-$version-setup.exe
readonly installed="$WINEPREFIX/drive_c/Program Files/ORV-52 Prog"
readonly start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
readonly shortcut="$start_menu/ORV-52 Prog.lnk"
readonly guide_shortcut="$start_menu/Instrukcja obsługi ORV-52 Prog.lnk"
readonly uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ORV-52 Prog'
readonly caption="Korvant - Programowanie systemu ORV-52"
readonly backups="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/orv52-cli/kopie"

run() { timeout -k 5 60 wine "$@"; }
settle() { wineserver -w; }
cli_version() { run "$1" --version | tr -d '\r'; }
entry() { run reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r'; }
window_starts() { run "$dir/window_probe.exe" "$1" "$caption"; }
no_program_files_left() { [[ ! -e $installed && ! -e $shortcut && ! -e $guide_shortcut ]]; }
# A guide and every picture it shows beside it.
guide_pictures_beside() {
  local picture pictures
  [[ -f $1 ]] || return 1
  pictures=$(grep -o '<img src="[^"]*"' "$1" | sed 's/<img src="//; s/"$//')
  [[ -n $pictures ]] || return 1
  for picture in $pictures; do
    [[ -f $(dirname "$1")/$picture ]] || return 1
  done
}
# The guide that the last line of --help names, relative to the program's folder.
guide_where_help_says() {
  local line path
  line=$(run "$installed/orv52-cli.exe" --help | tr -d '\r' | tail -n 1)
  [[ $line == "Instrukcja obsługi: "* ]] || return 1
  path=${line#Instrukcja obsługi: }
  path=${path%% *}
  guide_pictures_beside "$installed/${path//\\//}"
}
# A shortcut holds its target's path, in UTF-16 or in ANSI.
shortcut_opens_guide() { tr -d '\0' <"$guide_shortcut" | grep -q 'instrukcja\\instrukcja\.html'; }
no_uninstall_key() { ! run reg query "$uninstall_key" >/dev/null 2>&1; }
path_untouched() { ! run reg query \
  'HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment' /v Path | grep -q "ORV-52"; }
on_path() { ! path_untouched; }

run "$setup" /S
settle
check "setup /S installs the window" test -f "$installed/orv52-prog.exe"
check "the installed orv52-cli.exe prints its version" \
  test "$(cli_version "$installed/orv52-cli.exe")" = "orv52-cli $version"
check "the installed window starts with its caption and closes" \
  window_starts 'C:\Program Files\ORV-52 Prog\orv52-prog.exe'
check "a Start-menu shortcut" test -f "$shortcut"
check "a Start-menu shortcut to the guide" shortcut_opens_guide
check "the guide and its pictures where orv52-cli --help says" guide_where_help_says
check "the uninstall entry has the version" grep -q "DisplayVersion.*$version" <<<"$(entry DisplayVersion)"
check "the uninstall entry has the publisher" grep -q "Publisher.*Korvant" <<<"$(entry Publisher)"
check "PATH is left alone by default" path_untouched

run "$setup" /S /PATH
settle
check "setup /S /PATH puts orv52-cli on PATH" on_path
run "$setup" /S
settle
check "setup over the same version leaves a working installation" \
  test "$(cli_version "$installed/orv52-cli.exe")" = "orv52-cli $version"
check "an update keeps orv52-cli on PATH" on_path

# A setup ended on its first page, as an operator who closes it: the version installed stays.
timeout -k 2 5 wine "$setup" >/dev/null 2>&1
settle
check "a setup ended on its first page leaves the installed version" \
  test "$(cli_version "$installed/orv52-cli.exe")" = "orv52-cli $version"
check "… which still starts" window_starts 'C:\Program Files\ORV-52 Prog\orv52-prog.exe'
check "… and is still listed" grep -q "DisplayVersion.*$version" <<<"$(entry DisplayVersion)"

mkdir -p "$backups"
echo "# kopia" >"$backups/kopia.txt"
run "$installed/uninstall.exe" /S
settle
check "the uninstaller leaves no file of the program" no_program_files_left
check "the uninstaller leaves no registry key of the program" no_uninstall_key
check "the uninstaller leaves the user's backups" test -f "$backups/kopia.txt"
check "the uninstaller takes orv52-cli off PATH" path_untouched

unpacked=$dir/package/unpacked
rm -rf "$unpacked"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$dir/orv52-prog-$version-windows-x64.zip")
check "the zip holds the guide and its pictures" \
  guide_pictures_beside "$unpacked/orv52-prog-$version/instrukcja/instrukcja.html"
check "the window starts from the unpacked zip" \
  window_starts "Z:${unpacked//\//\\}\\orv52-prog-$version\\orv52-prog.exe"

wineserver -k 2>/dev/null
exit "$failures"
