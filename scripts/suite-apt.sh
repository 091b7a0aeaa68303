#!/usr/bin/env bash
# apt-get or apt-cache over one Debian suite's archive (bookworm or trixie, with its security
# updates), through a configuration of its own in STATE: a sources list and package lists that
# never touch the host's, so the same packages are found whatever release the host runs. The
# lists are refreshed once a day; when the archive cannot be reached the last ones serve.
#   suite-apt.sh STATE SUITE apt-get|apt-cache ARGUMENTS...
# Exits 75 when there are no lists and the archive cannot be reached.
set -euo pipefail
state=$1 suite=$2 tool=$3
shift 3

mkdir -p "$state/lists/partial" "$state/cache/archives/partial" "$state/preferences.d" \
  "$state/sources.list.d"
: >>"$state/status"
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
[[ -f $keyring ]] || keyring=/usr/share/keyrings/debian-archive-keyring.pgp
if [[ ! -f $keyring ]]; then
  echo "suite-apt.sh: Debian's archive keyring is missing (the debian-archive-keyring package)" >&2
  exit 75
fi
printf 'deb [signed-by=%s] http://deb.debian.org/%s %s main\n' \
  "$keyring" debian "$suite" "$keyring" debian-security "$suite-security" >"$state/sources.list"
options=(-o "Dir::Etc::SourceList=$state/sources.list"
  -o "Dir::Etc::SourceParts=$state/sources.list.d"
  -o "Dir::Etc::PreferencesParts=$state/preferences.d" -o "Dir::State=$state"
  -o "Dir::State::status=$state/status" -o "Dir::Cache=$state/cache"
  -o "APT::Sandbox::User=$(id -un)" -o APT::Architecture=amd64 -o Acquire::Languages=none)
if [[ -z $(find "$state/lists" -maxdepth 1 -name '*Packages*' -mmin -1440) ]]; then
  if ! apt-get "${options[@]}" -q update >"$state/update.log" 2>&1 &&
    [[ -z $(find "$state/lists" -maxdepth 1 -name '*Packages*') ]]; then
    echo "suite-apt.sh: Debian's archive cannot be reached for $suite (no network?):" \
      "$(tail -1 "$state/update.log")" >&2
    exit 75
  fi
fi
exec "$tool" "${options[@]}" "$@"
