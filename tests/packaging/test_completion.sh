#!/usr/bin/env bash
# The installed bash completion of orv52-cli, run in bash as the shell runs it on a Tab.
#   test_completion.sh COMPLETION_FILE
set -uo pipefail
source "$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/kopie"
touch "$work/odbiornik.txt"

failures=0
# The words typed, the last being completed; then what must be offered, or "-" for nothing.
expect() {
  local typed=$1
  shift
  read -ra COMP_WORDS <<<"orv52-cli $typed"
  [[ $typed == *' ' || -z $typed ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _orv52_cli
  local offered=" ${COMPREPLY[*]} " wanted
  for wanted in "$@"; do
    if [[ $wanted == - ]]; then
      [[ $offered == "  " ]] && continue
    elif [[ $offered == *" $wanted "* ]]; then
      continue
    fi
    echo "FAIL: 'orv52-cli $typed<Tab>' offers [${COMPREPLY[*]}], not '$wanted'"
    failures=$((failures + 1))
  done
}

expect "" read program verify ports
expect "pro" program
expect "read --p" --port
expect "program --se" --series
expect "read --se" -
expect "ports --pr" --probe
expect "read --pr" -
expect "read --port " COM1 COM2 COM3 COM4 auto
expect "read --port CO" COM1 COM4
expect "program --backup $work/" "$work/kopie"
expect "program --backup $work/o" -
expect "program $work/o" "$work/odbiornik.txt"
expect "read --output $work/o" "$work/odbiornik.txt"
expect "read --count " -
exit "$failures"
